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

/// "Варианты для группы": the first variant, how many, and the PDF file to
/// write them to. OK is offered once a file is named, typed or browsed for.
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

  /// OK: closes only once the file may be written, asking before one that is
  /// there is replaced.
  void accept() override;

 private:
  void browse();
  void updateLimits();

  std::unique_ptr<Ui::ClassVariantsDialog> ui_;
};

}  // namespace pothenot
