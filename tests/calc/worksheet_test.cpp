// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/worksheet.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace pothenot {
namespace {

class WorksheetTest : public ::testing::Test {
 protected:
  WorksheetTest() {
    sheet.setObserver([this](std::string_view name) { heard.emplace_back(name); });
  }
  TWorksheet sheet;
  std::vector<std::string> heard;
};

TEST_F(WorksheetTest, MirrorsFollowTheirGivensOnlyWhenTheGivenChanges) {
  sheet.setText("EXa", "7000");
  sheet.setText("EYa", "");
  sheet.setText("EXaa", "typed");    // no feedback to Xa
  sheet.setText("EXb", "10491,83");  // unchanged: nobody hears
  EXPECT_EQ(sheet.text("EXaa"), "typed");
  EXPECT_EQ(sheet.text("EXa"), "7000");
  EXPECT_EQ(sheet.text("EYaa"), "");
  EXPECT_EQ(heard, (std::vector<std::string>{"EXa", "EXaa", "EYa", "EYaa", "EXaa"}));

  heard.clear();
  sheet.setText("EXa", "typed");  // the mirror already holds it: only Xa changed
  EXPECT_EQ(heard, (std::vector<std::string>{"EXa"}));
  EXPECT_THROW((void)sheet.text("exb"), std::invalid_argument);
  EXPECT_THROW(sheet.setText("Panel1", "1"), std::invalid_argument);
}

TEST_F(WorksheetTest, ClearEmptiesEveryFieldInOrderAndOnce) {
  sheet.setText("EK1", "typed");
  heard.clear();
  sheet.clear();
  for (const FieldInfo& f : Fields()) EXPECT_EQ(sheet.text(f.name), "") << f.name;
  const std::vector<std::string> expected{"Ey1g", "Ey1m", "Ey1s", "Ey2g", "Ey2m", "Ey2s", "EXb",
                                          "EXc",  "EXa",  "EXaa", "EYb",  "EYc",  "EYa",  "EYaa",
                                          "EK1",  "EXd",  "EYd",  "Ee2g", "Ee2m", "Ee2s"};
  EXPECT_EQ(heard, expected);
  heard.clear();
  sheet.clear();
  EXPECT_TRUE(heard.empty());
}

TEST_F(WorksheetTest, TextsAreKeptByteForByteEvenFromTheWorksheetItself) {
  const std::string odd("\0\xff γ1\n", 7);
  sheet.setText("EXa", odd);
  EXPECT_EQ(sheet.text("EXaa"), odd);
  sheet.setText("EXa", std::string_view(sheet.text("EXa")).substr(1));
  EXPECT_EQ(sheet.text("EXaa"), odd.substr(1));
}

TEST_F(WorksheetTest, AnObserverSeesBothChangesAndItsEchoEndsAtOnce) {
  std::vector<std::string> seen;
  sheet.setObserver([&](std::string_view name) {
    seen.push_back(std::string(name) + "=" + sheet.text(name) + "/" + sheet.text("EXaa"));
    sheet.setText(name, sheet.text(name));
  });
  sheet.setText("EXa", "1");
  EXPECT_EQ(seen, (std::vector<std::string>{"EXa=1/1", "EXaa=1/1"}));
}

}  // namespace
}  // namespace pothenot
