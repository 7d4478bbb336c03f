// The help window driven as a reader would, with mouse and keys: contents,
// index, links, Back and Forward; what it refuses to show; and the start of
// the program with its error messages.
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QToolButton>
#include <QTreeWidget>

#include "help/HelpBrowser.h"
#include "help/HelpFile.h"
#include "help/HelpLauncher.h"
#include "help/HelpViewer.h"

using namespace pothenot;

namespace {

const QString kFile = QStringLiteral(
    "@helpfile Проба\n"
    "@topic intro\n"
    "@title Введение\n"
    "@index начало; общий термин\n"
    "Это введение. Подробнее в разделе [[details]].\n"
    "\n"
    "@topic details\n"
    "@title Подробности\n"
    "@parent intro\n"
    "@index подробности; общий термин; K1\n"
    "Текст подробностей. Вернуться [[intro|к введению]].\n"
    "\n"
    "@topic extra\n"
    "@title Дополнение\n"
    "@index дополнение; K2\n"
    "Дополнительный текст.\n");

HelpFile SmallFile() {
  HelpFault fault;
  std::optional<HelpFile> file = HelpFile::parse(kFile, &fault);
  if (!file) qFatal("test file: %s", qPrintable(fault.message));
  return std::move(*file);
}

// The parts of a viewer that a reader touches.
struct Parts {
  explicit Parts(HelpViewer& viewer)
      : tree(viewer.findChild<QTreeWidget*>("contentsTree")),
        tabs(viewer.findChild<QTabWidget*>("tabs")),
        filter(viewer.findChild<QLineEdit*>("indexFilter")),
        index(viewer.findChild<QListWidget*>("indexList")),
        browser(viewer.findChild<HelpBrowser*>("browser")),
        back(viewer.findChild<QToolButton*>("backButton")),
        forward(viewer.findChild<QToolButton*>("forwardButton")),
        topics(viewer.findChild<QToolButton*>("topicsButton")),
        status(viewer.findChild<QLabel*>("statusLabel")) {}

  bool complete() const {
    return tree && tabs && filter && index && browser && back && forward && topics && status;
  }
  QString page() const { return browser->toPlainText(); }
  QStringList shownTerms() const {
    QStringList terms;
    for (int row = 0; row < index->count(); ++row) {
      if (!index->item(row)->isHidden()) terms << index->item(row)->text();
    }
    return terms;
  }

  QTreeWidget* tree;
  QTabWidget* tabs;
  QLineEdit* filter;
  QListWidget* index;
  HelpBrowser* browser;
  QToolButton* back;
  QToolButton* forward;
  QToolButton* topics;
  QLabel* status;
};

// Types `text` into the widget key by key; unlike QTest::keyClicks it takes
// Cyrillic letters.
void TypeText(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
  }
}

// Clicks the middle of the first occurrence of `text` in the page.
bool ClickPageText(QTextBrowser* browser, const QString& text) {
  const QTextCursor found = browser->document()->find(text);
  if (found.isNull()) return false;
  QTextCursor middle(browser->document());
  middle.setPosition((found.selectionStart() + found.selectionEnd()) / 2);
  QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, browser->cursorRect(middle).center());
  return true;
}

QTreeWidgetItem* ContentsItem(QTreeWidget* tree, const QString& title) {
  const QList<QTreeWidgetItem*> found =
      tree->findItems(title, Qt::MatchExactly | Qt::MatchRecursive);
  return found.size() == 1 ? found.front() : nullptr;
}

}  // namespace

class HelpViewerTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void contentsOpenTheirTopics();
  void indexFindsAndOpensTerms();
  void linksAndHistory();
  void refusesEverythingOutsideTheFile();
  void launcherReportsFailuresWithoutBlocking();
  void launcherOpensAtTopicsOrAtText();

 private:
  std::unique_ptr<HelpViewer> viewer_;
};

void HelpViewerTest::init() {
  viewer_ = std::make_unique<HelpViewer>(SmallFile());
  viewer_->resize(800, 500);
  viewer_->showTopics();
  viewer_->show();
  QVERIFY(QTest::qWaitForWindowExposed(viewer_.get()));
  QVERIFY(Parts(*viewer_).complete());
}

void HelpViewerTest::cleanup() {
  viewer_.reset();
}

void HelpViewerTest::contentsOpenTheirTopics() {
  const Parts parts(*viewer_);
  QCOMPARE(viewer_->windowTitle(), QStringLiteral("Справка — Проба"));
  QCOMPARE(viewer_->currentTopic(), QStringLiteral("intro"));
  QVERIFY(!viewer_->showTopic(QStringLiteral("nothing")));
  QCOMPARE(viewer_->currentTopic(), QStringLiteral("intro"));
  QCOMPARE(parts.tree->topLevelItemCount(), 2);  // "Подробности" stands under "Введение"
  QTreeWidgetItem* details = ContentsItem(parts.tree, QStringLiteral("Подробности"));
  QVERIFY(details && details->parent() == parts.tree->topLevelItem(0));

  const QList<std::pair<QString, QString>> visits = {
      {QStringLiteral("Дополнение"), QStringLiteral("extra")},
      {QStringLiteral("Подробности"), QStringLiteral("details")},
      {QStringLiteral("Введение"), QStringLiteral("intro")}};
  for (const auto& [title, id] : visits) {
    QTreeWidgetItem* item = ContentsItem(parts.tree, title);
    QVERIFY(item);
    QTest::mouseClick(parts.tree->viewport(), Qt::LeftButton, {},
                      parts.tree->visualItemRect(item).center());
    QCOMPARE(viewer_->currentTopic(), id);
    QVERIFY2(parts.page().startsWith(title), qPrintable(parts.page()));
  }

  // The arrow keys walk the contents, and the page follows.
  parts.tree->setFocus();
  QTest::keyClick(parts.tree, Qt::Key_Down);
  QCOMPARE(viewer_->currentTopic(), QStringLiteral("details"));
  QVERIFY(parts.page().contains(QStringLiteral("Текст подробностей.")));
  QTest::keyClick(parts.tree, Qt::Key_Down);
  QCOMPARE(viewer_->currentTopic(), QStringLiteral("extra"));
}

void HelpViewerTest::indexFindsAndOpensTerms() {
  const Parts parts(*viewer_);
  QTabBar* bar = parts.tabs->tabBar();
  QCOMPARE(bar->tabText(1), QStringLiteral("Указатель"));
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
  QCOMPARE(parts.tabs->currentIndex(), 1);

  // Every term is there, in Russian alphabetical order (Cyrillic before
  // Latin); a term of two topics names each topic.
  QCOMPARE(parts.shownTerms(),
           (QStringList{"дополнение", "начало", "общий термин — Введение",
                        "общий термин — Подробности", "подробности", "K1", "K2"}));

  TypeText(parts.filter, QStringLiteral("ПОДР"));
  QCOMPARE(parts.shownTerms(), (QStringList{"общий термин — Подробности", "подробности"}));
  QCOMPARE(parts.index->currentItem()->text(), QStringLiteral("подробности"));
  QTest::keyClick(parts.filter, Qt::Key_Return);
  QCOMPARE(viewer_->currentTopic(), QStringLiteral("details"));

  parts.filter->clear();
  TypeText(parts.filter, QStringLiteral("k2"));
  QCOMPARE(parts.shownTerms(), QStringList{"K2"});
  QTest::keyClick(parts.filter, Qt::Key_Enter);
  QCOMPARE(viewer_->currentTopic(), QStringLiteral("extra"));

  parts.filter->clear();
  TypeText(parts.filter, QStringLiteral("общий"));
  const QList<QListWidgetItem*> shared =
      parts.index->findItems(QStringLiteral("общий термин — Введение"), Qt::MatchExactly);
  QCOMPARE(shared.size(), 1);
  QTest::mouseClick(parts.index->viewport(), Qt::LeftButton, {},
                    parts.index->visualItemRect(shared.front()).center());
  QCOMPARE(viewer_->currentTopic(), QStringLiteral("intro"));

  // Nothing matches: Enter opens nothing.
  parts.filter->clear();
  TypeText(parts.filter, QStringLiteral("нет такого"));
  QVERIFY(parts.shownTerms().isEmpty());
  QTest::keyClick(parts.filter, Qt::Key_Return);
  QCOMPARE(viewer_->currentTopic(), QStringLiteral("intro"));
}

void HelpViewerTest::linksAndHistory() {
  const Parts parts(*viewer_);
  QVERIFY(ClickPageText(parts.browser, QStringLiteral("Подробности")));
  QCOMPARE(viewer_->currentTopic(), QStringLiteral("details"));
  // The contents show where the reader is.
  QCOMPARE(parts.tree->currentItem(), ContentsItem(parts.tree, QStringLiteral("Подробности")));
  QVERIFY(parts.back->isEnabled());

  QVERIFY(ClickPageText(parts.browser, QStringLiteral("к введению")));
  QCOMPARE(viewer_->currentTopic(), QStringLiteral("intro"));

  QTest::mouseClick(parts.back, Qt::LeftButton);
  QCOMPARE(viewer_->currentTopic(), QStringLiteral("details"));
  QTest::mouseClick(parts.back, Qt::LeftButton);
  QCOMPARE(viewer_->currentTopic(), QStringLiteral("intro"));
  QVERIFY(!parts.back->isEnabled());
  QVERIFY(parts.forward->isEnabled());
  QTest::mouseClick(parts.forward, Qt::LeftButton);
  QCOMPARE(viewer_->currentTopic(), QStringLiteral("details"));
  QVERIFY(parts.page().contains(QStringLiteral("Текст подробностей.")));

  // The page of a parent lists the topics under it, and those lists are links.
  viewer_->showTopic(QStringLiteral("intro"));
  QVERIFY(parts.page().contains(QStringLiteral("В этом разделе:")));
}

void HelpViewerTest::refusesEverythingOutsideTheFile() {
  const Parts parts(*viewer_);
  HelpBrowser* browser = parts.browser;
  QVERIFY(!browser->loadResource(QTextDocument::HtmlResource, QUrl("topic:details"))
               .toString()
               .isEmpty());
  for (const char* address :
       {"http://example.com/", "https://example.com/page.html", "file:///etc/passwd",
        "topic:nothing", "ftp://example.com/x", "HELP.HLP"}) {
    for (int type :
         {int(QTextDocument::HtmlResource), int(QTextDocument::ImageResource),
          int(QTextDocument::StyleSheetResource), int(QTextDocument::MarkdownResource)}) {
      QVERIFY2(!browser->loadResource(type, QUrl(QString::fromLatin1(address))).isValid(), address);
    }
  }
  QVERIFY(!browser->loadResource(QTextDocument::ImageResource, QUrl("topic:details")).isValid());

  const QString before = parts.page();
  QVERIFY(!parts.status->isVisible());
  browser->followLink(QUrl("http://example.com/"));
  QCOMPARE(viewer_->currentTopic(), QStringLiteral("intro"));
  QCOMPARE(parts.page(), before);
  QVERIFY(parts.status->isVisible());
  QVERIFY(parts.status->text().contains(QStringLiteral("http://example.com/")));

  // Setting a source directly is refused too, and leaves the history alone.
  browser->setSource(QUrl("file:///etc/passwd"));
  QCOMPARE(parts.page(), before);
  QVERIFY(!parts.back->isEnabled());

  // The message goes once a topic is shown again.
  viewer_->showTopic(QStringLiteral("extra"));
  QVERIFY(!parts.status->isVisible());
}

void HelpViewerTest::launcherReportsFailuresWithoutBlocking() {
  QTemporaryDir first, second;
  QVERIFY(first.isValid() && second.isValid());
  QStringList messages;
  HelpLauncher launcher(HelpLocator({first.path(), second.path()}),
                        [&](const QString& message) { messages << message; });

  QVERIFY(!launcher.open({QStringLiteral("--topics"), QStringLiteral("HELP.HLP")}));
  QCOMPARE(launcher.status(), HelpLauncher::FileFailed);
  QCOMPARE(messages.size(), 1);
  QVERIFY(messages[0].contains(QStringLiteral("«HELP.HLP» не найден")));
  QVERIFY(messages[0].contains(first.path()) && messages[0].contains(second.path()));

  QFile damaged(second.filePath(QStringLiteral("HELP.HLP")));
  QVERIFY(damaged.open(QIODevice::WriteOnly));
  damaged.write("@helpfile T\n@topic a\n@title A\n[[b]]\n");
  damaged.close();
  messages.clear();
  QVERIFY(!launcher.open({QStringLiteral("HELP.HLP")}));
  QCOMPARE(launcher.status(), HelpLauncher::FileFailed);
  QCOMPARE(messages.size(), 1);
  QVERIFY2(messages[0].contains(QStringLiteral("повреждён: строка 4")), qPrintable(messages[0]));

  const QList<QStringList> misuse = {{},
                                     {QStringLiteral("--topics")},
                                     {QStringLiteral("--index"), QStringLiteral("HELP.HLP")},
                                     {QStringLiteral("A.HLP"), QStringLiteral("B.HLP")}};
  for (const QStringList& arguments : misuse) {
    messages.clear();
    QVERIFY(!launcher.open(arguments));
    QCOMPARE(launcher.status(), HelpLauncher::UsageFailed);
    QCOMPARE(messages.size(), 1);
    QVERIFY(messages[0].contains(QStringLiteral("pothenot-help [--topics]")));
  }
}

void HelpViewerTest::launcherOpensAtTopicsOrAtText() {
  QTemporaryDir dir;
  QFile file(dir.filePath(QStringLiteral("HELP.HLP")));
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(kFile.toUtf8());
  file.close();
  QStringList messages;
  HelpLauncher launcher(HelpLocator({dir.path()}),
                        [&](const QString& message) { messages << message; });

  std::unique_ptr<HelpViewer> atTopics =
      launcher.open({QStringLiteral("--topics"), QStringLiteral("HELP.HLP")});
  QVERIFY(atTopics);
  QCOMPARE(launcher.status(), HelpLauncher::Ok);
  atTopics->show();
  const Parts topics(*atTopics);
  QVERIFY(topics.tabs->isVisible());
  QCOMPARE(topics.tabs->currentIndex(), 0);
  QCOMPARE(atTopics->currentTopic(), QStringLiteral("intro"));

  std::unique_ptr<HelpViewer> atText = launcher.open({QStringLiteral("HELP.HLP")});
  QVERIFY(atText);
  atText->show();
  const Parts text(*atText);
  QVERIFY(!text.tabs->isVisible());
  QTest::mouseClick(text.topics, Qt::LeftButton);
  QVERIFY(text.tabs->isVisible());
  QTest::mouseClick(text.topics, Qt::LeftButton);
  QVERIFY(!text.tabs->isVisible());
  QVERIFY(messages.isEmpty());
}

QTEST_MAIN(HelpViewerTest)
#include "test_help_viewer.moc"
