// pothenot-help [--topics] FILE: the help viewer that the start window's
// "Описание" starts without waiting for it.
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
  const std::unique_ptr<pothenot::HelpViewer> viewer = launcher.open(arguments);
  if (!viewer) return 1;
  viewer->show();
  return QApplication::exec();
}
