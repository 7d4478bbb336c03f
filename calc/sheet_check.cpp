// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/sheet_check.h"

#include <string_view>

#include "calc/calc_error.h"
#include "calc/number_text.h"
#include "calc/variant.h"

namespace pothenot {

namespace {

// The decimal value of a text, with trailing zeros of the digits dropped so
// that "1087,50" and "1087,5" read alike; nothing when it is not a number.
std::optional<NumberParts> DecimalValue(std::string_view text, std::string_view separator) {
  try {
    NumberParts parts = ReadNumberText(text, separator);
    while (!parts.digits.empty() && parts.digits.back() == '0') parts.digits.pop_back();
    if (parts.digits.empty()) parts = NumberParts{};  // -0 is 0
    return parts;
  } catch (const CalcError&) {
    return std::nullopt;
  }
}

bool SameNumber(const NumberParts& a, const NumberParts& b) {
  return a.negative == b.negative && a.digits == b.digits && a.scale == b.scale;
}

}  // namespace

std::vector<Field> GivensDifferingFromVariant(const SheetFile& file) {
  std::vector<Field> differing;
  if (!file.variant) return differing;
  const TWorksheet variant = MakeVariant(*file.variant);
  for (std::size_t i = 0; i < kFieldCount; ++i) {
    const auto field = static_cast<Field>(i);
    if (Info(field).role != Role::Given) continue;
    const auto own = DecimalValue(file.sheet.text(field), file.decimalSeparator);
    const auto its = DecimalValue(variant.text(field), ",");
    if (!own || !its || !SameNumber(*own, *its)) differing.push_back(field);
  }
  return differing;
}

SheetCheck CheckSheetFile(const SheetFile& file) {
  SheetCheck check;
  check.differingGivens = GivensDifferingFromVariant(file);
  check.marks = CheckWork(file.sheet, file.decimalSeparator);
  for (const BoxMark& box : check.marks) {
    ++check.counts[static_cast<std::size_t>(box.mark)];
    if (box.mark == Mark::Wrong && !check.firstWrong) check.firstWrong = box.field;
  }
  return check;
}

}  // namespace pothenot
