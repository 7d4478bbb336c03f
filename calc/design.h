// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/scheme.h"

/// Designing a resection rather than working one: where a station would see
/// the known points, and how well it would be fixed there. For the figure a
/// student moves about, and for a map of the fix's accuracy over the plane.
namespace pothenot {

struct PlanePoint {
  double X = 0, Y = 0;  // X north, Y east, the worksheet's unit
};
struct MeasuredAngles {
  scheme::Dms gamma1, gamma2, epsilon;
};

/// The angles a station at P would measure, rounded to whole seconds, each in [0°, 360°)
/// with 0 ≤ minutes, seconds < 60: γ1 = α(PB) − α(PA), γ2 = α(PC) − α(PA),
/// ε = α(PA) − α(PD). CalcError when P coincides with a known point.
///
/// Direction angles α are clockwise from north, worked in the extended type
/// from the doubles given; an angle is rounded as a whole, 59.5″ carrying into
/// the minutes (and 359°59′59.5″ becoming 0°0′0″). The CalcError is
/// InvalidOperation with a Russian sentence naming the point.
MeasuredAngles AnglesAt(PlanePoint P, PlanePoint A, PlanePoint B, PlanePoint C, PlanePoint D);

/// The station's mean square error M in metres at P for an angle error m_β in seconds, by
/// the same propagation as AssessFix; +∞ on the danger circle.
///
/// Worked in doubles, for many stations at once (a map of the plane): M agrees
/// with AssessFix's stationError at AssessFix's own station to the rounding
/// of doubles. "On the danger circle" is P at A, B or C, or the normals of the
/// two position circles parallel within the rounding of doubles (the sine of
/// the cut angle at most 1E-12); a station near the circle gets a large finite
/// M. The points are finite and their distances from P lie within 1E±100.
/// `angleErrorSeconds` is finite and not negative; anything else is a
/// programming error and throws `std::invalid_argument`. Never NaN.
double MeanSquareErrorAt(PlanePoint P, PlanePoint A, PlanePoint B, PlanePoint C,
                         double angleErrorSeconds);

}  // namespace pothenot
