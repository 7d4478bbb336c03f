// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "calc/exact.h"
#include "calc/extended.h"

/// The worksheet's formulas, one per quantity, each written as the hand
/// scheme writes it. `Calculate` works them in the 80-bit type on stored
/// doubles (`Extended`); checking a student's sheet works the same formulas
/// once more that way and once in exact decimal arithmetic (`Exact`), so the
/// rule of a step exists in one place only. Every formula here is a
/// template over those two number types; the cotangents and the direction
/// angles need the arctangent and the sine, so they exist for `Extended`
/// alone.
///
/// Coordinates and their differences are in the worksheet's length unit (X
/// north, Y east); angles in decimal degrees; a, b, C, C² and ctg(PD) are
/// plain ratios. A formula returns its value before it is stored: the caller
/// stores it (`Stored`) where the worksheet does.
namespace pothenot::scheme {

/// The value a quantity keeps for every later step: rounded to a double in
/// the worksheet's arithmetic, itself in exact arithmetic.
inline Extended Stored(Extended value) {
  return Extended(value.ToDouble());
}
inline Exact Stored(const Exact& value) {
  return value;
}

/// An angle typed as degrees, minutes and seconds, in decimal degrees; the
/// parts are used as typed, fractional, negative or beyond 60.
template <class Number>
Number Degrees(const Number& d, const Number& m, const Number& s) {
  return (s / 3600 + m / 60) + d;
}

/// ctg of an angle of x degrees: cos(r) / sin(r) with r = π × x / 180.
/// At 0° the sine is exactly zero: DivisionByZero. At 180° and 360° the sine
/// of the extended argument is tiny but not zero (about 1E-19), so the
/// cotangent is huge but finite. At 90° it is about −2.5E-20, not zero.
Extended Cotangent(const Extended& x);

/// a = ctg γ1 and b = ctg γ2, cut to five decimals. DivisionByZero at 0°,
/// InvalidOperation where the cotangent is beyond the cut's range.
Extended CotangentCut(const Extended& gamma);

/// A coordinate difference shown on the sheet, uncut: Xb − Xa and the like.
template <class Number>
Number Difference(const Number& to, const Number& from) {
  return to - from;
}

/// K1 from B and a: (Yb − Ya)·a − (Xb − Xa), cut to hundredths.
template <class Number>
Number K1(const Number& Xb, const Number& Yb, const Number& Xa, const Number& Ya, const Number& a) {
  return TruncTo((Yb - Ya) * a - (Xb - Xa), 100);
}

/// K3 is K1's formula for C and b: (Yc − Ya)·b − (Xc − Xa).
template <class Number>
Number K3(const Number& Xc, const Number& Yc, const Number& Xa, const Number& Ya, const Number& b) {
  return K1(Xc, Yc, Xa, Ya, b);
}

/// K2 from B and a: (Xb − Xa)·a + (Yb − Ya), cut to hundredths.
template <class Number>
Number K2(const Number& Xb, const Number& Yb, const Number& Xa, const Number& Ya, const Number& a) {
  return TruncTo((Xb - Xa) * a + (Yb - Ya), 100);
}

/// K4 is K2's formula for C and b: (Xc − Xa)·b + (Yc − Ya).
template <class Number>
Number K4(const Number& Xc, const Number& Yc, const Number& Xa, const Number& Ya, const Number& b) {
  return K2(Xc, Yc, Xa, Ya, b);
}

/// A difference the sheet shows cut to hundredths: K1 − K3, K2 − K4,
/// Xd − Xp, Yd − Yp. In the 80-bit type it often falls one hundredth nearer
/// zero than the decimal difference of the texts.
template <class Number>
Number CutDifference(const Number& x, const Number& y) {
  return TruncTo(x - y, 100);
}

/// C = (K2 − K4) / (K1 − K3) from the K values themselves, five decimals.
template <class Number>
Number C(const Number& K1, const Number& K2, const Number& K3, const Number& K4) {
  return TruncTo((K2 - K4) / (K1 - K3), 100000);
}

/// C², five decimals, with the scale multiplied in first.
template <class Number>
Number CSquared(const Number& C) {
  return Number::FromInt64(Trunc((100000 * C) * C)) / 100000;
}

/// K2 − C·K1 and, side by side, K4 − C·K3: hundredths.
template <class Number>
Number KLessCK(const Number& K2, const Number& C, const Number& K1) {
  return TruncTo(K2 - C * K1, 100);
}

/// ΔY from A to P: (K2 − C·K1) / (C·C + 1), the numerator afresh from K2, C
/// and K1 and the denominator from C, not from the cut values; hundredths.
template <class Number>
Number DeltaY(const Number& K2, const Number& C, const Number& K1) {
  return TruncTo((K2 - C * K1) / (C * C + 1), 100);
}

/// ΔX from A to P: C·ΔY, hundredths.
template <class Number>
Number DeltaX(const Number& C, const Number& dY) {
  return TruncTo(C * dY, 100);
}

/// A coordinate of the station, uncut: Yp = Ya + ΔY, Xp = Xa + ΔX.
template <class Number>
Number Station(const Number& fromA, const Number& delta) {
  return fromA + delta;
}

/// ctg(PD) = (Yd − Yp) / (Xd − Xp) from the uncut differences, five decimals.
template <class Number>
Number CtgPD(const Number& Xd, const Number& Yd, const Number& Xp, const Number& Yp) {
  return TruncTo((Yd - Yp) / (Xd - Xp), 100000);
}

/// Angle of a ratio q = ΔY / ΔX, in degrees: arctan(q) × 180 / π + 180, the
/// arctangent taken of q and 1. Lies strictly between 90° and 270°: the true
/// direction angle when the target lies south of the station (its X below
/// the station's), 180° more than it otherwise.
Extended DirectionAngleOfRatio(const Extended& q);

/// The true direction angle in [0°, 360°) from a station to a target: the
/// angle of the ratio, less 180° when the target lies north of the station
/// (`targetNorth`: its X larger than the station's), plus 360° if that falls
/// below zero.
Extended DirectionAngle(const Extended& q, bool targetNorth);

/// (PA), the direction angle from P to A in [0°, 360°), from the ratio
/// (K1 − K3) / (K2 − K4) of the K values themselves.
Extended AlphaPA(const Extended& K1, const Extended& K2, const Extended& K3, const Extended& K4,
                 const Extended& Xa, const Extended& Xp);

/// (PD), the direction angle from P to D in [0°, 360°), from
/// (Yd − Yp) / (Xd − Xp).
Extended AlphaPD(const Extended& Xd, const Extended& Yd, const Extended& Xp, const Extended& Yp);

/// An angle brought into (−180°, 180°] by the exact remainder of division by
/// 360°: −180° becomes 180°.
template <class Number>
Number HalfTurn(const Number& x) {
  const Number r = Remainder(x, 360);
  return r == Number(-180) ? Number(180) : r;
}

/// ε computed = (PA) − (PD), in (−180°, 180°].
template <class Number>
Number EpsilonComputed(const Number& alphaPA, const Number& alphaPD) {
  return HalfTurn(alphaPA - alphaPD);
}

/// δε = ε computed − ε measured, in (−180°, 180°].
template <class Number>
Number DeltaEpsilon(const Number& epsComputed, const Number& epsMeasured) {
  return HalfTurn(epsComputed - epsMeasured);
}

/// The parts an angle of x degrees is shown with: computed apart and not
/// carried into one another, so the seconds can be 60; each part of a
/// negative angle is zero or negative. InvalidOperation beyond the 64-bit
/// integers.
struct Dms {
  std::int64_t degrees = 0;  ///< trunc(x)
  std::int64_t minutes = 0;  ///< trunc(frac(x) × 60), in (−60, 60)
  std::int64_t seconds = 0;  ///< round(frac(frac(x) × 60) × 60), in [−60, 60]
  friend bool operator==(const Dms&, const Dms&) = default;
};
template <class Number>
Dms DmsOf(const Number& x) {
  return {Trunc(x), Trunc(Frac(x) * 60), Round(Frac(Frac(x) * 60) * 60)};
}

}  // namespace pothenot::scheme
