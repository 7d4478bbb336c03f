// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <memory>
#include <vector>

#include "calc/work_check.h"
#include "calc/worksheet.h"

class QAction;

namespace Ui {
class CheckList;
}

namespace pothenot {

/// The list window "Проверка вычислений": the 29 results of a checked sheet in
/// the order the worksheet writes them, each with the student's text, the
/// worksheet's text and the mark in words, under one sentence that says
/// whether everything is right or where the first error is.
///
/// A child top-level window of the problem window, so that it can be used
/// while that window is shown modally; it never writes to the worksheet.
class CheckList : public QWidget {
  Q_OBJECT

 public:
  /// `checkAgain` is the command that checks the sheet: its button
  /// «F3 — проверить снова» and its key work here.
  CheckList(QWidget* owner, QAction* checkAgain);
  ~CheckList() override;

  /// Lists `marks`, made from the student's texts in `sheet`.
  void showMarks(const std::vector<pothenot::BoxMark>& marks, const pothenot::TWorksheet& sheet);
  /// The sheet has changed since it was checked: the list no longer holds.
  void forget();

 private:
  std::unique_ptr<Ui::CheckList> ui_;
};

}  // namespace pothenot
