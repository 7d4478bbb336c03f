// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class TForm2;
class QWidget;

namespace pothenot {

class SheetDocument;
class StudentDialog;

/// The problem window's commands for sheet files (".pothenot"):
///   Ctrl+O        «Открыть лист…»;
///   Ctrl+S        «Сохранить лист» (the first time, as «Сохранить лист как…»);
///   Ctrl+Shift+S  «Сохранить лист как…», which asks for the student's name too;
/// and a sheet file dropped anywhere on the window opens it. The sheet itself,
/// its file and the question about unsaved changes are the `SheetDocument`'s;
/// closing the window or the start window asks that question first.
/// Owned by the problem window.
class FileCommands : public QObject {
  Q_OBJECT

 public:
  /// Gives `form`, which owns it, these commands (keys and background menu)
  /// on `document`'s sheet, and asks about unsaved changes before it closes.
  FileCommands(TForm2* form, SheetDocument* document);

  /// Opens the sheet file at `path` as SheetDocument::open does (asked about
  /// unsaved changes first, a refusal told). Returns whether it was opened.
  bool openSheet(const QString& path);

  /// «Сохранить лист»: writes the sheet to its file, or asks as «Сохранить
  /// лист как…» while it has none. Returns whether it was written.
  bool save();

  /// Asks about unsaved changes before `window` closes as well (the start
  /// window, whose closing ends the program).
  void guardClose(QWidget* window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void open();
  bool saveAs();
  void acceptDrops();

  TForm2* form_;
  SheetDocument* document_;
  StudentDialog* studentDialog_ = nullptr;
  bool dropsHooked_ = false;
};

}  // namespace pothenot
