// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "calc/fields.h"
#include "calc/worksheet.h"

class QAction;
class QLineEdit;
class QPushButton;

namespace Ui {
class TForm2;
}

/// The problem window: the worksheet on screen. Each of its 48 edit boxes
/// shows the worksheet field of the same name; typing into a box sets the
/// field, and every field the worksheet reports as changed is shown in its
/// box. The window holds no logic of its own and keeps no failure: a failed
/// Calculate leaves the click handler for the application to show.
///
/// Created once and hidden; shown modally with exec(). Closing it ("Выход"
/// or the frame's close box) only hides it, so the worksheet's texts are
/// there again at the next showing.
///
/// The worksheet exists from the start; the form (boxes, labels, button
/// pictures) is built when it is first needed: at the first showing, or when
/// box() or sheetPanel() is asked for. Start-up does not pay for a window
/// that may never be opened.
///
/// The window knows none of the features that hang on it (the drawing, the
/// marking, paper): they are attached from outside through addCommand() and
/// follow the sheet through the signals below.
class TForm2 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm2(QWidget* parent = nullptr);
  ~TForm2() override;

  pothenot::TWorksheet& worksheet() { return sheet_; }

  /// The edit box that shows `field`; builds the form if it is not yet built.
  QLineEdit* box(pothenot::Field field) const;
  /// The worksheet as it stands on screen: the panel that holds every box,
  /// label, line and the three buttons; builds the form if need be.
  QWidget* sheetPanel() const;

  /// The separator Calculate reads and writes on this window: the desktop's,
  /// `pothenot::desktopSeparator()`, "," or "." and never another sign.
  static std::string decimalSeparator();

  /// A command beyond the worksheet's three buttons: its key works anywhere in
  /// the window, with the cursor in a box too (there Ctrl+Z and Ctrl+Shift+Z
  /// undo and redo the box's own edit while it has one), and it is listed in
  /// the context menu of the window's background. The window takes no
  /// ownership of the action's receivers. The key works at once; the menu
  /// entry appears once the form is built.
  void addCommand(QAction* action);

  void setVisible(bool visible) override;

 signals:
  /// The text of a field has changed: typed, calculated, cleared or mirrored.
  /// Emitted once per field, so a Calculate raises it up to 29 times: a
  /// listener that redraws should coalesce (QWidget::update does).
  void sheetChanged();
  /// "Вычислить" or "Очистить" was pressed; emitted before the worksheet acts,
  /// so that whatever describes the sheet as it stood can let go of it.
  void calculateStarted();
  /// A run of Calculate is over, whether it wrote every result or stopped on a
  /// failure (emitted before the failure goes on to be shown).
  void calculated();
  /// "Очистить" was pressed: emitted before the 48 fields are emptied, and
  /// cleared() once they are.
  void clearStarted();
  void cleared();

 private slots:
  void BitBtn1Click();  // "Вычислить"
  void BitBtn2Click();  // "Выход"
  void BitBtn3Click();  // "Очистить"
  void EXaChange(const QString& text);
  void EYaChange(const QString& text);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  /// The form, built on first use.
  Ui::TForm2& form() const;
  void build();
  void addToMenu(QAction* action);
  void boxChange(pothenot::Field field, const QString& text);
  void showField(std::string_view name);
  void fitLabels();

  std::unique_ptr<Ui::TForm2> ui_;
  std::array<QLineEdit*, pothenot::kFieldCount> boxes_{};
  pothenot::TWorksheet sheet_;
};
