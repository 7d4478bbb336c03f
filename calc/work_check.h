// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "calc/fields.h"
#include "calc/worksheet.h"

namespace pothenot {

/// How a result box of a student's sheet stands against the worksheet.
enum class Mark {
  Empty,       ///< nothing typed
  Unreadable,  ///< not a number the worksheet could store; an angle box: not "D°M`S``" of whole
               ///< parts
  Correct,     ///< the worksheet's value, or worked rightly from correct boxes
  Carried,     ///< wrong only because a box it is worked from is wrong
  Wrong,       ///< where a mistake begins
};

struct BoxMark {
  Field field;  // one of the 29 result fields, in the order Calculate writes them
  Mark mark;
  std::string expected;  // the worksheet's own text for this box, as Calculate would write it
  std::string
      carried;  // the text the step gives from the student's own inputs (empty if none differ)
};

/// Marks the result boxes of `sheet` as typed by a student. Reads the 17 givens as Calculate does
/// (and fails as it does on a given that is not a number, or where Calculate would stop); writes
/// nothing.
///
/// Each step is judged in the order of writing, worked from the correct values of the boxes it
/// uses and from the student's (an empty or unreadable box standing for the correct value), each
/// in two ways: by the worksheet's own rule (80-bit evaluation of stored doubles, the cut) and, for
/// every step but the cotangents and the direction angles, exactly on the decimal values of its
/// inputs with the same cut toward zero. A box is `Correct` when it equals the step from the
/// correct values either way, or when every box it uses is `Correct` and it equals the step from
/// the student's values; `Carried` when it equals the step from the student's values and a box it
/// uses is `Carried` or `Wrong`; `Wrong` otherwise. Numbers are equal as decimal numbers ("1087,50"
/// is "1087,5"); angles when their three parts are. A value too long or too large to be held
/// exactly (about 38 digits) simply has no exact value.
///
/// A box the step gives by the worksheet's rule from some values that the worksheet shows as the
/// texts of the boxes it uses (the stored double behind a box shows fewer digits than it has, an
/// angle's seconds are rounded) is never `Wrong`: `Carried` where a box it uses is faulty,
/// `Correct` otherwise, as the program's own output is. An angle box is read by `ReadDmsText`, so
/// "-144°20`38``" is -144°-20`-38``. ε выч. whole turns from a text it is compared with is the same
/// angle, by value (215°39`22`` for -144°-20`-38``, 277°44`0`` for -82°-15`-60``).
///
/// `decimalSeparator` is the one of `Calculate`, in the givens and in the boxes.
/// Throws `CalcError` exactly where and as `Calculate` would.
std::vector<BoxMark> CheckWork(const TWorksheet& sheet, std::string_view decimalSeparator);

}  // namespace pothenot
