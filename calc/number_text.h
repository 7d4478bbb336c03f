// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "calc/extended.h"

namespace pothenot {

/// The value of a worksheet text, rounded to the nearest extended value.
///
/// Accepted, with `separator` as the only decimal separator (any UTF-8 text,
/// usually "," or "."): optional spaces (U+0020) before, and spaces, tabs, CR and LF after (a
/// number pasted from a spreadsheet cell brings a line break or a tab); an optional
/// sign; digits with at most one separator and at least one digit; an optional
/// exponent of `E` or `e`, an optional sign and digits. Anything else, the
/// empty text included, throws `CalcError` NotANumber; a value beyond the
/// extended range throws Overflow. The process's C locale plays no part.
Extended NumberFromText(std::string_view text, std::string_view separator);

/// A number text taken apart without rounding: its value is ±0.d1d2d3… × 10^scale.
struct NumberParts {
  bool negative = false;
  std::string digits;      ///< significant digits '0'..'9' as typed, no leading zeros; empty for 0
  std::int64_t scale = 0;  ///< power of ten just above d1; |scale| stays below 10^16
};

/// The parts of a text accepted by `NumberFromText`, by the same rules; throws
/// `CalcError` NotANumber where it does.
NumberParts ReadNumberText(std::string_view text, std::string_view separator);

/// The value of read parts, rounded to the nearest extended value:
/// NumberFromText(t, s) is NumberFromParts(ReadNumberText(t, s)). Overflow
/// beyond the extended range.
Extended NumberFromParts(const NumberParts& parts);

/// A number text the program writes itself, always with a decimal comma (the built-in example, an
/// exercise variant), with `separator` in the comma's place: the same number as a desktop whose
/// separator that is reads it.
std::string WithSeparator(std::string_view commaText, std::string_view separator);

/// The worksheet's text of a value: 15 significant digits, rounded, no
/// trailing zeros and no separator when nothing follows it, a leading minus
/// for negative values, "0" for zero of either sign. Fixed notation when the
/// rounded value is at least 0.00001 and has at most 15 digits before the
/// separator; otherwise scientific: "1,5E-7", "-2,5E20", "1E15".
std::string TextFromNumber(Extended value, std::string_view separator);

}  // namespace pothenot
