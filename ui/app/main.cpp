// SPDX-License-Identifier: GPL-3.0-or-later
// pothenot-windows, the program with its windows, which `pothenot` hands a
// command line to when it needs them: without a command the application
// object, then the three windows, then the event loop until the start window
// closes; a command (a class report, or any other when started by itself) on
// an application object without a window.
#include <QGuiApplication>
#include <memory>

#include "ui/app/CommandLine.h"
#include "ui/app/Program.h"
#include "ui/classcheck/ReportPages.h"
#include "ui/common/Application.h"

int main(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  namespace commandLine = pothenot::commandLine;
  const commandLine::Request request = commandLine::parse(arguments);
  commandLine::quietQt(request);
  if (request.command != commandLine::Request::Command::Windows) {
    std::unique_ptr<QCoreApplication> application;
    if (request.needsGui()) {
      // The report is painted with the windows' fonts, which a platform
      // provides; a command run without a display gets the offscreen one.
      if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
      application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
      application = std::make_unique<QCoreApplication>(argc, argv);
    }
    return commandLine::run(request, pothenot::classcheck::writeReport);
  }
  TApplication application(argc, argv);
  pothenot::Program program(application);
  return program.run(request.files);
}
