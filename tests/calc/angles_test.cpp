// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/angles.h"

#include <gtest/gtest.h>

#include "calc/calc_error.h"
#include "calc/scheme.h"

namespace pothenot {
namespace {

// Seconds and minutes first, as the worksheet sums them: another order
// moves the last bits of γ and ε.
TEST(AnglesTest, DegreesMinutesSecondsAreSummedInTheWorksheetsOrder) {
  EXPECT_EQ(scheme::Degrees<Extended>(110, 24, 48).raw(), (48 / 3600.0L + 24 / 60.0L) + 110);
  EXPECT_EQ(scheme::Degrees<Extended>(-1, -30, 0).raw(), -1.5L);
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
