// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/extended.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "calc/calc_error.h"
#include "calc/plane.h"
#include "tests/calc/test_support.h"

namespace pothenot {
namespace {

using Kind = CalcError::Kind;

using test::FaultOf;

Extended X(long double v) {
  return Extended::FromRaw(v);
}
const Extended kHuge = X(std::numeric_limits<long double>::max());
constexpr long double kTwo63 = 0x1p63L;
constexpr auto kMin64 = std::numeric_limits<std::int64_t>::min();
constexpr auto kMax64 = std::numeric_limits<std::int64_t>::max();

TEST(ExtendedTest, FaultsAreThoseOfTheProcessorsUnmaskedExceptions) {
  EXPECT_EQ(FaultOf([] { return Extended(1) / -Extended(0); }), Kind::DivisionByZero);
  EXPECT_EQ(FaultOf([] { return Extended(0) / Extended(0); }), Kind::InvalidOperation);
  EXPECT_EQ(FaultOf([] { return kHuge / Extended(0.5); }), Kind::Overflow);
  EXPECT_EQ(FaultOf([] { return kHuge + kHuge; }), Kind::Overflow);
  EXPECT_EQ(FaultOf([] { return kHuge * Extended(-2); }), Kind::Overflow);
  EXPECT_EQ(FaultOf([] { return (Extended(1e300) * Extended(1e300)).ToDouble(); }), Kind::Overflow);
  EXPECT_EQ(FaultOf([] { return Trunc(X(kTwo63)); }), Kind::InvalidOperation);
  EXPECT_EQ(FaultOf([] { return Trunc(X(-kTwo63 - 1)); }), Kind::InvalidOperation);
  // 2^63 - 0.5 rounds to even: 2^63.
  EXPECT_EQ(FaultOf([] { return Round(X(kTwo63 - 0.5L)); }), Kind::InvalidOperation);
  EXPECT_EQ(FaultOf([] { return TruncTo(Extended(1e17), 100); }), Kind::InvalidOperation);
  EXPECT_EQ(FaultOf([] { return Remainder(Extended(1), Extended(0)); }), Kind::InvalidOperation);
  // Underflow is no fault, and past the doubles the extended range goes on.
  EXPECT_EQ((X(1e-4930L) / Extended(1e300)).raw(), 0.0L);
  EXPECT_EQ(X(1e-400L).ToDouble(), 0.0);
  EXPECT_GT((Extended(1e300) * Extended(1e300)).raw(), 1e599L);
}

TEST(ExtendedTest, IntegerPartsAndRemainders) {
  EXPECT_EQ(Trunc(X(-3523.414L)), -3523);
  EXPECT_EQ(Trunc(X(-kTwo63)), kMin64);
  EXPECT_EQ(Trunc(X(kTwo63 - 0.5L)), kMax64);
  EXPECT_EQ(Trunc(X(1e-4940L)), 0);
  EXPECT_EQ(Round(X(2.5L)), 2);
  EXPECT_EQ(Round(X(-59.5L)), -60);
  EXPECT_EQ(Round(X(-kTwo63)), kMin64);
  EXPECT_EQ(Frac(X(-1.75L)).raw(), -0.75L);
  EXPECT_EQ(Frac(X(1e30L)).raw(), 0.0L);
  EXPECT_EQ(kPi.raw(), 0x1.921fb54442d1846ap+1L);                       // 3.14159265358979323851...
  EXPECT_EQ(Remainder(Extended(-230.5), Extended(360)).raw(), 129.5L);  // exact
  EXPECT_EQ(Remainder(Extended(900), Extended(360)).raw(), 180.0L);     // 2.5: ties to even
  // Half turns by a product and a rounding: the remainder's value at a tie, near
  // one that the product passes, and far beyond 2^62 degrees.
  for (const long double x : {90.0L, 90 - 0x1p-57L, 1e300L})
    EXPECT_EQ(plane::HalfTurnRemainder(X(x)).raw(), Remainder(X(x), Extended(180)).raw()) << x;
}

}  // namespace
}  // namespace pothenot
