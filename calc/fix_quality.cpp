#include "calc/fix_quality.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <stdexcept>
#include <string>

#include "calc/angles.h"
#include "calc/calc_error.h"
#include "calc/extended.h"
#include "calc/givens.h"

namespace pothenot {

namespace {

using Kind = CalcError::Kind;

// A station closer to the danger circle than this share of its shortest
// sight (to the nearest of A, B and C) is taken to lie on it: the figure's
// size as the station sees it, so that one far point does not widen it.
constexpr double kOnDangerCircle = 1e-6;
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
// The verdicts on the geometry, by the cut angle in degrees.
constexpr double kReliableCut = 30;
constexpr double kWeakCut = 10;

// A plane vector or point: X north, Y east.
struct Vec {
  Extended X, Y;
};

Vec operator+(Vec a, Vec b) {
  return {a.X + b.X, a.Y + b.Y};
}
Vec operator-(Vec a, Vec b) {
  return {a.X - b.X, a.Y - b.Y};
}
Vec operator*(Extended k, Vec a) {
  return {k * a.X, k * a.Y};
}
bool operator==(Vec a, Vec b) {
  return a.X == b.X && a.Y == b.Y;
}
Extended Dot(Vec a, Vec b) {
  return a.X * b.X + a.Y * b.Y;
}
Extended Cross(Vec a, Vec b) {
  return a.X * b.Y - a.Y * b.X;
}
Extended Square(Extended x) {
  return x * x;
}
Extended Abs(Extended x) {
  return x < Extended(0) ? -x : x;
}

[[noreturn]] void NoFix(const std::string& why) {
  throw CalcError(Kind::InvalidOperation, why);
}

// √x of a non-negative extended value of any size, to double precision: x is
// brought into the double range by even powers of two first. Overflow when
// the root itself lies beyond the doubles.
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

double Degrees(Extended radians) {
  return (radians * 180 / kPi).ToDouble();
}

// An angle of the givens in decimal degrees, stored as Calculate stores it.
Extended Angle(Extended d, Extended m, Extended s) {
  return Extended(DmsToDegrees(d, m, s).ToDouble());
}

// ∂α/∂(Xp, Yp): how the direction angle from P to T turns as P moves.
Vec DirectionGradient(Vec P, Vec T) {
  const Vec d = T - P;
  const Extended s2 = Dot(d, d);
  return {d.Y / s2, -d.X / s2};
}

[[noreturn]] void OnDangerCircle() {
  NoFix(
      "Станция лежит на опасном круге (окружности через A, B и C): "
      "углы γ1 и γ2 не определяют её положения.");
}

// The second crossing, besides A, of the position circles: the worksheet's
// cotangent scheme without its cuts. (−K1, K2) and (−K3, K4) are twice the
// radii from A to the circles' centres; P is A mirrored in the line of the
// centres.
Vec ExactStation(Vec A, Vec B, Vec C, Extended gamma1, Extended gamma2) {
  const Extended a = Cotangent(gamma1);
  const Extended b = Cotangent(gamma2);
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

struct DangerCircle {
  Vec centre;       // the foot of the perpendicular from P, for a line
  double radius;    // +infinity for a line
  double distance;  // of P from the circle
};

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

FixQuality Assess(const Givens& g, double m) {
  const Extended epsMeasured = Angle(g.e2g, g.e2m, g.e2s);
  const Extended gamma1 = Angle(g.y1g, g.y1m, g.y1s);
  const Extended gamma2 = Angle(g.y2g, g.y2m, g.y2s);
  const Vec A{g.Xa, g.Ya}, B{g.Xb, g.Yb}, C{g.Xc, g.Yc}, D{g.Xd, g.Yd};

  if (A == B) NoFix("Пункты A и B совпадают: по ним станцию не определить.");
  if (A == C) NoFix("Пункты A и C совпадают: по ним станцию не определить.");
  if (B == C) NoFix("Пункты B и C совпадают: по ним станцию не определить.");
  if (Abs(Remainder(gamma1, 180)) < Extended(kLeastAngle)) {
    NoFix(
        "Угол γ1 равен 0° или 180° (или отличается от них меньше чем на 0,000001″): "
        "станция на одной прямой с пунктами A и B, и засечка её не определяет.");
  }
  if (Abs(Remainder(gamma2, 180)) < Extended(kLeastAngle)) {
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

  const Vec P = ExactStation(A, B, C, gamma1, gamma2);
  const DangerCircle circle = CircleThrough(A, B, C, P);
  const Vec PA = A - P, PB = B - P, PC = C - P;
  const Extended shortestSight2 = std::min({Dot(PA, PA), Dot(PB, PB), Dot(PC, PC)});
  // At A, B or C itself a straight figure's foot may miss P by a rounding.
  if (shortestSight2 == Extended(0) || circle.distance <= kOnDangerCircle * Root(shortestSight2)) {
    OnDangerCircle();
  }
  if (P == D) NoFix("Пункт D совпадает со станцией: контрольный угол ε не определён.");

  // The normals of the two position circles at P, and of ε computed.
  const Vec gA = DirectionGradient(P, A);
  const Vec r1 = DirectionGradient(P, B) - gA;
  const Vec r2 = DirectionGradient(P, C) - gA;
  const Vec h = gA - DirectionGradient(P, D);
  const Extended det = Cross(r1, r2);
  if (det == Extended(0)) OnDangerCircle();

  FixQuality q{};
  q.Xp = P.X.ToDouble();
  q.Yp = P.Y.ToDouble();
  q.circleX = circle.centre.X.ToDouble();
  q.circleY = circle.centre.Y.ToDouble();
  q.circleRadius = circle.radius;
  q.circleShare = circle.distance / circle.radius;  // 0 for a line: its radius is +infinity

  const double between = Degrees(ArcTan2(Abs(det), Dot(r1, r2)));
  q.cutAngle = between > 90 ? 180 - between : between;
  q.geometry = q.cutAngle >= kReliableCut ? Geometry::Reliable
               : q.cutAngle >= kWeakCut   ? Geometry::Weak
                                          : Geometry::Dangerous;

  const Extended mRadians = Extended(m) * kPi / 648000;
  q.stationError = Root(Square(mRadians) * (Dot(r1, r1) + Dot(r2, r2)) / Square(det));
  q.controlSigma =
      Root(Square(Extended(m)) * (1 + (Square(Cross(h, r2)) + Square(Cross(r1, h))) / Square(det)));

  // δε of the exact station, in seconds of (−648000, 648000].
  const Extended epsComputed =
      (ArcTan2(A.Y - P.Y, A.X - P.X) - ArcTan2(D.Y - P.Y, D.X - P.X)) * 180 / kPi;
  double discrepancy = (ReduceAngle(epsComputed - epsMeasured) * 3600).ToDouble();
  if (discrepancy <= -648000) discrepancy += 1296000;
  q.controlDiscrepancy = discrepancy;
  q.controlPassed = std::fabs(discrepancy) <= 2 * q.controlSigma;
  return q;
}

}  // namespace

FixQuality AssessFix(const TWorksheet& sheet, std::string_view decimalSeparator,
                     double angleErrorSeconds) {
  if (!std::isfinite(angleErrorSeconds) || angleErrorSeconds < 0) {
    throw std::invalid_argument("AssessFix: the angle error must be finite and not negative");
  }
  const Givens givens = ReadGivens(sheet, decimalSeparator);
  try {
    return Assess(givens, angleErrorSeconds);
  } catch (const CalcError& e) {
    // The figure's own faults pass as they are; an overflow of the arithmetic
    // says that the numbers, not the figure, are out of reach.
    if (e.kind() != Kind::Overflow) throw;
    throw CalcError(Kind::Overflow,
                    "Засечку не оценить: станция или её точность выходят за пределы "
                    "представимых чисел (координаты или углы слишком велики или слишком малы).");
  }
}

}  // namespace pothenot
