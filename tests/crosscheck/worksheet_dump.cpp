// Calculates a long, fixed series of worksheets and prints, for each, a
// digest of all 48 texts and of where Calculate stopped. Built once with the
// processor's 80-bit type and once with its emulation; the two outputs must
// be the same line for line. `worksheet_dump COUNT [INDEX]` prints every
// text of worksheet INDEX instead, to see where two builds part.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "calc/calc_error.h"
#include "calc/resection.h"

namespace {

using pothenot::TWorksheet;

struct Point {
  double x, y;
};

std::string Text(double v, int decimals, const char* separator) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, v);
  std::string s = buffer;
  const auto dot = s.find('.');
  if (dot != std::string::npos) s.replace(dot, 1, separator);
  return s;
}

double Direction(Point from, Point to) {
  const double a = std::atan2(to.y - from.y, to.x - from.x) * 180 / M_PI;
  return a < 0 ? a + 360 : a;
}

// One worksheet of the series: a random station and four points around it in
// any quadrant, angles to a hundredth of a second, one of two separators;
// now and then a text that is not a number or a figure that cannot be solved.
TWorksheet Generate(std::mt19937_64& random, const char*& separator) {
  std::uniform_real_distribution<double> unit(0, 1);
  separator = unit(random) < 0.5 ? "," : ".";
  const Point P{1000 + unit(random) * 90000, 1000 + unit(random) * 90000};
  Point pts[4];
  for (Point& q : pts) {
    const double d = 50 + unit(random) * 5000, a = unit(random) * 2 * M_PI;
    q = {std::round((P.x + d * std::cos(a)) * 100) / 100,
         std::round((P.y + d * std::sin(a)) * 100) / 100};
  }
  const double pick = unit(random);
  if (pick < 0.02)
    pts[2] = pts[1];  // B = C
  else if (pick < 0.04)
    pts[3].x = pts[0].x;  // D due east or west of A
  else if (pick < 0.05)
    pts[2].x = pts[1].x;  // Xb = Xc

  TWorksheet sheet;
  auto dms = [&](const char* g, const char* m, const char* s, double degrees) {
    degrees = std::fmod(degrees + 720, 360);
    const double total = std::round(degrees * 360000) / 100;
    const auto whole = static_cast<long>(total);
    sheet.setText(g, std::to_string(whole / 3600));
    sheet.setText(m, std::to_string(whole / 60 % 60));
    sheet.setText(s, Text(total - static_cast<double>(whole - whole % 60), 2, separator));
  };
  const double toA = Direction(P, pts[0]);
  dms("Ey1g", "Ey1m", "Ey1s", Direction(P, pts[1]) - toA);
  dms("Ey2g", "Ey2m", "Ey2s", Direction(P, pts[2]) - toA);
  dms("Ee2g", "Ee2m", "Ee2s", toA - Direction(P, pts[3]));
  const char* names[4][2] = {{"EXa", "EYa"}, {"EXb", "EYb"}, {"EXc", "EYc"}, {"EXd", "EYd"}};
  for (int i = 0; i < 4; ++i) {
    sheet.setText(names[i][0], Text(pts[i].x, 2, separator));
    sheet.setText(names[i][1], Text(pts[i].y, 2, separator));
  }
  if (pick > 0.97) {  // a bad given: the other separator, a letter, nothing, a huge value
    const char* bad[] = {"12,5.3", "7a", "", "1e400", "-", "0", "180", "90"};
    const pothenot::FieldInfo& f = pothenot::Fields()[static_cast<std::size_t>(unit(random) * 48)];
    if (f.role == pothenot::Role::Given)
      sheet.setText(f.name, bad[static_cast<int>(unit(random) * 8)]);
  }
  return sheet;
}

std::uint64_t Fnv(std::uint64_t h, const std::string& s) {
  for (char c : s) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211u;
  return (h ^ 0xff) * 1099511628211u;
}

}  // namespace

int main(int argc, char** argv) {
  const long count = argc > 1 ? std::atol(argv[1]) : 100000;
  const long only = argc > 2 ? std::atol(argv[2]) : -1;
  std::mt19937_64 random(20261206);
  for (long i = 0; i < count; ++i) {
    const char* separator = ",";
    TWorksheet sheet = Generate(random, separator);
    std::string stop = "ok";
    try {
      pothenot::Calculate(sheet, separator);
    } catch (const pothenot::CalcError& e) {
      stop = e.what();
    }
    if (only >= 0) {
      if (i != only) continue;
      for (const auto& f : pothenot::Fields())
        std::printf("%s\t%s\n", f.name.data(), sheet.text(f.name).c_str());
      std::printf("stop\t%s\n", stop.c_str());
      return 0;
    }
    std::uint64_t h = 14695981039346656037u;
    for (const auto& f : pothenot::Fields()) h = Fnv(h, sheet.text(f.name));
    std::printf("%ld %016llx %s\n", i, static_cast<unsigned long long>(Fnv(h, stop)),
                stop == "ok" ? "ok" : "stop");
  }
  return 0;
}
