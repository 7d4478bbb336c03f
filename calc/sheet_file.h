// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "calc/worksheet.h"

namespace pothenot {

/// A sheet as it is kept in a file (".pothenot"): UTF-8 JSON of the form
///
///   {
///     "format": "pothenot-sheet",
///     "version": 1,
///     "decimalSeparator": ",",
///     "variant": 17,
///     "student": "Иванова А. П.",
///     "fields": { "Ey1g": "110", …, "Ee1": "" }
///   }
///
/// `variant` and `student` may be left out; `fields` holds each box's text as
/// it stands, keyed by the field's name.
struct SheetFile {
  TWorksheet sheet;                      ///< all 48 texts, exactly as typed
  std::string decimalSeparator = ",";    ///< the one the texts were typed with: "," or "."
  std::optional<std::uint32_t> variant;  ///< the exercise, kFirstVariant to kLastVariant
  std::string student;                   ///< who worked the sheet; empty when nobody said
};

/// The largest sheet file read: 1 MiB. A sheet of 48 boxes is a few kilobytes;
/// anything far larger is not one, and is refused before it is parsed.
inline constexpr std::size_t kSheetFileMaxBytes = std::size_t{1} << 20;
/// The version written, and the newest one read.
inline constexpr int kSheetFileVersion = 1;

/// Why the bytes of a file are not a sheet. `what()` says what is wrong, in
/// Russian, as the end of a sentence ("это не JSON"); `Sentence` makes the
/// whole sentence with the file's name.
class SheetFileError : public std::runtime_error {
 public:
  enum class Reason {
    TooLarge,      ///< over kSheetFileMaxBytes
    NotJson,       ///< not UTF-8 JSON at all
    NotASheet,     ///< JSON, but not of this format (no "format": "pothenot-sheet", no fields)
    NewerVersion,  ///< this format, of a version later than kSheetFileVersion
    NotText,       ///< a field, the student or the separator that is not a string
    BadValue,      ///< a separator other than "," and ".", a variant out of range
  };

  SheetFileError(Reason reason, const std::string& what)
      : std::runtime_error(what), reason_(reason) {}
  Reason reason() const noexcept { return reason_; }

  /// "Файл «name» не открыт: <what>." — the one sentence the user is told.
  std::string Sentence(std::string_view fileName) const;

 private:
  Reason reason_;
};

/// The error of a file over kSheetFileMaxBytes, for a reader that refuses it by
/// its size before reading it: the same words ReadSheetFile would give.
SheetFileError TooLargeSheetFile();

/// Reads the bytes of a sheet file. Every field named in `fields` gets its
/// text; a field left out is an empty box, a key that names no field is
/// ignored, and the two mirror boxes follow their givens (what the file says
/// of them is ignored). Throws `SheetFileError` for anything that is not a
/// sheet of a version this program reads; never throws anything else but
/// std::bad_alloc.
SheetFile ReadSheetFile(std::string_view bytes);

/// The bytes of a sheet file: every member above, `variant` and `student` only
/// when set, all 48 fields in the worksheet's order, indented by two spaces,
/// with a line break at the end. Reading them back gives the same sheet, and
/// writing that again the same bytes.
std::string WriteSheetFile(const SheetFile& file);

/// The sheet's number texts for a desktop whose separator is `separator`
/// ("," or "."): where it differs from the file's, every "," and "." of the 48
/// texts change places, so that a text reads as the same number with the new
/// separator and a text that could not be read still cannot. Sets
/// `decimalSeparator` to `separator`.
void UseSeparator(SheetFile& file, std::string_view separator);

}  // namespace pothenot
