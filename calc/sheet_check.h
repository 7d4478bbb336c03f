// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

#include "calc/fields.h"
#include "calc/sheet_file.h"
#include "calc/work_check.h"

namespace pothenot {

/// One student's sheet file marked, as a teacher marking a whole class sees it.
struct SheetCheck {
  std::vector<BoxMark> marks;  ///< CheckWork's 29 marks, in the order Calculate writes the boxes
  std::array<std::size_t, 5> counts{};  ///< how many boxes have each mark, indexed by `Mark`
  std::optional<Field> firstWrong;      ///< the first box marked Wrong, in that order
  std::vector<Field> differingGivens;   ///< see `GivensDifferingFromVariant`

  std::size_t count(Mark mark) const { return counts[static_cast<std::size_t>(mark)]; }
};

/// The givens of `file` that are not those of the variant it names
/// (`MakeVariant`), in the worksheet's order; none when it names no variant.
/// Givens are compared as decimal numbers, each read with its own sheet's
/// separator (the file's, and the variant's comma): "1087,50" in a comma file
/// and "1087.5" in a point file are both 1087,5. A given that is not a number
/// differs.
std::vector<Field> GivensDifferingFromVariant(const SheetFile& file);

/// Marks the sheet of `file` with `CheckWork`, reading it with the file's own
/// decimal separator, and counts the marks. Throws `CalcError` where and as
/// CheckWork does (where Calculate would stop).
SheetCheck CheckSheetFile(const SheetFile& file);

}  // namespace pothenot
