// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <memory>

class QPushButton;

namespace Ui {
class TForm1;
}

/// The start window, the application's main window: a picture and four
/// buttons. "Задача", "Описание" and "О программе" ask for the problem window,
/// the help and the About box through signals: the window knows none of them,
/// whoever owns the application answers. "Выход" closes the window, which ends
/// the application; closing it by its frame does the same.
class TForm1 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm1(QWidget* parent = nullptr);
  ~TForm1() override;

 signals:
  /// The window has closed: the application ends.
  void closed();
  /// "Задача": the problem window, modally; the receiver returns when it closes.
  void taskRequested();
  /// "Описание": the help file at its topics, without waiting for the viewer.
  void helpRequested();
  /// "О программе": the About box, modally.
  void aboutRequested();

 private slots:
  void BitBtn1Click();  // "Задача"
  void BitBtn2Click();  // "Описание"
  void BitBtn3Click();  // "Выход"
  void BitBtn4Click();  // "О программе"

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void drawPicture();

  std::unique_ptr<Ui::TForm1> ui_;
};
