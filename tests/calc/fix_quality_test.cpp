// The judgement of a fix against geometry worked out here by other means:
// Tienstra's barycentric formula for the station, circumcentres and circle
// crossings from their definitions, and finite differences for M and σ.
#include "calc/fix_quality.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "calc/calc_error.h"
#include "calc/resection.h"
#include "test_support.h"

namespace pothenot {
namespace {

using test::Point;
using LD = long double;
constexpr LD kRad = std::numbers::pi_v<LD> / 180;

LD Text(const TWorksheet& sheet, const char* name) {
  return test::Value(sheet.text(name));
}
LD Angle(const TWorksheet& s, const std::string& n) {
  return Text(s, ("E" + n + "g").c_str()) + Text(s, ("E" + n + "m").c_str()) / 60 +
         Text(s, ("E" + n + "s").c_str()) / 3600;
}
Point Given(const TWorksheet& s, char p) {
  const std::string x = std::string("EX") + p, y = std::string("EY") + p;
  return {static_cast<double>(Text(s, x.c_str())), static_cast<double>(Text(s, y.c_str()))};
}
LD Dir(Point from, Point to) {  // radians, clockwise from north
  return std::atan2(static_cast<LD>(to.y) - from.y, static_cast<LD>(to.x) - from.x);
}
LD Cot(LD x) {
  return std::cos(x) / std::sin(x);
}
double Dist(Point a, Point b) {
  return std::hypot(a.x - b.x, a.y - b.y);
}
Point Circumcentre(Point a, Point b, Point c) {  // from |OA| = |OB| = |OC|, by Cramer
  const LD a1 = 2 * (b.x - a.x), b1 = 2 * (b.y - a.y), a2 = 2 * (c.x - a.x), b2 = 2 * (c.y - a.y);
  const LD r1 = b.x * b.x + b.y * b.y - a.x * a.x - a.y * a.y;
  const LD r2 = c.x * c.x + c.y * c.y - a.x * a.x - a.y * a.y;
  const LD det = a1 * b2 - a2 * b1;
  return {static_cast<double>((r1 * b2 - r2 * b1) / det),
          static_cast<double>((a1 * r2 - a2 * r1) / det)};
}

// Tienstra: P = Σ k·V / Σ k with k_A = 1 / (ctg ∠A − ctg ∠BPC), and so on,
// every angle taken clockwise, the triangle's angles in the same sense.
Point Tienstra(const TWorksheet& s) {
  const Point A = Given(s, 'a'), B = Given(s, 'b'), C = Given(s, 'c');
  const LD g1 = Angle(s, "y1") * kRad, g2 = Angle(s, "y2") * kRad;
  const LD kA = 1 / (Cot(Dir(A, C) - Dir(A, B)) - Cot(g2 - g1));
  const LD kB = 1 / (Cot(Dir(B, A) - Dir(B, C)) - Cot(-g2));
  const LD kC = 1 / (Cot(Dir(C, B) - Dir(C, A)) - Cot(g1));
  const LD sum = kA + kB + kC;
  return {static_cast<double>((kA * A.x + kB * B.x + kC * C.x) / sum),
          static_cast<double>((kA * A.y + kB * B.y + kC * C.y) / sum)};
}

// The angle between the circles through A, B, P and A, C, P: between their
// radii to P, folded into [0°, 90°].
double CutDegrees(Point A, Point B, Point C, Point P) {
  const Point o1 = Circumcentre(A, B, P), o2 = Circumcentre(A, C, P);
  LD a = std::fabs(Dir(P, o1) - Dir(P, o2)) / kRad;
  a = std::fmod(a, 180);
  return static_cast<double>(a > 90 ? 180 - a : a);
}

Point Polar(Point from, double degrees, double length) {
  const double r = degrees * std::numbers::pi / 180;
  auto cm = [](double v) { return std::round(v * 100) / 100; };  // as the givens carry them
  return {cm(from.x + length * std::cos(r)), cm(from.y + length * std::sin(r))};
}

TEST(FixQualityTest, RandomFiguresInAllQuadrantsAgreeWithIndependentGeometry) {
  std::mt19937 rng(8);
  std::uniform_real_distribution<double> coord(-20000, 20000), turn(0, 360), len(200, 6000);
  int judged = 0;
  for (int i = 0; i < 3000; ++i) {
    const Point P{coord(rng), coord(rng)};
    const Point A = Polar(P, turn(rng), len(rng)), B = Polar(P, turn(rng), len(rng)),
                C = Polar(P, turn(rng), len(rng)), D = Polar(P, turn(rng), len(rng));
    TWorksheet sheet;
    test::Fill(sheet, P, A, B, C, D);
    const Point a = Given(sheet, 'a'), b = Given(sheet, 'b'), c = Given(sheet, 'c');
    const double cut = CutDegrees(a, b, c, P);
    if (cut < 3) continue;  // near the danger circle the long-double reference is too weak
    ++judged;
    const FixQuality q = AssessFix(sheet, ",", 5);
    const Point t = Tienstra(sheet);
    SCOPED_TRACE(i);
    ASSERT_LT(Dist({q.Xp, q.Yp}, t), 1e-3);
    // The angles are cut to 0.01″: P moves by up to about M for 0.005″.
    EXPECT_LT(Dist({q.Xp, q.Yp}, P), 1e-3 + 2 * q.stationError * 0.005 / 5);
    EXPECT_NEAR(q.cutAngle, CutDegrees(a, b, c, {q.Xp, q.Yp}), 1e-6 * q.cutAngle);
    EXPECT_EQ(q.geometry, cut >= 30   ? Geometry::Reliable
                          : cut >= 10 ? Geometry::Weak
                                      : Geometry::Dangerous);
    const Point o = Circumcentre(a, b, c);
    const double radius = Dist(o, a);
    EXPECT_LT(Dist({q.circleX, q.circleY}, o), 1e-3);
    EXPECT_NEAR(q.circleRadius, radius, 1e-3);
    EXPECT_NEAR(q.circleShare, std::fabs(Dist(o, t) - radius) / radius, 1e-6 * q.circleShare);
    const Point d = Given(sheet, 'd');
    const double de = static_cast<double>(
        std::remainder((Dir(t, a) - Dir(t, d)) / kRad - Angle(sheet, "e2"), 360) * 3600);
    EXPECT_NEAR(q.controlDiscrepancy, de, 0.01);
  }
  EXPECT_GT(judged, 2500);
}

// M and σ against the spread of the station and of δε when each angle moves
// by ±h seconds; and the verdict on the control at 1.5σ and 2.5σ.
TEST(FixQualityTest, ErrorsAgreeWithFiniteDifferences) {
  std::mt19937 rng(2);
  std::uniform_real_distribution<double> coord(-20000, 20000), turn(0, 360), len(200, 6000);
  const double h = 0.5;
  for (int i = 0, judged = 0; judged < 40; ++i) {
    const Point P{coord(rng), coord(rng)};
    TWorksheet sheet;
    test::Fill(sheet, P, Polar(P, turn(rng), len(rng)), Polar(P, turn(rng), len(rng)),
               Polar(P, turn(rng), len(rng)), Polar(P, turn(rng), len(rng)));
    const double m = std::array{0.5, 5.0, 60.0}[i % 3];
    const FixQuality q = AssessFix(sheet, ",", m);
    if (q.cutAngle < 5) continue;
    ++judged;
    auto moved = [&](const char* field, double seconds) {
      TWorksheet copy = sheet;
      copy.setText(field, test::Comma(test::Value(sheet.text(field)) + seconds, 6));
      return copy;
    };
    double stationVariance = 0, controlVariance = 0;
    for (const char* field : {"Ey1s", "Ey2s", "Ee2s"}) {
      const FixQuality up = AssessFix(moved(field, h), ",", m);
      const FixQuality down = AssessFix(moved(field, -h), ",", m);
      const double dX = (up.Xp - down.Xp) / (2 * h), dY = (up.Yp - down.Yp) / (2 * h);
      const double dE = (up.controlDiscrepancy - down.controlDiscrepancy) / (2 * h);
      stationVariance += (dX * dX + dY * dY) * m * m;
      controlVariance += dE * dE * m * m;
    }
    SCOPED_TRACE(i);
    EXPECT_NEAR(q.stationError, std::sqrt(stationVariance), 0.01 * std::sqrt(stationVariance));
    EXPECT_NEAR(q.controlSigma, std::sqrt(controlVariance), 0.01 * std::sqrt(controlVariance));
    const double sigma = std::sqrt(controlVariance), off = q.controlDiscrepancy;
    EXPECT_TRUE(AssessFix(moved("Ee2s", off - 1.5 * sigma), ",", m).controlPassed);
    EXPECT_FALSE(AssessFix(moved("Ee2s", off + 2.5 * sigma), ",", m).controlPassed);
  }
}

// A, B and C on a circle of 1000 m; the station walks from far outside to its
// centre and back out towards the circle, which it finally reaches.
TEST(FixQualityTest, StationsTowardsTheDangerCircleWeakenThenThrow) {
  const Point O{5000, 5000};
  const Point A = Polar(O, 200, 1000), B = Polar(O, 320, 1000), C = Polar(O, 80, 1000);
  const Point D{9000, 1000};
  const Point o = Circumcentre(A, B, C);  // of the points as typed, to the centimetre
  const double radius = Dist(o, A);
  int worst = 0;
  bool weak = false;
  for (double rho : {0.0, 0.3, 0.6, 0.8, 0.9, 0.95, 0.98, 0.995}) {
    TWorksheet sheet;
    const Point P{o.x + rho * radius * std::cos(0.5), o.y + rho * radius * std::sin(0.5)};
    test::Fill(sheet, P, A, B, C, D);
    const FixQuality q = AssessFix(sheet, ",", 5);
    SCOPED_TRACE(rho);
    const int rank = static_cast<int>(q.geometry);
    EXPECT_GE(rank, worst);
    worst = rank;
    weak = weak || q.geometry == Geometry::Weak;
    EXPECT_NEAR(q.circleShare, 1 - rho, 1e-6);
    if (rho == 0) {
      EXPECT_EQ(q.geometry, Geometry::Reliable);
    }
  }
  EXPECT_TRUE(weak);
  EXPECT_EQ(worst, static_cast<int>(Geometry::Dangerous));
  TWorksheet onCircle;
  test::Fill(onCircle, {o.x + radius * std::cos(0.5), o.y + radius * std::sin(0.5)}, A, B, C, D);
  try {
    (void)AssessFix(onCircle, ",", 5);
    ADD_FAILURE() << "a station on the danger circle was fixed";
  } catch (const CalcError& e) {
    EXPECT_NE(std::string(e.what()).find("опасном круге"), std::string::npos) << e.what();
  }
}

// Givens that fix no station say why; a text that is not a number is refused
// as Calculate refuses it.
TEST(FixQualityTest, GivensThatFixNoStationSayWhy) {
  const struct {
    std::vector<std::pair<const char*, const char*>> texts;
    const char* says;  // nullptr: Calculate's own message
  } cases[] = {
      {{{"EXb", "7373,14"}, {"EYb", "2737,12"}}, "A и B совпадают"},
      {{{"EXc", "10491,83"}, {"EYc", "3824,62"}}, "B и C совпадают"},
      {{{"Ey1g", "0"}, {"Ey1m", "0"}, {"Ey1s", "0"}}, "γ1 равен 0° или 180°"},
      {{{"Ey2g", "179"}, {"Ey2m", "59"}, {"Ey2s", "60"}}, "γ2 равен 0° или 180°"},
      {{{"Ey1g", "-360"}, {"Ey1m", "0"}, {"Ey1s", "0"}}, "γ1 равен 0° или 180°"},
      {{{"Ee2s", "15 с"}}, nullptr},
      {{{"EYd", ""}}, nullptr},
      {{{"EXa", "1E400"}}, nullptr},
  };
  for (const auto& c : cases) {
    TWorksheet sheet;
    for (auto [field, text] : c.texts) sheet.setText(field, text);
    std::string expected = c.says ? c.says : "";
    if (!c.says) {
      TWorksheet copy = sheet;
      try {
        Calculate(copy, ",");
      } catch (const CalcError& e) {
        expected = e.what();
      }
    }
    SCOPED_TRACE(expected);
    try {
      (void)AssessFix(sheet, ",", 5);
      ADD_FAILURE() << "no error";
    } catch (const CalcError& e) {
      if (c.says) {
        EXPECT_NE(std::string(e.what()).find(expected), std::string::npos) << e.what();
      } else {
        EXPECT_EQ(e.what(), expected);
      }
    }
  }
}

// The built-in figure scaled by 1E280 and by 1E-280: the same angles, the same
// verdicts, every length scaled; and A, B, C on one line: the danger circle
// is that line.
TEST(FixQualityTest, ScaledAndStraightFigures) {
  const FixQuality base = AssessFix(TWorksheet(), ",", 5);
  for (double scale : {1e280, 1e-280}) {
    TWorksheet sheet;
    const std::string e = scale > 1 ? "E280" : "E-280";
    for (const char* f : {"EXa", "EYa", "EXb", "EYb", "EXc", "EYc", "EXd", "EYd"}) {
      sheet.setText(f, sheet.text(f) + e);
    }
    const FixQuality q = AssessFix(sheet, ",", 5);
    SCOPED_TRACE(e);
    EXPECT_NEAR(q.Xp / scale, base.Xp, 1e-9);
    EXPECT_NEAR(q.circleRadius / scale, base.circleRadius, 1e-9);
    EXPECT_NEAR(q.stationError / scale, base.stationError, 1e-12);
    EXPECT_NEAR(q.cutAngle, base.cutAngle, 1e-9);
    EXPECT_NEAR(q.controlDiscrepancy, base.controlDiscrepancy, 1e-6);
    EXPECT_NEAR(q.controlSigma, base.controlSigma, 1e-9);
  }
  TWorksheet line;
  const Point P{2000, -500};
  test::Fill(line, P, {0, 0}, {1000, 1000}, {3000, 3000}, {-800, 400});
  const FixQuality q = AssessFix(line, ",", 5);
  EXPECT_LT(Dist({q.Xp, q.Yp}, P), 1e-3);
  EXPECT_TRUE(std::isinf(q.circleRadius));
  EXPECT_EQ(q.circleShare, 0);
  const double foot = (q.Xp + q.Yp) / 2;  // of P on the line X = Y
  EXPECT_LT(Dist({q.circleX, q.circleY}, {foot, foot}), 1e-9);
}

}  // namespace
}  // namespace pothenot
