// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/engine/engine_api.h"

#include <cstdint>
#include <exception>
#include <nlohmann/json.hpp>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "calc/calc_error.h"
#include "calc/check_words.h"
#include "calc/fields.h"
#include "calc/sheet_commands.h"
#include "calc/sheet_file.h"
#include "calc/variant.h"
#include "calc/work_check.h"

namespace pothenot {
namespace {

using Json = nlohmann::ordered_json;

std::string Dump(const Json& json) {
  return json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::string Thrown(const std::string& sentence) {
  return Dump(Json{{"thrown", sentence}});
}

// The name the sentences call a file by: the last part of its path, as the
// command line names it.
std::string_view FileNameOf(std::string_view file) {
  const auto slash = file.rfind('/');
  return slash == std::string_view::npos ? file : file.substr(slash + 1);
}

std::string TintText(std::optional<std::uint32_t> tint) {
  if (!tint) return {};
  static const char kHex[] = "0123456789abcdef";
  std::string text = "#";
  for (int shift = 20; shift >= 0; shift -= 4) text += kHex[(*tint >> shift) & 0xFu];
  return text;
}

}  // namespace

namespace web {

std::string CalculateSheet(const std::string& text, const std::string& fileName) {
  try {
    const CalculatedSheet calculated = CalculateSheetText(text);
    return Dump(Json{{"sheet", calculated.sheet}, {"message", calculated.message}});
  } catch (const SheetFileError& refused) {
    return Dump(Json{{"sheet", ""}, {"message", refused.Sentence(fileName)}});
  }
}

std::string CheckSheet(const std::string& text, const std::string& file) {
  return Dump(MarkingJson(MarkSheetText(text, FileNameOf(file)), file));
}

std::string VariantSheet(double n) {
  if (!(n >= kFirstVariant && n <= kLastVariant) || n != static_cast<double>(std::uint32_t(n))) {
    return Thrown("Нет варианта " + Json(n).dump() + ": варианты — от " +
                  std::to_string(kFirstVariant) + " до " + std::to_string(kLastVariant) + ".");
  }
  return Dump(Json{{"sheet", VariantSheetText(static_cast<std::uint32_t>(n))}});
}

std::string FieldList() {
  Json fields = Json::array();
  for (const FieldInfo& info : Fields()) {
    Json mirrorOf = nullptr;
    if (info.role == Role::Mirror) mirrorOf = info.name == "EXaa" ? "EXa" : "EYa";
    fields.push_back({{"name", info.name},
                      {"quantity", info.quantity},
                      {"given", info.role == Role::Given},
                      {"mirrorOf", mirrorOf}});
  }
  return Dump(fields);
}

namespace {

Json SheetJson(const SheetFile& file) {
  Json fields = Json::object();
  for (const FieldInfo& info : Fields())
    fields[std::string(info.name)] = file.sheet.text(info.name);
  return Json{{"ok", true},
              {"decimalSeparator", file.decimalSeparator},
              {"variant", file.variant ? Json(*file.variant) : Json(nullptr)},
              {"student", file.student},
              {"fields", fields}};
}

}  // namespace

std::string ReadSheet(const std::string& text, const std::string& fileName) {
  try {
    return Dump(SheetJson(ReadSheetFile(text)));
  } catch (const SheetFileError& refused) {
    return Dump(Json{{"ok", false}, {"sentence", refused.Sentence(fileName)}});
  }
}

namespace {

// The page's sheet ({fields, decimalSeparator, variant, student}, as
// readSheet gives it) as a SheetFile: a field left out is an empty box, the
// mirrors follow their givens.
SheetFile FromPage(const Json& page) {
  SheetFile file;
  file.sheet.clear();
  for (const auto& [name, text] : page.at("fields").items()) {
    const std::optional<Field> field = FieldByName(name);
    if (field && Info(*field).role != Role::Mirror)
      file.sheet.setText(*field, text.get<std::string>());
  }
  file.decimalSeparator = page.at("decimalSeparator").get<std::string>();
  if (file.decimalSeparator != "," && file.decimalSeparator != ".") {
    throw std::invalid_argument("десятичный разделитель — «,» или «.»");
  }
  if (const auto variant = page.find("variant"); variant != page.end() && !variant->is_null()) {
    const auto n = variant->get<std::int64_t>();
    if (n < kFirstVariant || n > kLastVariant) throw std::invalid_argument("нет такого варианта");
    file.variant = static_cast<std::uint32_t>(n);
  }
  if (const auto student = page.find("student"); student != page.end()) {
    file.student = student->get<std::string>();
  }
  return file;
}

}  // namespace

std::string WriteSheet(const std::string& pageJson) {
  try {
    return Dump(Json{{"sheet", WriteSheetFile(FromPage(Json::parse(pageJson)))}});
  } catch (const std::exception& wrong) {
    return Thrown(std::string("Лист не записан: ") + wrong.what() + ".");
  }
}

std::string ChangeSeparator(const std::string& text, const std::string& separator) {
  if (separator != "," && separator != ".") {
    return Thrown("Десятичный разделитель — «,» или «.», а не «" + separator + "».");
  }
  try {
    SheetFile file = ReadSheetFile(text);
    UseSeparator(file, separator);
    return Dump(Json{{"sheet", WriteSheetFile(file)}});
  } catch (const SheetFileError& refused) {
    return Thrown(refused.Sentence("лист"));
  }
}

// F3 on the page: the marks, each with its words and tint, the list window's
// sentence and the first error; `error` instead when the sheet cannot be
// marked (the sentence the desktop shows then) or the text is not a sheet.
std::string MarkSheet(const std::string& text) {
  Json out{{"marks", Json::array()}, {"summary", ""}, {"firstError", ""}, {"error", ""}};
  try {
    const SheetFile file = ReadSheetFile(text);
    const std::vector<BoxMark> marks = CheckWork(file.sheet, file.decimalSeparator);
    for (const BoxMark& box : marks) {
      const std::string tint = TintText(MarkTint(box.mark));
      out["marks"].push_back({{"field", Info(box.field).name},
                              {"mark", MarkName(box.mark)},
                              {"word", MarkWord(box.mark)},
                              {"note", MarkNote(box)},
                              {"tint", tint.empty() ? Json(nullptr) : Json(tint)}});
    }
    out["summary"] = CheckSummary(marks, file.sheet);
    out["firstError"] = FirstErrorWords(marks, file.sheet);
  } catch (const SheetFileError& refused) {
    out["error"] = refused.Sentence("лист");
  } catch (const CalcError& stopped) {
    out["error"] = stopped.what();
  }
  return Dump(out);
}

}  // namespace web
}  // namespace pothenot
