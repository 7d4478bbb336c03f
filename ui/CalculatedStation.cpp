#include "ui/CalculatedStation.h"

#include <QLineEdit>
#include <QTimer>

#include "calc/calc_error.h"
#include "calc/number_text.h"
#include "ui/Zadaha.h"

using pothenot::Field;

CalculatedStation::CalculatedStation(TForm2* form) : QObject(form), form_(form) {
  connect(form, &TForm2::calculateStarted, this, [this] {
    calculating_ = true;
    calculatedGivens_ = GivenTexts();
    // Calculate runs to its end (or its failure) before any queued event.
    QTimer::singleShot(0, this, [this] { calculating_ = false; });
  });
  connect(form, &TForm2::clearStarted, this, [this] { stationGivens_.reset(); });
  // Calculate writes Yp and then Xp at the end of the solution: once either
  // changes during it, the sheet's station is that of the givens it read. A
  // rerun on the same givens changes neither and keeps the old answer.
  for (Field f : {Field::EYp, Field::EXp}) {
    connect(form->box(f), &QLineEdit::textChanged, this, [this] {
      if (calculating_) stationGivens_ = calculatedGivens_;
    });
  }
}

std::vector<std::string> CalculatedStation::GivenTexts() const {
  std::vector<std::string> texts;
  const auto& sheet = form_->worksheet();
  for (std::size_t i = 0; i < pothenot::kFieldCount; ++i)
    if (pothenot::Fields()[i].role == pothenot::Role::Given) texts.push_back(sheet.text(Field(i)));
  return texts;
}

std::optional<pothenot::MapPoint> CalculatedStation::station() const {
  if (stationGivens_ != GivenTexts()) return std::nullopt;
  const auto& sheet = form_->worksheet();
  const std::string separator = TForm2::DecimalSeparator();
  try {
    return pothenot::MapPoint{
        pothenot::NumberFromText(sheet.text(Field::EXp), separator).ToDouble(),
        pothenot::NumberFromText(sheet.text(Field::EYp), separator).ToDouble()};
  } catch (const pothenot::CalcError&) {
    return std::nullopt;
  }
}
