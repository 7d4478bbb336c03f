#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <string>
#include <utility>

#include "calc/worksheet.h"

namespace pothenot::test {

using Texts = std::map<std::string, std::string>;

/// All 48 texts of a worksheet, by field name.
inline Texts Snapshot(const TWorksheet& sheet) {
  Texts out;
  for (const FieldInfo& f : Fields()) out.emplace(f.name, sheet.text(f.name));
  return out;
}

/// Fails once per field whose text is not the expected one.
inline void ExpectTexts(const TWorksheet& sheet,
                        std::initializer_list<std::pair<const char*, const char*>> expected) {
  for (const auto& [name, text] : expected) EXPECT_EQ(sheet.text(name), text) << "field " << name;
}

/// The names of the fields whose texts differ between two snapshots.
inline std::vector<std::string> Changed(const Texts& before, const Texts& after) {
  std::vector<std::string> out;
  for (const auto& [name, text] : before) {
    if (after.at(name) != text) out.push_back(name);
  }
  return out;
}

}  // namespace pothenot::test
