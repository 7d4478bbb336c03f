// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/design.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>

#include "calc/calc_error.h"
#include "calc/extended.h"
#include "calc/plane.h"

namespace pothenot {

namespace {

constexpr std::int64_t kTurnSeconds = 1296000;
constexpr double kRadiansPerSecond = 3.14159265358979323846 / 648000;
// sin² of the cut angle at or below which the two position circles are one.
constexpr double kParallelSquared = 1e-24;

bool operator==(PlanePoint a, PlanePoint b) {
  return a.X == b.X && a.Y == b.Y;
}

// α(PT) in radians, clockwise from north.
Extended Direction(PlanePoint P, PlanePoint T) {
  return ArcTan2(Extended(T.Y) - Extended(P.Y), Extended(T.X) - Extended(P.X));
}

// An angle of `radians` as whole seconds in [0, 360°), split into its parts.
scheme::Dms WholeSeconds(Extended radians) {
  std::int64_t s = Round(radians * 648000 / kPi) % kTurnSeconds;
  if (s < 0) s += kTurnSeconds;
  return {s / 3600, s / 60 % 60, s % 60};
}

}  // namespace

MeasuredAngles AnglesAt(PlanePoint P, PlanePoint A, PlanePoint B, PlanePoint C, PlanePoint D) {
  for (auto [point, name] : {std::pair{A, "A"}, {B, "B"}, {C, "C"}, {D, "D"}}) {
    if (P == point) {
      throw CalcError(CalcError::Kind::InvalidOperation,
                      std::string("Станция совпадает с пунктом ") + name +
                          ": направление на него не определено.");
    }
  }
  const Extended a = Direction(P, A);
  return {WholeSeconds(Direction(P, B) - a), WholeSeconds(Direction(P, C) - a),
          WholeSeconds(a - Direction(P, D))};
}

double MeanSquareErrorAt(PlanePoint P, PlanePoint A, PlanePoint B, PlanePoint C,
                         double angleErrorSeconds) {
  if (!std::isfinite(angleErrorSeconds) || angleErrorSeconds < 0) {
    throw std::invalid_argument(
        "MeanSquareErrorAt: the angle error must be finite and not negative");
  }
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  const plane::PositionNormals<PlanePoint> n = plane::NormalsAt(P, A, B, C);
  const double r1 = n.r1.X * n.r1.X + n.r1.Y * n.r1.Y, r2 = n.r2.X * n.r2.X + n.r2.Y * n.r2.Y;
  // At A, B or C itself the gradients are NaN, and so is this comparison.
  if (!(n.det * n.det > kParallelSquared * r1 * r2)) return kInfinity;
  return angleErrorSeconds * kRadiansPerSecond * std::sqrt(plane::SquaredErrorFactor(n));
}

}  // namespace pothenot
