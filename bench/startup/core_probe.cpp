// SPDX-License-Identifier: GPL-3.0-or-later
// core_probe: the least a Qt program without a window pays, start to exit: a
// QCoreApplication made, its event loop entered and left at once. The
// command line's commands are timed against it (command_line.sh,
// classcheck_bench).
#include <QCoreApplication>
#include <QTimer>

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  QTimer::singleShot(0, &application, &QCoreApplication::quit);
  return QCoreApplication::exec();
}
