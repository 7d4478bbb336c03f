// Renders the problem window offscreen before and after "Вычислить", for
// people to look at: render_windows <directory> [scale]. With a scale of 2 the
// pictures are drawn at twice the pixel density and named "...@2x.png".
#include <QDir>
#include <QLabel>
#include <QLocale>
#include <QPixmap>
#include <QPushButton>
#include <QTest>
#include <cstdio>
#include <string>

#include "ui/Application.h"
#include "ui/Zadaha.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: render_windows <directory> [scale]\n");
    return 2;
  }
  const std::string scale = argc > 2 ? argv[2] : "1";
  // The example is written with a decimal comma: draw it as a Russian desktop shows it.
  qputenv("LC_ALL", "ru_RU.UTF-8");
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("QT_SCALE_FACTOR", scale.c_str());
  TApplication app(argc, argv);
  app.setTitle(QStringLiteral("Задача Потенота"));

  const QString suffix = scale == "1" ? QString() : QStringLiteral("@%1x").arg(scale.c_str());
  const QDir out(QString::fromLocal8Bit(argv[1]));
  TForm2 form;
  form.show();
  if (!QTest::qWaitForWindowExposed(&form)) return 1;
  bool ok = form.grab().save(out.filePath("zadaha-before" + suffix + ".png"));
  form.findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
  ok = form.grab().save(out.filePath("zadaha" + suffix + ".png")) && ok;
  if (!ok) std::fprintf(stderr, "render_windows: cannot write into %s\n", argv[1]);
  return ok ? 0 : 1;
}
