// SPDX-License-Identifier: GPL-3.0-or-later
// The judgement of a fix against geometry worked out here by other means:
// Tienstra's barycentric formula for the station, circumcentres and circle
// crossings from their definitions, finite differences for M and σ.
#include "calc/fix_quality.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "calc/calc_error.h"
#include "calc/resection.h"
#include "tests/calc/test_support.h"

namespace pothenot {
namespace {

using LD = long double;
using test::Point;
constexpr LD kRad = std::numbers::pi_v<LD> / 180;

LD Angle(const TWorksheet& s, const std::string& n) {  // radians
  auto part = [&](const char* p, LD unit) { return std::stod(s.text("E" + n + p)) / unit; };
  return (part("g", 1) + part("m", 60) + part("s", 3600)) * kRad;
}
LD Dir(Point from, Point to) {  // clockwise from north
  return std::atan2(static_cast<LD>(to.y) - from.y, static_cast<LD>(to.x) - from.x);
}
// The givens of `f` with a decimal point, read here by std::stod; the angles to 1E-4″.
TWorksheet Sheet(const test::Figure& f) {
  TWorksheet sheet;
  test::Fill(sheet, f, ".", 2, 4);
  return sheet;
}
double Dist(Point a, Point b) {
  return std::hypot(a.x - b.x, a.y - b.y);
}
Point Circumcentre(Point a, Point b, Point c) {  // |OA| = |OB| = |OC| solved by Cramer
  const LD a1 = 2 * (b.x - a.x), b1 = 2 * (b.y - a.y), a2 = 2 * (c.x - a.x), b2 = 2 * (c.y - a.y);
  const LD r1 = b.x * b.x + b.y * b.y - a.x * a.x - a.y * a.y;
  const LD r2 = c.x * c.x + c.y * c.y - a.x * a.x - a.y * a.y, det = a1 * b2 - a2 * b1;
  return {static_cast<double>((r1 * b2 - r2 * b1) / det),
          static_cast<double>((a1 * r2 - a2 * r1) / det)};
}
// P = Σ k·V / Σ k with k_A = 1 / (ctg ∠A − ctg ∠BPC) and so on, all clockwise.
Point Tienstra(Point A, Point B, Point C, LD g1, LD g2) {
  const LD kA = 1 / (1 / std::tan(Dir(A, C) - Dir(A, B)) - 1 / std::tan(g2 - g1));
  const LD kB = 1 / (1 / std::tan(Dir(B, A) - Dir(B, C)) + 1 / std::tan(g2));
  const LD kC = 1 / (1 / std::tan(Dir(C, B) - Dir(C, A)) - 1 / std::tan(g1)), k = kA + kB + kC;
  return {static_cast<double>((kA * A.x + kB * B.x + kC * C.x) / k),
          static_cast<double>((kA * A.y + kB * B.y + kC * C.y) / k)};
}
// The angle between the circles through A, B, P and A, C, P at P, in [0°, 90°].
double CutDegrees(Point A, Point B, Point C, Point P) {
  const LD a = std::fmod(
      std::fabs(Dir(P, Circumcentre(A, B, P)) - Dir(P, Circumcentre(A, C, P))) / kRad, 180);
  return static_cast<double>(a > 90 ? 180 - a : a);
}
// Random stations with sights of 50 m to 5 km in every direction. Every
// 50th figure also checks M and σ against the spread of the station and of
// δε as each of γ1, γ2 and ε moves by ±0.5″, and the verdict on the
// control at 1.5σ and 2.5σ.
TEST(FixQualityTest, RandomFiguresInAllQuadrantsAgreeWithIndependentGeometry) {
  std::mt19937_64 rng(8);
  for (int i = 0, judged = 0; judged < 2500; ++i) {
    const test::Figure f = test::RandomFigure(rng);
    const TWorksheet sheet = Sheet(f);
    const double cut = CutDegrees(f.A, f.B, f.C, f.P), m = judged % 3 ? judged % 3 * 5.0 : 0.5;
    if (cut < 3) continue;  // near the danger circle the long-double reference is too weak
    const FixQuality q = AssessFix(sheet, ".", m);
    const Point t = Tienstra(f.A, f.B, f.C, Angle(sheet, "y1"), Angle(sheet, "y2"));
    const Point o = Circumcentre(f.A, f.B, f.C);
    SCOPED_TRACE(i);
    ASSERT_LT(Dist({q.Xp, q.Yp}, t), 1e-3);
    EXPECT_NEAR(q.cutAngle, CutDegrees(f.A, f.B, f.C, t), 1e-6 * q.cutAngle);
    EXPECT_EQ(q.geometry, cut >= 30   ? Geometry::Reliable
                          : cut >= 10 ? Geometry::Weak
                                      : Geometry::Dangerous);
    EXPECT_LT(Dist({q.circleX, q.circleY}, o), 1e-3);
    EXPECT_NEAR(q.circleRadius, Dist(o, f.A), 1e-3);
    EXPECT_NEAR(q.circleShare, std::fabs(Dist(o, t) / Dist(o, f.A) - 1), 1e-6 * q.circleShare);
    const LD de = std::remainder((Dir(t, f.A) - Dir(t, f.D) - Angle(sheet, "e2")) / kRad, 360);
    EXPECT_NEAR(q.controlDiscrepancy, static_cast<double>(de * 3600), 0.01);
    if (judged++ % 50 != 0 || cut < 5) continue;
    auto moved = [&](const char* field, double seconds) {
      TWorksheet copy = sheet;
      copy.setText(field, test::Written(std::stod(sheet.text(field)) + seconds, 4, "."));
      return AssessFix(copy, ".", m);
    };
    double station = 0, control = 0;  // variances; a derivative is up − down over 1″
    for (const char* field : {"Ey1s", "Ey2s", "Ee2s"}) {
      const FixQuality up = moved(field, 0.5), down = moved(field, -0.5);
      station += (std::pow(up.Xp - down.Xp, 2) + std::pow(up.Yp - down.Yp, 2)) * m * m;
      control += std::pow(up.controlDiscrepancy - down.controlDiscrepancy, 2) * m * m;
    }
    EXPECT_NEAR(q.stationError, std::sqrt(station), 0.01 * std::sqrt(station));
    EXPECT_NEAR(q.controlSigma, std::sqrt(control), 0.01 * std::sqrt(control));
    EXPECT_TRUE(moved("Ee2s", q.controlDiscrepancy - 1.5 * std::sqrt(control)).controlPassed);
    EXPECT_FALSE(moved("Ee2s", q.controlDiscrepancy + 2.5 * std::sqrt(control)).controlPassed);
  }
}

// A, B and C at 200°, 320° and 80° on a circle of 1000 m about (5000, 5000),
// to the centimetre: the station walks from its centre out
// towards it, weakening, and finally onto it; then from outside. A, B and C
// on one line make the danger circle that line.
TEST(FixQualityTest, StationsTowardsTheDangerCircleWeakenThenThrow) {
  const Point A{4060.31, 4657.98}, B{5766.04, 4357.21}, C{5173.65, 5984.81};
  const Point o = Circumcentre(A, B, C);
  auto at = [&](double rho) {
    const double r = rho * Dist(o, A);
    return AssessFix(
        Sheet({{o.x + r * std::cos(0.5), o.y + r * std::sin(0.5)}, A, B, C, {9000, 1000}}), ".", 5);
  };
  std::vector<Geometry> seen;
  for (double rho : {0.0, 0.3, 0.6, 0.8, 0.9, 0.95, 0.98, 0.995, 1 - 2e-6, 1.5, 1.2, 1.02}) {
    const FixQuality q = at(rho);
    EXPECT_NEAR(q.circleShare, std::fabs(1 - rho), 1e-6) << rho;
    if (seen.empty() || seen.back() != q.geometry) seen.push_back(q.geometry);
  }
  EXPECT_EQ(seen, (std::vector{Geometry::Reliable, Geometry::Weak, Geometry::Dangerous,
                               Geometry::Reliable, Geometry::Weak, Geometry::Dangerous}));
  // On it, or nearer than 1E-6 of the shortest sight (867 m here; 2E-6 was
  // still judged): refused.
  for (double rho : {1.0, 1 - 5e-7})
    EXPECT_NE(test::MessageOf([&] { return at(rho); }).find("опасном круге"), std::string::npos);
  const FixQuality q = AssessFix(Sheet({{20, -5}, {0, 0}, {10, 10}, {30, 30}, {-8, 4}}), ".", 5);
  const double foot = (q.Xp + q.Yp) / 2;  // of P on the line X = Y
  EXPECT_LT(Dist({q.Xp, q.Yp}, {20, -5}), 1e-6);
  EXPECT_TRUE(std::isinf(q.circleRadius));
  EXPECT_LT(Dist({q.circleX, q.circleY}, {foot, foot}) + q.circleShare, 1e-9);
}

// Givens that fix no station say why; a text too large is refused with
// Calculate's own message. The built-in figure scaled by 1E280 and
// 1E-280 scales its station's error.
TEST(FixQualityTest, GivensAtTheEdges) {
  const std::pair<const char*, std::string> cases[] = {
      {"EXb=7373,14|EYb=2737,12", "A и B совпадают"},
      {"EXc=10491,83|EYc=3824,62", "B и C совпадают"},
      {"Ey2g=179|Ey2m=59|Ey2s=60", "γ2 равен 0° или 180°"},
      // A, B, C on a line, γ1 = γ2: the circles meet only at A.
      {"EXa=0|EXb=0|EXc=0|EYa=0|EYb=1|EYc=-1|Ey2g=110|Ey2m=24|Ey2s=48", "опасном круге"},
      {"EXa=1E400", ""},  // "": Calculate's message, not the one of an overflow in the figure
  };
  for (const auto& [typed, says] : cases) {
    TWorksheet sheet;
    test::Type(sheet, typed);
    const std::string said = test::MessageOf([&] { return AssessFix(sheet, ",", 5); });
    const std::string calculated = test::MessageOf([&] { Calculate(sheet, ","); });
    EXPECT_TRUE(says.empty() ? said == calculated : said.find(says) != std::string::npos) << said;
    EXPECT_NE(said, "");
  }
  const double M = AssessFix(TWorksheet(), ",", 5).stationError;
  for (const std::string scale : {"E280", "E-280"}) {
    TWorksheet scaled;
    for (const char* f : {"EXa", "EYa", "EXb", "EYb", "EXc", "EYc", "EXd", "EYd"})
      scaled.setText(f, scaled.text(f) + scale);
    EXPECT_NEAR(AssessFix(scaled, ",", 5).stationError / std::stod("1" + scale), M, 1e-12);
  }
}

}  // namespace
}  // namespace pothenot
