// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/drawing/DrawingCommand.h"

#include <QAction>
#include <QDialog>

#include "ui/common/WindowToggle.h"
#include "ui/drawing/CalculatedStation.h"
#include "ui/drawing/DrawingWindow.h"
#include "ui/drawing/FigureView.h"
#include "ui/drawing/GivenEdits.h"
#include "ui/drawing/PointDrag.h"
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
  edits_ = new GivenEdits(form);
}

void DrawingCommand::addWindowKey(QAction* command) {
  windowKeys_ << command;
  if (window_ != nullptr) window_->addAction(command);
}

void DrawingCommand::toggle() {
  if (window_ == nullptr) {
    window_ = new DrawingWindow(form_, action_, sheetStation_, edits_);
    window_->addActions(windowKeys_);
    // A figure of a worksheet no one sees would only be in the way.
    connect(form_, &QDialog::finished, window_, &QWidget::hide);
    new PointDrag(window_->figureView(), form_, edits_);
    window_->addActions({edits_->undoAction(), edits_->redoAction()});
  }
  toggleWindow(window_);
}

}  // namespace pothenot
