// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QAction;
class TForm2;

namespace pothenot {

class MethodsWindow;

/// The command "Способы решения" of the problem window: F4, or its
/// background's context menu, shows the methods window; F4 again, there or in
/// that window, hides it, as does closing the problem window. The window is
/// made at its first showing.
class MethodsCommand : public QObject {
  Q_OBJECT

 public:
  /// Registers the command with `form`, which owns this object.
  explicit MethodsCommand(TForm2* form);

  QAction* action() const { return action_; }
  /// The methods window, or nullptr before the first showing.
  MethodsWindow* window() const { return window_; }
  /// Whether the window is shown now: then the printed sheet has its page.
  bool isOpen() const;

 private:
  void toggle();

  TForm2* form_;
  QAction* action_;
  MethodsWindow* window_ = nullptr;
};

}  // namespace pothenot
