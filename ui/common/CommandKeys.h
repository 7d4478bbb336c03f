// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QKeyEvent;
class QWidget;

namespace pothenot {

/// The keys of a window's commands work with the cursor in one of its boxes.
///
/// A box claims before any shortcut every key its desktop binds to editing:
/// on an X11 desktop Ctrl+E is the end of the line, and Ctrl+Z and
/// Ctrl+Shift+Z are claimed by every box that can be typed into, whether it
/// has anything to undo or not. For each box it watches, this gives such a
/// key to the window's command that has it (an enabled action of the window,
/// as the window's actions stand at the key), except the undo and redo keys
/// while the box has an edit of its own to undo or redo. Keys no command has
/// (Ctrl+A, Ctrl+C, the arrows, Home, End…) stay the box's.
class CommandKeys : public QObject {
 public:
  /// The commands are `window`'s actions; a child of `window`.
  explicit CommandKeys(QWidget* window);

  /// Watches `box`: a line edit, or a spin box (its line edit undoes for it).
  void watch(QWidget* box);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool isCommandKey(const QKeyEvent& key) const;

  QWidget* window_;
};

}  // namespace pothenot
