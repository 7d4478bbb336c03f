// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/drawing/Figure.h"

#include <cmath>

#include "calc/calc_error.h"
#include "calc/number_text.h"

namespace pothenot {

namespace {

bool drawable(double v) {
  return std::isfinite(v) && std::abs(v) <= Figure::kFarthest;
}

bool drawable(MapPoint p) {
  return drawable(p.x) && drawable(p.y);
}

// A coordinate as Calculate reads it, or nothing when the text is no number.
std::optional<double> coordinate(const TWorksheet& sheet, Field field, std::string_view separator) {
  try {
    return NumberFromText(sheet.text(field), separator).ToDouble();
  } catch (const CalcError&) {
    return std::nullopt;
  }
}

}  // namespace

Figure Figure::fromSheet(const TWorksheet& sheet, std::string_view separator,
                         double angleErrorSeconds, std::optional<MapPoint> sheetStation) {
  static constexpr std::array<std::array<Field, 2>, 4> kFields{{
      {Field::EXa, Field::EYa},
      {Field::EXb, Field::EYb},
      {Field::EXc, Field::EYc},
      {Field::EXd, Field::EYd},
  }};
  Figure f;
  f.angleErrorSeconds = angleErrorSeconds;
  for (std::size_t i = 0; i < kFields.size(); ++i) {
    const auto x = coordinate(sheet, kFields[i][0], separator);
    const auto y = coordinate(sheet, kFields[i][1], separator);
    const std::string name(kKnownNames[i]);
    if (!x || !y) {
      f.missing += "Пункт " + name + " не нарисован: его координата не число или слишком велика. ";
    } else if (!drawable(MapPoint{*x, *y})) {
      f.missing += "Пункт " + name + " не нарисован: он дальше 10¹² м от начала координат. ";
    } else {
      f.known[i] = MapPoint{*x, *y};
    }
  }
  if (sheetStation && drawable(*sheetStation)) f.sheetStation = sheetStation;

  try {
    f.fix = AssessFix(sheet, separator, angleErrorSeconds);
  } catch (const CalcError& e) {
    f.problem = e.what();
    return f;
  }
  const MapPoint p{f.fix->Xp, f.fix->Yp};
  if (drawable(p)) f.station = p;
  return f;
}

bool Figure::dangerIsLine() const {
  return fix && std::isinf(fix->circleRadius);
}

bool Figure::samePoints(const Figure& other) const {
  return known == other.known && station == other.station;
}

bool Figure::circleDrawable() const {
  return fix && drawable(MapPoint{fix->circleX, fix->circleY}) && drawable(fix->circleRadius) &&
         fix->circleRadius > 0;
}

}  // namespace pothenot
