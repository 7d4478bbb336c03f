// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/variant.h"

#include <array>
#include <cmath>
#include <numbers>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>

#include "calc/calc_error.h"
#include "calc/extended.h"
#include "calc/fix_quality.h"
#include "calc/number_text.h"
#include "calc/resection.h"

namespace pothenot {

namespace {

// The figure lives in centimetres. The station keeps 7 km from the edges of
// the coordinate range, so a point up to 5 km away stays inside 1 000 – 99 999,99.
constexpr std::int64_t kStationMin = 700000;   // cm
constexpr std::int64_t kStationMax = 9300000;  // cm
// Distances carry a 10 m margin inside the exercise's limits, so that a
// checker measuring them in floating point never lands on a limit.
constexpr std::int64_t kNearest = 51000;    // cm, from P to a point
constexpr std::int64_t kFarthest = 499000;  // cm, from P to a point
constexpr std::int64_t kApart = 31000;      // cm, between two points

// Margins on the judgements, for the same reason: the cut angle against the
// 30° of a Reliable fix, the cuts' cost against 5 cm, δε against 2σ.
constexpr double kCutAngleMin = 30.5;      // degrees
constexpr double kWorksheetError = 0.045;  // m
constexpr double kControlShare = 1.9;      // of σ
// A measured angle whose seconds lie this close to a rounding boundary is
// not used: another platform's last-ulp trigonometry could round it the other way.
constexpr double kBoundaryGuard = 1e-4;  // arc seconds

constexpr std::int64_t kFullCircle = 360 * 3600;  // arc seconds

// SplitMix64: the same sequence from the same seed on every platform.
class SplitMix64 {
 public:
  explicit SplitMix64(std::uint64_t seed) : state_(seed) {}

  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }

  /// A whole number in [lo, hi]; the modulo's bias (below 1e-12) does not matter here.
  std::int64_t Between(std::int64_t lo, std::int64_t hi) {
    const auto span = static_cast<std::uint64_t>(hi - lo) + 1;
    return lo + static_cast<std::int64_t>(Next() % span);
  }

 private:
  std::uint64_t state_;
};

struct Point {
  std::int64_t x, y;  // cm, X north and Y east
};

std::int64_t Squared(std::int64_t v) {
  return v * v;
}

std::int64_t DistanceSquared(Point p, Point q) {
  return Squared(q.x - p.x) + Squared(q.y - p.y);
}

// A point 510 m to 4,99 km from the station, drawn in the square around it
// until it falls into that ring.
Point PointAround(SplitMix64& random, Point station) {
  for (;;) {
    const Point p{station.x + random.Between(-kFarthest, kFarthest),
                  station.y + random.Between(-kFarthest, kFarthest)};
    const std::int64_t d2 = DistanceSquared(station, p);
    if (d2 >= Squared(kNearest) && d2 <= Squared(kFarthest)) return p;
  }
}

// Direction angle from `from` to `to`, clockwise from north, in arc seconds, [0, 1296000).
double DirectionSeconds(Point from, Point to) {
  const double radians =
      std::atan2(static_cast<double>(to.y - from.y), static_cast<double>(to.x - from.x));
  double seconds = radians * (180.0 * 3600.0 / std::numbers::pi);
  if (seconds < 0) seconds += static_cast<double>(kFullCircle);
  return seconds;
}

// An angle as a surveyor writes it down: whole seconds in [0, 1296000), or
// nothing when the measurement lies too near a rounding boundary to be read
// the same everywhere.
std::optional<std::int64_t> MeasuredSeconds(double seconds) {
  seconds =
      std::fmod(seconds + 2.0 * static_cast<double>(kFullCircle), static_cast<double>(kFullCircle));
  const double fraction = seconds - std::floor(seconds);
  if (std::abs(fraction - 0.5) < kBoundaryGuard) return std::nullopt;
  const auto whole = static_cast<std::int64_t>(std::llround(seconds));
  if (whole >= kFullCircle) return std::nullopt;  // 359°59′59,5″ and up: 360° is not written
  return whole;
}

// "4008,3" from 400830 cm, "-0,05" from -5 cm: at most two decimals, no
// trailing zeros, like the example.
std::string CentimetreText(std::int64_t cm) {
  // The sign appended, not prepended to a finished text: GCC 12 at -O3 takes
  // the prepending for an overlapping copy (-Wrestrict).
  std::string text = cm < 0 ? "-" : "";
  const std::int64_t size = cm < 0 ? -cm : cm;
  text += std::to_string(size / 100);
  const std::int64_t rest = size % 100;
  if (rest != 0) {
    text += ',';
    text += static_cast<char>('0' + rest / 10);
    if (rest % 10 != 0) text += static_cast<char>('0' + rest % 10);
  }
  return text;
}

// A coordinate as Calculate holds it: its text read and stored as a double.
Extended Stored(std::int64_t cm) {
  return Extended(NumberFromText(CentimetreText(cm), ",").ToDouble());
}

// A known point with the stored values of its coordinates.
struct Known {
  Point at;
  Extended x, y;
};

// Whether Calculate shows `later − earlier` (one of Xb − Xa, Xc − Xa, Xc − Xb
// and the same in Y), uncut from the stored doubles, as the true difference
// to the centimetre. With five-digit coordinates the doubles' last bits reach
// the 15 digits of the box ("-4017,64999999999") for about a third of the pairs.
bool ShownExactly(Extended later, Extended earlier, std::int64_t cm) {
  return TextFromNumber(later - earlier, ",") == CentimetreText(cm);
}

// A point for the figure of station P, drawn until it lies at least 310 m
// from the points already chosen and, when `differenced`, its differences to
// them show as the true ones; nothing after a thousand draws.
std::optional<Known> NextPoint(SplitMix64& random, Point P, std::span<const Known> chosen,
                               bool differenced) {
  for (int draw = 0; draw < 1000; ++draw) {
    const Point p = PointAround(random, P);
    bool fits = true;
    for (const Known& k : chosen) fits = fits && DistanceSquared(k.at, p) >= Squared(kApart);
    if (!fits) continue;
    Known next{p, Stored(p.x), Stored(p.y)};
    if (differenced)
      for (const Known& k : chosen)
        fits = fits && ShownExactly(next.x, k.x, p.x - k.at.x) &&
               ShownExactly(next.y, k.y, p.y - k.at.y);
    if (fits) return next;
  }
  return std::nullopt;
}

void WriteAngle(TWorksheet& sheet, Field degrees, Field minutes, Field seconds,
                std::int64_t total) {
  sheet.setText(degrees, std::to_string(total / 3600));
  sheet.setText(minutes, std::to_string(total / 60 % 60));
  sheet.setText(seconds, std::to_string(total % 60));
}

// The worksheet of one candidate figure, or nothing when an angle cannot be written safely.
std::optional<TWorksheet> Sheet(Point P, Point A, Point B, Point C, Point D) {
  const double toA = DirectionSeconds(P, A);
  const auto gamma1 = MeasuredSeconds(DirectionSeconds(P, B) - toA);
  const auto gamma2 = MeasuredSeconds(DirectionSeconds(P, C) - toA);
  const auto epsilon = MeasuredSeconds(toA - DirectionSeconds(P, D));
  if (!gamma1 || !gamma2 || !epsilon) return std::nullopt;

  TWorksheet sheet;
  sheet.clear();
  WriteAngle(sheet, Field::Ey1g, Field::Ey1m, Field::Ey1s, *gamma1);
  WriteAngle(sheet, Field::Ey2g, Field::Ey2m, Field::Ey2s, *gamma2);
  WriteAngle(sheet, Field::Ee2g, Field::Ee2m, Field::Ee2s, *epsilon);
  sheet.setText(Field::EXa, CentimetreText(A.x));
  sheet.setText(Field::EYa, CentimetreText(A.y));
  sheet.setText(Field::EXb, CentimetreText(B.x));
  sheet.setText(Field::EYb, CentimetreText(B.y));
  sheet.setText(Field::EXc, CentimetreText(C.x));
  sheet.setText(Field::EYc, CentimetreText(C.y));
  sheet.setText(Field::EXd, CentimetreText(D.x));
  sheet.setText(Field::EYd, CentimetreText(D.y));
  return sheet;
}

// Whether the sheet makes a good exercise: a Reliable fix whose control
// passes, and a worksheet that computes it to within 5 cm.
bool GoodExercise(const TWorksheet& sheet) {
  try {
    const FixQuality fix = AssessFix(sheet, ",", kDefaultAngleErrorSeconds);
    if (fix.geometry != Geometry::Reliable || fix.cutAngle < kCutAngleMin) return false;
    if (!fix.controlPassed || std::abs(fix.controlDiscrepancy) > kControlShare * fix.controlSigma)
      return false;

    TWorksheet worked = sheet;
    Calculate(worked, ",");
    const double Xp = NumberFromText(worked.text(Field::EXp), ",").ToDouble();
    const double Yp = NumberFromText(worked.text(Field::EYp), ",").ToDouble();
    return std::hypot(Xp - fix.Xp, Yp - fix.Yp) <= kWorksheetError;
  } catch (const CalcError&) {
    return false;  // a figure that fixes no station, or that the worksheet cannot compute
  }
}

}  // namespace

TWorksheet MakeVariant(std::uint32_t number) {
  if (number < kFirstVariant || number > kLastVariant)
    throw std::invalid_argument("MakeVariant: the number of a variant is " +
                                std::to_string(kFirstVariant) + " to " +
                                std::to_string(kLastVariant) + ", not " + std::to_string(number));
  SplitMix64 random(0x5EC7105ULL * 1000003ULL + number);
  // About one figure in three is kept; a run this long means the checks are broken.
  for (int attempt = 0; attempt < 100000; ++attempt) {
    const Point P{random.Between(kStationMin, kStationMax),
                  random.Between(kStationMin, kStationMax)};
    // A, B and C one after the other, each checked against those before it
    // (its differences among them are in the worksheet); D only kept apart.
    std::array<Known, 4> known;
    std::size_t count = 0;
    for (; count < known.size(); ++count) {
      const auto next = NextPoint(random, P, std::span(known.data(), count), count < 3);
      if (!next) break;
      known[count] = *next;
    }
    if (count < known.size()) continue;

    auto sheet = Sheet(P, known[0].at, known[1].at, known[2].at, known[3].at);
    if (sheet && GoodExercise(*sheet)) return std::move(*sheet);
  }
  throw std::logic_error("MakeVariant: no good figure for variant " + std::to_string(number));
}

}  // namespace pothenot
