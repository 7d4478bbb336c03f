// The help program as a reader meets it: the help file read and checked, found
// where it is looked for, the shipped one whole, and the window driven with
// mouse and keys, offscreen.
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "help/HelpBrowser.h"
#include "help/HelpFile.h"
#include "help/HelpLauncher.h"
#include "help/HelpViewer.h"

using namespace pothenot;

namespace {

const QByteArray kFile =
    "% примечание составителя\n"
    "@helpfile Проба\n"
    "@topic intro\n@title Введение\n@index Начало; общий термин\n"
    "Это **введение** <img src=\"http://example.com/x.png\">. Подробнее: [[details]].\n"
    "\n"
    "@topic details\n@title Подробности\n@parent intro\n@index подробности; общий термин; K1\n"
    "Текст подробностей. Вернуться [[intro|к введению]].\n"
    "@topic extra\n@title Дополнение\n@index дополнение; K2\n"
    "Дополнительный текст.\n";

bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Every link of a page, to a topic or anywhere else.
QStringList Links(const QString& html) {
  static const QRegularExpression href(QStringLiteral("<a href=\"([^\"]*)\""));
  QStringList links;
  for (const QRegularExpressionMatch& match : href.globalMatch(html)) links << match.captured(1);
  return links;
}

}  // namespace

class HelpTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void parsesValidFile();
  void refusesBrokenFiles_data();
  void refusesBrokenFiles();
  void lookupOrder();
  void shippedFileIsWhole();
  void contentsAndIndexReachTheirTopics();
  void linksLeadBetweenTopics();
  void refusesEverythingOutsideTheFile();
  void missingFileIsReported();

 private:
  template <class T>
  T* part(const char* name) const {
    return viewer_->findChild<T*>(name);
  }
  QString page() const { return part<HelpBrowser>("browser")->toPlainText(); }
  QString topic() const { return viewer_->currentTopic(); }

  QTemporaryDir dir_;
  std::unique_ptr<HelpViewer> viewer_;
};

// Each test starts with the help program opened at the topics of kFile, saved
// with a byte order mark and CR LF line ends as some editors save it.
void HelpTest::init() {
  const QByteArray saved = "\xef\xbb\xbf" + QByteArray(kFile).replace("\n", "\r\n");
  QVERIFY(WriteFile(dir_.filePath(QStringLiteral("HELP.HLP")), saved));
  HelpLauncher launcher(HelpLocator({dir_.path()}), [](const QString& m) { QFAIL(qPrintable(m)); });
  viewer_ = launcher.open({QStringLiteral("--topics"), QStringLiteral("HELP.HLP")});
  QVERIFY(viewer_);
  viewer_->show();
  QVERIFY(QTest::qWaitForWindowExposed(viewer_.get()));
}

void HelpTest::parsesValidFile() {
  HelpFault fault;
  const std::optional<HelpFile> help = HelpFile::parse(QString::fromUtf8(kFile), &fault);
  QVERIFY2(help, qPrintable(QStringLiteral("%1: %2").arg(fault.line).arg(fault.message)));
  QCOMPARE(help->title(), QStringLiteral("Проба"));
  // Russian order, case aside, Cyrillic before Latin; a term of two topics
  // keeps their file order.
  QStringList index;
  for (const HelpIndexEntry& e : help->index()) index << e.term + u'>' + e.topicId;
  QCOMPARE(index,
           (QStringList{"дополнение>extra", "Начало>intro", "общий термин>intro",
                        "общий термин>details", "подробности>details", "K1>details", "K2>extra"}));
  // Its own links, then one to each topic under it; a tag written in the file
  // is shown as text and leads nowhere.
  const QString html = help->pageHtml("intro");
  QCOMPARE(Links(html), (QStringList{"topic:details", "topic:details"}));
  QTextDocument doc;
  doc.setHtml(html);
  QVERIFY(doc.toPlainText().contains("Это введение <img src=\"http://example.com/x.png\">."));
  QVERIFY(doc.find("введение", 0, QTextDocument::FindCaseSensitively).charFormat().font().bold());
}

void HelpTest::refusesBrokenFiles_data() {
  QTest::addColumn<QByteArray>("bytes");  // null: no file at all
  QTest::addColumn<int>("line");          // 0: the file as a whole
  QTest::addColumn<QString>("expected");
  const QByteArray head = "@helpfile Т\n@topic a\n@title A\n";
  QTest::newRow("missing") << QByteArray() << 0 << "не найден";
  QTest::newRow("picture") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << 0 << "двоичные";
  QTest::newRow("not UTF-8") << QByteArray("@helpfile \xcf\xf0\xee\n") << 0 << "UTF-8";
  QTest::newRow("other text") << QByteArray("[section]\nkey=value\n") << 0 << "@helpfile";
  QTest::newRow("bad id") << QByteArray("@helpfile Т\n@topic Раздел\n") << 2 << "недопустимо";
  QTest::newRow("unknown command") << head + "@frob x\n" << 4 << "«@frob»";
  QTest::newRow("no title") << head + "@topic b\nтекст\n" << 4 << "нет «@title»";
  QTest::newRow("bold left open") << head + "текст **\n" << 4 << "** не закрыто";
  QTest::newRow("link to nothing") << head + "\n[[b]]\n" << 5 << "несуществующий раздел «b»";
}

void HelpTest::refusesBrokenFiles() {
  QFETCH(QByteArray, bytes);
  QFETCH(int, line);
  QFETCH(QString, expected);
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("BROKEN.HLP"));
  QVERIFY(bytes.isNull() || WriteFile(path, bytes));
  QString error;
  QVERIFY(!HelpFile::load(path, &error));
  // The reader is told which file, where in it and what is wrong.
  QVERIFY2(error.contains(expected) && error.contains(path), qPrintable(error));
  QCOMPARE(error.contains(QStringLiteral("строка %1:").arg(line)), line > 0);
}

void HelpTest::lookupOrder() {
  // The current directory, then the program's, then the installed data.
  QCOMPARE(HelpLocator::standard().directories(),
           (QStringList{QDir::currentPath(), QCoreApplication::applicationDirPath(),
                        QStringLiteral(POTHENOT_EXPECTED_DATADIR)}));
  QTemporaryDir first, second, third;
  const QString name = QStringLiteral("HELP.HLP");
  const HelpLocator locator({first.path(), second.path(), third.path()});
  QVERIFY(WriteFile(third.filePath(name), "3"));
  QCOMPARE(locator.locate(name), third.filePath(name));
  // A directory of that name is not the file: the search goes on past it.
  QVERIFY(WriteFile(second.filePath(name), "2") && QDir(first.path()).mkdir(name));
  QCOMPARE(locator.locate(name), second.filePath(name));
  // A name with a directory is taken as it stands, not searched for.
  QCOMPARE(locator.locate(third.filePath(name)), third.filePath(name));
}

void HelpTest::shippedFileIsWhole() {
  QString error;
  const std::optional<HelpFile> help = HelpFile::load(POTHENOT_SHIPPED_HELP, &error);
  QVERIFY2(help, qPrintable(error));
  for (const HelpTopic& topic : help->topics()) {
    for (const QString& link : Links(help->pageHtml(topic.id))) {
      const std::optional<QString> id = HelpMarkup::topicIdOf(QUrl(link));
      QVERIFY2(id && help->topic(*id), qPrintable(topic.id + ": " + link));
    }
  }
  for (const HelpIndexEntry& entry : help->index()) {
    QVERIFY2(help->topic(entry.topicId), qPrintable(entry.term));
  }
}

void HelpTest::contentsAndIndexReachTheirTopics() {
  auto* tree = part<QTreeWidget>("contentsTree");
  QCOMPARE(tree->topLevelItemCount(), 2);  // "Подробности" stands under "Введение"
  const std::vector<HelpTopic>& topics = viewer_->helpFile().topics();
  for (auto t = topics.rbegin(); t != topics.rend(); ++t) {  // from the last, so each click moves
    const auto items = tree->findItems(t->title, Qt::MatchRecursive);
    QCOMPARE(items.size(), 1);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                      tree->visualItemRect(items[0]).center());
    QCOMPARE(topic(), t->id);
    QVERIFY2(page().startsWith(t->title), qPrintable(page()));
  }
  QTest::keyClick(tree, Qt::Key_Down);  // the arrow keys walk the contents too
  QCOMPARE(topic(), QStringLiteral("details"));

  auto* tabs = part<QTabWidget>("tabs");
  QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(1).center());
  auto* index = part<QListWidget>("indexList");
  // A term of two topics names each on its own line.
  const auto shared = index->findItems(QStringLiteral("общий термин — Введение"), Qt::MatchExactly);
  QCOMPARE(shared.size(), 1);
  QTest::mouseClick(index->viewport(), Qt::LeftButton, {},
                    index->visualItemRect(shared[0]).center());
  QCOMPARE(topic(), QStringLiteral("intro"));
  // Typing narrows the list, case aside, and Enter opens the line it picks.
  QTest::keyClicks(part<QLineEdit>("indexFilter"), "k2");
  QVERIFY(index->findItems(QStringLiteral("K1"), Qt::MatchExactly).value(0)->isHidden());
  QTest::keyClick(part<QLineEdit>("indexFilter"), Qt::Key_Return);
  QCOMPARE(topic(), QStringLiteral("extra"));
}

void HelpTest::linksLeadBetweenTopics() {
  // Tab picks the next link of the page, Enter follows it.
  auto* browser = part<HelpBrowser>("browser");
  browser->setFocus();
  QTest::keyClick(browser, Qt::Key_Tab);
  QTest::keyClick(browser, Qt::Key_Return);
  QCOMPARE(topic(), QStringLiteral("details"));
  // The contents show where the reader is.
  QCOMPARE(part<QTreeWidget>("contentsTree")->currentItem()->text(0),
           QStringLiteral("Подробности"));
  QTest::keyClick(browser, Qt::Key_Tab);
  QTest::keyClick(browser, Qt::Key_Return);
  QCOMPARE(topic(), QStringLiteral("intro"));
  QTest::mouseClick(part<QToolButton>("backButton"), Qt::LeftButton);
  QCOMPARE(topic(), QStringLiteral("details"));
  QTest::mouseClick(part<QToolButton>("forwardButton"), Qt::LeftButton);
  QCOMPARE(topic(), QStringLiteral("intro"));
}

void HelpTest::refusesEverythingOutsideTheFile() {
  auto* browser = part<HelpBrowser>("browser");
  auto* status = part<QLabel>("statusLabel");
  QVERIFY(browser->loadResource(QTextDocument::HtmlResource, QUrl("topic:details")).isValid());
  for (const char* address :
       {"http://example.com/x.png", "file:///etc/passwd", "topic:nothing", "HELP.HLP"}) {
    for (int type : {QTextDocument::HtmlResource, QTextDocument::ImageResource,
                     QTextDocument::StyleSheetResource}) {
      QVERIFY2(!browser->loadResource(type, QUrl(address)).isValid(), address);
    }
  }
  // A link out of the file is not followed; the reader is told why.
  const QString before = page();
  QVERIFY(!status->isVisible());
  browser->followLink(QUrl("http://example.com/"));
  QCOMPARE(page(), before);
  QVERIFY(status->isVisible() && status->text().contains("http://example.com/"));
  browser->setSource(QUrl("file:///etc/passwd"));
  QCOMPARE(page(), before);
}

void HelpTest::missingFileIsReported() {
  QTemporaryDir first;
  QStringList messages;
  HelpLauncher launcher(HelpLocator({first.path(), dir_.path()}),
                        [&](const QString& message) { messages << message; });
  QVERIFY(!launcher.open({QStringLiteral("--topics"), QStringLiteral("NONE.HLP")}));
  QCOMPARE(launcher.status(), HelpLauncher::FileFailed);
  // One message, with the name and every directory searched.
  QCOMPARE(messages.size(), 1);
  QVERIFY2(messages[0].contains(QStringLiteral("«NONE.HLP» не найден")) &&
               messages[0].contains(first.path()) && messages[0].contains(dir_.path()),
           qPrintable(messages[0]));
}

QTEST_MAIN(HelpTest)
#include "test_help.moc"
