// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>

class QAction;
class TForm2;

namespace pothenot {

class CalculatedStation;
class DrawingWindow;
class SheetDocument;

/// The command "Чертёж засечки" of the problem window: F2, or its
/// background's context menu, shows the drawing window; F2 again, there or in
/// the drawing window, hides it, as does closing the problem window. The
/// window is made at its first showing, not with the problem window, which
/// exists from start-up.
class DrawingCommand : public QObject {
  Q_OBJECT

 public:
  /// Registers the command with `form`, which owns this object; the points
  /// moved in the drawing are steps of `document`'s undo.
  DrawingCommand(TForm2* form, SheetDocument* document);

  QAction* action() const { return action_; }
  /// Another command of the problem window whose key works in the drawing
  /// window too.
  void addWindowKey(QAction* command);
  /// The drawing window, or nullptr before the first showing.
  DrawingWindow* window() const { return window_; }
  /// The sheet's own station while it belongs to the givens on the sheet;
  /// watched from the start, whether the window was ever shown or not.
  const CalculatedStation& station() const { return *sheetStation_; }

 private:
  void toggle();

  TForm2* form_;
  QAction* action_;
  CalculatedStation* sheetStation_;
  SheetDocument* document_;
  DrawingWindow* window_ = nullptr;
  QList<QAction*> windowKeys_;
};

}  // namespace pothenot
