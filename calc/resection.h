// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "calc/extended.h"
#include "calc/steps.h"
#include "calc/worksheet.h"

namespace pothenot {

/// Solves the resection on the worksheet and checks it against D.
///
/// Reads the 17 givens (γ1, γ2 as degrees, minutes, seconds; Xb, Xc, Xa, Yb,
/// Yc, Ya, Xd, Yd; ε measured as degrees, minutes, seconds), then writes the
/// 29 results in the worksheet's order of computation: a and b, the six
/// coordinate differences, K1 to K4 and their differences, C and C², the two
/// K − C·K values, ΔY, ΔX, Yp and Xp; then the control block: Xd − Xp,
/// Yd − Yp, ctg(PD), the direction angles (PA) and (PD), ε computed and δε.
/// Coordinates are plane coordinates in one length unit (X north, Y east);
/// angles are in degrees.
///
/// `decimalSeparator` is the user's (UTF-8, "," or "." or longer): the only one
/// accepted in the givens and the one written in the results.
///
/// Throws `CalcError` at the first given that is not a number (before anything
/// is written) or at the first arithmetic fault; the fields written before
/// the stop keep their new texts and every other field keeps its old one.
void Calculate(TWorksheet& sheet, std::string_view decimalSeparator);

/// The quantities one run of `Calculate` stores, by field: the 17 givens as
/// read and every result but the differences it only shows
/// (`Step::shownOnly`, missing here), each the double every later step uses.
/// Angles in decimal degrees; coordinates in the worksheet's length unit;
/// a, b, C, C² and ctg(PD) plain ratios.
using Solution = FieldValues<Extended>;

/// `Calculate`, which also hands back what it stored, for whatever judges
/// the same worksheet. Writes and throws exactly as `Calculate`.
Solution Solve(TWorksheet& sheet, std::string_view decimalSeparator);

}  // namespace pothenot
