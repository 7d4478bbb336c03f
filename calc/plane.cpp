// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/plane.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <string>

#include "calc/calc_error.h"

namespace pothenot::plane {

namespace {

using Kind = CalcError::Kind;

// A station closer to the danger circle than this share of its shortest
// sight (to the nearest of A, B and C) is taken to lie on it: the figure's
// size as the station sees it, so that one far point does not widen it.
constexpr double kOnDangerCircleShare = 1e-6;
// A circle through A, B and C wider than this many times the longest side is
// taken for the straight line it cannot be told from.
constexpr double kStraightFigure = 1e9;
// A triangle ABC whose longest side is more than this many times its
// shortest is beyond the extended type: the far point's differences swallow
// the near ones' (a coordinate of 1E300 among ones of thousands), and the
// station found would be an accident of rounding.
constexpr double kWidestFigure = 1e12;
// γ1 or γ2 nearer than this to 0° or 180° (a millionth of a second, in
// degrees) is 0° or 180°: no measurement comes near, and the cotangent of a
// smaller angle swallows the figure in the same way.
constexpr double kLeastAngle = 1e-6 / 3600;

[[noreturn]] void NoFix(const std::string& why) {
  throw CalcError(Kind::InvalidOperation, why);
}

}  // namespace

// x is brought into the double range by even powers of two first.
double Root(Extended x) {
  const Extended big(0x1p600), small(0x1p-600);
  double scale = 1;
  while (x > big) {
    x = x * small;
    scale *= 0x1p300;
  }
  while (x > Extended(0) && x < small) {
    x = x * big;
    scale *= 0x1p-300;
  }
  const double root = std::sqrt(x.ToDouble()) * scale;
  if (!std::isfinite(root)) throw CalcError::Fault(Kind::Overflow);
  return root;
}

// n, the whole number nearest degrees / 180, comes out of adding 1.5 × 2^63
// to the quotient and taking it off again: at that size the extended type's
// last bit is one, and the sum rounds to it, ties to even. The quotient, a
// product with 1/180, may be a rounding off; but an n off the right one by
// whole half turns leaves |r| ≥ 90°, and so does a tie (γ of exactly 90° or
// 270°, where the remainder takes the even n): the remainder itself settles
// both. Below 2^62 degrees 180·n is exact, and so is r, a multiple of the
// degrees' last bit smaller than 90°.
Extended HalfTurnRemainder(Extended degrees) {
  if (Abs(degrees) < Extended(0x1p62)) {
    const Extended whole(0x1.8p63);
    const Extended r = degrees - ((degrees * Extended(1.0 / 180) + whole) - whole) * 180;
    if (Abs(r) < Extended(90)) return r;
  }
  return Remainder(degrees, 180);
}

void RequireFigure(Vec A, Vec B, Vec C, Extended r1, Extended r2) {
  if (A == B) NoFix("Пункты A и B совпадают: по ним станцию не определить.");
  if (A == C) NoFix("Пункты A и C совпадают: по ним станцию не определить.");
  if (B == C) NoFix("Пункты B и C совпадают: по ним станцию не определить.");
  if (Abs(r1) < Extended(kLeastAngle)) {
    NoFix(
        "Угол γ1 равен 0° или 180° (или отличается от них меньше чем на 0,000001″): "
        "станция на одной прямой с пунктами A и B, и засечка её не определяет.");
  }
  if (Abs(r2) < Extended(kLeastAngle)) {
    NoFix(
        "Угол γ2 равен 0° или 180° (или отличается от них меньше чем на 0,000001″): "
        "станция на одной прямой с пунктами A и C, и засечка её не определяет.");
  }
  const Vec AB = B - A, AC = C - A, BC = C - B;
  const Extended sides[] = {Dot(AB, AB), Dot(AC, AC), Dot(BC, BC)};  // squared
  if (*std::max_element(std::begin(sides), std::end(sides)) >
      Square(Extended(kWidestFigure)) * *std::min_element(std::begin(sides), std::end(sides))) {
    NoFix(
        "Пункты A, B и C удалены друг от друга слишком неравно: стороны треугольника ABC "
        "различаются больше чем в 10¹² раз, и при таких числах положение станции "
        "не вычислить с нужной точностью.");
  }
}

void OnDangerCircle() {
  NoFix(kOnDangerCircle);
}

// (−K1, K2) and (−K3, K4) are twice the radii from A to the circles' centres;
// P is A mirrored in the line of the centres.
Vec ExactStation(Vec A, Vec B, Vec C, Extended a, Extended b) {
  const Extended K1 = (B.Y - A.Y) * a - (B.X - A.X);
  const Extended K2 = (B.X - A.X) * a + (B.Y - A.Y);
  const Extended K3 = (C.Y - A.Y) * b - (C.X - A.X);
  const Extended K4 = (C.X - A.X) * b + (C.Y - A.Y);
  // ΔY = (K2 − C·K1) / (C² + 1) and ΔX = C·ΔY with C = (K2 − K4) / (K1 − K3),
  // multiplied through by (K1 − K3)²: no division by K1 − K3, which is zero
  // for a station due north or south of A. The denominator is zero when the
  // two circles are one (their centres coincide): no station.
  const Extended numerator = K2 * (K1 - K3) - K1 * (K2 - K4);
  const Extended denominator = Square(K1 - K3) + Square(K2 - K4);
  if (denominator == Extended(0)) OnDangerCircle();
  const Extended dY = numerator / denominator * (K1 - K3);
  const Extended dX = numerator / denominator * (K2 - K4);
  return {A.X + dX, A.Y + dY};
}

DangerCircle CircleThrough(Vec A, Vec B, Vec C, Vec P) {
  const Vec b = B - A, c = C - A, bc = C - B;
  const double sideB = Root(Dot(b, b)), sideC = Root(Dot(c, c)), sideBC = Root(Dot(bc, bc));
  const double longest = std::fmax(sideB, std::fmax(sideC, sideBC));
  // A figure below the normal doubles has no size to measure the station by.
  if (!(longest >= std::numeric_limits<double>::min())) throw CalcError::Fault(Kind::Overflow);
  const Extended area4 = 2 * Cross(b, c);  // four times the signed area of ABC
  // R = |AB| · |AC| · |BC| / |area4|: a line when R ≥ 1E9 × the longest side.
  if (!(Extended(sideB) * Extended(sideC) * Extended(sideBC) <
        Abs(area4) * Extended(kStraightFigure) * Extended(longest))) {
    // The line through the two points farthest apart.
    Vec base = A, dir = b;
    if (sideC >= sideB && sideC >= sideBC) dir = c;
    if (sideBC > sideB && sideBC > sideC) base = B, dir = bc;
    const Vec foot = base + (Dot(P - base, dir) / Dot(dir, dir)) * dir;
    const Vec off = P - foot;
    return {foot, std::numeric_limits<double>::infinity(), Root(Dot(off, off))};
  }
  const Extended bb = Dot(b, b), cc = Dot(c, c);
  const Vec toCentre{(c.Y * bb - b.Y * cc) / area4, (b.X * cc - c.X * bb) / area4};
  const double radius = Root(Dot(toCentre, toCentre));
  // P's power with respect to the circle, |PO|² − R², over |PO| + R: no
  // cancellation of two nearly equal lengths.
  const Vec p = P - A;
  const Extended power = Dot(p, p) - 2 * Dot(p, toCentre);
  const Vec fromCentre = p - toCentre;
  const double distance =
      (Abs(power) / (Extended(Root(Dot(fromCentre, fromCentre))) + Extended(radius))).ToDouble();
  return {A + toCentre, radius, distance};
}

void RequireOffDangerCircle(Vec A, Vec B, Vec C, Vec P, const DangerCircle& circle) {
  const Vec PA = A - P, PB = B - P, PC = C - P;
  const Extended shortestSight2 = std::min({Dot(PA, PA), Dot(PB, PB), Dot(PC, PC)});
  // At A, B or C itself a straight figure's foot may miss P by a rounding.
  if (shortestSight2 == Extended(0) ||
      circle.distance <= kOnDangerCircleShare * Root(shortestSight2)) {
    OnDangerCircle();
  }
}

}  // namespace pothenot::plane
