// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>
#include <memory>

namespace Ui {
class ClassVariantsDialog;
}

namespace pothenot {

/// "Варианты для группы": the first variant, how many, the PDF file to write
/// them to and, if asked for, the folder for a sheet file per variant. OK is
/// offered once a file is named, typed or browsed for (and the folder, when
/// the sheet files are asked for).
class ClassVariantsDialog : public QDialog {
  Q_OBJECT

 public:
  explicit ClassVariantsDialog(QWidget* parent);
  ~ClassVariantsDialog() override;

  void suggest(std::uint32_t first);
  std::uint32_t first() const;
  int count() const;
  /// The file named, with ".pdf" added when missing.
  QString path() const;

  /// The folder for the sheet files; empty when none are asked for.
  QString sheetFolder() const;

  /// OK: closes only once the file may be written, asking before one that is
  /// there is replaced, and once more, for all of them, before sheet files.
  void accept() override;

 private:
  void browse();
  void browseFolder();
  void updateLimits();

  std::unique_ptr<Ui::ClassVariantsDialog> ui_;
};

}  // namespace pothenot
