// Renders the start window and the About box offscreen, for people to look
// at: render_app <directory> [scale]. With a scale of 2 the pictures are
// drawn at twice the pixel density and named "...@2x.png".
#include <QDir>
#include <QPixmap>
#include <QTest>
#include <cstdio>
#include <string>

#include "ui/About.h"
#include "ui/Application.h"
#include "ui/Program.h"
#include "ui/Start.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: render_app <directory> [scale]\n");
    return 2;
  }
  const std::string scale = argc > 2 ? argv[2] : "1";
  qputenv("LC_ALL", "ru_RU.UTF-8");
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("QT_SCALE_FACTOR", scale.c_str());
  TApplication app(argc, argv);
  TProgram program(app);

  const QString suffix = scale == "1" ? QString() : QStringLiteral("@%1x").arg(scale.c_str());
  const QDir out(QString::fromLocal8Bit(argv[1]));
  QWidget* start = program.Form1();
  start->show();
  if (!QTest::qWaitForWindowExposed(start)) return 1;
  bool ok = start->grab().save(out.filePath("start" + suffix + ".png"));
  QWidget* about = program.AboutBox();
  about->show();
  if (!QTest::qWaitForWindowExposed(about)) return 1;
  ok = about->grab().save(out.filePath("about" + suffix + ".png")) && ok;
  if (!ok) std::fprintf(stderr, "render_app: cannot write into %s\n", argv[1]);
  return ok ? 0 : 1;
}
