// startup_probe app|empty: starts up, shows one window and ends as soon as
// that window has been drawn once. "app" runs the program's own start-up (the
// application object, the three windows, the start window shown); "empty"
// shows a bare window of the start window's size, the least any Qt program
// pays. The caller times whole processes.
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstring>

#include "ui/Application.h"
#include "ui/Program.h"
#include "ui/Start.h"

namespace {

// Ends the event loop after the first paint of the window it watches.
class FirstPaint : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !seen_) {
      seen_ = true;
      auto* window = static_cast<QWidget*>(watched);
      QTimer::singleShot(0, window, [window] { window->close(); });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  bool seen_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 || (std::strcmp(argv[1], "app") != 0 && std::strcmp(argv[1], "empty") != 0)) {
    std::fprintf(stderr, "usage: startup_probe app|empty\n");
    return 2;
  }
  if (std::strcmp(argv[1], "app") == 0) {
    TApplication application(argc, argv);
    TProgram program(application);
    FirstPaint watch;
    program.Form1()->installEventFilter(&watch);
    return program.Run();
  }
  QApplication application(argc, argv);
  QWidget window;
  window.resize(384, 189);
  FirstPaint watch;
  window.installEventFilter(&watch);
  window.show();
  return QApplication::exec();
}
