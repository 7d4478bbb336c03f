// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "calc/worksheet.h"

namespace pothenot {

/// How firmly the two position circles fix the station, judged by the angle
/// at which they cross.
enum class Geometry { Reliable, Weak, Dangerous };

/// The judgement of a worksheet's givens: where they put the station when
/// nothing is cut, how close it lies to the danger circle, how well the
/// measured angles fix it, and whether the control angle ε agrees.
///
/// Coordinates and lengths are in the worksheet's length unit (X north,
/// Y east); angles as the comments say. Every field is finite except
/// circleRadius of a straight figure (below). circleRadius > 0,
/// circleShare ≥ 0 (0 on the circle, 1 at its centre, above 1 far outside),
/// stationError ≥ 0, controlSigma ≥ angleErrorSeconds.
///
/// The danger circle goes through A, B and C. When A, B and C lie on one line
/// (their circle's radius would exceed 1E9 times the longest side of the
/// triangle ABC, or the triangle has no area at all) the danger circle is that
/// line: circleRadius is +infinity, (circleX, circleY) is the point of the
/// line nearest the station (its foot of the perpendicular), and circleShare
/// is 0 (a finite distance is no share of an unbounded radius); the distance
/// of P from the line is then the distance from P to (circleX, circleY).
///
/// M and σ come from linear propagation of independent errors m of γ1, γ2
/// and ε measured (m = angleErrorSeconds; in M, m · π / 648000 radians).
/// With the direction angle α_T from P to a point T, its gradient with respect
/// to the station is
///     g_T = ∂α_T/∂(Xp, Yp) = (Y_T − Yp, −(X_T − Xp)) / |PT|².
/// γ1 = α_B − α_A and γ2 = α_C − α_A have the gradients r1 = g_B − g_A and
/// r2 = g_C − g_A, the normals of the two position circles at P, and
///     M = m · √(|r1|² + |r2|²) / |r1 × r2|
/// (the Frobenius norm of the inverse of the 2 × 2 matrix with rows r1, r2:
/// M² = σX² + σY²). ε computed = α_A − α_D has the gradient h = g_A − g_D, so
///     σ = m · √(1 + ((h × r2)² + (r1 × h)²) / (r1 × r2)²),
/// the 1 for the measured ε, the rest for ε computed through the station
/// (u × v = uX · vY − uY · vX). cutAngle is the
/// angle between r1 and r2, folded into [0°, 90°], so that
/// M = m · √(|r1|² + |r2|²) / (|r1| · |r2| · sin cutAngle).
struct FixQuality {
  double Xp, Yp;                          // the station from the givens, without any cut
  double circleX, circleY, circleRadius;  // the danger circle: through A, B and C
  double circleShare;                     // P's distance from that circle, as a share of its radius
  double cutAngle;            // degrees, [0, 90]: the angle at which P's two position circles cross
  double stationError;        // M: mean square error of P, in coordinate units
  double controlDiscrepancy;  // δε of the exact station, arc seconds, in (−648000, 648000]
  double controlSigma;        // standard deviation of δε, arc seconds
  Geometry geometry;   // Reliable: cutAngle ≥ 30; Weak: 10 ≤ cutAngle < 30; Dangerous: < 10
  bool controlPassed;  // |controlDiscrepancy| ≤ 2 · controlSigma
};

/// m_β, the mean square error of a measured angle, in arc seconds, where
/// nobody has said otherwise: the exercise variants are judged with it.
inline constexpr double kDefaultAngleErrorSeconds = 5.0;

/// The station P at which A, B and C are seen under γ1 and γ2, judged from the
/// givens of `sheet` without any cut, and the control against D and ε.
///
/// The givens are read exactly as `Calculate` reads them (same texts, same
/// `decimalSeparator`, same order), and γ1, γ2 and ε measured are taken in
/// decimal degrees as it takes them; nothing is written. The geometry is the
/// worksheet's: direction angles clockwise from north, γ1 = α(PB) − α(PA),
/// γ2 = α(PC) − α(PA), ε = α(PA) − α(PD). P is the second crossing, besides A,
/// of the circle through A and B on which AB is seen under γ1 and the circle
/// through A and C on which AC is seen under γ2; it is computed in the
/// extended type.
///
/// `angleErrorSeconds` is m, the mean square error of each measured angle, in
/// arc seconds: finite and not negative; anything else is a programming error
/// and throws `std::invalid_argument`.
///
/// Throws `CalcError`:
///  - a given that is not a number or too large: the kind and message of
///    `Calculate`;
///  - InvalidOperation, with a Russian message in the user's terms, when the
///    givens fix no station: two of A, B and C at one place; γ1 or γ2 within
///    a millionth of a second of 0° or 180° (modulo 180°); a triangle ABC whose
///    longest side is more than 10¹² times its shortest, beyond the extended
///    type (so that such givens are not taken for a station on the danger
///    circle); the station on the danger circle, that is, its
///    distance from the circle (or line) through A, B and C at most 1E-6 of
///    its shortest sight (the least of PA, PB and PC: the figure's size as the
///    station sees it), or the two position circles one; D at the station
///    itself, where ε has no direction. γ1 = γ2 (modulo 180°) is a valid
///    figure: P lies on the line BC;
///  - Overflow, with a message, when the station or a figure derived from it
///    lies beyond the range of a double, or the triangle ABC below the
///    normal doubles.
FixQuality AssessFix(const TWorksheet& sheet, std::string_view decimalSeparator,
                     double angleErrorSeconds);

}  // namespace pothenot
