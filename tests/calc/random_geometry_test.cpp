// An independent check of the whole scheme: stations placed at random, the
// angles a surveyor would measure there computed in doubles from the true
// geometry, and the worksheet must find the station again to within what its
// cuts allow, and its control must agree.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "calc/resection.h"
#include "tests/calc/test_support.h"

namespace pothenot {
namespace {

using test::Point;

double Centimetres(double v) {
  return std::round(v * 100) / 100;
}

Point Around(Point P, double distance, double degrees) {
  const double r = degrees * M_PI / 180;
  return {Centimetres(P.x + distance * std::cos(r)), Centimetres(P.y + distance * std::sin(r))};
}

// How far P lies off the circle through A, B and C, as a part of its radius:
// on it the resection has no solution, near it none worth the name.
double OffTheCircle(Point P, Point A, Point B, Point C) {
  const double d = 2 * (A.x * (B.y - C.y) + B.x * (C.y - A.y) + C.x * (A.y - B.y));
  const double a2 = A.x * A.x + A.y * A.y, b2 = B.x * B.x + B.y * B.y, c2 = C.x * C.x + C.y * C.y;
  const double ux = (a2 * (B.y - C.y) + b2 * (C.y - A.y) + c2 * (A.y - B.y)) / d;
  const double uy = (a2 * (C.x - B.x) + b2 * (A.x - C.x) + c2 * (B.x - A.x)) / d;
  const double radius = std::hypot(A.x - ux, A.y - uy);
  return std::fabs(std::hypot(P.x - ux, P.y - uy) - radius) / radius;
}

TEST(RandomGeometryTest, WorksheetFindsTheStationInEveryQuadrant) {
  std::mt19937_64 random(20261206);
  std::uniform_real_distribution<double> coordinate(1000, 60000), distance(300, 1500),
      farther(1000, 2500), turn(0, 360), spread(40, 140);
  for (int checked = 0; checked < 2000;) {
    const Point P{Centimetres(coordinate(random)), Centimetres(coordinate(random))};
    const double toA = turn(random), toB = toA + spread(random), toC = toB + spread(random);
    const Point A = Around(P, distance(random), toA), B = Around(P, distance(random), toB),
                C = Around(P, distance(random), toC), D = Around(P, farther(random), turn(random));
    if (OffTheCircle(P, A, B, C) < 0.3) continue;
    ++checked;
    TWorksheet sheet;
    test::Fill(sheet, P, A, B, C, D);
    ASSERT_NO_THROW(Calculate(sheet, ",")) << P.x << " " << P.y;

    // What the cuts allow, in units of one cut: the hundredths of ΔY and ΔX,
    // with ΔX = C·ΔY carrying the cut of ΔY times |C| (large when A lies nearly
    // due north or south of P), and the five-decimal cuts of a, b and C, each
    // worth about 1E-5 of the longest sight. The K hundredths, amplified in
    // weaker figures, stay within a few such units.
    double longest = 0;
    for (Point q : {A, B, C}) longest = std::max(longest, std::hypot(q.x - P.x, q.y - P.y));
    const double unit = 0.01 * (1 + std::fabs(test::Value(sheet.text("EC")))) + 1e-5 * longest;
    const double shift =
        std::hypot(test::Value(sheet.text("EXp")) - P.x, test::Value(sheet.text("EYp")) - P.y);
    ASSERT_LT(shift, 4 * unit) << P.x << " " << P.y;

    // The control sees that shift from A and from D as a few seconds, never as
    // the half turn of a direction angle taken from the wrong side.
    const double seen =
        (shift / std::hypot(A.x - P.x, A.y - P.y) + shift / std::hypot(D.x - P.x, D.y - P.y)) *
        206265;
    ASSERT_LT(std::fabs(test::ArcSeconds(sheet.text("Ede"))), seen + 3)
        << P.x << " " << P.y << " δε " << sheet.text("Ede");
  }
}

}  // namespace
}  // namespace pothenot
