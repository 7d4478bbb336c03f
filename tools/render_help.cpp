// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the help window into three PNGs for the documentation:
//   render_help HELP.HLP DIR
// DIR/help.png          the contents at one topic
// DIR/help-index.png    the index filtered by a few letters
// DIR/help-search.png   a search through all topics, its first hit opened
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTabWidget>
#include <cstdio>

#include "help/HelpFile.h"
#include "help/HelpViewer.h"

namespace {

bool Save(pothenot::HelpViewer& viewer, const QString& path) {
  QApplication::processEvents();
  const bool saved = viewer.grab().save(path);
  if (!saved) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  return saved;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const QStringList args = QApplication::arguments();
  if (args.size() != 3) {
    std::fprintf(stderr, "usage: render_help HELP.HLP DIR\n");
    return 2;
  }
  QString error;
  std::optional<pothenot::HelpFile> file = pothenot::HelpFile::load(args[1], &error);
  if (!file) {
    std::fprintf(stderr, "%s\n", qPrintable(error));
    return 1;
  }
  const QDir dir(args[2]);
  pothenot::HelpViewer viewer(std::move(*file));
  viewer.resize(920, 640);
  viewer.showTopics();
  viewer.show();
  if (!viewer.showTopic(QStringLiteral("check-work")) || !Save(viewer, dir.filePath("help.png"))) {
    return 1;
  }

  viewer.findChild<QTabWidget*>("tabs")->setCurrentIndex(1);
  auto* filter = viewer.findChild<QLineEdit*>("indexFilter");
  filter->setText(QStringLiteral("опасн"));
  emit filter->returnPressed();
  if (!Save(viewer, dir.filePath("help-index.png"))) return 1;

  viewer.showSearch();
  auto* search = viewer.findChild<QLineEdit*>("searchText");
  search->setText(QStringLiteral("10044,73"));
  emit search->returnPressed();
  return Save(viewer, dir.filePath("help-search.png")) ? 0 : 1;
}
