#pragma once

#include <QWidget>
#include <memory>

class TProgram;
class QPushButton;

namespace Ui {
class TForm1;
}

/// The start window, the application's main window: a picture and four
/// buttons. "Задача" shows the problem window modally, "Описание" opens the
/// help file at its topics, "О программе" shows the About box modally and
/// "Выход" closes the window, which ends the application. Closing it by its
/// frame does the same.
class TForm1 : public QWidget {
  Q_OBJECT

 public:
  /// The other two windows and the help are reached through `program` when
  /// a button is pressed; they need not exist yet.
  explicit TForm1(TProgram& program, QWidget* parent = nullptr);
  ~TForm1() override;

 signals:
  /// The window has closed: the application ends.
  void closed();

 private slots:
  void BitBtn1Click();  // "Задача"
  void BitBtn2Click();  // "Описание"
  void BitBtn3Click();  // "Выход"
  void BitBtn4Click();  // "О программе"

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void DrawPicture();

  TProgram& program_;
  std::unique_ptr<Ui::TForm1> ui_;
};
