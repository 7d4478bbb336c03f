// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string>
#include <string_view>

#include "calc/sheet_check.h"

namespace pothenot {

/// The commands that turn a sheet file's bytes into bytes: what `pothenot
/// --calculate`, `--variant` and `--check` write, one code for the command
/// line and the page. The bytes in and out are a sheet file's (UTF-8 JSON,
/// `sheet_file.h`); reading a file from disk, its size limit and its
/// operating system's errors stay with the caller.

/// A sheet file calculated: `sheet` the file's bytes (`WriteSheetFile`) after
/// Calculate ran on its sheet with the file's own decimal separator, its
/// separator, variant and student kept; `message` Calculate's stop message
/// (a `CalcError`'s what(), never empty then), empty when it ran through.
/// After a stop `sheet` is the sheet as Calculate left it: the boxes it wrote
/// before the stop new, every other as the file had it.
struct CalculatedSheet {
  std::string sheet;
  std::string message;
};

/// `pothenot --calculate`: the bytes of a sheet file calculated, as above.
/// Throws `SheetFileError` (`ReadSheetFile`) for bytes that are not a sheet,
/// whose `Sentence(fileName)` is the caller's one sentence; never throws
/// anything else but std::bad_alloc.
CalculatedSheet CalculateSheetText(std::string_view bytes);

/// `pothenot --variant n`: the sheet file of exercise `n` (`MakeVariant`), its
/// variant `n`, no student, decimal comma, results empty. Throws
/// `std::out_of_range` for `n` outside kFirstVariant–kLastVariant (variant.h).
std::string VariantSheetText(std::uint32_t n);

/// One sheet file marked for a class, as `pothenot --check` and the class
/// window show it.
struct SheetMarking {
  std::string student;                   ///< as the file says; empty when it does not
  std::optional<std::uint32_t> variant;  ///< as the file says
  /// The one sentence when the bytes are not a sheet (`SheetFileError`'s
  /// `Sentence(fileName)`: "Файл «name» не открыт: …") or its sheet could not
  /// be marked (`NotMarkedSentence`: "Файл «name» не проверен: …"); empty
  /// otherwise, and then `check` holds the marks.
  std::string error;
  /// `CheckSheetFile`'s marks and counts; empty (`SheetCheck{}`) with an error.
  SheetCheck check;
  /// `FirstErrorWords` of the marks ("все вычисления верны", "первая ошибка
  /// — …"), or `error` when there is one.
  std::string firstError;
  /// `GivensNote` of the givens that are not the variant's ("исходные данные
  /// не те, что в варианте 17: Xb"), or empty; kept for a sheet that could
  /// not be marked, empty for bytes that are not a sheet.
  std::string givensNote;
};

/// Marks the bytes of a sheet file with `CheckSheetFile` and compares its
/// givens with its variant's. `fileName` is the name the sentences call the
/// file by (a file name, not a path). Never throws anything but
/// std::bad_alloc: whatever the bytes hold is told in `error`.
SheetMarking MarkSheetText(std::string_view bytes, std::string_view fileName);

/// A mark's name in the JSON of `MarkingJson` and of the page's marks:
/// "empty", "unreadable", "correct", "carried" or "wrong".
const char* MarkName(Mark mark);

/// The object `pothenot --check --json` writes for one file, its members in
/// this order: "file" (`file`), "student", "variant" (a number or null),
/// "error" (null when empty), "marks" ([{"field", "mark" (one of "empty",
/// "unreadable", "correct", "carried", "wrong"), "expected", "carried"}] in
/// the order Calculate writes the boxes, none with an error),
/// "differingGivens" (field names, `SheetCheck::differingGivens`: none with
/// an error). Field names are the worksheet's (`FieldInfo::name`: "EK1").
/// Never throws anything but std::bad_alloc.
nlohmann::ordered_json MarkingJson(const SheetMarking& marking, std::string_view file);

}  // namespace pothenot
