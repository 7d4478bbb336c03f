// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the engine tests, the backend cross-check and the fuzz seeds share: the
// kind and message of a fault, texts typed into boxes, and worksheets made
// from the geometry of a station.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <random>
#include <string>
#include <string_view>

#include "calc/calc_error.h"
#include "calc/worksheet.h"

namespace pothenot::test {

/// The kind of `CalcError` that `operation` throws; nothing when it throws none.
template <class Operation>
std::optional<CalcError::Kind> FaultOf(Operation operation) {
  try {
    (void)operation();
  } catch (const CalcError& e) {
    return e.kind();
  }
  return std::nullopt;
}

/// The message of the `CalcError` that `operation` throws; "" when it throws none.
template <class Operation>
std::string MessageOf(Operation operation) {
  try {
    (void)operation();
  } catch (const CalcError& e) {
    return e.what();
  }
  return "";
}

/// Types "name=text|name=text" into `sheet`, in that order; a text is taken
/// as it stands, spaces and all.
inline void Type(TWorksheet& sheet, std::string_view typed) {
  for (std::size_t at = 0; at < typed.size();) {
    const std::size_t end = std::min(typed.find('|', at), typed.size()), eq = typed.find('=', at);
    sheet.setText(typed.substr(at, eq - at), typed.substr(eq + 1, end - eq - 1));
    at = end + 1;
  }
}

/// Plane coordinates in metres, X north and Y east, as on the worksheet.
struct Point {
  double x = 0, y = 0;
};

/// A station P and the four known points sighted from it.
struct Figure {
  Point P, A, B, C, D;
};

/// Direction angle from one point to another in degrees, [0, 360), in doubles.
inline double DirectionDegrees(Point from, Point to) {
  return std::fmod(std::atan2(to.y - from.y, to.x - from.x) * 180 / M_PI + 360, 360);
}

/// A station anywhere in [1 km, 91 km)² and four points 50 m to 5 km from it
/// at any bearing, so that every quadrant occurs; all to the centimetre.
inline Figure RandomFigure(std::mt19937_64& random) {
  std::uniform_real_distribution<double> unit(0, 1);
  auto Centimetres = [](double v) { return std::round(v * 100) / 100; };
  Figure f;
  f.P = {Centimetres(1000 + unit(random) * 90000), Centimetres(1000 + unit(random) * 90000)};
  for (Point* q : {&f.A, &f.B, &f.C, &f.D}) {
    const double distance = 50 + unit(random) * 5000, bearing = unit(random) * 2 * M_PI;
    *q = {Centimetres(f.P.x + distance * std::cos(bearing)),
          Centimetres(f.P.y + distance * std::sin(bearing))};
  }
  return f;
}

/// A number as a surveyor writes it, with `decimals` decimals.
inline std::string Written(double v, int decimals, std::string_view separator) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, v);
  std::string s = buffer;
  if (auto dot = s.find('.'); dot != std::string::npos) s.replace(dot, 1, separator);
  return s;
}

/// The givens a surveyor at P would write: the points with `decimals`
/// decimals, the angles with `secondDecimals` decimals of a second; γ1 and γ2
/// clockwise from A to B and C, ε from D to A.
inline void Fill(TWorksheet& sheet, const Figure& f, std::string_view separator = ",",
                 int decimals = 2, int secondDecimals = 2) {
  const double scale = std::pow(10, secondDecimals);
  auto dms = [&](const char* name, double degrees) {
    const double total = std::round(std::fmod(degrees + 720, 360) * (3600 * scale)) / scale;
    const long whole = static_cast<long>(total);
    const std::string prefix = std::string("E") + name;
    sheet.setText(prefix + "g", std::to_string(whole / 3600));
    sheet.setText(prefix + "m", std::to_string(whole / 60 % 60));
    sheet.setText(prefix + "s", Written(total - static_cast<double>(whole - whole % 60),
                                        secondDecimals, separator));
  };
  const double toA = DirectionDegrees(f.P, f.A);
  dms("y1", DirectionDegrees(f.P, f.B) - toA);
  dms("y2", DirectionDegrees(f.P, f.C) - toA);
  dms("e2", toA - DirectionDegrees(f.P, f.D));
  for (auto [name, p] : {std::pair{"a", f.A}, {"b", f.B}, {"c", f.C}, {"d", f.D}}) {
    sheet.setText(std::string("EX") + name, Written(p.x, decimals, separator));
    sheet.setText(std::string("EY") + name, Written(p.y, decimals, separator));
  }
}

}  // namespace pothenot::test
