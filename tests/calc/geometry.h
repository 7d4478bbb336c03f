#pragma once

#include <cmath>
#include <cstdio>
#include <string>

#include "calc/worksheet.h"

namespace pothenot::test {

// Plane coordinates in metres, X north and Y east, as on the worksheet.
struct Point {
  double x = 0, y = 0;
};

// A station P and the four points it sees; P is the truth the worksheet must find.
struct Geometry {
  Point P, A, B, C, D;
};

/// Direction angle from one point to another, degrees in [0, 360), in doubles:
/// an evaluation independent of the worksheet's.
inline double DirectionDegrees(Point from, Point to) {
  double a = std::atan2(to.y - from.y, to.x - from.x) * 180 / M_PI;
  if (a < 0) a += 360;
  return a;
}

inline double Wrap360(double a) {
  a = std::fmod(a, 360.0);
  return a < 0 ? a + 360 : a;
}

/// A number written with a comma and a fixed count of decimals.
inline std::string Comma(double v, int decimals) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, v);
  std::string s = buffer;
  for (char& c : s) {
    if (c == '.') c = ',';
  }
  return s;
}

/// Writes an angle of [0°, 360°) as whole degrees, whole minutes and seconds
/// with two decimals.
inline void SetDms(TWorksheet& sheet, const char* g, const char* m, const char* s, double degrees) {
  const double totalSeconds = std::round(degrees * 360000) / 100;
  const long whole = static_cast<long>(totalSeconds);
  const double seconds = totalSeconds - static_cast<double>(whole - whole % 60);
  sheet.setText(g, std::to_string(whole / 3600));
  sheet.setText(m, std::to_string(whole / 60 % 60));
  sheet.setText(s, Comma(seconds, 2));
}

/// Fills the givens as a surveyor would: the known points to the centimetre,
/// the angles measured at P to a hundredth of a second. γ1 and γ2 turn
/// clockwise from A to B and from A to C; ε from D to A.
inline void Fill(TWorksheet& sheet, const Geometry& g) {
  const double toA = DirectionDegrees(g.P, g.A);
  SetDms(sheet, "Ey1g", "Ey1m", "Ey1s", Wrap360(DirectionDegrees(g.P, g.B) - toA));
  SetDms(sheet, "Ey2g", "Ey2m", "Ey2s", Wrap360(DirectionDegrees(g.P, g.C) - toA));
  SetDms(sheet, "Ee2g", "Ee2m", "Ee2s", Wrap360(toA - DirectionDegrees(g.P, g.D)));
  const struct {
    const char *x, *y;
    Point p;
  } known[] = {{"EXa", "EYa", g.A}, {"EXb", "EYb", g.B}, {"EXc", "EYc", g.C}, {"EXd", "EYd", g.D}};
  for (const auto& k : known) {
    sheet.setText(k.x, Comma(k.p.x, 2));
    sheet.setText(k.y, Comma(k.p.y, 2));
  }
}

/// The number a worksheet text stands for, read independently of the engine.
inline double Value(const std::string& text) {
  std::string s = text;
  for (char& c : s) {
    if (c == ',') c = '.';
  }
  return std::stod(s);
}

/// Seconds of arc of an angle text "D°M`S``" (each part may carry a minus).
inline double ArcSeconds(const std::string& angleText) {
  int d = 0, m = 0, s = 0;
  // The degree sign is two bytes of UTF-8.
  if (std::sscanf(angleText.c_str(), "%d\xC2\xB0%d`%d``", &d, &m, &s) != 3) return NAN;
  return d * 3600.0 + m * 60.0 + s;
}

}  // namespace pothenot::test
