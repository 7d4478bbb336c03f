// SPDX-License-Identifier: GPL-3.0-or-later
// The program: a command on its command line runs without a window; else the
// application object, then the three windows, then the event loop until the
// start window closes.
#include "ui/app/CommandLine.h"
#include "ui/app/Program.h"
#include "ui/common/Application.h"

int main(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  if (pothenot::commandLine::asksForCommand(arguments))
    return pothenot::commandLine::runCommand(argc, argv);
  if (const int wrong = pothenot::commandLine::usageBeforeWindows(arguments); wrong != 0)
    return wrong;

  TApplication application(argc, argv);
  int code = 0;
  const QStringList files = pothenot::commandLine::windowFiles(QCoreApplication::arguments(), code);
  if (code != 0) return code;
  pothenot::Program program(application);
  return program.run(files);
}
