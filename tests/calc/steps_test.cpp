// SPDX-License-Identifier: GPL-3.0-or-later
// The table of steps against its own formulas: the result boxes a row lists
// as its inputs are exactly those its formula reads. CheckWork carries a
// mistake only along the listed inputs, so a box missing from a list would
// mark a carried box wrong, and one too many would carry where nothing is.
#include "calc/steps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string_view>

#include "calc/resection.h"
#include "tests/calc/test_support.h"

namespace pothenot {
namespace {

TEST(StepsTest, EachFormulaReadsExactlyTheResultBoxesItsRowLists) {
  TWorksheet sheet;
  const Solution all = Solve(sheet, ",");  // the built-in example: every value there
  for (const Step& step : Steps()) {
    // The givens, the typed angles and the listed boxes, but `left`.
    auto inputs = [&](std::optional<Field> left) {
      Solution v = all;
      for (std::size_t i = 0; i < kFieldCount; ++i) {
        const auto f = static_cast<Field>(i);
        const bool listed = std::ranges::find(step.uses, f) != step.uses.end();
        if (Info(f).role == Role::Result && (!listed || f == left)) v.Set(f, std::nullopt);
      }
      return v;
    };
    const std::string_view name = Info(step.field).name;
    EXPECT_EQ(test::FaultOf([&] { return Work(step, inputs(std::nullopt)); }), std::nullopt)
        << name;
    for (Field input : step.uses) {
      EXPECT_EQ(test::FaultOf([&] { return Work(step, inputs(input)); }), CalcError::Kind::Overflow)
          << name << " does not read " << Info(input).name;
    }
  }
}

}  // namespace
}  // namespace pothenot
