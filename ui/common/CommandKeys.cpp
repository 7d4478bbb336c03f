// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/CommandKeys.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>

namespace pothenot {

namespace {

// The line edit that keeps the box's own undo history: the box itself, or a
// spin box's edit, which the spin box hands every editing key.
const QLineEdit* editOf(const QObject* box) {
  if (const auto* edit = qobject_cast<const QLineEdit*>(box)) return edit;
  if (qobject_cast<const QAbstractSpinBox*>(box) != nullptr)
    return box->findChild<const QLineEdit*>(QString(), Qt::FindDirectChildrenOnly);
  return nullptr;
}

}  // namespace

CommandKeys::CommandKeys(QWidget* window) : QObject(window), window_(window) {}

void CommandKeys::watch(QWidget* box) {
  box->installEventFilter(this);
}

bool CommandKeys::isCommandKey(const QKeyEvent& key) const {
  const QKeySequence pressed(
      QKeyCombination(key.modifiers() & ~Qt::KeypadModifier, Qt::Key(key.key())));
  for (const QAction* action : window_->actions()) {
    if (!action->isEnabled()) continue;
    for (const QKeySequence& shortcut : action->shortcuts())
      if (shortcut == pressed) return true;
  }
  return false;
}

bool CommandKeys::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::ShortcutOverride) return false;
  const auto& key = static_cast<const QKeyEvent&>(*event);
  if (!isCommandKey(key)) return false;
  // An edit of the box's own comes undone before the window's.
  if (const QLineEdit* edit = editOf(watched)) {
    if ((key.matches(QKeySequence::Undo) && edit->isUndoAvailable()) ||
        (key.matches(QKeySequence::Redo) && edit->isRedoAvailable()))
      return false;
  }
  // Unclaimed, the key goes on to the window's shortcut.
  event->ignore();
  return true;
}

}  // namespace pothenot
