#pragma once

#include <QObject>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ui/drawing/Figure.h"

class TForm2;

namespace pothenot {

/// The worksheet's own station, Xp and Yp, while it belongs to the givens on
/// the sheet: from the Calculate that wrote it until a given changes or the
/// sheet is cleared. Watches the problem window from its start, so that a
/// drawing first shown after "Вычислить" still knows the sheet's station.
class CalculatedStation : public QObject {
  Q_OBJECT

 public:
  /// Watches `form`, which owns this object.
  explicit CalculatedStation(TForm2* form);

  /// Xp, Yp (metres) as the worksheet shows them, or nothing when they were
  /// not written for the givens now on the sheet or are not numbers.
  std::optional<pothenot::MapPoint> station() const;

 private:
  std::vector<std::string> givenTexts() const;
  std::pair<std::string, std::string> stationTexts() const;  ///< Xp, Yp as the sheet holds them

  TForm2* form_;
  bool calculating_ = false;
  std::vector<std::string> calculatedGivens_;              ///< those the running Calculate read
  std::pair<std::string, std::string> stationBefore_;      ///< Xp, Yp before it ran
  std::optional<std::vector<std::string>> stationGivens_;  ///< those Xp, Yp were written for
};

}  // namespace pothenot
