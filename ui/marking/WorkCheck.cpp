// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/marking/WorkCheck.h"

#include <QAction>
#include <QEvent>
#include <QLineEdit>

#include "calc/work_check.h"
#include "ui/common/Application.h"
#include "ui/marking/CheckList.h"
#include "ui/marking/CheckWords.h"
#include "ui/sheet/Zadaha.h"

namespace pothenot {

WorkCheck::WorkCheck(TForm2* form) : QObject(form), form_(form), command_(new QAction(this)) {
  command_->setText(QStringLiteral("Проверить мои вычисления"));
  // Not Ctrl+K: in a box that deletes to the end of the line.
  command_->setShortcut(QKeySequence(Qt::Key_F3));
  form_->addCommand(command_);
  connect(command_, &QAction::triggered, this,
          [this] { TApplication::guarded([this] { check(); }); });
  connect(form_, &TForm2::sheetChanged, this, &WorkCheck::unmark);
  connect(form_, &TForm2::calculateStarted, this, &WorkCheck::unmark);
  connect(form_, &TForm2::clearStarted, this, &WorkCheck::unmark);
  form_->installEventFilter(this);
}

WorkCheck::~WorkCheck() = default;

void WorkCheck::check() {
  unmark();
  const auto marks = CheckWork(form_->worksheet(), TForm2::decimalSeparator());
  for (const auto& mark : marks) {
    QLineEdit* box = form_->box(mark.field);
    marked_.push_back({box, box->palette(), box->testAttribute(Qt::WA_SetPalette), box->toolTip(),
                       box->accessibleDescription()});
    if (const QColor tint = markTint(mark.mark); tint.isValid()) {
      QPalette tinted = box->palette();
      tinted.setColor(QPalette::Base, tint);
      box->setPalette(tinted);
    }
    const QString note = markNote(mark);
    box->setToolTip(note);
    box->setAccessibleDescription(note);
  }
  if (list_ == nullptr) {
    list_ = new CheckList(form_, command_);
    list_->addActions(windowKeys_);
  }
  list_->showMarks(marks, form_->worksheet());
}

void WorkCheck::addWindowKey(QAction* command) {
  windowKeys_ << command;
  if (list_ != nullptr) list_->addAction(command);
}

bool WorkCheck::eventFilter(QObject* watched, QEvent* event) {
  // Closed or hidden by the program; a window minimised by the desktop keeps
  // its list.
  if (watched == form_ && event->type() == QEvent::Hide && !event->spontaneous() &&
      list_ != nullptr)
    list_->hide();
  return QObject::eventFilter(watched, event);
}

void WorkCheck::unmark() {
  if (marked_.empty()) return;
  for (const OwnLook& own : marked_) {
    // An empty palette gives the box back the window's, as if never set.
    own.box->setPalette(own.ownPalette ? own.palette : QPalette());
    own.box->setToolTip(own.toolTip);
    own.box->setAccessibleDescription(own.description);
  }
  marked_.clear();
  if (list_ != nullptr) list_->forget();
}

}  // namespace pothenot
