// Draws the help window at one topic into a PNG, for the documentation:
//   render_help HELP.HLP OUT.png [TOPIC] [INDEX-FILTER]
// With INDEX-FILTER the index tab is in front, filtered by that text.
#include <QApplication>
#include <QLineEdit>
#include <QTabWidget>
#include <cstdio>

#include "help/HelpFile.h"
#include "help/HelpViewer.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const QStringList args = QApplication::arguments();
  if (args.size() < 3) {
    std::fprintf(stderr, "usage: render_help HELP.HLP OUT.png [TOPIC] [INDEX-FILTER]\n");
    return 2;
  }
  QString error;
  std::optional<pothenot::HelpFile> file = pothenot::HelpFile::load(args[1], &error);
  if (!file) {
    std::fprintf(stderr, "%s\n", qPrintable(error));
    return 1;
  }
  pothenot::HelpViewer viewer(std::move(*file));
  viewer.resize(920, 640);
  viewer.showTopics();
  if (args.size() > 3 && !viewer.showTopic(args[3])) {
    std::fprintf(stderr, "no topic %s\n", qPrintable(args[3]));
    return 1;
  }
  if (args.size() > 4) {
    viewer.findChild<QTabWidget*>("tabs")->setCurrentIndex(1);
    viewer.findChild<QLineEdit*>("indexFilter")->setText(args[4]);
  }
  viewer.show();
  QApplication::processEvents();
  return viewer.grab().save(args[2]) ? 0 : 1;
}
