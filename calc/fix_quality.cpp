// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/fix_quality.h"

#include <cmath>
#include <stdexcept>
#include <string>

#include "calc/calc_error.h"
#include "calc/extended.h"
#include "calc/givens.h"
#include "calc/plane.h"
#include "calc/scheme.h"

namespace pothenot {

namespace {

using Kind = CalcError::Kind;
using plane::Abs;
using plane::Cross;
using plane::Dot;
using plane::Root;
using plane::Square;
using plane::Vec;

// The verdicts on the geometry, by the cut angle in degrees.
constexpr double kReliableCut = 30;
constexpr double kWeakCut = 10;

double DegreesOfRadians(Extended radians) {
  return (radians * 180 / kPi).ToDouble();
}

// An angle of the givens in decimal degrees, stored as Calculate stores it.
Extended Angle(Extended d, Extended m, Extended s) {
  return Extended(scheme::Degrees(d, m, s).ToDouble());
}

FixQuality Assess(const Givens& g, double m) {
  const Extended epsMeasured = Angle(g.e2g, g.e2m, g.e2s);
  const Extended gamma1 = Angle(g.y1g, g.y1m, g.y1s);
  const Extended gamma2 = Angle(g.y2g, g.y2m, g.y2s);
  const Vec A{g.Xa, g.Ya}, B{g.Xb, g.Yb}, C{g.Xc, g.Yc}, D{g.Xd, g.Yd};

  plane::RequireFigure(A, B, C, plane::HalfTurnRemainder(gamma1), plane::HalfTurnRemainder(gamma2));
  const Vec P = plane::ExactStation(A, B, C, scheme::Cotangent(gamma1), scheme::Cotangent(gamma2));
  const plane::DangerCircle circle = plane::CircleThrough(A, B, C, P);
  plane::RequireOffDangerCircle(A, B, C, P, circle);
  if (P == D) {
    throw CalcError(Kind::InvalidOperation,
                    "Пункт D совпадает со станцией: контрольный угол ε не определён.");
  }

  // The normals of the two position circles at P, and of ε computed.
  const plane::PositionNormals<Vec> normals = plane::NormalsAt(P, A, B, C);
  const Vec r1 = normals.r1, r2 = normals.r2;
  const Vec h = plane::DirectionGradient(P, A) - plane::DirectionGradient(P, D);
  const Extended det = normals.det;
  if (det == Extended(0)) plane::OnDangerCircle();

  FixQuality q{};
  q.Xp = P.X.ToDouble();
  q.Yp = P.Y.ToDouble();
  q.circleX = circle.centre.X.ToDouble();
  q.circleY = circle.centre.Y.ToDouble();
  q.circleRadius = circle.radius;
  q.circleShare = circle.distance / circle.radius;  // 0 for a line: its radius is +infinity

  const double between = DegreesOfRadians(ArcTan2(Abs(det), Dot(r1, r2)));
  q.cutAngle = between > 90 ? 180 - between : between;
  q.geometry = q.cutAngle >= kReliableCut ? Geometry::Reliable
               : q.cutAngle >= kWeakCut   ? Geometry::Weak
                                          : Geometry::Dangerous;

  const Extended mRadians = Extended(m) * kPi / 648000;
  q.stationError = Root(Square(mRadians) * plane::SquaredErrorFactor(normals));
  q.controlSigma =
      Root(Square(Extended(m)) * (1 + (Square(Cross(h, r2)) + Square(Cross(r1, h))) / Square(det)));

  // δε of the exact station, in seconds of (−648000, 648000].
  const Extended epsComputed =
      (ArcTan2(A.Y - P.Y, A.X - P.X) - ArcTan2(D.Y - P.Y, D.X - P.X)) * 180 / kPi;
  double discrepancy = (scheme::HalfTurn(epsComputed - epsMeasured) * 3600).ToDouble();
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
