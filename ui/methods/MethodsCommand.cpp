// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/methods/MethodsCommand.h"

#include <QAction>
#include <QDialog>

#include "ui/common/WindowToggle.h"
#include "ui/methods/MethodsWindow.h"
#include "ui/sheet/Zadaha.h"

namespace pothenot {

MethodsCommand::MethodsCommand(TForm2* form)
    : QObject(form), form_(form), action_(new QAction("Способы решения", this)) {
  action_->setObjectName("MethodsCommand");
  action_->setShortcut(Qt::Key_F4);
  connect(action_, &QAction::triggered, this, &MethodsCommand::toggle);
  form->addCommand(action_);
}

bool MethodsCommand::isOpen() const {
  return window_ != nullptr && window_->isVisible();
}

void MethodsCommand::toggle() {
  if (window_ == nullptr) {
    window_ = new MethodsWindow(form_, action_);
    // Methods for a worksheet no one sees would only be in the way.
    connect(form_, &QDialog::finished, window_, &QWidget::hide);
  }
  toggleWindow(window_);
}

}  // namespace pothenot
