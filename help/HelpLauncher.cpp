#include "help/HelpLauncher.h"

#include <QDir>

#include "help/HelpFile.h"
#include "help/HelpViewer.h"

namespace pothenot {

namespace {
const QString kUsage = QStringLiteral("Запуск: pothenot-help [--topics] ФАЙЛ");
}

HelpLauncher::HelpLauncher(HelpLocator locator, ErrorSink sink)
    : locator_(std::move(locator)), sink_(std::move(sink)) {}

std::unique_ptr<HelpViewer> HelpLauncher::fail(Status status, const QString& message) {
  status_ = status;
  if (sink_) sink_(message);
  return nullptr;
}

std::unique_ptr<HelpViewer> HelpLauncher::open(const QStringList& arguments) {
  bool topics = false;
  QString name;
  for (const QString& argument : arguments) {
    if (argument == QStringLiteral("--topics")) {
      topics = true;
    } else if (argument.startsWith(u'-') && argument.size() > 1) {
      return fail(UsageFailed,
                  QStringLiteral("Неизвестный параметр «%1».\n%2").arg(argument, kUsage));
    } else if (!name.isEmpty()) {
      return fail(UsageFailed, QStringLiteral("Указано больше одного файла.\n%1").arg(kUsage));
    } else {
      name = argument;
    }
  }
  if (name.isEmpty()) {
    return fail(UsageFailed, QStringLiteral("Не указан файл справки.\n%1").arg(kUsage));
  }

  const QString path = locator_.locate(name);
  if (path.isEmpty()) {
    if (HelpLocator::hasDirectory(name)) {
      return fail(
          FileFailed,
          QStringLiteral("Файл справки «%1» не найден.").arg(QDir::toNativeSeparators(name)));
    }
    QStringList places;
    for (const QString& directory : locator_.directories()) {
      places << QStringLiteral("  ") + QDir::toNativeSeparators(directory);
    }
    return fail(FileFailed, QStringLiteral("Файл справки «%1» не найден. Он искался в папках:\n%2")
                                .arg(name, places.join(u'\n')));
  }

  QString error;
  std::optional<HelpFile> file = HelpFile::load(path, &error);
  if (!file) return fail(FileFailed, error);

  status_ = Ok;
  auto viewer = std::make_unique<HelpViewer>(std::move(*file));
  if (topics) {
    viewer->showTopics();
  } else {
    viewer->setTopicsVisible(false);
  }
  return viewer;
}

}  // namespace pothenot
