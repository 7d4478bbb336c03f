// SPDX-License-Identifier: GPL-3.0-or-later
// Calculate's order of writing, its stops and their messages, and angles
// typed in other forms. Its digits are checked against a second evaluation
// in second_evaluation_test.cpp.
#include "calc/resection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "calc/calc_error.h"
#include "tests/calc/test_support.h"

namespace pothenot {
namespace {

using Kind = CalcError::Kind;

// The 29 results in the order Calculate writes them.
const std::vector<std::string> kOrder = {
    "Ea",    "Eb",  "EXbb",  "EXcc",  "EXcXb",  "EYbb", "EYcc",   "EYcYb",  "EK1", "EK3",
    "EK1K3", "EK2", "EK4",   "EK2K4", "EC",     "ECC",  "EK2CK1", "EK4CK3", "EdY", "EdX",
    "EYp",   "EXp", "EXdXp", "EYdYp", "EctgPD", "EPA",  "EPD",    "Ee1",    "Ede"};

// What each stop says, and what it writes over the old texts: nothing when a
// given fails, else every result up to the last one named, and no other; the
// whole sheet in order when nothing fails.
TEST(ResectionTest, StopsNameTheirQuantityAndKeepWhatWasWritten) {
  const std::string right = "Ey1g=90|Ey1m=0|Ey1s=0|Ey2g=90|Ey2m=0|Ey2s=0|";  // a = b = 0
  std::string longText;  // quoted up to 40 characters, cut on a character
  for (int i = 0; i < 5000; ++i) longText += "ж";
  struct Case {
    std::string givens;
    std::optional<Kind> kind;
    std::string named;        // what the message must quote
    std::string lastWritten;  // empty: nothing at all
  } cases[] = {
      {"", std::nullopt, "", "Ede"},
      {"EYc=" + longText, Kind::NotANumber, "«" + longText.substr(0, 80) + "…» в поле «Yc»", ""},
      {"EYd=1e400", Kind::Overflow, "«1e400»", ""},
      // ε measured first, then γ1, then γ2.
      {"Ee2g=1,79e308|Ee2m=1e308|Ey1g=1,79e308|Ey1m=1e308", Kind::Overflow, "«ε изм.»", ""},
      {"Ey2g=1,79e308|Ey2m=1e308|Ey1g=1,79e308|Ey1m=1e308", Kind::Overflow, "«γ1»", ""},
      {"Ey1g=0|Ey1m=0|Ey1s=0", Kind::DivisionByZero, "«a = ctg γ1»", ""},
      {"Ey2g=180|Ey2m=0|Ey2s=0", Kind::InvalidOperation, "«b = ctg γ2»", ""},
      {"EXb=1e300|EXa=-1,7e308", Kind::InvalidOperation, "«K1»", "EYcYb"},
      // K1 = K3 (Xb = Xc), and with K2 = K4 too (B = C).
      {right + "EXc=10491,83", Kind::DivisionByZero, "«C»", "EK2K4"},
      {right + "EXc=10491,83|EYc=3824,62", Kind::InvalidOperation, "«C»", "EK2K4"},
      // C about 1E9 (Xc − Xb = 0,01): C² beyond the cut, and C unwritten with it.
      {right + "EXc=10491,84|EYc=-9999999", Kind::InvalidOperation, "«C²»", "EK2K4"},
      // K2 = K4 (Yb = Yc): C = 0, the station is found, (PA) divides by zero.
      {right + "EYc=3824,62", Kind::DivisionByZero, "«(PA)»", "EctgPD"},
      // ... and D on the parallel through P = A.
      {right + "EYc=3824,62|EXd=7373,14", Kind::DivisionByZero, "«ctg(PD)»", "EYdYp"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.named);
    TWorksheet sheet;
    for (const std::string& name : kOrder) sheet.setText(name, "old");
    test::Type(sheet, c.givens);
    TWorksheet copy = sheet;
    EXPECT_EQ(test::FaultOf([&] { Calculate(copy, ","); }), c.kind);
    std::vector<std::string> written;
    sheet.setObserver([&](std::string_view name) { written.emplace_back(name); });
    const std::string message = test::MessageOf([&] { Calculate(sheet, ","); });
    EXPECT_NE(message.find(c.named), std::string::npos) << message;
    EXPECT_LT(message.size(), 300u);
    const auto last = std::find(kOrder.begin(), kOrder.end(), c.lastWritten);
    const auto stop = last == kOrder.end() ? kOrder.begin() : last + 1;
    EXPECT_EQ(written, std::vector<std::string>(kOrder.begin(), stop));
    for (auto left = stop; left != kOrder.end(); ++left) EXPECT_EQ(sheet.text(*left), "old");
  }
}

// A given that reads with the other separator says which one this desktop
// expects; one that reads with neither says nothing of separators.
TEST(ResectionTest, NotANumberNamesTheExpectedSeparatorWhenTheOtherOneReads) {
  const std::string expects = " На этом компьютере дробная часть числа отделяется ";
  const struct {
    const char *text, *separator;
    std::string hint;
  } cases[] = {
      {"10491,83", ".", expects + "точкой «.», а не запятой «,»."},
      {"10491.83", ",", expects + "запятой «,», а не точкой «.»."},
      {"1.5", "٫", expects + "знаком «٫», а не точкой «.»."},
      {"1,5,3", ".", ""},
      {",", ".", ""},
  };
  for (const auto& c : cases) {
    TWorksheet sheet;
    sheet.setText("EXb", c.text);
    EXPECT_EQ(test::MessageOf([&] { Calculate(sheet, c.separator); }),
              "Текст «" + std::string(c.text) + "» в поле «Xb» не является числом." + c.hint);
  }
}

// The worked example of the course notes "Three Point Resection Problem"
// (Surveying Engineering Department, Ferris State University, SURE 215), X
// north: the sheet's station, cut, lies within what the cuts cost (2,5 cm) of
// the published 5578,1443; 2128,3903, and (PA) is the published 256°09′10″.
// D is not in the notes: ours, and ε measured from the published station to
// 1″, so the control closes.
TEST(ResectionTest, ThePublishedExampleGivesItsStation) {
  TWorksheet sheet;
  test::Type(sheet,
             "EXa=5300|EYa=1000|EXb=6300|EYb=2200|EXc=5000|EYc=3100|Ey1g=109|Ey1m=30|Ey1s=45"
             "|Ey2g=224|Ey2m=36|Ey2s=5|EXd=4000|EYd=2000|Ee2g=71|Ee2m=30|Ee2s=9");
  Calculate(sheet, ",");
  EXPECT_EQ(sheet.text("EXp") + " " + sheet.text("EYp") + " " + sheet.text("EPA") + " " +
                sheet.text("Ede"),
            "5578,13 2128,37 256°9`10`` 0°0`0``");
}

}  // namespace
}  // namespace pothenot
