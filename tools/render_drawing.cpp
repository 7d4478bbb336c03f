// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the drawing window offscreen for people to look at:
//   render_drawing <directory>
// drawing.png: the built-in example after "Вычислить"; drawing-danger.png:
// the same known points with the station moved to 4 % of the radius inside
// the danger circle along the line from its centre, with γ1, γ2 and ε as
// measured there (to a tenth of a second), after "Вычислить"; drawing-map.png:
// that figure with the accuracy map on.
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "calc/fix_quality.h"
#include "tools/picture_desktop.h"
#include "ui/app/Commands.h"
#include "ui/common/Application.h"
#include "ui/common/Title.h"
#include "ui/drawing/DrawingCommand.h"
#include "ui/drawing/DrawingWindow.h"
#include "ui/sheet/Zadaha.h"

namespace {

using pothenot::Field;

// Direction angle from (x1, y1) to (x2, y2), degrees clockwise from north.
double Azimuth(double x1, double y1, double x2, double y2) {
  return std::atan2(y2 - y1, x2 - x1) * 180 / std::numbers::pi;
}

// Types an angle of `degrees` into the three boxes as degrees, minutes and
// seconds to a tenth.
void TypeAngle(TForm2& form, double degrees, Field d, Field m, Field s) {
  degrees = std::fmod(degrees + 720, 360);
  const double tenths = std::round(degrees * 36000);
  const auto whole = static_cast<long long>(tenths);
  form.box(d)->setText(QString::number(whole / 36000));
  form.box(m)->setText(QString::number(whole / 600 % 60));
  form.box(s)->setText(QString::number(double(whole % 600) / 10).replace('.', ','));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: render_drawing <directory>\n");
    return 2;
  }
  PinPictureDesktop();
  TApplication app(argc, argv);
  app.setTitle(pothenot::kProgramTitle);
  // A failed Calculate shows a message: close it as a person would.
  QObject::connect(&app, &TApplication::messageShowing, [](QMessageBox* box) {
    std::fprintf(stderr, "render_drawing: %s\n", qPrintable(box->text()));
    QTimer::singleShot(0, box, &QMessageBox::accept);
  });
  const QDir out(QString::fromLocal8Bit(argv[1]));
  TForm2 form;
  const pothenot::Commands commands = pothenot::attachCommands(form);
  form.show();
  auto* calculate = form.findChild<QPushButton*>("BitBtn1");
  bool ok = true;
  auto picture = [&](const QString& name) {
    calculate->click();
    auto* drawing = commands.drawing->window();
    if (drawing == nullptr) {
      commands.drawing->action()->trigger();
      drawing = commands.drawing->window();
      drawing->resize(960, 580);
    }
    QCoreApplication::processEvents();
    ok = QTest::qWaitForWindowExposed(drawing) && drawing->grab().save(out.filePath(name)) && ok;
  };
  picture("drawing.png");

  const auto f = pothenot::AssessFix(form.worksheet(), ",", pothenot::kDefaultAngleErrorSeconds);
  const double share = 0.96;
  const double x = f.circleX + (f.Xp - f.circleX) / std::hypot(f.Xp - f.circleX, f.Yp - f.circleY) *
                                   f.circleRadius * share;
  const double y = f.circleY + (f.Yp - f.circleY) / std::hypot(f.Xp - f.circleX, f.Yp - f.circleY) *
                                   f.circleRadius * share;
  auto coordinate = [&](Field field) {
    return form.box(field)->text().replace(',', '.').toDouble();
  };
  const double a = Azimuth(x, y, coordinate(Field::EXa), coordinate(Field::EYa));
  const double b = Azimuth(x, y, coordinate(Field::EXb), coordinate(Field::EYb));
  const double c = Azimuth(x, y, coordinate(Field::EXc), coordinate(Field::EYc));
  const double d = Azimuth(x, y, coordinate(Field::EXd), coordinate(Field::EYd));
  TypeAngle(form, b - a, Field::Ey1g, Field::Ey1m, Field::Ey1s);
  TypeAngle(form, c - a, Field::Ey2g, Field::Ey2m, Field::Ey2s);
  TypeAngle(form, a - d, Field::Ee2g, Field::Ee2m, Field::Ee2s);
  picture("drawing-danger.png");
  // The same with the accuracy map: the ridge of the danger circle beside the station.
  commands.drawing->window()->findChild<QCheckBox*>("AccuracyMap")->setChecked(true);
  picture("drawing-map.png");
  if (!ok) std::fprintf(stderr, "render_drawing: cannot write the pictures into %s\n", argv[1]);
  return ok ? 0 : 1;
}
