// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/HelpLauncher.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

#include "help/HelpChannel.h"
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

bool HelpLauncher::forward(const QStringList& arguments) {
  const qsizetype at = arguments.indexOf(QStringLiteral("--channel"));
  return at >= 0 && at + 1 < arguments.size() && helpChannel::send(arguments[at + 1], arguments);
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
  // An option with its value: the value, taken out of `names`.
  bool complete = true;
  auto option = [&](const QString& name) {
    const qsizetype at = names.indexOf(name);
    if (at < 0) return QString();
    complete = complete && at + 1 < names.size();
    const QString value = names.value(at + 1);
    names.remove(at, complete ? 2 : 1);
    return value;
  };
  const QString topic = option(QStringLiteral("--topic"));
  const QString channel = option(QStringLiteral("--channel"));
  if (!complete || names.size() != 1 || (names[0].startsWith(u'-') && names[0].size() > 1)) {
    return fail(
        QStringLiteral("Запуск: pothenot-help [--topics] [--topic РАЗДЕЛ] [--channel ИМЯ] ФАЙЛ "
                       "(не «%1»)")
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
  viewer->setTopicsVisible(topics || !topic.isEmpty());
  if (topics) viewer->showTopics();
  if (!topic.isEmpty()) viewer->showTopic(topic);
  // A channel that cannot be opened is told, and the help asked for shows
  // all the same: only the program's next request starts a viewer of its own.
  if (!channel.isEmpty() && !viewer->listen(channel, &error) && sink_) sink_(error);
  return viewer;
}

}  // namespace pothenot
