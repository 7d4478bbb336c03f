#pragma once

#include <QObject>

class CalculatedStation;
class QAction;
class TDrawingWindow;
class TForm2;

/// The command "Чертёж засечки" of the problem window: F2, or its
/// background's context menu, shows the drawing window; F2 again, there or in
/// the drawing window, hides it, as does closing the problem window. The
/// window is made at its first showing, not with the problem window, which
/// exists from start-up.
class DrawingCommand : public QObject {
  Q_OBJECT

 public:
  /// Registers the command with `form`, which owns this object.
  explicit DrawingCommand(TForm2* form);

  QAction* action() const { return action_; }
  /// The drawing window, or nullptr before the first showing.
  TDrawingWindow* window() const { return window_; }

 private:
  void Toggle();

  TForm2* form_;
  QAction* action_;
  CalculatedStation* sheetStation_;
  TDrawingWindow* window_ = nullptr;
};
