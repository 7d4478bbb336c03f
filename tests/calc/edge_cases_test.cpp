// Texts and values at the edges: whatever a user types or pastes, Calculate
// gives numbers or one clear error, and the worksheet stays usable.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "calc/calc_error.h"
#include "calc/number_text.h"
#include "calc/resection.h"
#include "tests/calc/sheet_expect.h"

namespace pothenot {
namespace {

using Kind = CalcError::Kind;

Kind KindOf(TWorksheet& sheet) {
  try {
    Calculate(sheet, ",");
  } catch (const CalcError& e) {
    EXPECT_GT(std::string(e.what()).size(), 10u);
    return e.kind();
  }
  ADD_FAILURE() << "no stop";
  return Kind::NotANumber;
}

TEST(EdgeCasesTest, MegabyteTextsAreReadOrRefused) {
  const std::string zeros(1 << 20, '0');
  EXPECT_EQ(NumberFromText("1" + zeros + "e-1048576", ",").raw(), 1.0L);
  EXPECT_EQ(NumberFromText(zeros + ",5", ",").raw(), 0.5L);
  EXPECT_EQ(NumberFromText("0," + zeros + "1e1048577", ",").raw(), 1.0L);
  EXPECT_EQ(NumberFromText("0," + zeros + "1", ",").raw(), 0.0L);
  EXPECT_THROW((void)NumberFromText("1" + zeros, ","), CalcError);  // 1E1048576: overflow
  EXPECT_THROW((void)NumberFromText(zeros + "x", ","), CalcError);
  EXPECT_THROW((void)NumberFromText("1e9" + zeros, ","), CalcError);
  EXPECT_EQ(NumberFromText("1e-9" + zeros, ",").raw(), 0.0L);
  EXPECT_EQ(NumberFromText("1e-" + zeros + "9", ",").raw(), 1e-9L);  // leading zeros of an exponent
  // Many significant digits still round to the nearest value.
  std::string third = "0,";
  third.append(1 << 20, '3');
  EXPECT_EQ(NumberFromText(third, ",").raw(), 1.0L / 3);
}

TEST(EdgeCasesTest, EveryByteAloneIsADigitOrNotANumber) {
  for (int b = 0; b < 256; ++b) {
    const std::string text(1, static_cast<char>(b));
    if (b >= '0' && b <= '9') {
      EXPECT_EQ(NumberFromText(text, ",").raw(), static_cast<long double>(b - '0'));
    } else {
      EXPECT_THROW((void)NumberFromText(text, ","), CalcError) << b;
    }
  }
}

TEST(EdgeCasesTest, RandomBytesInEveryGivenNeverBreakTheWorksheet) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> byte(0, 255), length(0, 12), pick(0, 16);
  const char* alphabet = "0123456789,.-+eE ";
  for (int round = 0; round < 3000; ++round) {
    TWorksheet sheet;
    for (const FieldInfo& f : Fields()) {
      if (f.role != Role::Given || pick(random) > 2) continue;
      std::string text;
      for (int i = length(random); i > 0; --i) {
        text += round % 2 ? static_cast<char>(byte(random)) : alphabet[pick(random)];
      }
      sheet.setText(f.name, text);
    }
    try {
      Calculate(sheet, ",");
    } catch (const CalcError&) {
    }
    EXPECT_EQ(sheet.text("EYaa"), sheet.text("EYa"));
  }
}

TEST(EdgeCasesTest, EnormousCoordinatesStopAtTheFirstCut) {
  TWorksheet sheet;
  sheet.setText("EXb", "1e300");
  sheet.setText("EXa", "-1,7e308");
  sheet.setText("EXc", "1,7e308");
  EXPECT_EQ(KindOf(sheet), Kind::InvalidOperation);
  EXPECT_EQ(sheet.text("EXbb"), "1,70000001E308");
  EXPECT_EQ(sheet.text("EXcc"), "3,4E308");  // past the doubles, shown from the extended value
  EXPECT_EQ(sheet.text("EYcYb"), "2191,72");
  EXPECT_EQ(sheet.text("EK1"), "");
}

TEST(EdgeCasesTest, AnglesPastTheDoubleRangeOverflowWhenStored) {
  TWorksheet sheet;
  sheet.setText("Ee2g", "1,79e308");
  sheet.setText("Ee2m", "1e308");
  const test::Texts before = test::Snapshot(sheet);
  EXPECT_EQ(KindOf(sheet), Kind::Overflow);
  EXPECT_EQ(test::Snapshot(sheet), before);
}

TEST(EdgeCasesTest, TinyAndHugeAnglesStillCalculateOrStopCleanly) {
  for (const char* degrees : {"1e-300", "4,9e-324", "1e300", "-1e18", "-720", "0,00000001"}) {
    TWorksheet sheet;
    sheet.setText("Ey2g", degrees);
    try {
      Calculate(sheet, ",");
    } catch (const CalcError& e) {
      EXPECT_NE(e.kind(), Kind::NotANumber) << degrees;
    }
  }
}

TEST(EdgeCasesTest, WeakGeometryGivesTinyValuesInScientificNotation) {
  // C below 0,01 makes C² smaller than 0,0001: the worksheet writes it as it is.
  TWorksheet sheet;
  sheet.setText("Ey1g", "90");
  sheet.setText("Ey1m", "0");
  sheet.setText("Ey1s", "0");
  sheet.setText("EXc", "10400");
  sheet.setText("EYc", "3824,62");
  sheet.setText("EYb", "3825");
  try {
    Calculate(sheet, ",");
  } catch (const CalcError&) {
  }
  const std::string cc = sheet.text("ECC");
  EXPECT_FALSE(cc.empty());
  EXPECT_EQ(cc.find('.'), std::string::npos);
}

}  // namespace
}  // namespace pothenot
