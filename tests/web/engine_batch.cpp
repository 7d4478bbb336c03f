// SPDX-License-Identifier: GPL-3.0-or-later
// The page's engine functions (web/engine/engine_api.h) on the processor's
// 80-bit type, for the cross-check against the WebAssembly build: one request
// a line on standard input, a JSON array ["calculateSheet", text, fileName],
// and the function's JSON answer a line on standard output.
#include <iostream>
#include <nlohmann/json.hpp>
#include <string>

#include "web/engine/engine_api.h"

int main() {
  using namespace pothenot::web;
  std::string line;
  while (std::getline(std::cin, line)) {
    const auto request = nlohmann::json::parse(line);
    const std::string fn = request.at(0);
    const auto arg = [&](std::size_t i) { return request.at(i).get<std::string>(); };
    if (fn == "calculateSheet")
      std::cout << CalculateSheet(arg(1), arg(2));
    else if (fn == "checkSheet")
      std::cout << CheckSheet(arg(1), arg(2));
    else if (fn == "variantSheet")
      std::cout << VariantSheet(request.at(1).get<double>());
    else if (fn == "readSheet")
      std::cout << ReadSheet(arg(1), arg(2));
    else if (fn == "writeSheet")
      std::cout << WriteSheet(arg(1));
    else if (fn == "useSeparator")
      std::cout << ChangeSeparator(arg(1), arg(2));
    else if (fn == "markSheet")
      std::cout << MarkSheet(arg(1));
    else if (fn == "fields")
      std::cout << FieldList();
    else
      return 2;
    std::cout << '\n';
  }
  return std::cout.flush() ? 0 : 1;
}
