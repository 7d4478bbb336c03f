#pragma once

#include <cmath>
#include <cstdio>
#include <map>
#include <string>

#include "calc/worksheet.h"

namespace pothenot::test {

/// All 48 texts of a worksheet, by field name.
inline std::map<std::string, std::string> Snapshot(const TWorksheet& sheet) {
  std::map<std::string, std::string> out;
  for (const FieldInfo& f : Fields()) out.emplace(f.name, sheet.text(f.name));
  return out;
}

// Plane coordinates in metres, X north and Y east, as on the worksheet.
struct Point {
  double x = 0, y = 0;
};

/// Direction angle in degrees, [0, 360), in doubles: independent of the engine.
inline double DirectionDegrees(Point from, Point to) {
  return std::fmod(std::atan2(to.y - from.y, to.x - from.x) * 180 / M_PI + 360, 360);
}

inline std::string Comma(double v, int decimals) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, v);
  std::string s = buffer;
  if (auto dot = s.find('.'); dot != std::string::npos) s[dot] = ',';
  return s;
}

/// The givens a surveyor at P would write: the points to the centimetre, the
/// angles to a hundredth of a second; γ1 and γ2 clockwise from A to B and C,
/// ε from D to A.
inline void Fill(TWorksheet& sheet, Point P, Point A, Point B, Point C, Point D) {
  auto dms = [&](const char* name, double degrees) {
    const double total = std::round(std::fmod(degrees + 720, 360) * 360000) / 100;
    const long whole = static_cast<long>(total);
    const std::string prefix = std::string("E") + name;
    sheet.setText(prefix + "g", std::to_string(whole / 3600));
    sheet.setText(prefix + "m", std::to_string(whole / 60 % 60));
    sheet.setText(prefix + "s", Comma(total - static_cast<double>(whole - whole % 60), 2));
  };
  const double toA = DirectionDegrees(P, A);
  dms("y1", DirectionDegrees(P, B) - toA);
  dms("y2", DirectionDegrees(P, C) - toA);
  dms("e2", toA - DirectionDegrees(P, D));
  for (auto [name, p] : {std::pair{"a", A}, {"b", B}, {"c", C}, {"d", D}}) {
    sheet.setText(std::string("EX") + name, Comma(p.x, 2));
    sheet.setText(std::string("EY") + name, Comma(p.y, 2));
  }
}

/// The number a worksheet text stands for, read independently of the engine.
inline double Value(std::string text) {
  if (auto comma = text.find(','); comma != std::string::npos) text[comma] = '.';
  return std::stod(text);
}

/// Seconds of arc of an angle text "D°M`S``".
inline double ArcSeconds(const std::string& angleText) {
  int d = 0, m = 0, s = 0;
  if (std::sscanf(angleText.c_str(), "%d\xC2\xB0%d`%d``", &d, &m, &s) != 3) return NAN;
  return d * 3600.0 + m * 60.0 + s;
}

}  // namespace pothenot::test
