#include "calc/angles.h"

#include <gtest/gtest.h>

#include <cmath>

#include "calc/calc_error.h"

namespace pothenot {
namespace {

Extended X(long double v) {
  return Extended::FromRaw(v);
}

TEST(AnglesTest, DegreesMinutesSecondsAreAddedAsTyped) {
  EXPECT_EQ(DmsToDegrees(54, 11, 15).raw(), 54.1875L);
  EXPECT_EQ(DmsToDegrees(-1, -30, 0).raw(), -1.5L);
  EXPECT_EQ(DmsToDegrees(0, 90, 0).raw(), 1.5L);  // 60 minutes and more are simply added
  EXPECT_EQ(DmsToDegrees(0, 0, 5400).raw(), 1.5L);
  EXPECT_EQ(DmsToDegrees(X(0.5L), X(-30), 0).raw(), 0.0L);
  // The sum order is (s/3600 + m/60) + d, each step rounded in extended.
  EXPECT_EQ(DmsToDegrees(110, 24, 48).raw(), (48 / 3600.0L + 24 / 60.0L) + 110);
}

TEST(AnglesTest, CotangentAtTheBuiltInAngles) {
  EXPECT_EQ(TruncTo(Cotangent(DmsToDegrees(110, 24, 48)), 100000).raw(), -37216.0L / 100000);
  EXPECT_EQ(TruncTo(Cotangent(DmsToDegrees(203, 23, 57)), 100000).raw(), 231095.0L / 100000);
  EXPECT_NEAR(static_cast<double>(Cotangent(X(30)).raw()), std::sqrt(3.0), 1e-15);
}

TEST(AnglesTest, CotangentAtExactAngles) {
  try {
    (void)Cotangent(0);
    FAIL() << "ctg 0° must divide by zero";
  } catch (const CalcError& e) {
    EXPECT_EQ(e.kind(), CalcError::Kind::DivisionByZero);
  }
  EXPECT_THROW((void)Cotangent(-Extended(0)), CalcError);

  // The sine of the extended 180° and 360° is tiny, not zero: a finite cotangent
  // of about 2E19 whose cut no longer fits a 64-bit integer.
  for (int degrees : {180, 360, -180}) {
    const Extended cot = Cotangent(degrees);
    EXPECT_GT(std::fabs(cot.raw()), 1e18L) << degrees;
    try {
      (void)TruncTo(cot, 100000);
      FAIL() << degrees;
    } catch (const CalcError& e) {
      EXPECT_EQ(e.kind(), CalcError::Kind::InvalidOperation);
    }
  }
  // At 90° and 270° the cosine of the extended argument is tiny: the cut is 0.
  EXPECT_LT(std::fabs(Cotangent(90).raw()), 1e-18L);
  EXPECT_EQ(TruncTo(Cotangent(90), 100000).raw(), 0.0L);
  EXPECT_EQ(TruncTo(Cotangent(270), 100000).raw(), 0.0L);
  // At 45° the cotangent lands within a few ulps of 1; the cut keeps 1 or 0,99999.
  EXPECT_NEAR(static_cast<double>(Cotangent(45).raw()), 1.0, 1e-18);
}

TEST(AnglesTest, DirectionAngleOfARatioLiesBetween90And270) {
  EXPECT_EQ(DirectionAngleOfRatio(0).raw(), 180.0L);
  for (long double q : {-1e9L, -3.0L, -0.1L, 0.1L, 7.0L, 1e9L}) {
    const long double a = DirectionAngleOfRatio(X(q)).raw();
    EXPECT_GT(a, 90.0L);
    EXPECT_LT(a, 270.0L);
  }
  // Past about 1E20 the arctangent rounds onto ±π/2 and the angle onto the bound.
  EXPECT_EQ(DirectionAngleOfRatio(X(-1e300L)).raw(), 90.0L);
  EXPECT_EQ(DirectionAngleOfRatio(X(1e300L)).raw(), 270.0L);
}

// From a station to a target ΔX north and ΔY east of it, in every quadrant and
// on the axes, the direction angle is atan2(ΔY, ΔX) in [0°, 360°).
TEST(AnglesTest, DirectionAngleAgreesWithTheGeometryInEveryQuadrant) {
  for (double dx : {-300.0, -1.0, 250.0, 0.5}) {
    for (double dy : {-40.0, 0.0, 17.5, 900.0}) {
      double expected = std::atan2(dy, dx) * 180 / M_PI;
      if (expected < 0) expected += 360;
      const long double a = DirectionAngle(Extended(dy) / Extended(dx), dx > 0).raw();
      EXPECT_GE(a, 0.0L);
      EXPECT_LT(a, 360.0L);
      EXPECT_NEAR(static_cast<double>(a), expected, 1e-12) << "dx " << dx << " dy " << dy;
    }
  }
}

TEST(AnglesTest, ReduceAngleBringsIntoTheHalfOpenCircle) {
  EXPECT_EQ(ReduceAngle(X(-230.5L)).raw(), 129.5L);
  EXPECT_EQ(ReduceAngle(X(129.5L)).raw(), 129.5L);
  EXPECT_EQ(ReduceAngle(180).raw(), 180.0L);
  EXPECT_EQ(ReduceAngle(-180).raw(), 180.0L);
  EXPECT_EQ(ReduceAngle(540).raw(), 180.0L);
  EXPECT_EQ(ReduceAngle(-540).raw(), 180.0L);
  EXPECT_EQ(ReduceAngle(X(-1e-7L)).raw(), -1e-7L);
  EXPECT_EQ(ReduceAngle(X(359.75L)).raw(), -0.25L);
  EXPECT_EQ(ReduceAngle(X(1e300L)).raw(), std::remainder(1e300L, 360.0L));  // exact, any size
}

TEST(AnglesTest, AngleTextsOfTheBuiltInExample) {
  EXPECT_EQ(DegreesToDmsText(185.83294877675132, ","), "185°49`59``");
  EXPECT_EQ(DegreesToDmsText(240.0204428796262, ","), "240°1`14``");
  EXPECT_EQ(DegreesToDmsText(54.187494102874865, ","), "54°11`15``");
}

TEST(AnglesTest, AngleTextPartsAreNotCarried) {
  EXPECT_EQ(DegreesToDmsText(X(2 + 59.8L / 3600), ","), "2°0`60``");
  EXPECT_EQ(DegreesToDmsText(X(2 + 59.4L / 3600), ","), "2°0`59``");
  EXPECT_EQ(DegreesToDmsText(-1.5, ","), "-1°-30`0``");
  EXPECT_EQ(DegreesToDmsText(-0.0000059, ","), "0°0`0``");
  EXPECT_EQ(DegreesToDmsText(-0.0013948, ","), "0°0`-5``");
  EXPECT_EQ(DegreesToDmsText(0, ","), "0°0`0``");
  EXPECT_EQ(DegreesToDmsText(-Extended(0), ","), "0°0`0``");
}

TEST(AnglesTest, AngleTextOfAnAngleBeyondTheIntegersIsInvalid) {
  EXPECT_EQ(DegreesToDmsText(1e18, ","), "1E18°0`0``");
  try {
    (void)DegreesToDmsText(1e19, ",");
    FAIL();
  } catch (const CalcError& e) {
    EXPECT_EQ(e.kind(), CalcError::Kind::InvalidOperation);
  }
}

}  // namespace
}  // namespace pothenot
