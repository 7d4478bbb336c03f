// Texts at the edges: whatever a user types or pastes is a number or one
// clear error, quickly. (Random worksheets are the fuzz targets' work.)
#include <gtest/gtest.h>

#include <string>

#include "calc/calc_error.h"
#include "calc/number_text.h"

namespace pothenot {
namespace {

long double Read(const std::string& text) {
  return NumberFromText(text, ",").raw();
}

TEST(EdgeCasesTest, MegabyteTextsAreReadOrRefused) {
  const std::string zeros(1 << 20, '0');
  EXPECT_EQ(Read("1" + zeros + "e-1048576"), 1.0L);
  EXPECT_EQ(Read(zeros + ",5"), 0.5L);
  EXPECT_EQ(Read("0," + zeros + "1e1048577"), 1.0L);
  EXPECT_EQ(Read("1e-" + zeros + "9"), 1e-9L);  // leading zeros of an exponent
  EXPECT_EQ(Read("1e-9" + zeros), 0.0L);
  EXPECT_THROW((void)Read("1" + zeros), CalcError);  // 1E1048576 overflows
  EXPECT_THROW((void)Read(zeros + "x"), CalcError);
  std::string third = "0,";
  third.append(1 << 20, '3');
  EXPECT_EQ(Read(third), 1.0L / 3);
}

TEST(EdgeCasesTest, EveryByteAloneIsADigitOrNotANumber) {
  for (int b = 0; b < 256; ++b) {
    const std::string text(1, static_cast<char>(b));
    if (b >= '0' && b <= '9') {
      EXPECT_EQ(Read(text), static_cast<long double>(b - '0'));
    } else {
      EXPECT_THROW((void)Read(text), CalcError) << b;
    }
  }
}

}  // namespace
}  // namespace pothenot
