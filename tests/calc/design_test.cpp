// SPDX-License-Identifier: GPL-3.0-or-later
// A station's angles and accuracy where it would stand: the angles against
// std::atan2, M against AssessFix.
#include "calc/design.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "calc/fix_quality.h"
#include "tests/calc/test_support.h"

namespace pothenot {
namespace {

PlanePoint At(test::Point p) {
  return {p.x, p.y};
}

// Each angle is the true one rounded to whole seconds, its parts in range.
// (That the station comes back from such angles, within what 0.5″ moves it,
// follows from AssessFix's and M's own tests.)
TEST(DesignTest, AnglesAtAStationAreItsAnglesRounded) {
  std::mt19937_64 rng(18);
  for (int i = 0; i < 2000; ++i) {
    const test::Figure f = test::RandomFigure(rng);
    const MeasuredAngles m = AnglesAt(At(f.P), At(f.A), At(f.B), At(f.C), At(f.D));
    const double toA = test::DirectionDegrees(f.P, f.A);
    for (auto [d, exact] : {std::pair{m.gamma1, test::DirectionDegrees(f.P, f.B) - toA},
                            {m.gamma2, test::DirectionDegrees(f.P, f.C) - toA},
                            {m.epsilon, toA - test::DirectionDegrees(f.P, f.D)}}) {
      SCOPED_TRACE(i);
      EXPECT_TRUE(d.degrees >= 0 && d.degrees < 360 && d.minutes >= 0 && d.minutes < 60 &&
                  d.seconds >= 0 && d.seconds < 60);
      const auto seconds = double(d.degrees * 3600 + d.minutes * 60 + d.seconds);
      EXPECT_LE(std::fabs(std::remainder(seconds - exact * 3600, 1296000)), 0.5 + 1e-6);
    }
  }
}

// M at the station AssessFix finds is AssessFix's, for any m_β; on the
// danger circle and at a known point it is unbounded.
TEST(DesignTest, MeanSquareErrorAtIsAssessFixsAndUnboundedOnTheCircle) {
  std::mt19937_64 rng(19);
  for (int i = 0; i < 500; ++i) {
    const test::Figure f = test::RandomFigure(rng);
    TWorksheet sheet;
    test::Fill(sheet, f, ".");
    const double m = i % 3 == 0 ? 0.5 : i % 3 * 10.0;
    const FixQuality q = AssessFix(sheet, ".", m);
    EXPECT_NEAR(MeanSquareErrorAt({q.Xp, q.Yp}, At(f.A), At(f.B), At(f.C), m), q.stationError,
                1e-9 * q.stationError)
        << i;
  }
  const PlanePoint A{1000, 0}, B{0, 1000}, C{-1000, 0};
  for (PlanePoint P : {PlanePoint{1000 * std::cos(1.0), 1000 * std::sin(1.0)}, A, C})
    EXPECT_EQ(MeanSquareErrorAt(P, A, B, C, 5), HUGE_VAL);
  EXPECT_GT(MeanSquareErrorAt({0, -1000.001}, A, B, C, 5), 50.0);
  EXPECT_LT(MeanSquareErrorAt({0, -1000.001}, A, B, C, 5), HUGE_VAL);
}

}  // namespace
}  // namespace pothenot
