#include "calc/extended.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <vector>

#include "calc/calc_error.h"

namespace pothenot {
namespace {

using Kind = CalcError::Kind;

template <class Operation>
Kind FaultOf(Operation operation) {
  try {
    (void)operation();
  } catch (const CalcError& e) {
    return e.kind();
  }
  ADD_FAILURE() << "no fault";
  return Kind::NotANumber;
}

constexpr long double kMaxExtended = std::numeric_limits<long double>::max();
const Extended kHuge = Extended::FromRaw(kMaxExtended);

TEST(ExtendedTest, PiIsTheExtendedOne) {
  EXPECT_EQ(kPi.raw(), 3.14159265358979323851L);
  EXPECT_EQ(kPi.raw(), 0x1.921fb54442d1846ap+1L);
  EXPECT_NE(static_cast<double>(kPi.raw()), kPi.raw());
}

TEST(ExtendedTest, DivisionFaults) {
  EXPECT_EQ(FaultOf([] { return Extended(1) / Extended(0); }), Kind::DivisionByZero);
  EXPECT_EQ(FaultOf([] { return Extended(-1) / -Extended(0); }), Kind::DivisionByZero);
  EXPECT_EQ(FaultOf([] { return Extended(0) / Extended(0); }), Kind::InvalidOperation);
  EXPECT_EQ(FaultOf([] { return kHuge / Extended(0.5); }), Kind::Overflow);
  // A quotient that underflows is no fault.
  EXPECT_EQ((Extended::FromRaw(1e-4930L) / Extended(1e300)).raw(), 0.0L);
}

TEST(ExtendedTest, SumsAndProductsOverflowOnlyPastTheExtendedRange) {
  EXPECT_EQ(FaultOf([] { return kHuge + kHuge; }), Kind::Overflow);
  EXPECT_EQ(FaultOf([] { return -kHuge - kHuge; }), Kind::Overflow);
  EXPECT_EQ(FaultOf([] { return kHuge * Extended(2); }), Kind::Overflow);
  // Far past the double range but well inside the extended one.
  const Extended big = Extended(1e300) * Extended(1e300);
  EXPECT_EQ(big.raw(), static_cast<long double>(1e300) * static_cast<long double>(1e300));
  EXPECT_EQ(FaultOf([&] { return big.ToDouble(); }), Kind::Overflow);
}

TEST(ExtendedTest, StoringRoundsToNearestDouble) {
  const double largest = std::numeric_limits<double>::max();
  EXPECT_EQ(Extended(largest).ToDouble(), largest);
  // Within half an ulp above the largest double still stores as it.
  EXPECT_EQ(Extended::FromRaw(static_cast<long double>(largest) * (1 + 0x1p-55L)).ToDouble(),
            largest);
  EXPECT_EQ(FaultOf([&] { return (Extended(largest) * Extended(2)).ToDouble(); }), Kind::Overflow);
  EXPECT_EQ(Extended::FromRaw(1e-400L).ToDouble(), 0.0);  // underflow is no fault
  EXPECT_EQ(Extended::FromRaw(0.1L).ToDouble(), 0.1);
}

TEST(ExtendedTest, TruncAndRoundStayInsideTheSixtyFourBitIntegers) {
  const long double two63 = 0x1p63L;
  EXPECT_EQ(Trunc(Extended::FromRaw(-3523.414L)), -3523);
  EXPECT_EQ(Trunc(Extended::FromRaw(-two63)), std::numeric_limits<std::int64_t>::min());
  EXPECT_EQ(Trunc(Extended::FromRaw(two63 - 0.5L)), std::numeric_limits<std::int64_t>::max());
  EXPECT_EQ(FaultOf([&] { return Trunc(Extended::FromRaw(two63)); }), Kind::InvalidOperation);
  EXPECT_EQ(FaultOf([&] { return Trunc(Extended::FromRaw(-two63 - 1)); }), Kind::InvalidOperation);

  EXPECT_EQ(Round(Extended::FromRaw(2.5L)), 2);
  EXPECT_EQ(Round(Extended::FromRaw(3.5L)), 4);
  EXPECT_EQ(Round(Extended::FromRaw(-0.5L)), 0);
  EXPECT_EQ(Round(Extended::FromRaw(59.5L)), 60);
  // 2^63 − 0.5 lies halfway and its even neighbour is 2^63: out of range.
  EXPECT_EQ(FaultOf([&] { return Round(Extended::FromRaw(two63 - 0.5L)); }),
            Kind::InvalidOperation);
  EXPECT_EQ(Round(Extended::FromRaw(-two63)), std::numeric_limits<std::int64_t>::min());
}

TEST(ExtendedTest, FracKeepsTheSignAndNeedsNoIntegerRange) {
  EXPECT_EQ(Frac(Extended::FromRaw(-1.75L)).raw(), -0.75L);
  EXPECT_EQ(Frac(Extended::FromRaw(240.5L)).raw(), 0.5L);
  EXPECT_EQ(Frac(Extended::FromRaw(1e30L)).raw(), 0.0L);
}

TEST(ExtendedTest, TruncToCutsTowardZero) {
  EXPECT_EQ(TruncTo(Extended::FromRaw(-3523.414L), 100).raw(), -352341.0L / 100);
  EXPECT_EQ(TruncTo(Extended::FromRaw(-0.3721615853L), 100000).raw(), -37216.0L / 100000);
  EXPECT_EQ(TruncTo(Extended::FromRaw(2.3109558698L), 100000).raw(), 231095.0L / 100000);
  EXPECT_EQ(TruncTo(Extended::FromRaw(0.999999L), 100).raw(), 99.0L / 100);
  EXPECT_EQ(TruncTo(Extended::FromRaw(-0.009L), 100).raw(), 0.0L);
  EXPECT_EQ(FaultOf([] { return TruncTo(Extended(1e17), 100); }), Kind::InvalidOperation);
}

// The worksheet's cut differences: two stored doubles of two decimals each,
// their difference times 100, cut. The product lies a hair nearer zero than the
// whole number the decimal difference stands for, so the cut drops it by one.
TEST(ExtendedTest, CutDifferencesFallNearerZero) {
  struct Case {
    double minuend, subtrahend;
    std::int64_t cut;
  };
  for (const Case& c : {Case{-3523.41, 6521.32, -1004472}, Case{-73.15, 5721.4, -579454},
                        Case{6273.45, 8221.23, -194777}, Case{4008.3, 4207.28, -19897}}) {
    EXPECT_EQ(Trunc((Extended(c.minuend) - Extended(c.subtrahend)) * 100), c.cut)
        << c.minuend << " - " << c.subtrahend;
  }
}

// K1 − K3 of the built-in example: evaluated in doubles the product rounds onto
// −1004473 and the worksheet would show −10044,73 instead of −10044,72.
TEST(ExtendedTest, KDifferenceNeedsTheEightyBitEvaluation) {
  volatile double K1 = -3523.41, K3 = 6521.32;  // volatile: no folding at compile time
  EXPECT_EQ(std::trunc((K1 - K3) * 100), -1004473.0);
  EXPECT_EQ(Trunc((Extended(K1) - Extended(K3)) * 100), -1004472);
}

TEST(ExtendedTest, RemainderIsExactAndCentred) {
  EXPECT_EQ(Remainder(Extended(-230.5), Extended(360)).raw(), 129.5L);
  // Halfway quotients go to the even one: 1.5 to 2, 2.5 to 2.
  EXPECT_EQ(Remainder(Extended(540), Extended(360)).raw(), -180.0L);
  EXPECT_EQ(Remainder(Extended(900), Extended(360)).raw(), 180.0L);
  EXPECT_EQ(Remainder(Extended(1e300), Extended(360)).raw(),
            std::remainder(static_cast<long double>(1e300), 360.0L));
  EXPECT_EQ(FaultOf([] { return Remainder(Extended(1), Extended(0)); }), Kind::InvalidOperation);
}

TEST(ExtendedTest, DecimalDigitsRoundToNearest) {
  const Decimal d = ToDecimal(Extended::FromRaw(-1004472.99999999996L), 15);
  EXPECT_TRUE(d.negative);
  EXPECT_EQ(d.digits, "100447300000000");
  EXPECT_EQ(d.exponent, 6);
  EXPECT_EQ(FromDecimal("-1004473e0").raw(), -1004473.0L);
  EXPECT_EQ(FaultOf([] { return FromDecimal("1e5000"); }), Kind::Overflow);
}

// The worksheet's digits come from exact integer arithmetic where they can;
// the C library's correctly rounded printing is the oracle.
TEST(ExtendedTest, DecimalDigitsAgreeWithCorrectlyRoundedPrinting) {
  auto oracle = [](long double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14Le", v);
    Decimal d;
    const char* p = buffer;
    d.negative = *p == '-';
    if (d.negative) ++p;
    for (; *p != 'e'; ++p) {
      if (*p != '.') d.digits.push_back(*p);
    }
    d.exponent = std::atoi(p + 1);
    return d;
  };
  std::mt19937_64 random(42);
  std::uniform_real_distribution<double> mantissa(-10, 10);
  std::uniform_int_distribution<int> exponent(-9, 18);
  std::vector<long double> values = {
      1e-5L, 0.0000099999999999999995L, 999999999999999.5L, 100000000000000.5L, 0.5L, 1.0L,
      1e15L, 123456789012345.0L,        3118.69L,           -10044.72L,         0.1L, 1e14L - 0.5L};
  for (int i = 0; i < 200000; ++i) {
    const long double v = mantissa(random) * std::pow(10.0L, exponent(random));
    values.push_back(v);
    values.push_back(std::round(v * 100) / 100);  // two decimals, as the worksheet's
    values.push_back(std::trunc(v));
  }
  for (long double v : values) {
    if (v == 0) continue;
    const Decimal got = ToDecimal(Extended::FromRaw(v), 15);
    const Decimal want = oracle(v);
    ASSERT_EQ(got.digits, want.digits) << static_cast<double>(v);
    ASSERT_EQ(got.exponent, want.exponent) << static_cast<double>(v);
    ASSERT_EQ(got.negative, want.negative) << static_cast<double>(v);
  }
}

}  // namespace
}  // namespace pothenot
