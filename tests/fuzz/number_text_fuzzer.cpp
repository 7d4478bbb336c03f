// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a worksheet text: read as a number or refused with CalcError,
// never a crash, a hang or undefined behaviour; and what is written back reads
// again to the same text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "calc/calc_error.h"
#include "calc/number_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  static constexpr std::string_view kSeparators[] = {",", ".", "\xD9\xAB", "e"};
  const std::string_view separator = kSeparators[data[0] % 4];
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  try {
    const pothenot::Extended value = pothenot::NumberFromText(text, separator);
    const std::string written = pothenot::TextFromNumber(value, separator);
    if (separator == "e") return 0;  // "1e5" is ambiguous with that separator
    const std::string again =
        pothenot::TextFromNumber(pothenot::NumberFromText(written, separator), separator);
    if (again != written) std::abort();
  } catch (const pothenot::CalcError&) {
  }
  return 0;
}
