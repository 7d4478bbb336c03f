// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/classcheck/ClassCheckCommand.h"

#include <QAction>
#include <QEvent>

#include "ui/classcheck/ClassCheckWindow.h"
#include "ui/common/Application.h"
#include "ui/marking/WorkCheck.h"
#include "ui/sheet/Zadaha.h"

namespace pothenot {

ClassCheckCommand::ClassCheckCommand(TForm2* form, WorkCheck* marking,
                                     std::function<bool(const QString&)> open)
    : QObject(form),
      form_(form),
      marking_(marking),
      open_(std::move(open)),
      command_(new QAction(this)) {
  command_->setText(QStringLiteral("Проверить работы группы…"));
  command_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
  form_->addCommand(command_);
  connect(command_, &QAction::triggered, this, [this] {
    window()->show();
    window()->raise();
    window()->activateWindow();
  });
  form_->installEventFilter(this);
}

ClassCheckCommand::~ClassCheckCommand() = default;

ClassCheckWindow* ClassCheckCommand::window() {
  if (window_ == nullptr) {
    window_ = new ClassCheckWindow(form_, [this](const QString& path) { openSheet(path); });
    window_->addAction(command_);
  }
  return window_;
}

void ClassCheckCommand::checkFiles(const QStringList& paths) {
  window()->checkFiles(paths);
}

void ClassCheckCommand::openSheet(const QString& path) {
  TApplication::guarded([&] {
    if (!open_(path)) return;
    form_->raise();
    form_->activateWindow();
    marking_->check();
  });
}

bool ClassCheckCommand::eventFilter(QObject* watched, QEvent* event) {
  // Closed or hidden by the program; a window minimised by the desktop keeps
  // the class's list.
  if (watched == form_ && event->type() == QEvent::Hide && !event->spontaneous() &&
      window_ != nullptr)
    window_->hide();
  return QObject::eventFilter(watched, event);
}

}  // namespace pothenot
