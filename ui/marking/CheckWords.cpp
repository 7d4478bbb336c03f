// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/marking/CheckWords.h"

#include "calc/check_words.h"

namespace pothenot {

// The words are the engine's (calc/check_words.h), one code for the windows,
// the command line and the page.

QString markWord(Mark mark) {
  return QString::fromStdString(MarkWord(mark));
}

QColor markTint(Mark mark) {
  const std::optional<std::uint32_t> tint = MarkTint(mark);
  return tint ? QColor(QRgb(*tint)) : QColor();
}

QString markNote(const BoxMark& box) {
  return QString::fromStdString(MarkNote(box));
}

QString checkSummary(const std::vector<BoxMark>& marks, const TWorksheet& sheet) {
  return QString::fromStdString(CheckSummary(marks, sheet));
}

}  // namespace pothenot
