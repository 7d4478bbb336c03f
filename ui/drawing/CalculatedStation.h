// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <optional>
#include <string>
#include <vector>

#include "ui/drawing/Figure.h"

class TForm2;

namespace pothenot {

/// The worksheet's own station: the Xp and Yp that the last run of Calculate
/// wrote, while the givens on the sheet are those it read. Taken up at the end
/// of every run that wrote them, whether their texts changed or not; what is
/// typed into Xp or Yp afterwards is not the sheet's station. Watches the
/// problem window from its start, so that a drawing first shown after
/// "Вычислить" still knows the sheet's station.
class CalculatedStation : public QObject {
  Q_OBJECT

 public:
  /// Watches `form`, which owns this object.
  explicit CalculatedStation(TForm2* form);

  /// Xp, Yp (metres) as the last run of Calculate wrote them, or nothing when
  /// the givens have changed since or the run stopped before writing them.
  std::optional<pothenot::MapPoint> station() const;

 private:
  void takeUp();
  std::vector<std::string> givenTexts() const;

  struct Written {
    std::vector<std::string> givens;  ///< the texts the run read
    pothenot::MapPoint station;
  };

  TForm2* form_;
  std::optional<Written> written_;
};

}  // namespace pothenot
