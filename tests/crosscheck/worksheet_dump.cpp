// SPDX-License-Identifier: GPL-3.0-or-later
// Calculates a long, fixed series of worksheets and prints, for each, a
// digest of all 48 texts and of where Calculate stopped. Built once with the
// processor's 80-bit type and once with its emulation; the two outputs must
// be the same line for line.
//   worksheet_dump COUNT [INDEX]   every text of worksheet INDEX instead, to
//                                  see where two builds part;
//   worksheet_dump COUNT seeds DIR the givens of the first COUNT worksheets as
//                                  inputs of the Calculate fuzz target.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>

#include "calc/resection.h"
#include "tests/calc/test_support.h"

namespace {

using pothenot::TWorksheet;

// One worksheet of the series: a random figure, one of two separators; now
// and then a text that is not a number or a figure that cannot be solved.
TWorksheet Generate(std::mt19937_64& random, const char*& separator) {
  std::uniform_real_distribution<double> unit(0, 1);
  separator = unit(random) < 0.5 ? "," : ".";
  pothenot::test::Figure f = pothenot::test::RandomFigure(random);
  const double pick = unit(random);
  if (pick < 0.02)
    f.C = f.B;
  else if (pick < 0.04)
    f.D.x = f.A.x;  // D due east or west of A
  else if (pick < 0.05)
    f.C.x = f.B.x;
  TWorksheet sheet;
  pothenot::test::Fill(sheet, f, separator);
  if (pick > 0.97) {  // a bad given: the other separator, a letter, nothing, a huge value
    const char* bad[] = {"12,5.3", "7a", "", "1e400", "-", "0", "180", "90"};
    const pothenot::FieldInfo& field =
        pothenot::Fields()[static_cast<std::size_t>(unit(random) * 48)];
    if (field.role == pothenot::Role::Given)
      sheet.setText(field.name, bad[static_cast<int>(unit(random) * 8)]);
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
  const bool seeds = argc > 3 && std::string(argv[2]) == "seeds";
  const long only = argc > 2 && !seeds ? std::atol(argv[2]) : -1;
  std::mt19937_64 random(20261206);
  for (long i = 0; i < count; ++i) {
    const char* separator = ",";
    TWorksheet sheet = Generate(random, separator);
    if (seeds) {  // the fuzz target's layout: separator byte, givens split at NUL
      std::ofstream out(std::string(argv[3]) + "/geometry" + std::to_string(i), std::ios::binary);
      out << (*separator == ',' ? '\1' : '\0');
      for (const auto& f : pothenot::Fields())
        if (f.role == pothenot::Role::Given) out << sheet.text(f.name) << '\0';
      continue;
    }
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
