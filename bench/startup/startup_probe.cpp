// SPDX-License-Identifier: GPL-3.0-or-later
// startup_probe app|empty|text: starts up, shows one window and ends as soon
// as that window has been drawn once. "app" runs the program's own start-up
// (the application object, the three windows, the start window shown);
// "empty" shows a bare window of the start window's size, the least any Qt
// program pays; "text" the same window with one line of text in it, the
// least any window with a caption on it pays (the font database). The caller times whole processes,
// from their start to that first drawing; the probe prints its peak resident
// memory at that moment, in kilobytes.
#include <sys/resource.h>

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ui/app/Program.h"
#include "ui/app/Start.h"
#include "ui/common/Application.h"

namespace {

// Ends the process as soon as the window it watches has been drawn once.
// Going down is not part of starting up: neither side pays for it.
class FirstPaint : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !seen_) {
      seen_ = true;
      QTimer::singleShot(0, watched, [] {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("%ld\n", usage.ru_maxrss);
        std::fflush(nullptr);
        std::_Exit(0);
      });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  bool seen_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  const bool known =
      argc == 2 && (std::strcmp(argv[1], "app") == 0 || std::strcmp(argv[1], "empty") == 0 ||
                    std::strcmp(argv[1], "text") == 0);
  if (!known) {
    std::fprintf(stderr, "usage: startup_probe app|empty|text\n");
    return 2;
  }
  if (std::strcmp(argv[1], "app") == 0) {
    TApplication application(argc, argv);
    pothenot::Program program(application);
    FirstPaint watch;
    program.Form1()->installEventFilter(&watch);
    return program.run();
  }
  QApplication application(argc, argv);
  QWidget window;
  window.resize(384, 189);
  if (std::strcmp(argv[1], "text") == 0) {
    auto* line = new QLabel(QStringLiteral("Задача"), &window);
    line->move(8, 16);
  }
  FirstPaint watch;
  window.installEventFilter(&watch);
  window.show();
  return QApplication::exec();
}
