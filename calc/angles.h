#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "calc/extended.h"
#include "calc/scheme.h"

namespace pothenot {

/// Decimal degrees of an angle typed as degrees, minutes and seconds, summed
/// as (s / 3600 + m / 60) + d. The parts are used as typed: fractional,
/// negative, or minutes and seconds of 60 and more.
/// DmsToDegrees(54, 11, 15) is 54.1875 exactly.
Extended DmsToDegrees(Extended d, Extended m, Extended s);

/// ctg of an angle of x degrees: cos(r) / sin(r) with r = π × x / 180.
/// At 0° the sine is exactly zero: DivisionByZero. At 180° and 360° the sine
/// of the extended argument is tiny but not zero (about 1E-19), so the
/// cotangent is huge but finite. At 90° it is about −2.5E-20, not zero.
Extended Cotangent(Extended x);

/// Angle of a ratio q = ΔY / ΔX, in degrees: arctan(q) × 180 / π + 180, the
/// arctangent taken of q and 1. Lies strictly between 90° and 270°: the true
/// direction angle when the target lies south of the station (its X below
/// the station's), 180° more than it otherwise.
Extended DirectionAngleOfRatio(Extended q);

/// The true direction angle in [0°, 360°) from a station to a target: the
/// angle of the ratio, less 180° when the target lies north of the station
/// (`targetNorth`: its X larger than the station's), plus 360° if that falls
/// below zero.
Extended DirectionAngle(Extended q, bool targetNorth);

/// An angle brought into (−180°, 180°] by the exact remainder of division by
/// 360° (−180° becomes 180°).
Extended ReduceAngle(Extended x);

/// The control block's text of an angle of x degrees: whole degrees, "°",
/// whole minutes, "`", whole seconds, "``". The three parts are computed apart
/// and not carried into one another: D = trunc(x), M = trunc(frac(x) × 60),
/// S = round(frac(frac(x) × 60) × 60), so S can be 60. Each non-zero part of a
/// negative angle carries its own minus: −1.5 gives "-1°-30`0``".
/// InvalidOperation when x lies beyond the 64-bit integers.
std::string DegreesToDmsText(Extended x, std::string_view separator);

/// The three parts of an angle text as a student writes it: whole degrees,
/// "°", whole minutes, a minute mark ("`", "'" or "′"), whole seconds, a
/// second mark ("``", "''", "\"" or "″"); each part optionally signed, spaces
/// allowed around every part and mark. Nothing for any other text, and for a
/// part of more than 18 digits.
std::optional<scheme::Dms> ReadDmsText(std::string_view text);

}  // namespace pothenot
