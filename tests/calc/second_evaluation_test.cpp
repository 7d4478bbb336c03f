// SPDX-License-Identifier: GPL-3.0-or-later
// A second evaluation of the worksheet, written again from the hand scheme in
// plain long double arithmetic and sharing no code with the engine: every one
// of the 29 result texts of thousands of worksheets from random geometry must
// come out the same, digit for digit. A quantity stored a step too early or
// too late, or evaluated from the wrong operands, moves a last digit somewhere
// among them.
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <string>

#include "calc/resection.h"
#include "tests/calc/test_support.h"

namespace pothenot {
namespace {

using X = long double;  // the 80-bit type, in which every expression is evaluated
struct Stop {};         // where Calculate must stop as well
const X kPi = 3.14159265358979323846264338327950288L;  // rounded to 64 bits

// The worksheet's text of a number: 15 significant digits, rounded, no
// trailing zeros, fixed from 0,00001 up to 15 digits before the separator.
std::string Text(X v, const std::string& separator) {
  if (v == 0) return "0";
  char b[64];  // d.dddddddddddddde±x
  std::snprintf(b, sizeof b, "%.14Le", std::fabs(v));
  std::string digits = b[0] + std::string(b + 2, 14), out;
  digits.erase(digits.find_last_not_of('0') + 1);
  const int e = std::atoi(b + 17);
  if (e < -5 || e > 14) {
    out = digits.substr(0, 1) + (digits.size() > 1 ? separator + digits.substr(1) : "") + "E" +
          std::to_string(e);
  } else if (e < 0) {
    out = "0" + separator + std::string(static_cast<std::size_t>(-e - 1), '0') + digits;
  } else {
    const auto whole = static_cast<std::size_t>(e) + 1;
    digits.resize(std::max(digits.size(), whole), '0');
    out = digits.substr(0, whole) + (digits.size() > whole ? separator + digits.substr(whole) : "");
  }
  return (v < 0 ? "-" : "") + out;
}

class Scheme {
 public:
  Scheme(const TWorksheet& sheet, std::string separator) : sheet_(sheet), sep_(separator) {}

  // The result texts written so far, by field; a stop leaves the rest unwritten.
  std::map<std::string, std::string> shown;

  void Evaluate() {
    const X y1g = Read("Ey1g"), y1m = Read("Ey1m"), y1s = Read("Ey1s");
    const X y2g = Read("Ey2g"), y2m = Read("Ey2m"), y2s = Read("Ey2s");
    const X Xb = Read("EXb"), Xc = Read("EXc"), Xa = Read("EXa");
    const X Yb = Read("EYb"), Yc = Read("EYc"), Ya = Read("EYa");
    const X Xd = Read("EXd"), Yd = Read("EYd");
    const X e2g = Read("Ee2g"), e2m = Read("Ee2m"), e2s = Read("Ee2s");

    const X epsMeasured = Store((e2s / 3600 + e2m / 60) + e2g);
    const X gamma1 = Store((y1s / 3600 + y1m / 60) + y1g);
    const X gamma2 = Store((y2s / 3600 + y2m / 60) + y2g);
    const X a = Store(Cut(Cotangent(gamma1), 100000));
    const X b = Store(Cut(Cotangent(gamma2), 100000));
    Show("Ea", a), Show("Eb", b);
    Show("EXbb", Xb - Xa), Show("EXcc", Xc - Xa), Show("EXcXb", Xc - Xb);
    Show("EYbb", Yb - Ya), Show("EYcc", Yc - Ya), Show("EYcYb", Yc - Yb);

    const X K1 = Store(Cut((Yb - Ya) * a - (Xb - Xa), 100));
    Show("EK1", K1);
    const X K3 = Store(Cut((Yc - Ya) * b - (Xc - Xa), 100));
    Show("EK3", K3);
    Show("EK1K3", Store(Cut(K1 - K3, 100)));
    const X K2 = Store(Cut((Xb - Xa) * a + (Yb - Ya), 100));
    Show("EK2", K2);
    const X K4 = Store(Cut((Xc - Xa) * b + (Yc - Ya), 100));
    Show("EK4", K4);
    Show("EK2K4", Store(Cut(K2 - K4, 100)));

    const X C = Store(Cut(Divide(K2 - K4, K1 - K3), 100000));
    const X CC = Store(Whole((100000 * C) * C) / 100000);
    Show("EC", C), Show("ECC", CC);
    const X K2_CK1 = Store(Cut(K2 - C * K1, 100)), K4_CK3 = Store(Cut(K4 - C * K3, 100));
    Show("EK2CK1", K2_CK1), Show("EK4CK3", K4_CK3);
    const X dY = Store(Cut((K2 - C * K1) / (C * C + 1), 100));
    const X dX = Store(Cut(C * dY, 100));
    Show("EdY", dY), Show("EdX", dX);
    const X Yp = Store(Ya + dY), Xp = Store(Xa + dX);
    Show("EYp", Yp), Show("EXp", Xp);

    Show("EXdXp", Cut(Xd - Xp, 100)), Show("EYdYp", Cut(Yd - Yp, 100));
    Show("EctgPD", Store(Cut(Divide(Yd - Yp, Xd - Xp), 100000)));
    const X PA = Store(Direction(Divide(K1 - K3, K2 - K4), Xa > Xp));
    const X PD = Store(Direction(Divide(Yd - Yp, Xd - Xp), Xd > Xp));
    ShowAngle("EPA", PA), ShowAngle("EPD", PD);
    const X epsComputed = Store(HalfTurn(PA - PD));
    ShowAngle("Ee1", epsComputed);
    ShowAngle("Ede", Store(HalfTurn(epsComputed - epsMeasured)));
  }

 private:
  // A given: its text read to the nearest 80-bit value, stored as a double.
  X Read(const char* name) {
    std::string text = sheet_.text(name);
    if (auto at = text.find(sep_); at != std::string::npos)
      text = text.substr(0, at) + '.' + text.substr(at + sep_.size());
    X v = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) throw Stop();
    return Store(v);
  }
  static X Store(X v) {
    const double d = static_cast<double>(v);
    if (!std::isfinite(d)) throw Stop();
    return d;
  }
  static X Divide(X a, X b) {
    if (b == 0) throw Stop();
    return a / b;
  }
  static X Whole(X v) {
    if (!(std::trunc(v) >= -0x1p63L && std::trunc(v) < 0x1p63L)) throw Stop();
    return std::trunc(v);
  }
  static X Cut(X v, int scale) { return Whole(v * scale) / scale; }
  static X Cotangent(X degrees) {
    const X r = kPi * degrees / 180;
    return Divide(std::cos(r), std::sin(r));
  }
  // The true direction angle: the ratio's angle points south of P.
  static X Direction(X ratio, bool targetNorth) {
    X alpha = std::atan2(ratio, X(1)) * 180 / kPi + 180;
    if (targetNorth) alpha = alpha - 180 < 0 ? alpha - 180 + 360 : alpha - 180;
    return alpha;
  }
  static X HalfTurn(X degrees) {
    const X r = std::remainder(degrees, X(360));
    return r == -180 ? 180 : r;
  }
  void Show(const char* name, X v) { shown[name] = Text(v, sep_); }
  void ShowAngle(const char* name, X v) {
    const X minutes = (v - std::trunc(v)) * 60;
    const X seconds = std::nearbyint((minutes - std::trunc(minutes)) * 60);
    shown[name] = Text(Whole(v), sep_) + "°" + Text(Whole(minutes), sep_) + "`" +
                  Text(Whole(seconds), sep_) + "``";
  }

  const TWorksheet& sheet_;
  std::string sep_;
};

TEST(SecondEvaluationTest, AgreesWithCalculateOnEveryTextOfRandomWorksheets) {
  std::mt19937_64 random(20261207);
  std::uniform_real_distribution<double> noise(-50, 50);
  int stops = 0;
  for (int i = 0; i < 20000; ++i) {
    const char* separator = i % 3 == 0 ? "." : ",";
    test::Figure f = test::RandomFigure(random);
    // Every other one about the origin, with coordinates of both signs typed
    // to 12 decimals: their differences need more bits than a double holds.
    const bool longTexts = i % 2 == 1;
    const test::Point origin = f.P;
    for (test::Point* q : {&f.P, &f.A, &f.B, &f.C, &f.D}) {
      if (longTexts) *q = {q->x - origin.x + noise(random), q->y - origin.y + noise(random)};
    }
    TWorksheet sheet;
    test::Fill(sheet, f, separator, longTexts ? 12 : 2);
    Scheme scheme(sheet, separator);
    bool stopped = false;
    try {
      scheme.Evaluate();
    } catch (const Stop&) {
      stopped = true;
    }
    EXPECT_EQ(test::FaultOf([&] { Calculate(sheet, separator); }).has_value(), stopped) << i;
    stops += stopped;
    for (const FieldInfo& field : Fields()) {
      if (field.role != Role::Result) continue;
      const auto it = scheme.shown.find(std::string(field.name));
      ASSERT_EQ(sheet.text(field.name), it == scheme.shown.end() ? "" : it->second)
          << "worksheet " << i << ", " << field.name;
    }
  }
  EXPECT_LT(stops, 200);
}

}  // namespace
}  // namespace pothenot
