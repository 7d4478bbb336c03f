// SPDX-License-Identifier: GPL-3.0-or-later
// The classical methods against AssessFix's exact station (the two position
// circles crossed without any division by K1 − K3), against Calculate's own
// quantities, and against what each auxiliary quantity must be on the map.
#include "calc/methods.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <string>

#include "calc/calc_error.h"
#include "calc/fix_quality.h"
#include "calc/resection.h"
#include "calc/variant.h"
#include "tests/calc/test_support.h"

namespace pothenot {
namespace {

using test::Point;

double Step(const MethodSolution& m, std::string_view name) {
  for (const MethodStep& s : m.steps)
    if (s.name == name) return s.value;
  ADD_FAILURE() << m.title << " has no step " << name;
  return NAN;
}
double Cos(Point o, Point p, Point q) {  // of the angle at o between op and oq
  const double px = p.x - o.x, py = p.y - o.y, qx = q.x - o.x, qy = q.y - o.y;
  return (px * qx + py * qy) / std::hypot(px, py) / std::hypot(qx, qy);
}
double Area(Point a, Point b, Point c) {  // signed, twice
  return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

// Random stations, sights of 50 m to 5 km in every direction, each figure
// under all six orders of A, B and C.
TEST(MethodsTest, RandomFiguresInEveryOrderGiveTheExactStation) {
  std::mt19937_64 rng(19);
  for (int i = 0; i < 300; ++i) {
    const test::Figure base = test::RandomFigure(rng);
    std::array<Point, 3> abc{base.A, base.B, base.C};
    std::array<std::size_t, 3> order{0, 1, 2};
    do {
      test::Figure f = base;
      f.A = abc[order[0]], f.B = abc[order[1]], f.C = abc[order[2]];
      TWorksheet sheet;
      test::Fill(sheet, f, ".", 2, 4);
      SCOPED_TRACE(i);
      // Every method's station and its own steps, checked against the exact
      // station P: Cassini's M and N are seen from P square to A; Collins' H
      // lies on the line PA; Tienstra's kA / k is P's barycentric coordinate
      // in ABC; ToTal's (x'12, y'12) / 2 from A is the centre of a circle
      // through P and A.
      const std::vector<MethodSolution> methods = SolveByMethods(sheet, ".");
      const FixQuality q = AssessFix(sheet, ".", 5);
      const Point P{q.Xp, q.Yp};
      for (const MethodSolution& m : methods) {
        ASSERT_EQ(m.failure, "") << m.title;
        EXPECT_LT(std::hypot(*m.Xp - P.x, *m.Yp - P.y), 1e-3) << m.title;
        EXPECT_TRUE(Step(m, "Xp") == *m.Xp && Step(m, "Yp") == *m.Yp) << m.title;
      }
      const MethodSolution &cassini = methods[1], &collins = methods[2], &tienstra = methods[3];
      EXPECT_NEAR(Cos(P, f.A, {Step(cassini, "Xm"), Step(cassini, "Ym")}), 0, 1e-7);
      EXPECT_NEAR(Cos(P, f.A, {Step(cassini, "Xn"), Step(cassini, "Yn")}), 0, 1e-7);
      EXPECT_NEAR(std::fabs(Cos(P, f.A, {Step(collins, "Xh"), Step(collins, "Yh")})), 1, 1e-9);
      const double k = Step(tienstra, "k"), area = Area(f.A, f.B, f.C);
      EXPECT_NEAR(Step(tienstra, "kA") / k, Area(P, f.B, f.C) / area, 1e-7);
      const Point c{f.A.x + Step(methods[4], "x'12") / 2, f.A.y + Step(methods[4], "y'12") / 2};
      const double r = std::hypot(c.x - f.A.x, c.y - f.A.y);
      EXPECT_NEAR(std::hypot(c.x - P.x, c.y - P.y) / r, 1, 1e-9);
    } while (std::next_permutation(order.begin(), order.end()));
  }
}

// Figures where methods must fail, and only those: which fail, and why. The
// others still give the exact station. A, B, C exactly on a circle of 1000 m
// about (5000, 5000), the station at ρ of its radius.
TEST(MethodsTest, EachMethodFailsOnlyWhereItsConstructionBreaksDown) {
  const Point A{4400, 4200}, B{5800, 4400}, C{5000, 6000}, o{5000, 5000};
  auto onCircle = [&](double rho) {
    const double r = rho * std::hypot(A.x - o.x, A.y - o.y);
    return test::Figure{{o.x + r * std::cos(0.5), o.y + r * std::sin(0.5)}, A, B, C, {9000, 1000}};
  };
  const std::string all = "WCLTX", none;
  const struct {
    test::Figure figure;
    std::string typed;    // over the figure's givens
    std::string failing;  // W, C, L, T, X: the methods in order
    std::string why;
  } cases[] = {
      {onCircle(1 - 2e-6), "", none, ""},
      {onCircle(1 - 5e-7), "", all, "опасном круге"},
      // Due north of A: γ1 = −45° and γ2 = 45° make a = −b, so K1 − K3 = 0.
      {{{10, 0}, {0, 0}, {4, 6}, {4, -6}, {-5, -5}},
       "Ey1g=-45|Ey1m=0|Ey1s=0|Ey2g=45|Ey2m=0|Ey2s=0",
       "W",
       "K1 − K3 = 0"},
      // On the line BC, B and C on one side: γ1 = γ2 = 90°.
      {{{0, 0}, {10, 5}, {0, 10}, {0, 20}, {-5, -5}}, "", "L", "прямой BC"},
      {{{10, 3}, {0, 0}, {0, 10}, {0, -10}, {-5, -5}}, "", "T", "на одной прямой"},
      {{{10, 3}, {0, 0}, {0, 10}, {0, -10}, {-5, -5}}, "Ey1g=180|Ey1m=0|Ey1s=0", all, "γ1 равен"},
      // The worked example of the course notes "Three Point Resection Problem" (Surveying
      // Engineering Department, Ferris State University, SURE 215), there by Tienstra's method
      // with X as easting: its angles and published station (N 5578.1443, E 2128.3903).
      {{{5578.1443, 2128.3903}, {5300, 1000}, {6300, 2200}, {5000, 3100}, {4000, 2000}},
       "Ey1g=109|Ey1m=30|Ey1s=45|Ey2g=224|Ey2m=36|Ey2s=5",
       none,
       ""},
  };
  for (const auto& [figure, typed, failing, why] : cases) {
    TWorksheet sheet;
    test::Fill(sheet, figure, ".", 2, 4);
    test::Type(sheet, typed);
    const std::vector<MethodSolution> methods = SolveByMethods(sheet, ".");
    std::string failed;
    for (const MethodSolution& m : methods) {
      if (m.failure.empty()) continue;
      failed += all[static_cast<std::size_t>(m.method)];
      EXPECT_NE(m.failure.find(why), std::string::npos) << m.failure;
      EXPECT_FALSE(m.Xp || m.Yp);
    }
    EXPECT_EQ(failed, failing) << typed;
    if (failing == all) {
      EXPECT_EQ(methods[0].failure, test::MessageOf([&] { return AssessFix(sheet, ".", 5); }));
      continue;
    }
    // Typed angles are the figure's own: its station; Fill's are rounded.
    const FixQuality q = AssessFix(sheet, ".", 5);
    const Point P = typed.empty() ? Point{q.Xp, q.Yp} : figure.P;
    EXPECT_LT(std::hypot(q.Xp - P.x, q.Yp - P.y), 1e-3) << typed;
    for (const MethodSolution& m : methods) {
      if (m.Xp) {
        EXPECT_LT(std::hypot(*m.Xp - P.x, *m.Yp - P.y), 1e-3) << m.title << typed;
      }
    }
  }
  TWorksheet sheet;
  sheet.setText("EXd", "12x");
  EXPECT_EQ(test::MessageOf([&] { return SolveByMethods(sheet, ","); }),
            test::MessageOf([&] { Calculate(sheet, ","); }));
}

// The worksheet's scheme without cuts: the sheet's quantities in the order
// Calculate works them, each within what the cuts cost (a hundredth or 1E-5,
// and 1E-4 of the value for the cuts of a and b carried along), on the
// worked example of the sheet and on exercise variants.
TEST(MethodsTest, WorksheetMethodIsTheSheetUncut) {
  for (const TWorksheet& given : {TWorksheet(), MakeVariant(7), MakeVariant(4242)}) {
    TWorksheet sheet = given;
    const Solution cut = Solve(sheet, ",");
    using F = Field;
    const Extended expected[] = {cut[F::Ea],    cut[F::Eb],  cut[F::EK1],    cut[F::EK3],
                                 cut[F::EK1K3], cut[F::EK2], cut[F::EK4],    cut[F::EK2K4],
                                 cut[F::EC],    cut[F::ECC], cut[F::EK2CK1], cut[F::EK4CK3],
                                 cut[F::EdY],   cut[F::EdX], cut[F::EYp],    cut[F::EXp]};
    const std::vector<MethodStep> steps = SolveByMethods(sheet, ",")[0].steps;
    ASSERT_EQ(steps.size(), std::size(expected));
    for (std::size_t i = 0; i < steps.size(); ++i) {
      const bool ratio = i < 2 || i == 8 || i == 9;  // a, b, C and C²: five decimals
      const double v = static_cast<double>(expected[i].raw());
      EXPECT_NEAR(steps[i].value, v, 1e-4 * std::fabs(v) + (ratio ? 2e-5 : 0.02)) << steps[i].name;
    }
  }
}

}  // namespace
}  // namespace pothenot
