// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TAboutBox;
}

/// The About box: the product's name, its version, the series it belongs to
/// and the makers. Created once, hidden, and shown modally by "О программе".
/// OK (or Enter, which presses it) ends the showing with the modal result 1;
/// the frame's close box closes it too. There is no cancel button, so
/// Escape does nothing.
class TAboutBox : public QDialog {
  Q_OBJECT

 public:
  /// What exec() returns after OK.
  static constexpr int kModalResult = 1;

  explicit TAboutBox(QWidget* parent = nullptr);
  ~TAboutBox() override;

 private slots:
  void OKButtonClick();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  std::unique_ptr<Ui::TAboutBox> ui_;
};
