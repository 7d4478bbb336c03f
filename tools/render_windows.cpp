// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the program's windows offscreen for people to look at:
//   render_windows <directory> [scale]
// start.png, about.png, zadaha-before.png and zadaha.png (the problem window
// before and after "Вычислить"). With a scale of 2 the pictures are drawn at
// twice the pixel density and named "...@2x.png".
#include <QDir>
#include <QPushButton>
#include <QTest>
#include <cstdio>
#include <string>

#include "tools/picture_desktop.h"
#include "ui/app/About.h"
#include "ui/app/Program.h"
#include "ui/app/Start.h"
#include "ui/common/Application.h"
#include "ui/sheet/Zadaha.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: render_windows <directory> [scale]\n");
    return 2;
  }
  const std::string scale = argc > 2 ? argv[2] : "1";
  PinPictureDesktop();
  qputenv("QT_SCALE_FACTOR", scale.c_str());
  TApplication app(argc, argv);
  pothenot::Program program(app);

  const QString suffix = scale == "1" ? QString() : QStringLiteral("@%1x").arg(scale.c_str());
  const QDir out(QString::fromLocal8Bit(argv[1]));
  bool ok = true;
  auto picture = [&](QWidget* window, const QString& name) {
    window->show();
    ok = QTest::qWaitForWindowExposed(window) &&
         window->grab().save(out.filePath(name + suffix + ".png")) && ok;
  };
  picture(program.Form1(), "start");
  picture(program.AboutBox(), "about");
  program.AboutBox()->hide();
  picture(program.Form2(), "zadaha-before");
  program.Form2()->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
  picture(program.Form2(), "zadaha");
  if (!ok) std::fprintf(stderr, "render_windows: cannot write the pictures into %s\n", argv[1]);
  return ok ? 0 : 1;
}
