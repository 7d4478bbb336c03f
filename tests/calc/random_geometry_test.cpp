// An independent check of the whole scheme: stations placed at random, the
// angles a surveyor would measure there computed in doubles from the true
// geometry, and the worksheet must find the station again to within what its
// cuts allow.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>

#include "calc/resection.h"
#include "tests/calc/geometry.h"

namespace pothenot {
namespace {

using test::Point;

double Centimetres(double v) {
  return std::round(v * 100) / 100;
}

// A point at a distance and direction from P, on the centimetre grid.
Point Around(Point P, double distance, double degrees) {
  const double r = degrees * M_PI / 180;
  return {Centimetres(P.x + distance * std::cos(r)), Centimetres(P.y + distance * std::sin(r))};
}

// A, B and C well apart as seen from P, and P well off the circle through
// them (on it the resection has no solution, near it none worth the name).
bool WellConditioned(const test::Geometry& g) {
  const double ax = g.A.x, ay = g.A.y, bx = g.B.x, by = g.B.y, cx = g.C.x, cy = g.C.y;
  const double d = 2 * (ax * (by - cy) + bx * (cy - ay) + cx * (ay - by));
  if (std::fabs(d) < 1e-6) return false;
  const double a2 = ax * ax + ay * ay, b2 = bx * bx + by * by, c2 = cx * cx + cy * cy;
  const double ux = (a2 * (by - cy) + b2 * (cy - ay) + c2 * (ay - by)) / d;
  const double uy = (a2 * (cx - bx) + b2 * (ax - cx) + c2 * (bx - ax)) / d;
  const double radius = std::hypot(ax - ux, ay - uy);
  return std::fabs(std::hypot(g.P.x - ux, g.P.y - uy) - radius) > 0.3 * radius;
}

TEST(RandomGeometryTest, WorksheetFindsTheStationInEveryQuadrant) {
  std::mt19937_64 random(20261206);
  std::uniform_real_distribution<double> coordinate(1000, 60000);
  std::uniform_real_distribution<double> distance(300, 1500);
  std::uniform_real_distribution<double> farther(1000, 2500);
  std::uniform_real_distribution<double> turn(0, 360);
  std::uniform_real_distribution<double> spread(40, 140);

  int checked = 0;
  double worstShift = 0, worstDelta = 0;
  while (checked < 2000) {
    const Point P{Centimetres(coordinate(random)), Centimetres(coordinate(random))};
    const double towardsA = turn(random);
    const double towardsB = towardsA + spread(random);
    const double towardsC = towardsB + spread(random);
    test::Geometry g{P, Around(P, distance(random), towardsA),
                     Around(P, distance(random), towardsB), Around(P, distance(random), towardsC),
                     Around(P, farther(random), turn(random))};
    if (!WellConditioned(g)) continue;

    TWorksheet sheet;
    test::Fill(sheet, g);
    ASSERT_NO_THROW(Calculate(sheet, ",")) << "station " << P.x << " " << P.y;
    ++checked;

    // What the cuts allow, in units of one cut: the hundredths of ΔY and ΔX,
    // with ΔX = C·ΔY carrying the cut of ΔY times |C| (large when A lies nearly
    // due north or south of P), and the five-decimal cuts of a, b and C, each
    // worth about 1E-5 of the longest sight. The K hundredths, amplified in
    // weaker figures, stay within a few such units.
    const double C = test::Value(sheet.text("EC"));
    double longest = 0;
    for (Point q : {g.A, g.B, g.C}) longest = std::max(longest, std::hypot(q.x - P.x, q.y - P.y));
    const double allowed = 4 * (0.01 * (1 + std::fabs(C)) + 1e-5 * longest);
    const double shift =
        std::hypot(test::Value(sheet.text("EXp")) - P.x, test::Value(sheet.text("EYp")) - P.y);
    worstShift = std::max(worstShift, shift / allowed);
    ASSERT_LT(shift, allowed) << "station " << P.x << " " << P.y << " C " << C;

    // The control sees that shift from A and from D as a few seconds, never as
    // the half turn of a direction angle taken from the wrong side.
    const double seen = (shift / std::hypot(g.A.x - P.x, g.A.y - P.y) +
                         shift / std::hypot(g.D.x - P.x, g.D.y - P.y)) *
                        206265;
    const double delta = std::fabs(test::ArcSeconds(sheet.text("Ede")));
    worstDelta = std::max(worstDelta, delta - seen);
    ASSERT_LT(delta, seen + 3) << "station " << P.x << " " << P.y << " δε " << sheet.text("Ede");
  }
  RecordProperty("worst_shift_of_allowed", std::to_string(worstShift));
  RecordProperty("worst_delta_over_seen_seconds", std::to_string(worstDelta));
  std::printf("worst shift %.2f of allowed; worst δε %.1f\" past the shift\n", worstShift,
              worstDelta);
}

}  // namespace
}  // namespace pothenot
