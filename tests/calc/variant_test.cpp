// SPDX-License-Identifier: GPL-3.0-or-later
// The exercise variants: every property a good exercise needs, over numbers
// 1–10000, judged from the givens' texts and the worked sheet alone; no two
// variants alike; and the same texts everywhere.
#include "calc/variant.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <regex>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>

#include "calc/fix_quality.h"
#include "calc/number_text.h"
#include "calc/resection.h"

namespace pothenot {
namespace {

const Field kPoints[] = {Field::EXa, Field::EYa, Field::EXb, Field::EYb,  // A, B, C, D
                         Field::EXc, Field::EYc, Field::EXd, Field::EYd};

// What is wrong with variant `v` as an exercise, or "" when nothing is.
std::string Fault(const TWorksheet& v) {
  auto value = [](const std::string& text) { return NumberFromText(text, ",").ToDouble(); };
  static const std::regex coordinate("[1-9][0-9]{3,4}(,[0-9]?[1-9])?");  // no trailing zero
  static const std::regex degrees("0|[1-9][0-9]?|[12][0-9]{2}|3[0-5][0-9]"), sixty("[1-5]?[0-9]");
  for (const FieldInfo& f : Fields())
    if (f.role == Role::Result && !v.text(f.name).empty()) return std::string(f.name) + " filled";
  for (Field f : kPoints)
    if (!std::regex_match(v.text(f), coordinate)) return "coordinate " + v.text(f);
  for (Field f : {Field::Ey1g, Field::Ey1m, Field::Ey1s, Field::Ey2g, Field::Ey2m, Field::Ey2s,
                  Field::Ee2g, Field::Ee2m, Field::Ee2s})
    if (!std::regex_match(v.text(f), Info(f).name.ends_with('g') ? degrees : sixty))
      return "angle " + v.text(f);
  const FixQuality fix = AssessFix(v, ",", 5);
  if (fix.geometry != Geometry::Reliable || !fix.controlPassed) return "weak fix or control";
  if (std::min(fix.Xp, fix.Yp) < 1000 || std::max(fix.Xp, fix.Yp) > 99999.99) return "outside";
  double x[4], y[4];  // A, B, C, D
  for (int i = 0; i < 4; ++i) {
    x[i] = value(v.text(kPoints[2 * i])), y[i] = value(v.text(kPoints[2 * i + 1]));
    const double d = std::hypot(x[i] - fix.Xp, y[i] - fix.Yp);
    if (d < 500 || d > 5000) return "distance from P " + std::to_string(d);
    for (int j = 0; j < i; ++j)
      if (std::hypot(x[i] - x[j], y[i] - y[j]) < 300) return "points too close";
  }
  TWorksheet worked = v;
  Calculate(worked, ",");
  const double off =
      std::hypot(fix.Xp - value(worked.text(Field::EXp)), fix.Yp - value(worked.text(Field::EYp)));
  if (off > 0.05) return "worksheet station " + std::to_string(off) + " m off";
  // Shown uncut, the differences of coordinates to the centimetre must not
  // carry the stored doubles' last bits into a student's box.
  static const std::regex difference("0|-?[1-9][0-9]*(,[0-9]{1,2})?|-?0,[0-9]{1,2}");
  for (Field f : {Field::EXbb, Field::EXcc, Field::EXcXb, Field::EYbb, Field::EYcc, Field::EYcYb})
    if (!std::regex_match(worked.text(f), difference)) return "difference " + worked.text(f);
  return "";
}

// Every variant is a good exercise with a station of its own.
TEST(MakeVariant, EveryVariantIsAGoodExerciseAndNoTwoAreAlike) {
  std::set<std::pair<long long, long long>> stations;  // mm
  for (std::uint32_t n = 1; n <= 10000; ++n) {
    const TWorksheet v = MakeVariant(n);
    ASSERT_EQ(Fault(v), "") << "variant " << n;
    const FixQuality fix = AssessFix(v, ",", 5);
    EXPECT_TRUE(stations.emplace(std::llround(fix.Xp * 1000), std::llround(fix.Yp * 1000)).second)
        << n;
  }
}

// The texts depend on nothing but the number: pinned here, they catch a
// generator or a rounding that drifts between platforms or versions. The
// last number is good too; the next ones are refused.
TEST(MakeVariant, TheSameNumberGivesTheSameTextsEverywhere) {
  const std::string pinned =
      "105 22 48 165 41 20 17630,37 20122,2 19702,04 65994,14 63260,68 70183,37 18382,19 63022,1 "
      "215 39 23 | "
      "190 56 54 100 4 49 91265,63 95101,3 93636,74 63993,54 65100,94 60913,94 93750,68 66838,46 "
      "229 27 22 | ";
  std::string texts;
  for (std::uint32_t n : {1u, 999999u}) {
    const TWorksheet v = MakeVariant(n);
    EXPECT_EQ(Fault(v), "");
    for (const FieldInfo& f : Fields())
      if (f.role == Role::Given) texts += v.text(f.name) + " ";
    texts += "| ";
  }
  EXPECT_EQ(texts, pinned);
  EXPECT_THROW(MakeVariant(0), std::invalid_argument);
  EXPECT_THROW(MakeVariant(1000000), std::invalid_argument);
}

}  // namespace
}  // namespace pothenot
