// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/Start.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

#include "ui/common/BitmapButton.h"
#include "ui/common/WindowFont.h"
#include "ui_Start.h"

TForm1::TForm1(QWidget* parent) : QWidget(parent), ui_(std::make_unique<Ui::TForm1>()) {
  setFont(pothenot::windowFont());
  ui_->setupUi(this);
  move(343, 224);
  drawPicture();
  pothenot::setUpBitmapButton(ui_->BitBtn1, QStringLiteral(":/images/task.bmp"));
  pothenot::setUpBitmapButton(ui_->BitBtn2, QStringLiteral(":/images/help.bmp"));
  pothenot::setUpBitmapButton(ui_->BitBtn4, QStringLiteral(":/images/about.bmp"));
  pothenot::setUpBitmapButton(ui_->BitBtn3, QStringLiteral(":/images/door.bmp"));
  connect(ui_->BitBtn1, &QPushButton::clicked, this, &TForm1::BitBtn1Click);
  connect(ui_->BitBtn2, &QPushButton::clicked, this, &TForm1::BitBtn2Click);
  connect(ui_->BitBtn3, &QPushButton::clicked, this, &TForm1::BitBtn3Click);
  connect(ui_->BitBtn4, &QPushButton::clicked, this, &TForm1::BitBtn4Click);
}

TForm1::~TForm1() = default;

void TForm1::drawPicture() {
  // The drawing is a vector one: draw it at the screen's own density so that
  // it stays sharp on a scaled desktop.
  QSvgRenderer drawing(QStringLiteral(":/images/start.svg"));
  const QSize size = ui_->Image1->size();
  const qreal density = devicePixelRatioF();
  QPixmap picture(size * density);
  picture.setDevicePixelRatio(density);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  drawing.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
  painter.end();
  ui_->Image1->setPixmap(picture);
}

void TForm1::BitBtn1Click() {
  emit taskRequested();
}

void TForm1::BitBtn2Click() {
  emit helpRequested();
}

void TForm1::BitBtn3Click() {
  close();
}

void TForm1::BitBtn4Click() {
  emit aboutRequested();
}

void TForm1::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  if (event->isAccepted()) emit closed();
}
