// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/sheet_file.h"

#include <cmath>
#include <nlohmann/json.hpp>

#include "calc/fields.h"
#include "calc/variant.h"

namespace pothenot {
namespace {

using Json = nlohmann::ordered_json;
using Reason = SheetFileError::Reason;

constexpr std::string_view kFormat = "pothenot-sheet";

bool IsSeparator(std::string_view text) {
  return text == "," || text == ".";
}

const std::string& TextOf(const Json& value, const std::string& what) {
  if (!value.is_string()) throw SheetFileError(Reason::NotText, what + " не строка");
  return value.get_ref<const std::string&>();
}

}  // namespace

std::string SheetFileError::Sentence(std::string_view fileName) const {
  return "Файл «" + std::string(fileName) + "» не прочитан: " + what() + ".";
}

SheetFileError TooLargeSheetFile() {
  return SheetFileError(Reason::TooLarge, "он больше 1 МБ, а лист занимает несколько килобайт");
}

SheetFile ReadSheetFile(std::string_view bytes) {
  if (bytes.size() > kSheetFileMaxBytes) throw TooLargeSheetFile();
  Json json;
  try {
    json = Json::parse(bytes);
  } catch (const Json::parse_error& error) {
    throw SheetFileError(Reason::NotJson,
                         "это не текст JSON (ошибка в байте " + std::to_string(error.byte) + ")");
  } catch (const Json::exception&) {  // a number beyond every range a JSON reader keeps
    throw SheetFileError(Reason::NotJson, "в нём число, которого не прочесть");
  }
  const auto member = [&json](const char* key) -> const Json* {
    const auto it = json.find(key);
    return it == json.end() ? nullptr : &*it;
  };
  if (!json.is_object() || member("format") == nullptr || *member("format") != kFormat) {
    throw SheetFileError(Reason::NotASheet,
                         "это не лист обратной засечки (нет \"format\": \"pothenot-sheet\")");
  }
  // A version is a whole number from 1. The reader keeps one that is not
  // negative as an unsigned integer, and one beyond every integer it keeps as
  // a floating number: a version too, and a newer one.
  const Json* version = member("version");
  bool newer = false;
  if (version != nullptr && version->is_number_unsigned() && *version != 0u) {
    newer = version->get<std::uint64_t>() > std::uint64_t{kSheetFileVersion};
  } else if (version != nullptr && version->is_number_float() &&
             std::trunc(version->get<double>()) == version->get<double>() &&
             version->get<double>() >= 1.0) {
    newer = version->get<double>() > double{kSheetFileVersion};
  } else {
    throw SheetFileError(Reason::NotASheet, "у листа нет номера версии формата");
  }
  if (newer) {
    throw SheetFileError(Reason::NewerVersion, "лист записан в формате версии " + version->dump() +
                                                   ", а программа читает версии до " +
                                                   std::to_string(kSheetFileVersion) +
                                                   "; нужна более новая программа");
  }
  const Json* fields = member("fields");
  if (fields == nullptr || !fields->is_object()) {
    throw SheetFileError(Reason::NotASheet, "в листе нет полей (\"fields\")");
  }

  SheetFile file;
  if (const Json* separator = member("decimalSeparator")) {
    file.decimalSeparator = TextOf(*separator, "десятичный разделитель");
    if (!IsSeparator(file.decimalSeparator)) {
      throw SheetFileError(Reason::BadValue, "десятичный разделитель должен быть «,» или «.»");
    }
  }
  if (const Json* variant = member("variant")) {
    if (!variant->is_number_integer() || *variant < kFirstVariant || *variant > kLastVariant) {
      throw SheetFileError(Reason::BadValue, "номер варианта должен быть целым от " +
                                                 std::to_string(kFirstVariant) + " до " +
                                                 std::to_string(kLastVariant));
    }
    file.variant = variant->get<std::uint32_t>();
  }
  if (const Json* student = member("student")) file.student = TextOf(*student, "имя студента");

  // Every box as the file has it; a box it leaves out stays empty, and the
  // mirrors are set by their givens, not read.
  file.sheet.clear();
  for (const FieldInfo& info : Fields()) {
    const auto it = fields->find(info.name);
    if (it == fields->end()) continue;
    const std::string& text = TextOf(*it, "значение поля «" + std::string(info.name) + "»");
    if (info.role != Role::Mirror) file.sheet.setText(info.name, text);
  }
  return file;
}

std::string WriteSheetFile(const SheetFile& file) {
  Json json;
  json["format"] = kFormat;
  json["version"] = kSheetFileVersion;
  json["decimalSeparator"] = file.decimalSeparator;
  if (file.variant) json["variant"] = *file.variant;
  if (!file.student.empty()) json["student"] = file.student;
  Json& fields = json["fields"] = Json::object();
  for (const FieldInfo& info : Fields())
    fields[std::string(info.name)] = file.sheet.text(info.name);
  // A text is whatever a box held; one that is not UTF-8 is written with the
  // replacement character rather than not at all.
  return json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

void UseSeparator(SheetFile& file, std::string_view separator) {
  if (file.decimalSeparator != separator) {
    for (const FieldInfo& info : Fields()) {
      if (info.role == Role::Mirror) continue;  // follows its given
      std::string text = file.sheet.text(info.name);
      for (char& c : text) {
        if (c == ',') {
          c = '.';
        } else if (c == '.') {
          c = ',';
        }
      }
      file.sheet.setText(info.name, text);
    }
  }
  file.decimalSeparator = separator;
}

}  // namespace pothenot
