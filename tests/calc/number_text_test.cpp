// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/number_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <random>
#include <string>

#include "calc/calc_error.h"
#include "tests/calc/test_support.h"

namespace pothenot {
namespace {

using Kind = CalcError::Kind;

long double Read(std::string_view text, std::string_view separator = ",") {
  return NumberFromText(text, separator).raw();
}

std::optional<Kind> Failure(std::string_view text, std::string_view separator = ",") {
  return test::FaultOf([&] { return NumberFromText(text, separator); });
}

std::string Write(long double v, std::string_view separator = ",") {
  return TextFromNumber(Extended::FromRaw(v), separator);
}

class NumberTextTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(std::setlocale(LC_ALL, "C"), nullptr); }
  void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

// The worksheet's notation and nothing else; beyond the extended range a
// text overflows, below it it is zero.
TEST_F(NumberTextTest, ReadsTheWorksheetsNotationOnly) {
  // "-0,5\n" and the like: a spreadsheet cell's line break or tab.
  const std::pair<const char*, long double> reads[] = {
      {"10491,83", 10491.83L}, {"  -0,5 ", -0.5L},          {"-0,5\n", -0.5L}, {"-0,5\r\n", -0.5L},
      {"-0,5\t", -0.5L},       {"-0,5 \t\r\n", -0.5L},      {"+,25", 0.25L},   {"25,", 25.0L},
      {"1,5E-7", 1.5e-7L},     {"000123,4500e+1", 1234.5L}, {"1e400", 1e400L}, {"1e-5000", 0.0L}};
  for (const auto& [text, value] : reads) EXPECT_EQ(Read(text), value) << text;
  for (const char* text : {"1e5000", "-1e99999999999999999999999"})
    EXPECT_EQ(Failure(text), Kind::Overflow) << text;
  EXPECT_EQ(Read("0e99999999999999999999999"), 0.0L);
  EXPECT_TRUE(std::signbit(Read("-0")));
  for (const char* text : {"", "1,2,3", "10491.83", "1 000", "\t1", "1\n2", "1e", "e5", "--1", "1-",
                           "inf", "nan", "0x1p3", "1,5 E3", "1E3,5", "1\xC2\xA0", "12a"}) {
    EXPECT_EQ(Failure(text), Kind::NotANumber) << "'" << text << "'";
  }
  for (int b = 0; b < 256; ++b) {  // every byte alone: a digit or not a number
    const std::string text(1, static_cast<char>(b));
    const bool digit = b >= '0' && b <= '9';
    EXPECT_EQ(Failure(text), digit ? std::nullopt : std::optional(Kind::NotANumber)) << b;
    EXPECT_TRUE(!digit || Read(text) == b - '0') << b;
  }
  EXPECT_EQ(Failure(std::string_view("1\0", 2)), Kind::NotANumber);
  const std::string momayyez = "\xD9\xAB";  // a separator of two bytes
  EXPECT_EQ(Read("3" + momayyez + "25", momayyez), 3.25L);
  EXPECT_EQ(Failure("3\xD9"
                    "25",
                    momayyez),
            Kind::NotANumber);
  EXPECT_EQ(Write(1.5e-7L, momayyez), "1" + momayyez + "5E-7");
}

TEST_F(NumberTextTest, WritesFifteenDigitsFixedOrScientific) {
  const std::pair<long double, const char*> cases[] = {
      {0.0L, "0"},
      {-0.0L, "0"},
      {-1004472.99999999996L / 100, "-10044,73"},  // rounded, never cut
      {0.00001L, "0,00001"},
      {0.000009999999999999999L, "0,00001"},
      {0.0000099L, "9,9E-6"},
      {-2.5e20L, "-2,5E20"},
      {999999999999999.0L, "999999999999999"},
      {999999999999999.5L, "1E15"},
      {123456789012345678.0L, "1,23456789012346E17"},
      {100000000000000.5L, "100000000000000"},  // an exact tie goes to even
      {100000000000001.5L, "100000000000002"}};
  for (const auto& [value, text] : cases) EXPECT_EQ(Write(value), text);
}

// Short texts are read by exact integer arithmetic, long ones by the C
// library: both must give the nearest extended value, as strtold does.
TEST_F(NumberTextTest, ReadsTheNearestValueLikeTheCLibrary) {
  std::mt19937_64 random(11);
  std::uniform_int_distribution<int> count(1, 24), digit(0, 9), exponent(-40, 40);
  for (int i = 0; i < 100000; ++i) {
    std::string text;
    const int n = count(random), point = std::uniform_int_distribution<int>(0, n)(random);
    for (int k = 0; k < n; ++k) {
      if (k == point) text += '.';
      text += char('0' + digit(random));
    }
    if (i % 2) text.append("e").append(std::to_string(exponent(random)));
    std::string comma = text;
    std::replace(comma.begin(), comma.end(), '.', ',');
    ASSERT_EQ(Read(std::string("-").append(comma)), -std::strtold(text.c_str(), nullptr)) << text;
    ASSERT_EQ(Write(Read(Write(Read(comma)))), Write(Read(comma))) << text;
  }
}

TEST_F(NumberTextTest, TheProcessLocaleChangesNothing) {
  ASSERT_NE(std::setlocale(LC_ALL, "ru_RU.UTF-8"), nullptr) << "run ./test.sh: it makes the locale";
  ASSERT_STREQ(std::localeconv()->decimal_point, ",");
  EXPECT_EQ(Read("1.25", "."), 1.25L);
  EXPECT_EQ(Failure("1,25", "."), Kind::NotANumber);
  EXPECT_EQ(Write(-2.5e20L, "."), "-2.5E20");
  EXPECT_EQ(Write(0.1L, "."), "0.1");
}

// Whatever a user types or pastes is a number or one clear error, quickly.
TEST_F(NumberTextTest, MegabyteTextsAreReadOrRefused) {
  const std::string zeros(1 << 20, '0'), threes(1 << 20, '3');
  // "1e-000…09": leading zeros of an exponent.
  const std::pair<std::string, long double> reads[] = {
      {"1" + zeros + "e-1048576", 1.0L}, {zeros + ",5", 0.5L},   {"0," + zeros + "1e1048577", 1.0L},
      {"1e-" + zeros + "9", 1e-9L},      {"1e-9" + zeros, 0.0L}, {"0," + threes, 1.0L / 3}};
  for (const auto& [text, value] : reads) EXPECT_EQ(Read(text), value) << text.substr(0, 9);
  EXPECT_THROW((void)Read("1" + zeros), CalcError);  // 1E1048576 overflows
  EXPECT_THROW((void)Read(zeros + "x"), CalcError);
}

}  // namespace
}  // namespace pothenot
