// SPDX-License-Identifier: GPL-3.0-or-later
// pothenot-help [--topics] [--topic ID] [--channel NAME] FILE: the help
// viewer that the program starts without waiting for it, and asks again on
// the channel NAME while it runs.
#include <QApplication>
#include <QMessageBox>

#include "help/HelpLauncher.h"
#include "help/HelpViewer.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);

  pothenot::HelpLauncher launcher(
      pothenot::HelpLauncher::standardDirectories(), [](const QString& message) {
        QMessageBox::critical(nullptr, QStringLiteral("Справка — Задача Потенота"), message);
      });
  QStringList arguments = QApplication::arguments();
  arguments.removeFirst();
  // A viewer already open on this channel shows the request instead.
  if (pothenot::HelpLauncher::forward(arguments)) return 0;
  const std::unique_ptr<pothenot::HelpViewer> viewer = launcher.open(arguments);
  if (!viewer) return 1;
  viewer->show();
  return QApplication::exec();
}
