// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "calc/extended.h"
#include "calc/worksheet.h"

namespace pothenot {

/// The 17 givens of a worksheet as the stored quantities every step uses:
/// each text converted once and rounded to a double.
struct Givens {
  Extended y1g, y1m, y1s;  ///< γ1: degrees, minutes, seconds as typed (any sign, any size)
  Extended y2g, y2m, y2s;  ///< γ2: likewise
  Extended Xb, Xc, Xa;     ///< plane coordinates, X north, in the worksheet's length unit
  Extended Yb, Yc, Ya;     ///< plane coordinates, Y east
  Extended Xd, Yd;         ///< the control point D
  Extended e2g, e2m, e2s;  ///< ε measured: degrees, minutes, seconds
};

/// Reads the givens in the worksheet's order (γ1, γ2, Xb, Xc, Xa, Yb, Yc, Ya,
/// Xd, Yd, ε measured), with `separator` as the only decimal separator.
/// Throws `CalcError` NotANumber (an empty text, or one that is not a number)
/// or Overflow (a number beyond the double range) at the first given that
/// fails, with a message that names the field and quotes the text. When the
/// text would read as a number with the other separator ("," for ".", "." for
/// ","), the message names the separator expected here.
Givens ReadGivens(const TWorksheet& sheet, std::string_view separator);

}  // namespace pothenot
