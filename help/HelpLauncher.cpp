#include "help/HelpLauncher.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

#include "help/HelpFile.h"
#include "help/HelpViewer.h"

namespace pothenot {

HelpLauncher::HelpLauncher(QStringList directories, ErrorSink sink)
    : directories_(std::move(directories)), sink_(std::move(sink)) {}

QStringList HelpLauncher::standardDirectories() {
  return {QCoreApplication::applicationDirPath(), QStringLiteral(POTHENOT_HELP_DATADIR),
          QDir::currentPath()};
}

QString HelpLauncher::locate(const QString& name) const {
  for (const QString& directory : directories_) {
    const QFileInfo info(QDir(directory), name);
    if (info.isFile()) return info.absoluteFilePath();
  }
  return QString();
}

std::unique_ptr<HelpViewer> HelpLauncher::fail(const QString& message) {
  if (sink_) sink_(message);
  return nullptr;
}

std::unique_ptr<HelpViewer> HelpLauncher::open(const QStringList& arguments) {
  // The help is Russian: so are Qt's own dialogs and buttons, whatever the
  // desktop's language.
  static bool translated = false;
  if (!translated) {
    auto* qt = new QTranslator(QCoreApplication::instance());
    translated =
        qt->load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(qt);
  }
  QStringList names = arguments;
  const bool topics = names.removeAll(QStringLiteral("--topics")) > 0;
  if (names.size() != 1 || (names[0].startsWith(u'-') && names[0].size() > 1)) {
    return fail(QStringLiteral("Запуск: pothenot-help [--topics] ФАЙЛ (не «%1»)")
                    .arg(arguments.join(u' ')));
  }
  const QString path = locate(names[0]);
  if (path.isEmpty()) {
    QStringList places;
    for (const QString& directory : directories_) {
      places << QStringLiteral("  ") + QDir::toNativeSeparators(directory);
    }
    return fail(QStringLiteral("Файл справки «%1» не найден. Он искался в папках:\n%2")
                    .arg(names[0], places.join(u'\n')));
  }
  QString error;
  std::optional<HelpFile> file = HelpFile::load(path, &error);
  if (!file) return fail(error);

  auto viewer = std::make_unique<HelpViewer>(std::move(*file));
  viewer->setTopicsVisible(topics);
  if (topics) viewer->showTopics();
  return viewer;
}

}  // namespace pothenot
