#include "calc/angles.h"

#include <gtest/gtest.h>

#include <cmath>

#include "calc/calc_error.h"

namespace pothenot {
namespace {

Extended X(long double v) {
  return Extended::FromRaw(v);
}

CalcError::Kind CutOfCotangent(Extended degrees) {
  try {
    (void)TruncTo(Cotangent(degrees), 100000);
  } catch (const CalcError& e) {
    return e.kind();
  }
  return CalcError::Kind::NotANumber;  // no fault
}

TEST(AnglesTest, DegreesMinutesSecondsAreAddedAsTyped) {
  EXPECT_EQ(DmsToDegrees(54, 11, 15).raw(), 54.1875L);
  EXPECT_EQ(DmsToDegrees(-1, -30, 0).raw(), -1.5L);
  EXPECT_EQ(DmsToDegrees(0, 90, 0).raw(), 1.5L);
  EXPECT_EQ(DmsToDegrees(110, 24, 48).raw(), (48 / 3600.0L + 24 / 60.0L) + 110);
}

// ctg 0° divides by zero. The sines of the extended 180° and 360° are tiny
// but not zero: the cotangent is about 2E19, and its cut leaves the integers.
// At 90° and 270° the cosine is tiny instead and the cut is 0.
TEST(AnglesTest, CotangentAtExactAngles) {
  EXPECT_EQ(CutOfCotangent(0), CalcError::Kind::DivisionByZero);
  EXPECT_EQ(CutOfCotangent(-Extended(0)), CalcError::Kind::DivisionByZero);
  for (int degrees : {180, 360, -180}) {
    EXPECT_GT(std::fabs(Cotangent(degrees).raw()), 1e18L);
    EXPECT_EQ(CutOfCotangent(degrees), CalcError::Kind::InvalidOperation) << degrees;
  }
  EXPECT_EQ(TruncTo(Cotangent(90), 100000).raw(), 0.0L);
  EXPECT_EQ(TruncTo(Cotangent(270), 100000).raw(), 0.0L);
  EXPECT_NEAR(static_cast<double>(Cotangent(30).raw()), std::sqrt(3.0), 1e-15);
}

// From a station to a target ΔX north and ΔY east of it, in every quadrant and
// on the axes, the direction angle is atan2(ΔY, ΔX) in [0°, 360°).
TEST(AnglesTest, DirectionAngleAgreesWithTheGeometryInEveryQuadrant) {
  for (double dx : {-300.0, -1.0, 250.0, 0.5}) {
    for (double dy : {-40.0, 0.0, 17.5, 900.0}) {
      const double expected = std::fmod(std::atan2(dy, dx) * 180 / M_PI + 360, 360);
      const long double plain = DirectionAngleOfRatio(Extended(dy) / Extended(dx)).raw();
      EXPECT_TRUE(plain > 90 && plain < 270);
      const long double a = DirectionAngle(Extended(dy) / Extended(dx), dx > 0).raw();
      EXPECT_TRUE(a >= 0 && a < 360);
      EXPECT_NEAR(static_cast<double>(a), expected, 1e-12) << dx << " " << dy;
    }
  }
}

TEST(AnglesTest, ReduceAngleBringsIntoTheHalfOpenCircle) {
  const std::pair<long double, long double> cases[] = {
      {-230.5L, 129.5L}, {180, 180}, {-180, 180}, {540, 180}, {-540, 180}, {359.75L, -0.25L}};
  for (const auto& [in, out] : cases) EXPECT_EQ(ReduceAngle(X(in)).raw(), out) << in;
}

TEST(AnglesTest, AngleTextPartsAreComputedApartAndNotCarried) {
  const std::pair<double, const char*> cases[] = {{185.83294877675132, "185°49`59``"},
                                                  {240.0204428796262, "240°1`14``"},
                                                  {54.187494102874865, "54°11`15``"},
                                                  {2 + 59.8 / 3600, "2°0`60``"},
                                                  {2 + 59.4 / 3600, "2°0`59``"},
                                                  {-1.5, "-1°-30`0``"},
                                                  {-0.0000059, "0°0`0``"},
                                                  {-0.0013948, "0°0`-5``"},
                                                  {1e18, "1E18°0`0``"}};
  for (const auto& [degrees, text] : cases) EXPECT_EQ(DegreesToDmsText(degrees, ","), text);
  EXPECT_THROW((void)DegreesToDmsText(1e19, ","), CalcError);
}

}  // namespace
}  // namespace pothenot
