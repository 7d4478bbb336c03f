// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/drawing/CalculatedStation.h"

#include "calc/calc_error.h"
#include "calc/number_text.h"
#include "calc/resection.h"
#include "ui/sheet/Zadaha.h"

namespace pothenot {

CalculatedStation::CalculatedStation(TForm2* form) : QObject(form), form_(form) {
  // The worksheet is read rather than the boxes, which need not exist yet.
  connect(form, &TForm2::calculated, this, &CalculatedStation::takeUp);
}

void CalculatedStation::takeUp() {
  written_.reset();
  const TWorksheet& sheet = form_->worksheet();
  const std::string separator = TForm2::decimalSeparator();
  // A run that stopped before Yp and Xp left whatever texts it found there.
  // They are the run's own when a run on the same givens writes them again;
  // Calculate gives the same texts for the same givens every time.
  TWorksheet again = sheet;
  again.setObserver(nullptr);
  again.setText(Field::EXp, "");
  again.setText(Field::EYp, "");
  try {
    Calculate(again, separator);
  } catch (const CalcError&) {
    // Stopped: Xp and Yp are written or empty, as the run on the sheet left them.
  }
  if (again.text(Field::EXp).empty() || again.text(Field::EXp) != sheet.text(Field::EXp) ||
      again.text(Field::EYp) != sheet.text(Field::EYp))
    return;
  try {
    written_ = Written{givenTexts(),
                       {NumberFromText(sheet.text(Field::EXp), separator).ToDouble(),
                        NumberFromText(sheet.text(Field::EYp), separator).ToDouble()}};
  } catch (const CalcError&) {
    // Written, but too large for a double: no station to draw.
  }
}

std::vector<std::string> CalculatedStation::givenTexts() const {
  std::vector<std::string> texts;
  const auto& sheet = form_->worksheet();
  for (std::size_t i = 0; i < kFieldCount; ++i)
    if (Fields()[i].role == Role::Given) texts.push_back(sheet.text(Field(i)));
  return texts;
}

std::optional<MapPoint> CalculatedStation::station() const {
  if (!written_ || written_->givens != givenTexts()) return std::nullopt;
  return written_->station;
}

}  // namespace pothenot
