// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/BitmapButton.h"

#include <QKeyEvent>
#include <QPushButton>

#include "ui/common/ButtonPicture.h"

namespace pothenot {

namespace {

// A button that is not "auto default" ignores Enter; this one takes it.
class EnterPresses : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      auto* key = static_cast<QKeyEvent*>(event);
      const auto modifiers = key->modifiers() & ~Qt::KeypadModifier;
      const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
      if (enter && modifiers == Qt::NoModifier) {
        if (auto* button = qobject_cast<QPushButton*>(watched)) {
          button->click();
          return true;
        }
      }
    }
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

void setUpBitmapButton(QPushButton* button, const QString& picture) {
  button->setIcon(buttonPicture(picture));
  button->setAutoDefault(false);
  button->setDefault(false);
  button->installEventFilter(new EnterPresses(button));
}

}  // namespace pothenot
