// SPDX-License-Identifier: GPL-3.0-or-later
// The help program as a reader meets it: the Markdown help file read, found
// where it is looked for, the shipped one whole, and the window driven with
// mouse and keys, offscreen.
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "help/HelpBrowser.h"
#include "help/HelpChannel.h"
#include "help/HelpFile.h"
#include "help/HelpLauncher.h"
#include "help/HelpViewer.h"

using namespace pothenot;
using namespace Qt::StringLiterals;

namespace {

const QByteArray kFile =
    "Preamble, not shown. # Not a topic {#preamble}\n"
    "# Введение {#intro}\n"
    "<!-- index: Начало ; общий термин -->\n"
    "Это **введение** <img src=\"http://example.com/x.png\">. Подробнее: [тут](#details).\n"
    "![схема засечки](PICTURE) [сайт](http://example.com/) [файл](other.md)\n"
    "### Часть введения\n"
    "```\n# Не раздел {#nope}\n<!-- index: не термин -->\n```\n"
    "## Подробности {#details}\n"
    "<!-- index: подробности; общий термин; K1 -->\n"
    "Текст подробностей. Вернуться [к введению](#intro). Конец текста.\n"
    "# Дополнение {#extra}\n<!-- index: дополнение; K2 -->\nДополнительный текст.\n";

bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace

class HelpTest : public QObject {
  Q_OBJECT

  template <class T = HelpBrowser>
  T* part(const char* name = "browser") const {
    return viewer_->findChild<T*>(name);
  }

  QTemporaryDir dir_, temp_;
  std::unique_ptr<HelpViewer> viewer_;

 private slots:
  // The help's channels in the test's own temporary folder.
  void initTestCase() {
    qputenv("TMPDIR", QFile::encodeName(temp_.path()));
    qunsetenv("XDG_RUNTIME_DIR");
  }

  // Each test starts with the help program opened at the topics of kFile, saved
  // with a byte order mark and CR LF line ends as some editors save it, beside a
  // real picture that the file names.
  void init() {
    const QString picture = dir_.filePath(u"picture.png"_s);
    QImage(40, 30, QImage::Format_RGB32).save(picture);
    const QByteArray saved =
        "\xef\xbb\xbf" +
        QByteArray(kFile).replace("PICTURE", picture.toUtf8()).replace("\n", "\r\n");
    QVERIFY(WriteFile(dir_.filePath(u"HELP.HLP"_s), saved));
    HelpLauncher launcher({dir_.path()}, [](const QString& m) { QFAIL(qPrintable(m)); });
    viewer_ = launcher.open({u"--topics"_s, u"HELP.HLP"_s});
    QVERIFY(viewer_);
    viewer_->show();
    viewer_->activateWindow();  // keys such as Ctrl+F go to the active window only
    QVERIFY(QTest::qWaitForWindowActive(viewer_.get()));
  }

  void readsFindsAndRefusesFiles() {
    const HelpFile& help = viewer_->helpFile();
    QStringList topics;  // id < parent: a heading with an id and nothing else makes a topic
    for (const HelpTopic& t : help.topics()) topics << t.id + u'<' + t.parent;
    QCOMPARE(topics, (QStringList{"intro<", "details<intro", "extra<"}));
    // Russian order, case aside, Cyrillic before Latin; a term of two topics
    // keeps their file order.
    QStringList index;
    for (const HelpIndexEntry& e : help.index()) index << e.term + u'>' + e.topicId;
    QCOMPARE(index, (QStringList{"дополнение>extra", "Начало>intro", "общий термин>intro",
                                 "общий термин>details", "подробности>details", "K1>details",
                                 "K2>extra"}));
    // Raw HTML is text, not a picture from the network.
    QVERIFY(help.topic("intro")->text.startsWith(
        "Введение\nЭто введение <img src=\"http://example.com/x.png\">."));

    // A broken file is refused: the reader is told which file and what is
    // wrong with it; where it is one line, which.
    const QString path = dir_.filePath(u"BROKEN.HLP"_s);
    const std::pair<QByteArray, QString> cases[] = {
        {QByteArray(), "«%1» не найден"},
        {QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16),
         "«%1» не является файлом справки: его текст не в кодировке UTF-8"},
        {"[section]\nkey=value\n# Title\n",
         "«%1» не является файлом справки: в нём нет ни одного раздела"},
        {"# A {#a}\n\n# B {#a}\n", "«%1» повреждён: строка 3: раздел «a» описан дважды"}};
    for (const auto& [bytes, expected] : cases) {
      QVERIFY(bytes.isNull() || WriteFile(path, bytes));
      QString error;
      QVERIFY2(!HelpFile::load(path, &error) && error.contains(expected.arg(path)),
               qPrintable(error));
    }

    // A HELP.HLP in the folder the user started from comes last.
    QCOMPARE(HelpLauncher::standardDirectories(),
             (QStringList{QCoreApplication::applicationDirPath(),
                          QStringLiteral(POTHENOT_EXPECTED_DATADIR), QDir::currentPath()}));
    // The first place that holds the file wins; a directory of that name is not the file.
    QTemporaryDir first, second, third;
    const HelpLauncher launcher({first.path(), second.path(), third.path()}, nullptr);
    QVERIFY(QDir(first.path()).mkdir("HELP.HLP") && WriteFile(second.filePath("HELP.HLP"), "2") &&
            WriteFile(third.filePath("HELP.HLP"), "3"));
    QCOMPARE(launcher.locate("HELP.HLP"), second.filePath("HELP.HLP"));

    // The shipped file is whole.
    QString error;
    const std::optional<HelpFile> shippedFile = HelpFile::load(POTHENOT_SHIPPED_HELP, &error);
    QVERIFY2(shippedFile, qPrintable(error));
    // Every link leads to a topic of the file, and every topic is in the index.
    static const QRegularExpression href(u"href=\"([^\"]*)\""_s);
    for (const HelpTopic& topic : shippedFile->topics()) {
      for (const QRegularExpressionMatch& link : href.globalMatch(topic.html)) {
        const std::optional<QString> id = HelpFile::topicIdOf(QUrl(link.captured(1)));
        QVERIFY2(id && shippedFile->topic(*id), qPrintable(topic.id + ": " + link.captured(1)));
      }
      QVERIFY2(!topic.terms.isEmpty(), qPrintable(topic.id));
      // The minus is the sheet's "-", which a box takes; not "−".
      QVERIFY2(!topic.text.contains(QChar(0x2212)), qPrintable(topic.id));
    }
    // The search finds what the sheet writes as the sheet writes it.
    HelpViewer shipped(*shippedFile);
    for (const char* sheetText : {"-10044,72", "K1 - K3"}) {
      shipped.findChild<QLineEdit*>("searchText")->setText(sheetText);
      QVERIFY2(shipped.findChild<QListWidget*>("searchList")->count() > 0, sheetText);
    }
  }

  void linksContentsIndexAndSearchReachTheirTopicsNotOutside() {
    // Tab picks the next link of the page, Enter follows it.
    part()->setFocus();
    QTest::keyClicks(part(), "\t\r");
    QCOMPARE(viewer_->currentTopic(), u"details"_s);
    QCOMPARE(part<QTreeWidget>("contentsTree")->currentItem()->text(0), u"Подробности"_s);
    QTest::keyClicks(part(), "\t\r");
    QCOMPARE(viewer_->currentTopic(), u"intro"_s);
    QTest::mouseClick(part<QToolButton>("backButton"), Qt::LeftButton);
    QCOMPARE(viewer_->currentTopic(), u"details"_s);
    QTest::mouseClick(part<QToolButton>("forwardButton"), Qt::LeftButton);
    QCOMPARE(viewer_->currentTopic(), u"intro"_s);
    // The picture beside the file is not shown: its words stand in its place.
    const QString page = part()->toPlainText();
    QVERIFY2(page.contains("схема засечки") && !page.contains(QChar::ObjectReplacementCharacter),
             qPrintable(page));
    for (const QUrl& address : {QUrl::fromLocalFile(dir_.filePath("picture.png")),
                                QUrl::fromLocalFile(dir_.filePath("HELP.HLP")),
                                QUrl("http://example.com/x.png"), QUrl("topic:nothing")}) {
      for (int type : {QTextDocument::HtmlResource, QTextDocument::ImageResource,
                       QTextDocument::StyleSheetResource, QTextDocument::MarkdownResource}) {
        QVERIFY2(!part()->loadResource(type, address).isValid(), qPrintable(address.toString()));
      }
    }
    // A link out of the file is not followed; the reader is told why.
    auto* status = part<QLabel>("statusLabel");
    QVERIFY(!status->isVisible());
    for (const char* link : {"http://example.com/", "other.md"}) {
      part()->followLink(QUrl(link));
      QCOMPARE(part()->toPlainText(), page);
      QVERIFY(status->isVisible() && status->text().contains(link));
    }
    part()->setSource(QUrl::fromLocalFile(dir_.filePath("HELP.HLP")));
    QCOMPARE(part()->toPlainText(), page);
    // "Подробности" stands under "Введение" in the contents.
    auto* tree = part<QTreeWidget>("contentsTree");
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                      tree->visualItemRect(tree->topLevelItem(0)->child(0)).center());
    QVERIFY(part()->toPlainText().startsWith(u"Подробности\nТекст"_s));
    // Typing narrows the index, case aside; Enter opens the line it picks.
    auto* index = part<QListWidget>("indexList");
    QTest::keyClicks(part<QLineEdit>("indexFilter"), "k2");
    QVERIFY(index->findItems("K1", Qt::MatchExactly).value(0)->isHidden());
    QTest::keyClick(part<QLineEdit>("indexFilter"), Qt::Key_Return);
    QCOMPARE(viewer_->currentTopic(), u"extra"_s);
    // Ctrl+F searches the text of every topic; each Enter marks the next place.
    QTest::keyClick(viewer_.get(), Qt::Key_F, Qt::ControlModifier);
    auto* search = part<QLineEdit>("searchText");
    QVERIFY(search->hasFocus());
    search->setText("ТЕКСТ");
    QCOMPARE(part<QListWidget>("searchList")->count(), 2);  // not in "Введение"
    QTest::keyClick(search, Qt::Key_Return);
    QCOMPARE(viewer_->currentTopic(), u"details"_s);
    QCOMPARE(part()->textCursor().selectedText(), u"Текст"_s);
    QTest::keyClick(search, Qt::Key_Return);
    QCOMPARE(part()->textCursor().selectedText(), u"текст"_s);
    // Qt's own dialogs speak Russian like the viewer, whatever the desktop's
    // language (English here).
    QMessageBox box(QMessageBox::Question, {}, {}, QMessageBox::Cancel, viewer_.get());
    QCOMPARE(box.button(QMessageBox::Cancel)->text(), u"Отмена"_s);
  }

  // Started at a topic with a channel, the viewer shows each request on it
  // and comes to the front; a second start on that channel hands its request
  // on and opens nothing. The channel's socket lies in a folder that is the
  // user's alone: a folder of its name left where it once lay, in the shared
  // temporary folder, keeps nothing from it; a stale file of the user's own
  // (a viewer killed) goes; a folder of the user's opened to others is not
  // used, and the viewer says so but shows the help all the same.
  void requestsOnItsOwnChannelShowTheirTopicInFront() {
    QStringList told;
    HelpLauncher launcher({dir_.path()}, [&](const QString& m) { told << m; });
    const QStringList start{"--topic", "details", "--channel", "help-test", "HELP.HLP"},
        ask{"--topic", "extra", "--channel", "help-test", "HELP.HLP"};
    QVERIFY(QDir(temp_.path()).mkdir(start[3]));
    for (const bool stale : {false, true}) {
      if (stale) QVERIFY(WriteFile(helpChannel::path(start[3]), "left by a killed viewer"));
      const std::unique_ptr<HelpViewer> open = launcher.open(start);
      QVERIFY2(open && told.isEmpty(), qPrintable(told.join(u'\n')));
      open->show();
      viewer_->activateWindow();  // another window in front
      QVERIFY(QTest::qWaitForWindowActive(viewer_.get()) && HelpLauncher::forward(ask));
      QTRY_VERIFY(open->isActiveWindow() && open->currentTopic() == "extra");
    }
    QVERIFY(!HelpLauncher::forward({"--topic", "extra", "HELP.HLP"}));
    const QString own = helpChannel::folder();
    QVERIFY(own.startsWith(temp_.path()) &&
            QFile::setPermissions(own, QFile::permissions(own) | QFileDevice::WriteOther));
    QVERIFY(launcher.open(start) && told.size() == 1 && told[0].contains(own));
    QVERIFY(!HelpLauncher::forward(ask));
  }
};

QTEST_MAIN(HelpTest)
#include "help_test.moc"
