// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/About.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QScreen>

#include "ui/common/WindowFont.h"
#include "ui_About.h"

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::TAboutBox>()) {
  setFont(pothenot::windowFont());
  ui_->setupUi(this);
  // A fixed dialog frame: title and close box, nothing to resize it with.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setFixedSize(size());

  ui_->ProgramIcon->setPixmap(QPixmap(QStringLiteral(":/images/hardhat.png")));
  // Each caption keeps its left edge and takes the width it needs in the face
  // found here.
  for (QLabel* label : {ui_->ProductName, ui_->Version, ui_->Label1, ui_->Copyright}) {
    label->ensurePolished();
    label->adjustSize();
  }
  connect(ui_->OKButton, &QPushButton::clicked, this, &TAboutBox::OKButtonClick);
}

TAboutBox::~TAboutBox() = default;

void TAboutBox::OKButtonClick() {
  done(kModalResult);
}

void TAboutBox::keyPressEvent(QKeyEvent* event) {
  // No cancel button: Escape is swallowed instead of rejecting the box.
  if (event->matches(QKeySequence::Cancel)) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void TAboutBox::showEvent(QShowEvent* event) {
  // Centred on the screen, not over the start window, at every showing.
  if (QScreen* where = screen()) {
    QRect outer = frameGeometry();
    outer.moveCenter(where->geometry().center());
    move(outer.topLeft());
  }
  QDialog::showEvent(event);
}
