// SPDX-License-Identifier: GPL-3.0-or-later
// A worksheet of arbitrary texts: the 17 givens taken from the input, split
// at NUL bytes, the separator chosen by its first byte. Calculate gives
// results or stops with CalcError; either way the worksheet keeps its rules.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "calc/calc_error.h"
#include "calc/fix_quality.h"
#include "calc/resection.h"
#include "calc/work_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view separator = data[0] % 2 ? "," : ".";
  std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);

  pothenot::TWorksheet sheet;
  std::size_t written = 0;
  sheet.setObserver([&](std::string_view) { ++written; });
  for (const pothenot::FieldInfo& f : pothenot::Fields()) {
    if (f.role != pothenot::Role::Given) continue;
    const std::size_t end = rest.find('\0');
    sheet.setText(f.name, rest.substr(0, end));
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  }
  // The same worksheet with its result boxes typed by a student: the texts
  // that follow the givens. CheckWork must stop as Calculate does, and else
  // expect Calculate's texts and accept each box that holds one.
  pothenot::TWorksheet student = sheet;
  for (const pothenot::FieldInfo& f : pothenot::Fields()) {
    if (f.role != pothenot::Role::Result) continue;
    const std::size_t end = rest.find('\0');
    student.setText(f.name, rest.substr(0, end));
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  }
  std::vector<pothenot::BoxMark> marks;
  std::string checkStop, calculateStop;
  try {
    marks = pothenot::CheckWork(student, separator);
  } catch (const pothenot::CalcError& e) {
    checkStop = e.what();
  }
  written = 0;
  bool stopped = false;
  try {
    pothenot::Calculate(sheet, separator);
  } catch (const pothenot::CalcError& e) {
    stopped = true;
    calculateStop = e.what();
    if (std::string_view(e.what()).empty()) std::abort();
  }
  if (checkStop != calculateStop || marks.size() != (stopped ? 0 : 29)) std::abort();
  for (const pothenot::BoxMark& m : marks) {
    const std::string& typed = student.text(m.field);
    if (m.expected != sheet.text(m.field)) std::abort();
    if (typed == m.expected && m.mark != pothenot::Mark::Correct) std::abort();
    if (typed.empty() != (m.mark == pothenot::Mark::Empty)) std::abort();
  }
  if (!stopped) {
    for (const pothenot::FieldInfo& f : pothenot::Fields()) {
      if (f.role == pothenot::Role::Result && sheet.text(f.name).empty()) std::abort();
    }
    if (written != 29) std::abort();  // a new worksheet: every result changes
  }
  // The judgement of the same givens: figures in their ranges, or a refusal in
  // the user's terms, never a bare arithmetic fault.
  try {
    const pothenot::FixQuality q = pothenot::AssessFix(sheet, separator, 5);
    for (double v : {q.Xp, q.Yp, q.circleX, q.circleY, q.controlDiscrepancy}) {
      if (!std::isfinite(v)) std::abort();
    }
    for (double v : {q.circleShare, q.stationError, q.controlSigma}) {
      if (!(v >= 0 && std::isfinite(v))) std::abort();
    }
    if (!(q.circleRadius > 0) || !(q.cutAngle >= 0 && q.cutAngle <= 90)) std::abort();
    if (!(q.controlDiscrepancy > -648000 && q.controlDiscrepancy <= 648000)) std::abort();
  } catch (const pothenot::CalcError& e) {
    if (std::string_view(e.what()) == pothenot::CalcError::Fault(e.kind()).what()) std::abort();
  }
  return 0;
}
