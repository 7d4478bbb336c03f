#include "calc/worksheet.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tests/calc/sheet_expect.h"

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

TEST_F(WorksheetTest, NewWorksheetHoldsTheBuiltInExample) {
  int givens = 0, mirrors = 0, results = 0;
  for (const FieldInfo& f : Fields()) {
    switch (f.role) {
      case Role::Given:
        ++givens;
        EXPECT_FALSE(sheet.text(f.name).empty()) << f.name;
        break;
      case Role::Mirror:
        ++mirrors;
        break;
      case Role::Result:
        ++results;
        EXPECT_EQ(sheet.text(f.name), "") << f.name;
        break;
    }
  }
  EXPECT_EQ(givens, 17);
  EXPECT_EQ(mirrors, 2);
  EXPECT_EQ(results, 29);
  test::ExpectTexts(sheet, {{"Ey1g", "110"},
                            {"Ey1m", "24"},
                            {"Ey1s", "48"},
                            {"Ey2g", "203"},
                            {"Ey2m", "23"},
                            {"Ey2s", "57"},
                            {"EXb", "10491,83"},
                            {"EXc", "8429,93"},
                            {"EXa", "7373,14"},
                            {"EYb", "3824,62"},
                            {"EYc", "6016,34"},
                            {"EYa", "2737,12"},
                            {"EXd", "6273,45"},
                            {"EYd", "4008,3"},
                            {"Ee2g", "54"},
                            {"Ee2m", "11"},
                            {"Ee2s", "15"},
                            {"EYaa", "2737,12"},
                            {"EXaa", "7373,14"}});
}

TEST_F(WorksheetTest, FieldsAreInTheWindowsOrderAndFoundByName) {
  ASSERT_EQ(Fields().size(), 48u);
  EXPECT_EQ(Fields().front().name, "Ey1g");
  EXPECT_EQ(Fields()[static_cast<std::size_t>(Field::EXcXb)].name, "EXcXb");
  EXPECT_EQ(Fields().back().name, "Ee1");
  for (const FieldInfo& f : Fields()) {
    ASSERT_TRUE(FieldByName(f.name)) << f.name;
    EXPECT_EQ(Info(*FieldByName(f.name)).name, f.name);
  }
}

TEST_F(WorksheetTest, UnknownNamesAreProgrammingErrors) {
  EXPECT_THROW((void)sheet.text("EXz"), std::invalid_argument);
  EXPECT_THROW((void)sheet.text("exb"), std::invalid_argument);
  EXPECT_THROW((void)sheet.text(""), std::invalid_argument);
  EXPECT_THROW(sheet.setText("Panel1", "1"), std::invalid_argument);
  EXPECT_TRUE(heard.empty());
}

TEST_F(WorksheetTest, GivensOfAMirrorCopyIntoItAtEveryChange) {
  sheet.setText("EXa", "7000");
  EXPECT_EQ(sheet.text("EXaa"), "7000");
  sheet.setText("EYa", "");
  EXPECT_EQ(sheet.text("EYaa"), "");
  sheet.setText("EYa", "1,5");
  EXPECT_EQ(sheet.text("EYaa"), "1,5");
  EXPECT_EQ(heard, (std::vector<std::string>{"EXa", "EXaa", "EYa", "EYaa", "EYa", "EYaa"}));
}

TEST_F(WorksheetTest, MirrorsDoNotFeedBack) {
  sheet.setText("EXaa", "1");
  sheet.setText("EYaa", "2");
  EXPECT_EQ(sheet.text("EXa"), "7373,14");
  EXPECT_EQ(sheet.text("EYa"), "2737,12");
  EXPECT_EQ(heard, (std::vector<std::string>{"EXaa", "EYaa"}));

  // A typed-over mirror takes its given's text again at the given's next change,
  // even when that text is the one the given had all along.
  sheet.setText("EXa", "7373,1");
  sheet.setText("EXa", "7373,14");
  EXPECT_EQ(sheet.text("EXaa"), "7373,14");
}

TEST_F(WorksheetTest, AWriteThatChangesNothingTellsNobody) {
  sheet.setText("EXb", "10491,83");
  sheet.setText("Ea", "");
  sheet.setText("EXa", "7373,14");
  EXPECT_TRUE(heard.empty());

  // A given whose mirror already holds the new text: only the given changed.
  sheet.setText("EXaa", "5");
  heard.clear();
  sheet.setText("EXa", "5");
  EXPECT_EQ(heard, (std::vector<std::string>{"EXa"}));
}

TEST_F(WorksheetTest, ClearEmptiesAllFieldsInOrderOnce) {
  sheet.setText("EK1", "typed");
  heard.clear();
  sheet.clear();
  for (const FieldInfo& f : Fields()) EXPECT_EQ(sheet.text(f.name), "") << f.name;
  // The 17 givens, the mirrors right after their givens, and the one typed result.
  const std::vector<std::string> expected{"Ey1g", "Ey1m", "Ey1s", "Ey2g", "Ey2m", "Ey2s", "EXb",
                                          "EXc",  "EXa",  "EXaa", "EYb",  "EYc",  "EYa",  "EYaa",
                                          "EK1",  "EXd",  "EYd",  "Ee2g", "Ee2m", "Ee2s"};
  EXPECT_EQ(heard, expected);

  heard.clear();
  sheet.clear();
  EXPECT_TRUE(heard.empty());
}

TEST_F(WorksheetTest, TextsAreKeptByteForByte) {
  const std::string odd("\0\xff\xfe γ1\n\t", 9);
  sheet.setText("EXa", odd);
  EXPECT_EQ(sheet.text("EXa"), odd);
  EXPECT_EQ(sheet.text("EXaa"), odd);

  // A text taken from the worksheet itself may be written back to another field.
  sheet.setText("EYa", std::string_view(sheet.text("EXb")).substr(0, 5));
  EXPECT_EQ(sheet.text("EYa"), "10491");
  EXPECT_EQ(sheet.text("EYaa"), "10491");
  sheet.setText("EXa", std::string_view(sheet.text("EXa")).substr(1));
  EXPECT_EQ(sheet.text("EXaa"), odd.substr(1));
}

TEST_F(WorksheetTest, AnObserverMayReadAndWriteTheWorksheet) {
  TWorksheet other;
  std::vector<std::string> seen;
  other.setObserver([&](std::string_view name) {
    seen.push_back(std::string(name) + "=" + other.text(name) + "/" + other.text("EXaa"));
    other.setText(name, other.text(name));  // an echo ends at once
  });
  other.setText("EXa", "1");
  EXPECT_EQ(seen, (std::vector<std::string>{"EXa=1/1", "EXaa=1/1"}));

  other.setObserver(nullptr);
  other.setText("EXa", "2");
  EXPECT_EQ(seen.size(), 2u);
}

}  // namespace
}  // namespace pothenot
