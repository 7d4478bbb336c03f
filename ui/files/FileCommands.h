// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "calc/sheet_file.h"

class TForm2;
class QWidget;

namespace pothenot {

class StudentDialog;

/// The problem window's commands for sheet files (".pothenot"):
///   Ctrl+O        «Открыть лист…»;
///   Ctrl+S        «Сохранить лист» (the first time, as «Сохранить лист как…»);
///   Ctrl+Shift+S  «Сохранить лист как…», which asks for the student's name too;
/// and a sheet file dropped anywhere on the window opens it.
///
/// Once the sheet came from a file or went to one, setting it aside with
/// changes made since (closing the window, ending the program, opening
/// another sheet) asks first whether to save them. A sheet that never had a
/// file is let go without a question, as it always was.
/// Owned by the problem window.
class FileCommands : public QObject {
  Q_OBJECT

 public:
  /// Gives `form`, which owns it, these commands (keys and background menu)
  /// and asks about unsaved changes before it closes.
  explicit FileCommands(TForm2* form);

  /// Opens the sheet file at `path` into the window's boxes: first asks about
  /// unsaved changes, then reads the file, moves its numbers to this desktop's
  /// separator and puts every text into the worksheet. A file that cannot be
  /// read or is no sheet is told in a message that names it, and the open
  /// sheet stays as it was. Returns whether the sheet was opened.
  bool openSheet(const QString& path);

  /// «Сохранить лист»: writes the sheet to its file, or asks as «Сохранить
  /// лист как…» while it has none. Returns whether it was written.
  bool save();

  /// The sheet's file, empty while it has none.
  QString path() const { return path_; }
  /// The student named on the sheet; empty when nobody said.
  QString student() const { return QString::fromStdString(student_); }

  /// Asks about unsaved changes before `window` closes as well (the start
  /// window, whose closing ends the program).
  void guardClose(QWidget* window);
  /// Whether the sheet may be set aside now: yes when it has no file, no
  /// changes since it was last read or written, or the user said so
  /// («Сохранить» and the save went through, or «Не сохранять»).
  bool maySetAside();

  /// Where the sheet's variant is read from when it is saved: the number of
  /// the exercise whose givens are still on the sheet, 0 for none.
  void setVariantSource(std::function<std::uint32_t()> source) { variant_ = std::move(source); }

 signals:
  /// A sheet was opened; `variant` is the exercise it names, 0 for none. Its
  /// givens are those now on the sheet.
  void sheetOpened(std::uint32_t variant);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void open();
  bool saveAs();
  bool writeTo(const QString& path);
  /// The sheet as it would be saved now.
  SheetFile current() const;
  void refuse(const QString& message);
  void acceptDrops();

  TForm2* form_;
  StudentDialog* studentDialog_ = nullptr;
  QString path_;
  std::string student_;
  /// What was last read or written (texts as on this desktop), and the state
  /// the user chose not to save; both empty while the sheet has no file.
  std::optional<SheetFile> last_, dismissed_;
  std::function<std::uint32_t()> variant_;
  bool dropsHooked_ = false;
};

}  // namespace pothenot
