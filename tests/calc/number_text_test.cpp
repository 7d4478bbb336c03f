#include "calc/number_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>

#include "calc/calc_error.h"

namespace pothenot {
namespace {

using Kind = CalcError::Kind;

long double Read(std::string_view text, std::string_view separator = ",") {
  return NumberFromText(text, separator).raw();
}

Kind Failure(std::string_view text, std::string_view separator = ",") {
  try {
    (void)NumberFromText(text, separator);
  } catch (const CalcError& e) {
    return e.kind();
  }
  ADD_FAILURE() << "'" << text << "' was read as a number";
  return Kind::InvalidOperation;
}

std::string Write(long double v, std::string_view separator = ",") {
  return TextFromNumber(Extended::FromRaw(v), separator);
}

// Every test runs under the C locale unless it picks another one itself.
class NumberTextTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(std::setlocale(LC_ALL, "C"), nullptr); }
  void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

TEST_F(NumberTextTest, ReadsTheWorksheetsNotation) {
  EXPECT_EQ(Read("10491,83"), 10491.83L);
  EXPECT_EQ(Read("  -0,5 "), -0.5L);
  EXPECT_EQ(Read("+7"), 7.0L);
  EXPECT_EQ(Read(",25"), 0.25L);
  EXPECT_EQ(Read("25,"), 25.0L);
  EXPECT_EQ(Read("1,5E-7"), 1.5e-7L);
  EXPECT_EQ(Read("2e+3"), 2000.0L);
  EXPECT_EQ(Read("000123,4500"), 123.45L);
  EXPECT_EQ(Read("1.5", "."), 1.5L);
  // The nearest extended value, not the nearest double.
  EXPECT_EQ(Read("0,1"), 0.1L);
  EXPECT_NE(Read("0,1"), static_cast<long double>(0.1));
  EXPECT_TRUE(std::signbit(Read("-0")));
}

TEST_F(NumberTextTest, RejectsEverythingElse) {
  for (const char* text :
       {"",    " ",     "-",      "+",     ",",         "1,2,3", "10491.83", "1 000", "1\t",
        "\t1", "1e",    "1e+",    "e5",    ",e5",       "--1",   "+-1",      "1-",    "inf",
        "nan", "0x1p3", "1,5 E3", "1E3,5", "1\xC2\xA0", "١",     "1\n",      "12a",   "1,5e3e3"}) {
    EXPECT_EQ(Failure(text), Kind::NotANumber) << "'" << text << "'";
  }
  EXPECT_EQ(Failure("1,5", "."), Kind::NotANumber);
  // NUL bytes are characters like any other.
  EXPECT_EQ(Failure(std::string_view("1\0", 2)), Kind::NotANumber);
}

TEST_F(NumberTextTest, SeparatorMayBeSeveralBytes) {
  const std::string momayyez = "\xD9\xAB";  // U+066B, a two-byte separator
  EXPECT_EQ(Read("3" + momayyez + "25", momayyez), 3.25L);
  EXPECT_EQ(Failure("3\xD9"
                    "25",
                    momayyez),
            Kind::NotANumber);
  EXPECT_EQ(Write(3.25L, momayyez), "3" + momayyez + "25");
  EXPECT_EQ(Write(1.5e-7L, momayyez), "1" + momayyez + "5E-7");
}

TEST_F(NumberTextTest, TooLargeIsAnOverflowAndTooSmallIsZero) {
  EXPECT_EQ(Failure("1e5000"), Kind::Overflow);
  EXPECT_EQ(Failure("-1e99999999999999999999999"), Kind::Overflow);
  EXPECT_EQ(Read("1e400"), 1e400L);  // fits the extended range; storing it is the caller's overflow
  EXPECT_EQ(Read("1e-5000"), 0.0L);
  EXPECT_EQ(Read("0e99999999999999999999999"), 0.0L);
  EXPECT_EQ(Read("1e-99999999999999999999999"), 0.0L);
}

TEST_F(NumberTextTest, WritesFifteenSignificantDigitsWithoutTrailingZeros) {
  EXPECT_EQ(Write(3118.69L), "3118,69");
  EXPECT_EQ(Write(5721.4L), "5721,4");
  EXPECT_EQ(Write(-2061.9L), "-2061,9");
  EXPECT_EQ(Write(0.0L), "0");
  EXPECT_EQ(Write(-0.0L), "0");
  EXPECT_EQ(Write(240.0L), "240");
  EXPECT_EQ(Write(2.0L / 3), "0,666666666666667");
  EXPECT_EQ(Write(10491.83L - 7373.14L), "3118,69");
  EXPECT_EQ(Write(1.0L / 3, "."), "0.333333333333333");
  EXPECT_EQ(Write(-1004472.99999999996L / 100), "-10044,73");  // rounded, never cut
}

TEST_F(NumberTextTest, SwitchesToScientificAtTheBounds) {
  EXPECT_EQ(Write(0.00001L), "0,00001");
  EXPECT_EQ(Write(0.0000123L), "0,0000123");
  EXPECT_EQ(Write(0.000009999999999999999L), "0,00001");  // rounds up onto the bound
  EXPECT_EQ(Write(0.0000099L), "9,9E-6");
  EXPECT_EQ(Write(1.5e-7L), "1,5E-7");
  EXPECT_EQ(Write(-2.5e20L), "-2,5E20");
  EXPECT_EQ(Write(999999999999999.0L), "999999999999999");
  EXPECT_EQ(Write(999999999999999.5L), "1E15");
  EXPECT_EQ(Write(1e15L), "1E15");
  EXPECT_EQ(Write(123456789012345678.0L), "1,23456789012346E17");
  EXPECT_EQ(Write(1e-4000L), "1E-4000");
}

TEST_F(NumberTextTest, ExactTiesRoundToEven) {
  // 100000000000000.5 has 16 significant digits and is exact in binary.
  EXPECT_EQ(Write(100000000000000.5L), "100000000000000");
  EXPECT_EQ(Write(100000000000001.5L), "100000000000002");
}

TEST_F(NumberTextTest, WhatIsWrittenReadsBackToTheSameText) {
  for (long double v : {3118.69L, -0.37216L, 1.5e-7L, 6.02214076e23L, -1e-300L, 4207.28L}) {
    const std::string text = Write(v);
    EXPECT_EQ(Write(Read(text)), text);
  }
}

// Short texts are read by exact integer arithmetic, long ones by the C
// library: both must give the nearest extended value, which strtold is.
TEST_F(NumberTextTest, ReadsTheNearestValueLikeTheCLibrary) {
  std::mt19937_64 random(11);
  std::uniform_int_distribution<int> digitCount(1, 24), digit(0, 9), exponent(-40, 40);
  for (int i = 0; i < 100000; ++i) {
    std::string text;
    const int n = digitCount(random);
    const int point = std::uniform_int_distribution<int>(0, n)(random);
    for (int k = 0; k < n; ++k) {
      if (k == point) text += '.';
      text += static_cast<char>('0' + digit(random));
    }
    if (i % 2) text += "e" + std::to_string(exponent(random));
    std::string comma = text;
    std::replace(comma.begin(), comma.end(), '.', ',');
    ASSERT_EQ(Read(comma), std::strtold(text.c_str(), nullptr)) << text;
    ASSERT_EQ(Read("-" + comma), -std::strtold(text.c_str(), nullptr)) << text;
  }
}

TEST_F(NumberTextTest, TheProcessLocaleChangesNothing) {
  const char* comma = nullptr;
  for (const char* name : {"ru_RU.UTF-8", "ru_RU.utf8", "de_DE.UTF-8"}) {
    if (std::setlocale(LC_ALL, name) != nullptr) {
      comma = name;
      break;
    }
  }
  ASSERT_NE(comma, nullptr) << "no locale with a decimal comma is installed (run ./test.sh)";
  ASSERT_STREQ(std::localeconv()->decimal_point, ",");

  EXPECT_EQ(Read("1.25", "."), 1.25L);
  EXPECT_EQ(Failure("1,25", "."), Kind::NotANumber);
  EXPECT_EQ(Read("1,25", ","), 1.25L);
  EXPECT_EQ(Write(1.25L, "."), "1.25");
  EXPECT_EQ(Write(-2.5e20L, "."), "-2.5E20");
}

}  // namespace
}  // namespace pothenot
