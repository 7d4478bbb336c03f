// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <string>
#include <utility>
#include <vector>

#include "calc/fields.h"

class QAction;
class QUndoStack;
class TForm2;

namespace pothenot {

/// The givens the drawing writes when a point is moved, kept as steps that
/// can be undone: one step per drag or per arrow key. "Отменить перемещение"
/// (Ctrl+Z) and "Повторить перемещение" (Ctrl+Shift+Z) are commands of the
/// problem window, and of the drawing window once it exists; undo writes
/// back the texts exactly as they were, redo those the move wrote.
///
/// The steps hold only what the drawing wrote: once a given changes any other
/// way (typed, cleared, a new variant), they are forgotten, so that an undo
/// never overwrites what the user typed afterwards.
class GivenEdits : public QObject {
  Q_OBJECT

 public:
  /// Registers the two commands with `form`, which owns this object.
  explicit GivenEdits(TForm2* form);

  QAction* undoAction() const { return undo_; }
  QAction* redoAction() const { return redo_; }
  QUndoStack& stack() const { return *stack_; }

  using Texts = std::vector<std::pair<Field, std::string>>;

  /// Starts a step: what write() writes until finish() is one step.
  void begin();
  /// Writes the texts into the worksheet, as if typed into their boxes.
  void write(const Texts& texts);
  /// Ends the step, named for the undo command ("пункта A"); a step that
  /// changed nothing is not kept.
  void finish(const QString& name);

 signals:
  /// A given changed some other way than by a move, its undo or redo (typed,
  /// cleared, opened); the steps are forgotten.
  void givensReplaced();

 private:
  std::vector<std::string> givens() const;
  void apply(const Texts& texts);  ///< writes without forgetting the steps

  TForm2* form_;
  QUndoStack* stack_;
  QAction* undo_;
  QAction* redo_;
  bool applying_ = false;
  // The givens and their mirrors (Xa, Ya as the control block repeats them).
  std::vector<std::string> before_;  ///< at begin()
  std::vector<std::string> known_;   ///< as the last step left them
};

}  // namespace pothenot
