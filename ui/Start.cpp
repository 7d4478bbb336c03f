#include "ui/Start.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

#include "ui/About.h"
#include "ui/BitmapButton.h"
#include "ui/HelpCommand.h"
#include "ui/Program.h"
#include "ui/WindowFont.h"
#include "ui/Zadaha.h"
#include "ui_Start.h"

TForm1::TForm1(TProgram& program, QWidget* parent)
    : QWidget(parent), program_(program), ui_(std::make_unique<Ui::TForm1>()) {
  setFont(pothenot::WindowFont());
  ui_->setupUi(this);
  move(343, 224);
  DrawPicture();
  pothenot::SetUpBitmapButton(ui_->BitBtn1, QStringLiteral(":/images/task.bmp"));
  pothenot::SetUpBitmapButton(ui_->BitBtn2, QStringLiteral(":/images/help.bmp"));
  pothenot::SetUpBitmapButton(ui_->BitBtn4, QStringLiteral(":/images/about.bmp"));
  pothenot::SetUpBitmapButton(ui_->BitBtn3, QStringLiteral(":/images/door.bmp"));
  connect(ui_->BitBtn1, &QPushButton::clicked, this, &TForm1::BitBtn1Click);
  connect(ui_->BitBtn2, &QPushButton::clicked, this, &TForm1::BitBtn2Click);
  connect(ui_->BitBtn3, &QPushButton::clicked, this, &TForm1::BitBtn3Click);
  connect(ui_->BitBtn4, &QPushButton::clicked, this, &TForm1::BitBtn4Click);
}

TForm1::~TForm1() = default;

void TForm1::DrawPicture() {
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
  program_.Form2()->exec();
}

void TForm1::BitBtn2Click() {
  pothenot::HelpCommand& help = program_.help();
  help.setHelpFile(QStringLiteral("HELP.HLP"));
  help.run(pothenot::HelpCommand::kHelpFinder, 0);
}

void TForm1::BitBtn3Click() {
  close();
}

void TForm1::BitBtn4Click() {
  program_.AboutBox()->exec();
}

void TForm1::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  if (event->isAccepted()) emit closed();
}
