// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "calc/sheet_file.h"

class QAction;
class QUndoStack;
class TForm2;

namespace pothenot {

/// The problem window's sheet as a document: its file (or none), whether it
/// changed since it was last read or written, the student named on it, the
/// variant whose givens it holds, and the undo of its edits. Every command
/// that puts other texts on the sheet or clears it goes through here: a file
/// opened (Ctrl+O, a dropped file, the command line, the class window), a new
/// variant (Ctrl+N), «Очистить» and the drawing's moves of points.
///
/// Setting the sheet aside (another sheet, a new variant, the window closed,
/// the program ended) asks first whether to save the changes while it has a
/// file; a sheet that never had one is let go without a question. «Не
/// сохранять» puts back what was last read or written.
///
/// The undo: «Очистить» and each move of a point in the drawing are one step
/// of a QUndoStack, «Отменить …» (Ctrl+Z) and «Повторить …» (Ctrl+Shift+Z),
/// commands of the problem window. Undo writes back the texts exactly as they
/// were, redo those the step wrote. A given typed afterwards, or any box that a
/// step writes, forgets every step, so that an undo never overwrites what the
/// user typed; a result typed after a move, or what a Calculate writes, does not. Opening a sheet or a new variant forgets them too.
///
/// The window's title names the file, «Задача — ivanov.pothenot», with Qt's
/// changed mark; without a file it is the plain title.
/// Owned by the problem window.
class SheetDocument : public QObject {
  Q_OBJECT

 public:
  /// Watches `form`, which owns it, and registers the undo commands with it.
  explicit SheetDocument(TForm2* form);

  /// The sheet's file (absolute), empty while it has none.
  QString path() const { return path_; }
  /// The student named on the sheet; empty when nobody said.
  QString student() const { return QString::fromStdString(student_); }
  /// The number of the exercise whose givens are still on the sheet, 0 for none.
  std::uint32_t variant() const;
  /// Whether the sheet has a file and differs from what was last read or written.
  bool isModified() const;

  QAction* undoAction() const { return undo_; }
  QAction* redoAction() const { return redo_; }

  /// Opens the sheet file at `path`: first asks about unsaved changes, then
  /// reads it (`readSheetFile`), moves its numbers to this desktop's separator
  /// and puts every text on the sheet. A file that cannot be read or is no
  /// sheet is told in a message that names it, and the sheet stays as it was.
  /// Returns whether the sheet was opened.
  bool open(const QString& path);
  /// A new sheet without a file: first asks about unsaved changes, then puts
  /// the texts of `texts` (mirrors aside: they follow) on the sheet as those
  /// of exercise `variant` (0 for none). The student stays, to be offered when
  /// it is saved. Returns whether the sheet was replaced.
  bool newSheet(const TWorksheet& texts, std::uint32_t variant);
  /// Writes the sheet over its file, asking first when another program changed
  /// the file since it was read or written. Returns false, writing nothing,
  /// while the sheet has no file, on «Отмена», or on a failure, which is told.
  bool save();
  /// Writes the sheet to `path` (replacing it was agreed to already) as
  /// `student`'s; that becomes the sheet's file. A failure is told, and the
  /// sheet keeps its file and student. Returns whether it was written.
  bool saveAs(const QString& path, const QString& student);
  /// Whether the sheet may be set aside now: yes without a file or without
  /// changes, else what the user answers: «Сохранить» (and the save went
  /// through), «Не сохранять» (the sheet goes back to its file's texts) or
  /// «Отмена» (no).
  bool maySetAside();

  /// The texts of some fields, in the order written.
  using Texts = std::vector<std::pair<Field, std::string>>;
  /// A step of the undo: what write() writes until finish() is one step.
  void begin();
  /// Writes the texts into the worksheet, as if typed into their boxes.
  void write(const Texts& texts);
  /// Ends the step, named for the undo command («перемещение пункта A»); a
  /// step that changed nothing is not kept.
  void finish(const QString& name);

 signals:
  /// The texts changed other than by a step of the sheet's own, its undo or
  /// redo, or a Calculate: typed, or another sheet put on it (opened, a new
  /// variant, its file's texts back after «Не сохранять»). A view of the
  /// sheet's points fits them afresh; after a step it stays where it was.
  void replaced();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  using All = std::array<std::string, kFieldCount>;
  All texts() const;
  std::vector<std::string> givens() const;
  /// Writes without the write being taken for typing.
  void apply(const Texts& texts);
  /// Puts `file`'s texts on the sheet as a sheet of its own: its student and
  /// variant, no steps to undo.
  void replace(const SheetFile& file);
  void markVariant(std::uint32_t number);
  SheetFile current() const;
  bool writeTo(const QString& path, const std::string& student);
  bool mayWriteOver();
  void sheetChanged();
  void forgetSteps();
  void showTitle();
  QWidget* questionParent() const;

  TForm2* form_;
  QUndoStack* stack_;
  QAction* undo_;
  QAction* redo_;
  QString path_;
  std::string student_;
  std::uint32_t variant_ = 0;
  std::vector<std::string> variantGivens_;  ///< the variant's givens, as put on the sheet
  /// What was last read or written (texts as on this desktop); none while the
  /// sheet has no file.
  std::optional<SheetFile> last_;
  QByteArray diskHash_;  ///< of the file's bytes as last read or written
  All known_;            ///< the texts as the document last left or saw them
  All before_;           ///< at begin()
  /// The boxes that some step on the stack writes: typing into one of them
  /// forgets the steps.
  std::bitset<kFieldCount> stepFields_;
  bool applying_ = false, calculating_ = false;
  QString plainTitle_;  ///< the window's own title, read at its first showing
};

}  // namespace pothenot
