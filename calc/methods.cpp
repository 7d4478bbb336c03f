// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/methods.h"

#include <limits>
#include <utility>

#include "calc/angles.h"
#include "calc/calc_error.h"
#include "calc/plane.h"

namespace pothenot {

namespace {

using Kind = CalcError::Kind;
using plane::Vec;

constexpr const char* kNorthOfA =
    "Станция лежит точно к северу или к югу от пункта A: K1 − K3 = 0, и схема бланка "
    "не может найти C = (K2 − K4) / (K1 − K3).";
constexpr const char* kCollinsAtInfinity =
    "Станция лежит на прямой BC (γ1 = γ2 с точностью до 180°): вспомогательная точка "
    "Коллинза H уходит в бесконечность.";
constexpr const char* kStraightTriangle =
    "Пункты A, B и C лежат на одной прямой: углы треугольника ABC равны 0° или 180°, "
    "их котангенсы бесконечны, и веса Тинстры не определены.";
constexpr const char* kOutOfRange =
    "Числа этого способа выходят за пределы представимых: координаты или углы слишком "
    "велики или слишком малы.";

// The most steps a method works (ToTal's), so that they are made room for once.
constexpr std::size_t kMostSteps = 17;

// A method's own construction breaks down for this figure: why, in one sentence.
struct Breakdown {
  const char* why;
};

// What every method starts from: the three known points and the cotangents
// of the two measured angles, a = ctg γ1 and b = ctg γ2.
struct Figure {
  Vec A, B, C;
  Extended a, b;
};

// tg t = N / D for |t| ≤ π/4 radians, by Lambert's continued fraction
// tg t = t / (1 − t² / (3 − t² / (5 − … − t² / 19))): N = t·P(t²) and
// D = Q(t²), polynomials of whole coefficients that the extended type holds
// exactly. The fraction cut there is off by less than a fortieth of a unit
// in the last place, and rounded it stays within about three units of the
// true tangent, as the sine over the cosine stayed within two; but it costs a
// fraction of a sine and a cosine, which cost more than all of ToTal.
struct Tangent {
  Extended N, D;
};
Tangent LambertTangent(Extended t) {
  const Extended z = t * t;
  const Extended P = (((55 * z - 25740) * z + 2837835) * z - 91891800) * z + 654729075;
  const Extended Q = ((((1485 - z) * z - 315315) * z + 18918900) * z - 310134825) * z + 654729075;
  return {t * P, Q};
}

// ctg r of r degrees in [−90°, 90°] (an angle by `HalfTurnRemainder`), with
// r brought into [−45°, 45°] first, where Lambert's fraction is cut for:
// past 45°, exactly, by a quarter turn, ctg(s ± 90°) = −tg s.
Extended QuarterCotangent(Extended r) {
  const bool quarter = r > Extended(45) || r < Extended(-45);
  const Extended s = quarter ? (r > Extended(0) ? r - 90 : r + 90) : r;
  const Tangent t = LambertTangent(kPi * s / 180);
  return quarter ? -(t.N / t.D) : t.D / t.N;
}

// The givens as a figure; `CalcError` InvalidOperation where they fix no station.
Figure FigureOf(const Givens& g) {
  const Extended gamma1(scheme::Degrees(g.y1g, g.y1m, g.y1s).ToDouble());
  const Extended gamma2(scheme::Degrees(g.y2g, g.y2m, g.y2s).ToDouble());
  const Vec A{g.Xa, g.Ya}, B{g.Xb, g.Yb}, C{g.Xc, g.Yc};
  const Extended r1 = plane::HalfTurnRemainder(gamma1), r2 = plane::HalfTurnRemainder(gamma2);
  plane::RequireFigure(A, B, C, r1, r2);
  return {A, B, C, QuarterCotangent(r1), QuarterCotangent(r2)};
}

// Writes each step of a method into its solution as it is worked.
class Record {
 public:
  explicit Record(MethodSolution& solution) : solution_(solution) {}
  Extended operator()(const char* name, const char* formula, Extended value) const {
    solution_.steps.push_back(MethodStep{name, formula, value.ToDouble()});
    return value;
  }
  void operator()(const char* name, const char* formula, double value) const {
    solution_.steps.push_back(MethodStep{name, formula, value});
  }

 private:
  MethodSolution& solution_;
};

// Works a method for its station alone.
struct Quiet {
  Extended operator()(const char*, const char*, Extended value) const { return value; }
  void operator()(const char*, const char*, double) const {}
};

// The sheet's scheme, every quantity kept whole.
template <class Step>
Vec ByWorksheet(const Figure& f, const Step& step) {
  const auto& [A, B, C, a, b] = f;
  step("a", "ctg γ1", a);
  step("b", "ctg γ2", b);
  const Extended K1 = step("K1", "(Yb − Ya)·a − (Xb − Xa)", (B.Y - A.Y) * a - (B.X - A.X));
  const Extended K3 = step("K3", "(Yc − Ya)·b − (Xc − Xa)", (C.Y - A.Y) * b - (C.X - A.X));
  const Extended K1_K3 = step("K1 − K3", "K1 − K3", K1 - K3);
  const Extended K2 = step("K2", "(Xb − Xa)·a + (Yb − Ya)", (B.X - A.X) * a + (B.Y - A.Y));
  const Extended K4 = step("K4", "(Xc − Xa)·b + (Yc − Ya)", (C.X - A.X) * b + (C.Y - A.Y));
  const Extended K2_K4 = step("K2 − K4", "K2 − K4", K2 - K4);
  if (K1_K3 == Extended(0)) throw Breakdown{kNorthOfA};
  const Extended Cq = step("C", "(K2 − K4) / (K1 − K3)", K2_K4 / K1_K3);
  step("C²", "C·C", Cq * Cq);
  step("K2 − C·K1", "K2 − C·K1", K2 - Cq * K1);
  step("K4 − C·K3", "K4 − C·K3, проверка: равно K2 − C·K1", K4 - Cq * K3);
  const Extended dY = step("ΔY", "(K2 − C·K1) / (C² + 1)", (K2 - Cq * K1) / (Cq * Cq + 1));
  const Extended dX = step("ΔX", "C·ΔY", Cq * dY);
  const Extended Yp = step("Yp", "Ya + ΔY", A.Y + dY);
  const Extended Xp = step("Xp", "Xa + ΔX", A.X + dX);
  return {Xp, Yp};
}

// M and N are the points of the two position circles opposite A: from P,
// AM and AN are seen under 90°, so M, P and N lie on one line square to PA,
// and P is the foot of the perpendicular from A to MN.
template <class Step>
Vec ByCassini(const Figure& f, const Step& step) {
  const auto& [A, B, C, a, b] = f;
  const Extended Xm = step("Xm", "Xb − (Yb − Ya)·a", B.X - (B.Y - A.Y) * a);
  const Extended Ym = step("Ym", "Yb + (Xb − Xa)·a", B.Y + (B.X - A.X) * a);
  const Extended Xn = step("Xn", "Xc − (Yc − Ya)·b", C.X - (C.Y - A.Y) * b);
  const Extended Yn = step("Yn", "Yc + (Xc − Xa)·b", C.Y + (C.X - A.X) * b);
  const Extended MN2 =
      step("MN²", "(Xn − Xm)² + (Yn − Ym)²", (Xn - Xm) * (Xn - Xm) + (Yn - Ym) * (Yn - Ym));
  if (MN2 == Extended(0)) throw Breakdown{plane::kOnDangerCircle};
  const Extended t = step("t", "((Xa − Xm)·(Xn − Xm) + (Ya − Ym)·(Yn − Ym)) / MN²",
                          ((A.X - Xm) * (Xn - Xm) + (A.Y - Ym) * (Yn - Ym)) / MN2);
  const Extended Xp = step("Xp", "Xm + t·(Xn − Xm)", Xm + t * (Xn - Xm));
  const Extended Yp = step("Yp", "Ym + t·(Yn − Ym)", Ym + t * (Yn - Ym));
  return {Xp, Yp};
}

// H is the second crossing of the line PA with the circle through P, B and
// C, cut forward from B and C by the angles γ2 and γ1 of the inscribed
// arcs. The direction HA is the direction PA; PB is it turned by γ1.
template <class Step>
Vec ByCollins(const Figure& f, const Step& step) {
  const auto& [A, B, C, a, b] = f;
  const Extended b_a = step("b − a", "ctg γ2 − ctg γ1", b - a);
  if (b_a == Extended(0)) throw Breakdown{kCollinsAtInfinity};
  const Extended Xh = step("Xh", "Xb + ((Xc − Xb)·b + (Yc − Yb)) / (b − a)",
                           B.X + ((C.X - B.X) * b + (C.Y - B.Y)) / b_a);
  const Extended Yh = step("Yh", "Yb + ((Yc − Yb)·b − (Xc − Xb)) / (b − a)",
                           B.Y + ((C.Y - B.Y) * b - (C.X - B.X)) / b_a);
  const Extended dX = step("dX", "Xa − Xh", A.X - Xh);
  const Extended dY = step("dY", "Ya − Yh", A.Y - Yh);
  const Extended HA2 = step("HA²", "dX² + dY²", dX * dX + dY * dY);
  if (HA2 == Extended(0)) throw Breakdown{plane::kOnDangerCircle};
  const Extended t = step("t", "((Xb − Xa)·(dX + a·dY) − (Yb − Ya)·(a·dX − dY)) / HA²",
                          ((B.X - A.X) * (dX + a * dY) - (B.Y - A.Y) * (a * dX - dY)) / HA2);
  const Extended Xp = step("Xp", "Xa + t·dX", A.X + t * dX);
  const Extended Yp = step("Yp", "Ya + t·dY", A.Y + t * dY);
  return {Xp, Yp};
}

// P = (kA·A + kB·B + kC·C) / (kA + kB + kC), each weight 1 / (ctg of the
// triangle's angle − ctg of the angle under which P sees the opposite side):
// BC under γ2 − γ1, CA under −γ2, AB under γ1.
template <class Step>
Vec ByTienstra(const Figure& f, const Step& step) {
  const auto& [A, B, C, a, b] = f;
  const Extended S2 = step("2S", "(Xb − Xa)·(Yc − Ya) − (Yb − Ya)·(Xc − Xa)",
                           (B.X - A.X) * (C.Y - A.Y) - (B.Y - A.Y) * (C.X - A.X));
  if (S2 == Extended(0)) throw Breakdown{kStraightTriangle};
  const Extended ctgA = step("ctg A", "((Xb − Xa)·(Xc − Xa) + (Yb − Ya)·(Yc − Ya)) / 2S",
                             ((B.X - A.X) * (C.X - A.X) + (B.Y - A.Y) * (C.Y - A.Y)) / S2);
  const Extended ctgB = step("ctg B", "((Xc − Xb)·(Xa − Xb) + (Yc − Yb)·(Ya − Yb)) / 2S",
                             ((C.X - B.X) * (A.X - B.X) + (C.Y - B.Y) * (A.Y - B.Y)) / S2);
  const Extended ctgC = step("ctg C", "((Xa − Xc)·(Xb − Xc) + (Ya − Yc)·(Yb − Yc)) / 2S",
                             ((A.X - C.X) * (B.X - C.X) + (A.Y - C.Y) * (B.Y - C.Y)) / S2);
  // ctg(γ2 − γ1) = (1 + a·b) / (a − b), multiplied through by a − b: kA = 0
  // when γ1 = γ2 and P lies on BC.
  const Extended kA =
      step("kA", "(a − b) / ((a − b)·ctg A − (1 + a·b))", (a - b) / ((a - b) * ctgA - (1 + a * b)));
  const Extended kB = step("kB", "1 / (ctg B + b)", 1 / (ctgB + b));
  const Extended kC = step("kC", "1 / (ctg C − a)", 1 / (ctgC - a));
  const Extended k = step("k", "kA + kB + kC", kA + kB + kC);
  const Extended Xp =
      step("Xp", "(kA·Xa + kB·Xb + kC·Xc) / k", (kA * A.X + kB * B.X + kC * C.X) / k);
  const Extended Yp =
      step("Yp", "(kA·Ya + kB·Yb + kC·Yc) / k", (kA * A.Y + kB * B.Y + kC * C.Y) / k);
  return {Xp, Yp};
}

// ToTal with B, A, C as the points 1, 2, 3, from A: the angle from 1 to 2 is
// −γ1, from 2 to 3 is γ2. (x'12, y'12) and (x'23, y'23) are twice the
// centres of the circles through P, B, A and P, A, C; (x'31, y'31) that of
// the circle through P, C, B.
template <class Step>
Vec ByToTal(const Figure& f, const Step& step) {
  const auto& [A, B, C, a, b] = f;
  const Extended x1 = step("x'1", "Xb − Xa", B.X - A.X), y1 = step("y'1", "Yb − Ya", B.Y - A.Y);
  const Extended x3 = step("x'3", "Xc − Xa", C.X - A.X), y3 = step("y'3", "Yc − Ya", C.Y - A.Y);
  const Extended T12 = step("T12", "ctg(−γ1) = −a", -a);
  const Extended T23 = step("T23", "ctg γ2 = b", b);
  const Extended x12 = step("x'12", "x'1 + T12·y'1", x1 + T12 * y1);
  const Extended y12 = step("y'12", "y'1 − T12·x'1", y1 - T12 * x1);
  const Extended x23 = step("x'23", "x'3 − T23·y'3", x3 - T23 * y3);
  const Extended y23 = step("y'23", "y'3 + T23·x'3", y3 + T23 * x3);
  Extended k31, D;
  if (T12 + T23 == Extended(0)) {
    // γ1 = γ2: T31 is infinite, and k'31 / D is the ratio of the terms in T31.
    step("T31", "∞: T12 + T23 = 0, станция на прямой BC", std::numeric_limits<double>::infinity());
    k31 = step("k'31", "x'1·y'3 − x'3·y'1 (член при T31)", x1 * y3 - x3 * y1);
    D = step("D", "(x'12 − x'23)·(x'3 − x'1) + (y'12 − y'23)·(y'3 − y'1) (член при T31)",
             (x12 - x23) * (x3 - x1) + (y12 - y23) * (y3 - y1));
  } else {
    const Extended T31 = step("T31", "(1 − T12·T23) / (T12 + T23)", (1 - T12 * T23) / (T12 + T23));
    const Extended x31 = step("x'31", "(x'3 + x'1) + T31·(y'3 − y'1)", (x3 + x1) + T31 * (y3 - y1));
    const Extended y31 = step("y'31", "(y'3 + y'1) − T31·(x'3 − x'1)", (y3 + y1) - T31 * (x3 - x1));
    k31 = step("k'31", "x'1·x'3 + y'1·y'3 + T31·(x'1·y'3 − x'3·y'1)",
               x1 * x3 + y1 * y3 + T31 * (x1 * y3 - x3 * y1));
    D = step("D", "(x'12 − x'23)·(y'23 − y'31) − (y'12 − y'23)·(x'23 − x'31)",
             (x12 - x23) * (y23 - y31) - (y12 - y23) * (x23 - x31));
  }
  if (D == Extended(0)) throw Breakdown{plane::kOnDangerCircle};
  const Extended Xp = step("Xp", "Xa + k'31·(y'12 − y'23) / D", A.X + k31 * (y12 - y23) / D);
  const Extended Yp = step("Yp", "Ya + k'31·(x'23 − x'12) / D", A.Y + k31 * (x23 - x12) / D);
  return {Xp, Yp};
}

// Works one method into `solution`: its station, or why there is none.
template <class Way>
void Work(MethodSolution& solution, const Figure& f, Way way) {
  try {
    const Vec P = way(f, Record(solution));
    solution.Xp = P.X.ToDouble();
    solution.Yp = P.Y.ToDouble();
  } catch (const Breakdown& breakdown) {
    solution.failure = breakdown.why;
  } catch (const CalcError&) {
    solution.Xp.reset();
    solution.failure = kOutOfRange;
  }
}

}  // namespace

std::vector<MethodSolution> SolveByMethods(const TWorksheet& sheet,
                                           std::string_view decimalSeparator) {
  const Givens givens = ReadGivens(sheet, decimalSeparator);
  std::vector<MethodSolution> out(5);
  out[0] = {Method::Worksheet, "Схема бланка без округлений", {}, {}, {}, {}};
  out[1] = {Method::Cassini, "Способ Кассини", {}, {}, {}, {}};
  out[2] = {Method::Collins, "Способ Коллинза", {}, {}, {}, {}};
  out[3] = {Method::Tienstra, "Способ Тинстры", {}, {}, {}, {}};
  out[4] = {Method::ToTal, "Алгоритм ToTal", {}, {}, {}, {}};
  for (MethodSolution& s : out) s.steps.reserve(kMostSteps);
  Figure f;
  try {
    // What no method can get past: givens that fix no station, and a station
    // on the danger circle, judged as AssessFix judges them.
    f = FigureOf(givens);
    const Vec P = plane::ExactStation(f.A, f.B, f.C, f.a, f.b);
    plane::RequireOffDangerCircle(f.A, f.B, f.C, P, plane::CircleThrough(f.A, f.B, f.C, P));
  } catch (const CalcError& e) {
    for (MethodSolution& s : out) s.failure = e.kind() == Kind::Overflow ? kOutOfRange : e.what();
    return out;
  }
  Work(out[0], f, [](const Figure& g, const Record& r) { return ByWorksheet(g, r); });
  Work(out[1], f, [](const Figure& g, const Record& r) { return ByCassini(g, r); });
  Work(out[2], f, [](const Figure& g, const Record& r) { return ByCollins(g, r); });
  Work(out[3], f, [](const Figure& g, const Record& r) { return ByTienstra(g, r); });
  Work(out[4], f, [](const Figure& g, const Record& r) { return ByToTal(g, r); });
  return out;
}

PlaneStation ToTalStation(const Givens& givens) {
  try {
    const Vec P = ByToTal(FigureOf(givens), Quiet{});
    return {P.X, P.Y};
  } catch (const Breakdown& breakdown) {
    throw CalcError(Kind::InvalidOperation, breakdown.why);
  }
}

}  // namespace pothenot
