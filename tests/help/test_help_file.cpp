// The help file without windows: its markup, its checks, reading it from disk
// and finding it, and the help file that ships with the program.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include "help/HelpFile.h"
#include "help/HelpLocator.h"
#include "help/HelpMarkup.h"

using pothenot::HelpFault;
using pothenot::HelpFile;
using pothenot::HelpLocator;
using pothenot::HelpMarkup;

namespace {

// Body lines numbered from `first`, as they would stand in a file.
std::vector<HelpMarkup::Line> Body(const QStringList& lines, int first = 1) {
  std::vector<HelpMarkup::Line> body;
  for (const QString& line : lines) body.push_back({first++, line});
  return body;
}

// The one topic that markup tests may link to.
std::optional<QString> OnlyOther(const QString& id) {
  if (id == QStringLiteral("other")) return QStringLiteral("Другой раздел");
  return std::nullopt;
}

QTextCursor Find(const QTextDocument& doc, const QString& text) {
  QTextCursor cursor = doc.find(text);
  if (cursor.isNull()) qWarning("not found: %s", qPrintable(text));
  return cursor;
}

// Every link of a rendered page.
QStringList Hrefs(const QString& html) {
  QTextDocument doc;
  doc.setHtml(html);
  QStringList hrefs;
  for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat format = it.fragment().charFormat();
      if (format.isAnchor()) hrefs << format.anchorHref();
    }
  }
  return hrefs;
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QString kSmallFile = QStringLiteral(
    "% примечание составителя\n"
    "@helpfile Проба\n"
    "@start second\n"
    "\n"
    "@topic first\n"
    "@title Первый\n"
    "@index Яблоко; общий\n"
    "Ссылка вперёд: [[second]].\n"
    "\n"
    "@topic second\n"
    "@title Второй\n"
    "@parent first\n"
    "@index банан; Общий\n"
    "@index общий\n"
    "Текст второго.\n"
    "@topic third\n"
    "@title Третий\n"
    "@parent first\n"
    "@index АРБУЗ\n");

}  // namespace

class HelpFileTest : public QObject {
  Q_OBJECT

 private slots:
  void markupBlocksAndInline();
  void markupEscapesEverythingButItsOwnTags();
  void markupFaults_data();
  void markupFaults();
  void topicUrls();
  void parsesTopicsContentsAndIndex_data();
  void parsesTopicsContentsAndIndex();
  void brokenFiles_data();
  void brokenFiles();
  void mutilatedFilesNeverCrash();
  void loadRefusesWhatIsNotAHelpFile_data();
  void loadRefusesWhatIsNotAHelpFile();
  void loadReportsUnreadableFile();
  void locatorOrder();
  void standardLocatorLooksInCurrentDirectoryFirst();
  void shippedFileIsComplete();
  void builtCopiesMatchShippedFile();
};

void HelpFileTest::markupBlocksAndInline() {
  HelpFault fault;
  const std::optional<QString> html = HelpMarkup::toHtml(
      Body({QStringLiteral("Первый абзац"), QStringLiteral("продолжается."), QString(),
            QStringLiteral("## Подзаголовок"), QStringLiteral("- пункт **один**"),
            QStringLiteral("  с продолжением"), QStringLiteral("- пункт __два__"),
            QStringLiteral("1. шаг"), QStringLiteral("7. шаг [[other]] и [[other|сюда]]"),
            QStringLiteral("= K1 = a·b"), QStringLiteral("= C = d"),
            QStringLiteral("Абзац \\*\\* звёзды \\[\\[ скобки \\\\")}),
      OnlyOther, &fault);
  QVERIFY2(html, qPrintable(fault.message));
  QTextDocument doc;
  doc.setHtml(*html);

  // Lines of one paragraph join into one block.
  QCOMPARE(Find(doc, QStringLiteral("Первый абзац продолжается.")).block().text(),
           QStringLiteral("Первый абзац продолжается."));
  QVERIFY(Find(doc, QStringLiteral("Подзаголовок")).block().blockFormat().headingLevel() > 0);

  const QTextCursor one = Find(doc, QStringLiteral("один"));
  QCOMPARE(one.charFormat().fontWeight(), int(QFont::Bold));
  QVERIFY(!Find(doc, QStringLiteral("пункт")).charFormat().font().bold());
  QVERIFY(Find(doc, QStringLiteral("два")).charFormat().fontItalic());
  // The continuation belongs to its item.
  QCOMPARE(one.block().text(), QStringLiteral("пункт один с продолжением"));

  QTextList* bullets = one.block().textList();
  QVERIFY(bullets);
  QCOMPARE(bullets->count(), 2);
  QCOMPARE(bullets->format().style(), QTextListFormat::ListDisc);
  QTextList* steps = Find(doc, QStringLiteral("шаг")).block().textList();
  QVERIFY(steps && steps != bullets);
  QCOMPARE(steps->count(), 2);
  QCOMPARE(steps->format().style(), QTextListFormat::ListDecimal);

  // A bare link takes the topic's title, a named one keeps its text.
  QCOMPARE(Find(doc, QStringLiteral("Другой раздел")).charFormat().anchorHref(),
           QStringLiteral("topic:other"));
  QCOMPARE(Find(doc, QStringLiteral("сюда")).charFormat().anchorHref(),
           QStringLiteral("topic:other"));

  // Formula lines stay lines of one block.
  const QString formula = Find(doc, QStringLiteral("K1 = a·b")).block().text();
  QCOMPARE(formula,
           QStringLiteral("K1 = a·b") + QChar(QChar::LineSeparator) + QStringLiteral("C = d"));

  QVERIFY(doc.toPlainText().contains(QStringLiteral("Абзац ** звёзды [[ скобки \\")));
}

void HelpFileTest::markupEscapesEverythingButItsOwnTags() {
  const QString hostile = QStringLiteral(
      "<script>alert(1)</script> <img src=\"http://example.com/x.png\"> "
      "<a href=\"http://example.com/\">внешняя</a> <style>p{}</style> & \"кавычки\"");
  HelpFault fault;
  const std::optional<QString> html =
      HelpMarkup::toHtml(Body({hostile, QStringLiteral("[[other|свой]]")}), OnlyOther, &fault);
  QVERIFY2(html, qPrintable(fault.message));
  QVERIFY(!html->contains(QStringLiteral("<script")));
  QVERIFY(!html->contains(QStringLiteral("<img")));
  QVERIFY(!html->contains(QStringLiteral("<style")));

  QTextDocument doc;
  doc.setHtml(*html);
  QVERIFY(doc.toPlainText().contains(hostile));
  QCOMPARE(Hrefs(*html), QStringList{QStringLiteral("topic:other")});
}

void HelpFileTest::markupFaults_data() {
  QTest::addColumn<QString>("line");
  QTest::addColumn<QString>("expected");
  QTest::newRow("bold left open") << "**не закрыто"
                                  << "** не закрыто";
  QTest::newRow("italic left open") << "- пункт __не закрыт"
                                    << "__ не закрыто";
  QTest::newRow("crossed") << "**a __b** c__"
                           << "перекрываются";
  QTest::newRow("link left open") << "= см. [[other"
                                  << "не закрыта";
  QTest::newRow("link to nothing") << "[[missing]]"
                                   << "несуществующий раздел «missing»";
  QTest::newRow("link without id") << "[[Не имя|текст]]"
                                   << "нет имени раздела";
  QTest::newRow("link without text") << "[[other|  ]]"
                                     << "пустой текст";
  QTest::newRow("lone backslash") << "конец \\"
                                  << "обратная косая";
}

void HelpFileTest::markupFaults() {
  QFETCH(QString, line);
  QFETCH(QString, expected);
  HelpFault fault;
  const auto html = HelpMarkup::toHtml(
      Body({QStringLiteral("Хорошая **строка**."), QString(), line, QStringLiteral("после")}, 40),
      OnlyOther, &fault);
  QVERIFY(!html);
  QCOMPARE(fault.line, 42);
  QVERIFY2(fault.message.contains(expected), qPrintable(fault.message));
}

void HelpFileTest::topicUrls() {
  for (const QString& id :
       {QStringLiteral("k-quantities"), QStringLiteral("a"), QStringLiteral("2-step")}) {
    QVERIFY(HelpMarkup::isValidTopicId(id));
    QCOMPARE(HelpMarkup::topicIdOf(HelpMarkup::topicUrl(id)), std::optional<QString>(id));
  }
  for (const QString& id :
       {QString(), QStringLiteral("K1"), QStringLiteral("-a"), QStringLiteral("раздел"),
        QStringLiteral("a b"), QStringLiteral("a/b")}) {
    QVERIFY2(!HelpMarkup::isValidTopicId(id), qPrintable(id));
  }
  for (const char* url : {"http://example.com/overview", "https://example.com/",
                          "file:///etc/passwd", "topic://host/overview", "topic:overview?x=1",
                          "topic:Overview", "topic:", "overview", "qrc:/overview"}) {
    QVERIFY2(!HelpMarkup::topicIdOf(QUrl(QString::fromLatin1(url))), url);
  }
}

void HelpFileTest::parsesTopicsContentsAndIndex_data() {
  QTest::addColumn<QString>("text");
  QTest::newRow("LF") << kSmallFile;
  QString crlf = kSmallFile;
  crlf.replace(u'\n', QStringLiteral("\r\n"));
  QTest::newRow("CRLF with BOM") << QChar(0xFEFF) + crlf;
}

void HelpFileTest::parsesTopicsContentsAndIndex() {
  QFETCH(QString, text);
  HelpFault fault;
  const std::optional<HelpFile> help = HelpFile::parse(text, &fault);
  QVERIFY2(help, qPrintable(QStringLiteral("%1: %2").arg(fault.line).arg(fault.message)));

  QCOMPARE(help->title(), QStringLiteral("Проба"));
  QCOMPARE(help->startTopic(), QStringLiteral("second"));
  QStringList ids;
  for (const auto& t : help->topics()) ids << t.id;
  QCOMPARE(ids, (QStringList{"first", "second", "third"}));
  QCOMPARE(help->topic("second")->title, QStringLiteral("Второй"));
  QVERIFY(!help->topic("fourth"));
  QCOMPARE(help->children(QString()), QStringList{"first"});
  QCOMPARE(help->children("first"), (QStringList{"second", "third"}));
  QVERIFY(help->children("third").isEmpty());

  // Alphabetical, case aside; one term of two topics keeps their file order;
  // the same term twice in one topic is one entry.
  QStringList index;
  for (const auto& e : help->index()) index << e.term + u'>' + e.topicId;
  QCOMPARE(index, (QStringList{"АРБУЗ>third", "банан>second", "общий>first", "Общий>second",
                               "Яблоко>first"}));

  // A page: its own forward link first, then links to the topics under it.
  QCOMPARE(Hrefs(help->pageHtml("first")),
           (QStringList{"topic:second", "topic:second", "topic:third"}));
  QVERIFY(Hrefs(help->pageHtml("third")).isEmpty());
  QVERIFY(help->pageHtml("fourth").isEmpty());
  QTextDocument page;
  page.setHtml(help->pageHtml("second"));
  QCOMPARE(page.toPlainText().trimmed(), QStringLiteral("Второй\nТекст второго."));
}

void HelpFileTest::brokenFiles_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("line");
  QTest::addColumn<QString>("expected");
  const QString head = QStringLiteral("@helpfile Т\n");
  QTest::newRow("empty") << QString() << 0 << "@helpfile";
  QTest::newRow("plain text") << "Просто текст\n@helpfile Т\n" << 0 << "@helpfile";
  QTest::newRow("header without title") << "\n@helpfile   \n" << 2 << "нет названия";
  QTest::newRow("no topics") << head << 0 << "ни одного раздела";
  QTest::newRow("text before topics") << head + "\nтекст\n" << 3 << "до первого раздела";
  QTest::newRow("bad id") << head + "@topic Раздел\n" << 2 << "недопустимо";
  QTest::newRow("id twice") << head + "@topic a\n@title A\n@topic a\n@title B\n" << 4 << "дважды";
  QTest::newRow("unknown command") << head + "@topic a\n@title A\n@frob x\n"
                                   << 4 << "неизвестная команда «@frob»";
  QTest::newRow("start to nothing") << head + "@start zz\n@topic a\n@title A\n"
                                    << 2 << "«zz» не описан";
  QTest::newRow("parent below") << head + "@topic a\n@title A\n@parent b\n@topic b\n@title B\n"
                                << 4 << "описан выше";
  QTest::newRow("no title") << head + "@topic a\n@title A\n@topic b\nтекст\n"
                            << 4 << "нет «@title»";
  QTest::newRow("title twice") << head + "@topic a\n@title A\n@title B\n"
                               << 4 << "второй заголовок";
  QTest::newRow("empty term") << head + "@topic a\n@title A\n@index x;;y\n" << 4 << "пустой термин";
  QTest::newRow("markup in body") << head + "@topic a\n@title A\n\nтекст **\n"
                                  << 5 << "** не закрыто";
  QTest::newRow("link to nothing") << head + "@topic a\n@title A\n[[b]]\n@topic c\n@title C\n"
                                   << 4 << "«b»";
}

void HelpFileTest::brokenFiles() {
  QFETCH(QString, text);
  QFETCH(int, line);
  QFETCH(QString, expected);
  HelpFault fault;
  QVERIFY(!HelpFile::parse(text, &fault));
  QCOMPARE(fault.line, line);
  QVERIFY2(fault.message.contains(expected), qPrintable(fault.message));
}

void HelpFileTest::mutilatedFilesNeverCrash() {
  const QString shipped = QString::fromUtf8(ReadFile(QStringLiteral(POTHENOT_SHIPPED_HELP)));
  QVERIFY(!shipped.isEmpty());
  const QString junk = QStringLiteral("@*_[]|\\\n %#-= 1.abcЖ\r");
  QRandomGenerator random(20240611);
  int refused = 0;
  for (int round = 0; round < 400; ++round) {
    QString text = shipped;
    const int cuts = random.bounded(1, 6);
    for (int i = 0; i < cuts; ++i) {
      const auto at = static_cast<qsizetype>(random.bounded(static_cast<int>(text.size())));
      switch (random.bounded(3)) {
        case 0:
          text.remove(at, random.bounded(1, 40));
          break;
        case 1:
          text.insert(at, junk[random.bounded(static_cast<int>(junk.size()))]);
          break;
        default:
          text.truncate(at);
          break;
      }
    }
    HelpFault fault;
    const std::optional<HelpFile> help = HelpFile::parse(text, &fault);
    if (help) {
      // What is accepted is whole: every link and index line leads somewhere.
      for (const auto& e : help->index()) QVERIFY(help->topic(e.topicId));
      QVERIFY(help->topic(help->startTopic()));
    } else {
      ++refused;
      QVERIFY(!fault.message.isEmpty());
      QVERIFY(fault.line >= 0 && fault.line <= text.count(u'\n') + 1);
    }
  }
  QVERIFY(refused > 0);
}

void HelpFileTest::loadRefusesWhatIsNotAHelpFile_data() {
  QTest::addColumn<QByteArray>("bytes");  // null: no file at all
  QTest::addColumn<bool>("directory");
  QTest::addColumn<QString>("expected");
  QTest::newRow("missing") << QByteArray() << false << "не найден";
  QTest::newRow("directory") << QByteArray() << true << "папка";
  QTest::newRow("picture") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << false
                           << "двоичные данные";
  QTest::newRow("not UTF-8") << QByteArray("@helpfile \xcf\xf0\xee\xe1\xe0\n") << false << "UTF-8";
  QTest::newRow("other text") << QByteArray("[section]\nkey=value\n") << false
                              << "не является файлом справки";
  QTest::newRow("damaged") << QByteArray("@helpfile T\n\n@topic a\n") << false
                           << "повреждён: строка 3: у раздела нет «@title»";
  QTest::newRow("too large") << QByteArray("@helpfile T\n").append(HelpFile::kMaxBytes, 'x')
                             << false << "слишком велик";
}

void HelpFileTest::loadRefusesWhatIsNotAHelpFile() {
  QFETCH(QByteArray, bytes);
  QFETCH(bool, directory);
  QFETCH(QString, expected);
  QTemporaryDir dir;
  QVERIFY(dir.isValid());
  const QString path = dir.filePath(QStringLiteral("HELP.HLP"));
  if (directory) {
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("HELP.HLP")));
  } else if (!bytes.isNull()) {
    QVERIFY(WriteFile(path, bytes));
  }
  QString error;
  QVERIFY(!HelpFile::load(path, &error));
  QVERIFY2(error.contains(expected), qPrintable(error));
  QVERIFY2(error.contains(QFileInfo(path).absoluteFilePath()), qPrintable(error));
}

void HelpFileTest::loadReportsUnreadableFile() {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("HELP.HLP"));
  QVERIFY(WriteFile(path, ReadFile(QStringLiteral(POTHENOT_SHIPPED_HELP))));
  QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions()));
  if (QFile probe(path); probe.open(QIODevice::ReadOnly)) {
    QSKIP("this user reads files whatever their permissions");
  }
  QString error;
  QVERIFY(!HelpFile::load(path, &error));
  QVERIFY2(error.startsWith(QStringLiteral("Не удалось прочитать файл справки")),
           qPrintable(error));
  QVERIFY(error.contains(path));
}

void HelpFileTest::locatorOrder() {
  QTemporaryDir first, second, third;
  const QString name = QStringLiteral("HELP.HLP");
  const HelpLocator locator({first.path(), second.path(), third.path()});

  QVERIFY(locator.locate(name).isEmpty());
  QVERIFY(WriteFile(third.filePath(name), "3"));
  QCOMPARE(locator.locate(name), third.filePath(name));
  QVERIFY(WriteFile(second.filePath(name), "2"));
  QCOMPARE(locator.locate(name), second.filePath(name));
  // A directory of that name is not the file: the search goes on past it.
  QVERIFY(QDir(first.path()).mkdir(name));
  QCOMPARE(locator.locate(name), second.filePath(name));
  QVERIFY(QDir(first.path()).rmdir(name));
  QVERIFY(WriteFile(first.filePath(name), "1"));
  QCOMPARE(locator.locate(name), first.filePath(name));
  // Names are not folded: "help.hlp" is another file.
  QVERIFY(locator.locate(QStringLiteral("help.hlp")).isEmpty());

  // A name with a directory is taken as it stands, not searched for.
  QVERIFY(HelpLocator::hasDirectory(third.filePath(name)));
  QCOMPARE(locator.locate(third.filePath(name)), third.filePath(name));
  QVERIFY(locator.locate(third.filePath(QStringLiteral("OTHER.HLP"))).isEmpty());
  QVERIFY(locator.locate(QStringLiteral("no-such-directory/") + name).isEmpty());
  QVERIFY(locator.locate(QString()).isEmpty());
}

void HelpFileTest::standardLocatorLooksInCurrentDirectoryFirst() {
  const HelpLocator before = HelpLocator::standard();
  QCOMPARE(before.directories().size(), 3);
  QCOMPARE(before.directories()[1], QCoreApplication::applicationDirPath());
  QCOMPARE(before.directories()[2], QStringLiteral(POTHENOT_EXPECTED_DATADIR));

  QTemporaryDir work;
  const QString previous = QDir::currentPath();
  QVERIFY(QDir::setCurrent(work.path()));
  const QString name = QStringLiteral("HELP.HLP");
  QVERIFY(WriteFile(work.filePath(name), "x"));
  const QString found = HelpLocator::standard().locate(name);
  QVERIFY(QDir::setCurrent(previous));
  QCOMPARE(QFileInfo(found).canonicalFilePath(),
           QFileInfo(work.filePath(name)).canonicalFilePath());
}

void HelpFileTest::shippedFileIsComplete() {
  QString error;
  const std::optional<HelpFile> help =
      HelpFile::load(QStringLiteral(POTHENOT_SHIPPED_HELP), &error);
  QVERIFY2(help, qPrintable(error));
  QCOMPARE(help->title(), QStringLiteral("Задача Потенота"));
  QVERIFY(help->topics().size() >= 10);

  QString allText;
  QSet<QString> linked;
  for (const auto& topic : help->topics()) {
    QVERIFY2(!topic.terms.isEmpty(), qPrintable(topic.id + " has no index terms"));
    const QString page = help->pageHtml(topic.id);
    for (const QString& href : Hrefs(page)) {
      const std::optional<QString> id = HelpMarkup::topicIdOf(QUrl(href));
      QVERIFY2(id && help->topic(*id), qPrintable(topic.id + ": " + href));
      linked.insert(*id);
    }
    QTextDocument doc;
    doc.setHtml(page);
    allText += doc.toPlainText() + u'\n';
  }
  for (const auto& entry : help->index()) QVERIFY(help->topic(entry.topicId));
  // No topic is an island: each is reached by a link from another page.
  for (const auto& topic : help->topics()) {
    QVERIFY2(linked.contains(topic.id) || topic.id == help->startTopic(), qPrintable(topic.id));
  }

  // The key quantities of the worksheet can be looked up.
  QSet<QString> terms;
  for (const auto& entry : help->index()) terms.insert(entry.term.toLower());
  for (const char* key : {"a",
                          "b",
                          "K1",
                          "K2",
                          "K3",
                          "K4",
                          "C",
                          "C²",
                          "ΔY",
                          "ΔX",
                          "Yp",
                          "Xp",
                          "γ1",
                          "γ2",
                          "(PA)",
                          "(PD)",
                          "ctg(PD)",
                          "ε выч.",
                          "ε изм.",
                          "δε",
                          "Xd − Xp",
                          "Yd − Yp",
                          "K1 − K3",
                          "K2 − K4",
                          "опасный круг",
                          "десятичный разделитель",
                          "деление на ноль",
                          "обратная засечка",
                          "отбрасывание знаков",
                          "клавиатура",
                          "цвета"}) {
    QVERIFY2(terms.contains(QString::fromUtf8(key).toLower()), key);
  }
  // The formulas as the worksheet computes them.
  for (const char* formula :
       {"a = ctg γ1", "b = ctg γ2", "K1 = (Yb − Ya)·a − (Xb − Xa)", "K2 = (Xb − Xa)·a + (Yb − Ya)",
        "K3 = (Yc − Ya)·b − (Xc − Xa)", "K4 = (Xc − Xa)·b + (Yc − Ya)", "C = (K2 − K4) / (K1 − K3)",
        "ΔY = (K2 − C·K1) / (1 + C²)", "ΔX = C·ΔY", "Yp = Ya + ΔY", "Xp = Xa + ΔX",
        "ε выч. = (PA) − (PD)", "δε = ε выч. − ε изм.", "ctg(PD) = (Yd − Yp) / (Xd − Xp)"}) {
    QVERIFY2(allText.contains(QString::fromUtf8(formula)), formula);
  }
}

void HelpFileTest::builtCopiesMatchShippedFile() {
  const QByteArray shipped = ReadFile(QStringLiteral(POTHENOT_SHIPPED_HELP));
  QVERIFY(!shipped.isEmpty());
  const QStringList copies = QStringLiteral(POTHENOT_HELP_COPIES).split(u'|');
  QCOMPARE(copies.size(), 2);
  for (const QString& copy : copies) {
    QVERIFY2(ReadFile(copy) == shipped, qPrintable(copy));
  }
}

QTEST_MAIN(HelpFileTest)
#include "test_help_file.moc"
