#include "ui/drawing/DrawingCommand.h"

#include <QAction>
#include <QDialog>

#include "ui/drawing/CalculatedStation.h"
#include "ui/drawing/DrawingWindow.h"
#include "ui/sheet/Zadaha.h"

namespace pothenot {

DrawingCommand::DrawingCommand(TForm2* form)
    : QObject(form),
      form_(form),
      action_(new QAction("Чертёж засечки", this)),
      sheetStation_(new CalculatedStation(form)) {
  action_->setObjectName("DrawingCommand");
  action_->setShortcut(Qt::Key_F2);
  connect(action_, &QAction::triggered, this, &DrawingCommand::toggle);
  form->addCommand(action_);
}

void DrawingCommand::addWindowKey(QAction* command) {
  windowKeys_ << command;
  if (window_ != nullptr) window_->addAction(command);
}

void DrawingCommand::toggle() {
  if (window_ == nullptr) {
    window_ = new DrawingWindow(form_, action_, sheetStation_);
    window_->addActions(windowKeys_);
    // A figure of a worksheet no one sees would only be in the way.
    connect(form_, &QDialog::finished, window_, &QWidget::hide);
  }
  if (window_->isVisible()) {
    window_->hide();
    return;
  }
  window_->show();
  window_->raise();
  window_->activateWindow();
}

}  // namespace pothenot
