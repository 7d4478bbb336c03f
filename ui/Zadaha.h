#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <memory>
#include <string_view>

#include "calc/fields.h"
#include "calc/worksheet.h"

class QLineEdit;
class QPushButton;

namespace Ui {
class TForm2;
}

/// The problem window: the worksheet on screen. Each of its 48 edit boxes
/// shows the worksheet field of the same name; typing into a box sets the
/// field, and every field the worksheet reports as changed is shown in its
/// box. The window holds no logic of its own and catches nothing: a failed
/// Calculate leaves the click handler for the application to show.
///
/// Created once and hidden; shown modally with exec(). Closing it ("Выход"
/// or the frame's close box) only hides it, so the worksheet's texts are
/// there again at the next showing.
class TForm2 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm2(QWidget* parent = nullptr);
  ~TForm2() override;

  pothenot::TWorksheet& worksheet() { return sheet_; }

 private slots:
  void BitBtn1Click();  // "Вычислить"
  void BitBtn2Click();  // "Выход"
  void BitBtn3Click();  // "Очистить"
  void EXaChange(const QString& text);
  void EYaChange(const QString& text);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BoxChange(pothenot::Field field, const QString& text);
  void ShowField(std::string_view name);
  void FitLabels();

  std::unique_ptr<Ui::TForm2> ui_;
  std::array<QLineEdit*, pothenot::kFieldCount> boxes_{};
  pothenot::TWorksheet sheet_;
};
