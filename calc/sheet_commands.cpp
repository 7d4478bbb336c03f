// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/sheet_commands.h"

#include <nlohmann/json.hpp>
#include <stdexcept>

#include "calc/calc_error.h"
#include "calc/check_words.h"
#include "calc/resection.h"
#include "calc/sheet_file.h"
#include "calc/variant.h"

namespace pothenot {

CalculatedSheet CalculateSheetText(std::string_view bytes) {
  SheetFile file = ReadSheetFile(bytes);
  CalculatedSheet calculated;
  try {
    Calculate(file.sheet, file.decimalSeparator);
  } catch (const CalcError& stop) {
    // The sheet as Calculate left it still goes out: what it wrote before the stop.
    calculated.message = stop.what();
  }
  calculated.sheet = WriteSheetFile(file);
  return calculated;
}

std::string VariantSheetText(std::uint32_t n) {
  if (n < kFirstVariant || n > kLastVariant)
    throw std::out_of_range("no exercise variant " + std::to_string(n));
  SheetFile file;
  file.sheet = MakeVariant(n);
  file.variant = n;
  return WriteSheetFile(file);
}

SheetMarking MarkSheetText(std::string_view bytes, std::string_view fileName) {
  SheetMarking marking;
  SheetFile file;
  try {
    file = ReadSheetFile(bytes);
  } catch (const SheetFileError& error) {
    marking.error = marking.firstError = error.Sentence(fileName);
    return marking;
  }
  marking.student = file.student;
  marking.variant = file.variant;
  try {
    marking.check = CheckSheetFile(file);
    marking.givensNote = GivensNote(file.variant, marking.check.differingGivens);
    marking.firstError = FirstErrorWords(marking.check.marks, file.sheet);
  } catch (const CalcError& error) {
    // A sheet that cannot be marked still tells whether its givens are the variant's.
    marking.givensNote = GivensNote(file.variant, GivensDifferingFromVariant(file));
    marking.error = marking.firstError = NotMarkedSentence(fileName, error.what());
    marking.check = SheetCheck{};
  }
  return marking;
}

const char* MarkName(Mark mark) {
  static const char* const kNames[] = {"empty", "unreadable", "correct", "carried", "wrong"};
  return kNames[static_cast<std::size_t>(mark)];
}

nlohmann::ordered_json MarkingJson(const SheetMarking& marking, std::string_view file) {
  using Json = nlohmann::ordered_json;
  Json object;
  object["file"] = std::string(file);
  object["student"] = marking.student;
  object["variant"] = marking.variant ? Json(*marking.variant) : Json(nullptr);
  object["error"] = marking.error.empty() ? Json(nullptr) : Json(marking.error);
  Json& marks = object["marks"] = Json::array();
  for (const BoxMark& box : marking.check.marks) {
    marks.push_back({{"field", std::string(Info(box.field).name)},
                     {"mark", MarkName(box.mark)},
                     {"expected", box.expected},
                     {"carried", box.carried}});
  }
  Json& differing = object["differingGivens"] = Json::array();
  for (const Field field : marking.check.differingGivens)
    differing.push_back(std::string(Info(field).name));
  return object;
}

}  // namespace pothenot
