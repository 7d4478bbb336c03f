// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/drawing/DrawingCommand.h"

#include <QAction>
#include <QDialog>

#include "ui/common/WindowToggle.h"
#include "ui/document/SheetDocument.h"
#include "ui/drawing/CalculatedStation.h"
#include "ui/drawing/DrawingWindow.h"
#include "ui/drawing/FigureView.h"
#include "ui/drawing/PointDrag.h"
#include "ui/sheet/Zadaha.h"

namespace pothenot {

DrawingCommand::DrawingCommand(TForm2* form, SheetDocument* document)
    : QObject(form),
      form_(form),
      action_(new QAction("Чертёж засечки", this)),
      sheetStation_(new CalculatedStation(form)),
      document_(document) {
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
    window_ = new DrawingWindow(form_, action_, sheetStation_, document_);
    window_->addActions(windowKeys_);
    // A figure of a worksheet no one sees would only be in the way.
    connect(form_, &QDialog::finished, window_, &QWidget::hide);
    new PointDrag(window_->figureView(), form_, document_);
    // The sheet's undo and redo work in the drawing too.
    window_->addActions({document_->undoAction(), document_->redoAction()});
  }
  toggleWindow(window_);
}

}  // namespace pothenot
