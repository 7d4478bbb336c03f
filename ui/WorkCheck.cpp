#include "ui/WorkCheck.h"

#include <QAction>
#include <QEvent>
#include <QLineEdit>

#include "calc/work_check.h"
#include "ui/Application.h"
#include "ui/CheckList.h"
#include "ui/CheckWords.h"
#include "ui/Zadaha.h"

TWorkCheck::TWorkCheck(TForm2* form) : QObject(form), form_(form), command_(new QAction(this)) {
  command_->setText(QStringLiteral("Проверить мои вычисления"));
  // Not Ctrl+K: in a box that deletes to the end of the line.
  command_->setShortcut(QKeySequence(Qt::Key_F3));
  form_->addCommand(command_);
  connect(command_, &QAction::triggered, this,
          [this] { TApplication::Guarded([this] { Check(); }); });
  connect(form_, &TForm2::sheetChanged, this, &TWorkCheck::Unmark);
  connect(form_, &TForm2::calculateStarted, this, &TWorkCheck::Unmark);
  connect(form_, &TForm2::clearStarted, this, &TWorkCheck::Unmark);
  form_->installEventFilter(this);
}

TWorkCheck::~TWorkCheck() = default;

void TWorkCheck::Check() {
  Unmark();
  const auto marks = pothenot::CheckWork(form_->worksheet(), TForm2::DecimalSeparator());
  for (const auto& mark : marks) {
    QLineEdit* box = form_->box(mark.field);
    marked_.push_back({box, box->palette(), box->testAttribute(Qt::WA_SetPalette), box->toolTip(),
                       box->accessibleDescription()});
    if (const QColor tint = pothenot::MarkTint(mark.mark); tint.isValid()) {
      QPalette tinted = box->palette();
      tinted.setColor(QPalette::Base, tint);
      box->setPalette(tinted);
    }
    const QString note = pothenot::MarkNote(mark);
    box->setToolTip(note);
    box->setAccessibleDescription(note);
  }
  if (list_ == nullptr) {
    list_ = new TCheckList(form_);
    // F3 checks again from the list window too.
    list_->addAction(command_);
  }
  list_->Show(marks, form_->worksheet());
}

bool TWorkCheck::eventFilter(QObject* watched, QEvent* event) {
  // Closed or hidden by the program; a window minimised by the desktop keeps
  // its list.
  if (watched == form_ && event->type() == QEvent::Hide && !event->spontaneous() &&
      list_ != nullptr)
    list_->hide();
  return QObject::eventFilter(watched, event);
}

void TWorkCheck::Unmark() {
  if (marked_.empty()) return;
  for (const OwnLook& own : marked_) {
    // An empty palette gives the box back the window's, as if never set.
    own.box->setPalette(own.ownPalette ? own.palette : QPalette());
    own.box->setToolTip(own.toolTip);
    own.box->setAccessibleDescription(own.description);
  }
  marked_.clear();
  if (list_ != nullptr) list_->Forget();
}
