// SPDX-License-Identifier: GPL-3.0-or-later
// pothenot, the program a user starts. Its commands without a window
// (--calculate, --variant, --check) run here on Qt Core alone, so that they
// start about as fast as any Qt program without a window: loading the window
// libraries would cost them three times that. The windows, and a class
// report, are pothenot-windows: it gets the same command line in this
// process's place.
#include <unistd.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "ui/app/CommandLine.h"

namespace {

// Beside this program in the build tree, in the program's own folder of
// libexec once installed.
QByteArray windowsProgram() {
  const QFileInfo self(QStringLiteral("/proc/self/exe"));
  const QString beside = QFileInfo(self.symLinkTarget()).absolutePath() + "/pothenot-windows";
  if (QFileInfo(beside).isExecutable()) return QFile::encodeName(beside);
  return QByteArrayLiteral(POTHENOT_LIBEXECDIR "/pothenot/pothenot-windows");
}

}  // namespace

int main(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  namespace commandLine = pothenot::commandLine;
  const commandLine::Request request = commandLine::parse(arguments);
  if (request.needsWindows()) {
    const QByteArray windows = windowsProgram();
    execv(windows.constData(), argv);
    std::fprintf(stderr, "pothenot: не запустить %s: %s\n", windows.constData(),
                 std::strerror(errno));
    return 1;
  }
  commandLine::quietQt(request);
  QCoreApplication application(argc, argv);
  return commandLine::run(request, {});
}
