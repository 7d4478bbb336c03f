// SPDX-License-Identifier: GPL-3.0-or-later
// One student's sheet file marked for the class: its counts and first wrong
// box, and the givens that are not its variant's, compared as numbers.
#include "calc/sheet_check.h"

#include <gtest/gtest.h>

#include "calc/calc_error.h"
#include "calc/number_text.h"
#include "calc/resection.h"
#include "calc/variant.h"

namespace pothenot {
namespace {

TEST(SheetCheck, CountsTheMarksAndTellsGivensThatAreNotTheVariants) {
  SheetFile file;
  file.variant = 17;
  file.sheet = MakeVariant(17);
  Calculate(file.sheet, ",");
  UseSeparator(file, ".");  // a student on a desktop with a decimal point
  EXPECT_TRUE(GivensDifferingFromVariant(file).empty());
  const std::string yb = file.sheet.text(Field::EYb);
  file.sheet.setText(Field::EYb, yb + "0");  // 4008.30 is 4008.3
  file.sheet.setText(Field::Ey1s, "+" + file.sheet.text(Field::Ey1s) + ".000");
  EXPECT_TRUE(GivensDifferingFromVariant(file).empty());

  const std::string k1 = file.sheet.text(Field::EK1);
  file.sheet.setText(Field::EK1, k1.substr(0, k1.size() - 1) + (k1.back() == '9' ? "8" : "9"));
  file.sheet.setText(Field::EXd, "1" + file.sheet.text(Field::EXd));
  file.sheet.setText(Field::EYc, "x");
  file.sheet.setText(Field::Ede, "");
  EXPECT_EQ(GivensDifferingFromVariant(file), (std::vector{Field::EYc, Field::EXd}));
  file.sheet.setText(Field::EYc, WithSeparator(MakeVariant(17).text(Field::EYc), "."));
  const SheetCheck check = CheckSheetFile(file);
  EXPECT_EQ(check.firstWrong, Field::EK1);
  EXPECT_EQ(check.count(Mark::Empty), 1u);
  EXPECT_GE(check.count(Mark::Carried), 1u);
  EXPECT_EQ(check.differingGivens, std::vector{Field::EXd});

  file.variant.reset();
  EXPECT_TRUE(GivensDifferingFromVariant(file).empty());
  file.sheet.setText(Field::EXb, "");
  EXPECT_THROW(CheckSheetFile(file), CalcError);
}

}  // namespace
}  // namespace pothenot
