#include "calc/angles.h"

#include <gtest/gtest.h>

#include "calc/calc_error.h"
#include "calc/scheme.h"

namespace pothenot {
namespace {

Extended X(long double v) {
  return Extended::FromRaw(v);
}

TEST(AnglesTest, DegreesMinutesSecondsAreAddedAsTyped) {
  EXPECT_EQ(scheme::Degrees<Extended>(54, 11, 15).raw(), 54.1875L);
  EXPECT_EQ(scheme::Degrees<Extended>(-1, -30, 0).raw(), -1.5L);
  EXPECT_EQ(scheme::Degrees<Extended>(0, 90, 0).raw(), 1.5L);
  EXPECT_EQ(scheme::Degrees<Extended>(110, 24, 48).raw(), (48 / 3600.0L + 24 / 60.0L) + 110);
}

TEST(AnglesTest, HalfTurnBringsIntoTheHalfOpenCircle) {
  const std::pair<long double, long double> cases[] = {
      {-230.5L, 129.5L}, {180, 180}, {-180, 180}, {540, 180}, {-540, 180}, {359.75L, -0.25L}};
  for (const auto& [in, out] : cases) EXPECT_EQ(scheme::HalfTurn(X(in)).raw(), out) << in;
}

TEST(AnglesTest, AngleTextPartsAreComputedApartAndNotCarried) {
  const std::pair<double, const char*> cases[] = {
      {2 + 59.8 / 3600, "2°0`60``"}, {2 + 59.4 / 3600, "2°0`59``"}, {-1.5, "-1°-30`0``"},
      {-0.0000059, "0°0`0``"},       {-0.0013948, "0°0`-5``"},      {1e18, "1E18°0`0``"}};
  for (const auto& [degrees, text] : cases) EXPECT_EQ(DegreesToDmsText(degrees, ","), text);
  EXPECT_THROW((void)DegreesToDmsText(1e19, ","), CalcError);
}

}  // namespace
}  // namespace pothenot
