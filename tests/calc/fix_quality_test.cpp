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
#include "test_support.h"

namespace pothenot {
namespace {

using test::Point;
using LD = long double;
constexpr LD kRad = std::numbers::pi_v<LD> / 180;

LD Angle(const TWorksheet& s, const std::string& n) {  // radians
  auto part = [&](const char* p, LD unit) { return test::Value(s.text("E" + n + p)) / unit; };
  return (part("g", 1) + part("m", 60) + part("s", 3600)) * kRad;
}
LD Dir(Point from, Point to) {  // clockwise from north
  return std::atan2(static_cast<LD>(to.y) - from.y, static_cast<LD>(to.x) - from.x);
}
double Dist(Point a, Point b) {
  return std::hypot(a.x - b.x, a.y - b.y);
}
Point Polar(Point from, double degrees, double length) {  // to the centimetre, as typed
  const double r = degrees * std::numbers::pi / 180;
  return {std::round((from.x + length * std::cos(r)) * 100) / 100,
          std::round((from.y + length * std::sin(r)) * 100) / 100};
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
template <class F>
std::string Refusal(F run) {  // the message of the CalcError that `run` throws
  try {
    run();
  } catch (const CalcError& e) {
    return e.what();
  }
  return "(no error)";
}

// Random stations with sights of 200 m to 6 km in every direction. Every
// 50th figure also checks M and σ against the spread of the station and of
// δε as each of γ1, γ2 and ε moves by ±h seconds, and the verdict on the
// control at 1.5σ and 2.5σ.
TEST(FixQualityTest, RandomFiguresInAllQuadrantsAgreeWithIndependentGeometry) {
  std::mt19937 rng(8);
  std::uniform_real_distribution<double> coord(-20000, 20000), turn(0, 360), len(200, 6000);
  for (int i = 0, judged = 0; judged < 2500; ++i) {
    const Point P{coord(rng), coord(rng)};
    Point a = Polar(P, turn(rng), len(rng)), b = Polar(P, turn(rng), len(rng));
    Point c = Polar(P, turn(rng), len(rng)), d = Polar(P, turn(rng), len(rng));
    TWorksheet sheet;
    test::Fill(sheet, P, a, b, c, d);
    const double cut = CutDegrees(a, b, c, P), m = judged % 3 ? judged % 3 * 5.0 : 0.5;
    if (cut < 3) continue;  // near the danger circle the long-double reference is too weak
    const FixQuality q = AssessFix(sheet, ",", m);
    const Point t = Tienstra(a, b, c, Angle(sheet, "y1"), Angle(sheet, "y2"));
    const Point o = Circumcentre(a, b, c);
    SCOPED_TRACE(i);
    ASSERT_LT(Dist({q.Xp, q.Yp}, t), 1e-3);
    // The angles are cut to 0.01″: P moves by up to about M for 0.005″.
    EXPECT_LT(Dist({q.Xp, q.Yp}, P), 1e-3 + 2 * q.stationError * 0.005 / m);
    EXPECT_NEAR(q.cutAngle, CutDegrees(a, b, c, t), 1e-6 * q.cutAngle);
    EXPECT_EQ(q.geometry, cut >= 30   ? Geometry::Reliable
                          : cut >= 10 ? Geometry::Weak
                                      : Geometry::Dangerous);
    EXPECT_LT(Dist({q.circleX, q.circleY}, o), 1e-3);
    EXPECT_NEAR(q.circleRadius, Dist(o, a), 1e-3);
    EXPECT_NEAR(q.circleShare, std::fabs(Dist(o, t) / Dist(o, a) - 1), 1e-6 * q.circleShare);
    const LD de = std::remainder((Dir(t, a) - Dir(t, d) - Angle(sheet, "e2")) / kRad, 360);
    EXPECT_NEAR(q.controlDiscrepancy, static_cast<double>(de * 3600), 0.01);
    if (judged++ % 50 != 0 || cut < 5) continue;
    auto moved = [&](const char* field, double seconds) {
      TWorksheet copy = sheet;
      copy.setText(field, test::Comma(test::Value(sheet.text(field)) + seconds, 6));
      return AssessFix(copy, ",", m);
    };
    const double h = 0.5;
    double station = 0, control = 0;  // variances
    for (const char* field : {"Ey1s", "Ey2s", "Ee2s"}) {
      const FixQuality up = moved(field, h), down = moved(field, -h);
      station +=
          (std::pow(up.Xp - down.Xp, 2) + std::pow(up.Yp - down.Yp, 2)) * m * m / (4 * h * h);
      control += std::pow(up.controlDiscrepancy - down.controlDiscrepancy, 2) * m * m / (4 * h * h);
    }
    EXPECT_NEAR(q.stationError, std::sqrt(station), 0.01 * std::sqrt(station));
    EXPECT_NEAR(q.controlSigma, std::sqrt(control), 0.01 * std::sqrt(control));
    EXPECT_TRUE(moved("Ee2s", q.controlDiscrepancy - 1.5 * std::sqrt(control)).controlPassed);
    EXPECT_FALSE(moved("Ee2s", q.controlDiscrepancy + 2.5 * std::sqrt(control)).controlPassed);
  }
}

// A, B and C on a circle of 1000 m: the station walks from its centre out
// towards it, weakening, and finally onto it; then from outside. A, B and C
// on one line make the danger circle that line.
TEST(FixQualityTest, StationsTowardsTheDangerCircleWeakenThenThrow) {
  const Point A = Polar({5000, 5000}, 200, 1000), B = Polar({5000, 5000}, 320, 1000),
              C = Polar({5000, 5000}, 80, 1000), o = Circumcentre(A, B, C);
  auto at = [&](double rho) {
    TWorksheet sheet;
    const double r = rho * Dist(o, A);
    test::Fill(sheet, {o.x + r * std::cos(0.5), o.y + r * std::sin(0.5)}, A, B, C, {9000, 1000});
    return AssessFix(sheet, ",", 5);
  };
  std::vector<Geometry> seen;
  for (double rho : {0.0, 0.3, 0.6, 0.8, 0.9, 0.95, 0.98, 0.995, 1.5, 1.2, 1.02}) {
    const FixQuality q = at(rho);
    EXPECT_NEAR(q.circleShare, std::fabs(1 - rho), 1e-6) << rho;
    if (seen.empty() || seen.back() != q.geometry) seen.push_back(q.geometry);
  }
  EXPECT_EQ(seen, (std::vector{Geometry::Reliable, Geometry::Weak, Geometry::Dangerous,
                               Geometry::Reliable, Geometry::Weak, Geometry::Dangerous}));
  EXPECT_NE(Refusal([&] { at(1); }).find("опасном круге"), std::string::npos);
  TWorksheet line;
  test::Fill(line, {2000, -500}, {0, 0}, {1000, 1000}, {3000, 3000}, {-800, 400});
  const FixQuality q = AssessFix(line, ",", 5);
  const double foot = (q.Xp + q.Yp) / 2;  // of P on the line X = Y
  EXPECT_LT(Dist({q.Xp, q.Yp}, {2000, -500}), 1e-3);
  EXPECT_TRUE(std::isinf(q.circleRadius));
  EXPECT_LT(Dist({q.circleX, q.circleY}, {foot, foot}) + q.circleShare, 1e-9);
}

// Givens that fix no station say why; a text that is not a number is refused
// with Calculate's own message. The built-in figure scaled by 1E280 and
// 1E-280 scales its station's error.
TEST(FixQualityTest, GivensAtTheEdges) {
  const std::pair<std::vector<std::pair<const char*, const char*>>, std::string> cases[] = {
      {{{"EXb", "7373,14"}, {"EYb", "2737,12"}}, "A и B совпадают"},
      {{{"EXc", "10491,83"}, {"EYc", "3824,62"}}, "B и C совпадают"},
      {{{"Ey1g", "-360"}, {"Ey1m", "0"}, {"Ey1s", "0"}}, "γ1 равен 0° или 180°"},
      {{{"Ey2g", "179"}, {"Ey2m", "59"}, {"Ey2s", "60"}}, "γ2 равен 0° или 180°"},
      {{{"EXb", "2E3"},
        {"EXc", "2E3"},
        {"EXa", "2E3"},
        {"EYb", "2E3"},
        {"EYc", "-5E3"},
        {"EYa", "3"},
        {"Ey1g", "2E3"},
        {"Ey1m", "2E3"},
        {"Ey1s", "2E3"},
        {"Ey2g", "2E3"},
        {"Ey2m", "2E3"},
        {"Ey2s", "2E3"}},
       "опасном круге"},         // A, B, C on a line, γ1 = γ2: the circles meet only at A
      {{{"Ee2s", "15 с"}}, ""},  // "": Calculate's message
      {{{"EXa", "1E400"}}, ""},
  };
  for (const auto& [texts, says] : cases) {
    TWorksheet sheet;
    for (auto [field, text] : texts) sheet.setText(field, text);
    const std::string said = Refusal([&] { (void)AssessFix(sheet, ",", 5); });
    EXPECT_TRUE(says.empty() ? said == Refusal([&] { Calculate(sheet, ","); })
                             : said.find(says) != std::string::npos)
        << said;
  }
  TWorksheet example, huge, tiny;  // the example has commas; scaled by 1E280 and 1E-280
  EXPECT_EQ(Refusal([&] { (void)AssessFix(example, ".", 5); }),
            Refusal([&] { Calculate(example, "."); }));
  for (const char* f : {"EXa", "EYa", "EXb", "EYb", "EXc", "EYc", "EXd", "EYd"}) {
    huge.setText(f, huge.text(f) + "E280");
    tiny.setText(f, tiny.text(f) + "E-280");
  }
  const double M = AssessFix(example, ",", 5).stationError;
  EXPECT_NEAR(AssessFix(huge, ",", 5).stationError / 1e280, M, 1e-12);
  EXPECT_NEAR(AssessFix(tiny, ",", 5).stationError / 1e-280, M, 1e-12);
}

}  // namespace
}  // namespace pothenot
