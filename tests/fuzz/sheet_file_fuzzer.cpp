// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes read as a sheet file: refused with SheetFileError or read;
// a sheet read is written, read and written again to the same bytes, and it
// is marked as F3 would mark it, and against its variant, without anything
// but CalcError.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "calc/calc_error.h"
#include "calc/sheet_check.h"
#include "calc/sheet_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  pothenot::SheetFile file;
  try {
    file = pothenot::ReadSheetFile(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const pothenot::SheetFileError&) {
    return 0;
  }
  const std::string bytes = pothenot::WriteSheetFile(file);
  if (pothenot::WriteSheetFile(pothenot::ReadSheetFile(bytes)) != bytes) std::abort();
  pothenot::UseSeparator(file, file.decimalSeparator == "," ? "." : ",");
  try {
    (void)pothenot::CheckSheetFile(file);
  } catch (const pothenot::CalcError&) {
  }
  return 0;
}
