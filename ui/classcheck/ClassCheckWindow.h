// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "ui/classcheck/ClassReport.h"

namespace Ui {
class ClassCheckWindow;
}

namespace pothenot {

/// The window «Проверка работ группы»: a class's sheet files marked at once,
/// a row per file (name, variant, standing, the five counts, the first
/// error), first in the report's order (errors first); a click on a column's
/// header orders the rows by it. A double click on a row hands its file to
/// `open`; «Сохранить отчёт…» writes the rows, in the table's order, as PDF
/// or CSV.
///
/// A child top-level window of the problem window, so that it can be used
/// while that window is shown modally; it never writes to the worksheet.
class ClassCheckWindow : public QWidget {
  Q_OBJECT

 public:
  ClassCheckWindow(QWidget* owner, std::function<void(const QString& path)> open);
  ~ClassCheckWindow() override;

  /// Marks `paths`, with a progress dialog that can cancel a long run, and
  /// lists them all in place of whatever was listed: those a cancel left
  /// unmarked too, as «не проверен».
  void checkFiles(const QStringList& paths);
  /// Marks every sheet file in `folder`.
  void checkFolder(const QString& folder);

  /// The rows listed, in the table's order.
  std::vector<classcheck::StudentRow> rows() const;

 private:
  /// The row shown on line `line` of the table.
  const classcheck::StudentRow& rowAt(int line) const;
  void chooseFiles();
  void chooseFolder();
  void saveReport();
  void showRows();

  std::unique_ptr<Ui::ClassCheckWindow> ui_;
  std::function<void(const QString&)> open_;
  std::vector<classcheck::StudentRow> rows_;  ///< in the report's order
  QString folder_;                            ///< where the last files were taken from
};

}  // namespace pothenot
