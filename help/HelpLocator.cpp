#include "help/HelpLocator.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace pothenot {

HelpLocator::HelpLocator(QStringList directories) : directories_(std::move(directories)) {}

HelpLocator HelpLocator::standard() {
  return HelpLocator({QDir::currentPath(), QCoreApplication::applicationDirPath(),
                      QStringLiteral(POTHENOT_HELP_DATADIR)});
}

bool HelpLocator::hasDirectory(const QString& name) {
  return name.contains(u'/') || QDir::isAbsolutePath(name);
}

QString HelpLocator::locate(const QString& name) const {
  if (name.isEmpty()) return QString();
  if (hasDirectory(name)) {
    const QFileInfo info(name);
    return info.exists() ? info.absoluteFilePath() : QString();
  }
  for (const QString& directory : directories_) {
    const QFileInfo info(QDir(directory), name);
    if (info.isFile()) return info.absoluteFilePath();
  }
  return QString();
}

}  // namespace pothenot
