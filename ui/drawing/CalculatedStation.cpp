#include "ui/drawing/CalculatedStation.h"

#include <QTimer>

#include "calc/calc_error.h"
#include "calc/number_text.h"
#include "ui/sheet/Zadaha.h"

namespace pothenot {


CalculatedStation::CalculatedStation(TForm2* form) : QObject(form), form_(form) {
  connect(form, &TForm2::calculateStarted, this, [this] {
    calculating_ = true;
    calculatedGivens_ = givenTexts();
    stationBefore_ = stationTexts();
    // Calculate runs to its end (or its failure) before any queued event.
    QTimer::singleShot(0, this, [this] { calculating_ = false; });
  });
  connect(form, &TForm2::clearStarted, this, [this] { stationGivens_.reset(); });
  // Calculate writes Yp and then Xp at the end of the solution: once either
  // changes during it, the sheet's station is that of the givens it read. A
  // rerun on the same givens changes neither and keeps the old answer. The
  // worksheet is watched rather than the boxes, which need not exist yet.
  connect(form, &TForm2::sheetChanged, this, [this] {
    if (calculating_ && stationTexts() != stationBefore_) stationGivens_ = calculatedGivens_;
  });
}

std::pair<std::string, std::string> CalculatedStation::stationTexts() const {
  const auto& sheet = form_->worksheet();
  return {sheet.text(Field::EXp), sheet.text(Field::EYp)};
}

std::vector<std::string> CalculatedStation::givenTexts() const {
  std::vector<std::string> texts;
  const auto& sheet = form_->worksheet();
  for (std::size_t i = 0; i < kFieldCount; ++i)
    if (Fields()[i].role == Role::Given) texts.push_back(sheet.text(Field(i)));
  return texts;
}

std::optional<MapPoint> CalculatedStation::station() const {
  if (stationGivens_ != givenTexts()) return std::nullopt;
  const auto& sheet = form_->worksheet();
  const std::string separator = TForm2::decimalSeparator();
  try {
    return MapPoint{
        NumberFromText(sheet.text(Field::EXp), separator).ToDouble(),
        NumberFromText(sheet.text(Field::EYp), separator).ToDouble()};
  } catch (const CalcError&) {
    return std::nullopt;
  }
}

}  // namespace pothenot
