// The table of steps against its own formulas: the result boxes a row lists
// as its inputs are exactly those its formula reads. CheckWork carries a
// mistake only along the listed inputs, so a box missing from a list would
// mark a carried box wrong, and one too many would carry where nothing is.
#include "calc/steps.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "calc/resection.h"
#include "tests/calc/test_support.h"

namespace pothenot {
namespace {

TEST(StepsTest, EachFormulaReadsExactlyTheResultBoxesItsRowLists) {
  TWorksheet sheet;
  const Solution all = Solve(sheet, ",");  // the built-in example: every value there
  for (const Step& step : Steps()) {
    SCOPED_TRACE(Info(step.field).name);
    auto withInputs = [&](auto keep) {  // the givens, the typed angles and what `keep` keeps
      Solution v = all;
      for (const FieldInfo& f : Fields()) {
        const Field field = *FieldByName(f.name);
        if (f.role == Role::Result && !keep(field)) v.Set(field, std::nullopt);
      }
      return v;
    };
    auto listed = [&](Field f) { return std::ranges::find(step.uses, f) != step.uses.end(); };
    EXPECT_NO_THROW((void)Work(step, withInputs(listed)));
    for (Field input : step.uses) {
      EXPECT_EQ(test::FaultOf([&] {
                  return Work(step, withInputs([&](Field f) { return listed(f) && f != input; }));
                }),
                CalcError::Kind::Overflow)
          << "does not read " << Info(input).name;
    }
  }
}

}  // namespace
}  // namespace pothenot
