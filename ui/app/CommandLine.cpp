// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "calc/sheet_commands.h"
#include "calc/sheet_file.h"
#include "calc/variant.h"
#include "ui/classcheck/ClassReport.h"
#include "ui/common/SheetReading.h"
#include "ui/common/Title.h"

namespace pothenot::commandLine {

namespace {

using Json = nlohmann::ordered_json;

// The exit codes.
constexpr int kDone = 0, kFileFailed = 1, kWrongUsage = 2;

// Standard error: what cannot be written there cannot be told anywhere.
void writeLine(std::FILE* stream, const QString& line) {
  const QByteArray bytes = (line + u'\n').toUtf8();
  std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
  std::fflush(stream);
}

// A text on one line of its own: a line break, a tab or any other control
// character (a file or student name may hold one) is written as an escape,
// so that it can neither end the line nor start another column, and a
// backslash is doubled, so that the escapes are told from the text.
QString escaped(const QString& text) {
  QString line;
  line.reserve(text.size());
  for (const QChar c : text) {
    switch (c.unicode()) {
      case u'\\':
        line += QStringLiteral("\\\\");
        break;
      case u'\n':
        line += QStringLiteral("\\n");
        break;
      case u'\r':
        line += QStringLiteral("\\r");
        break;
      case u'\t':
        line += QStringLiteral("\\t");
        break;
      default:
        if (c.category() == QChar::Other_Control || c.category() == QChar::Separator_Line ||
            c.category() == QChar::Separator_Paragraph) {
          line += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        } else {
          line += c;
        }
    }
  }
  return line;
}

// A message for standard error: the program's name first, on one line.
QString told(const QString& message) {
  return QStringLiteral("pothenot: ") + escaped(message);
}

// The options, described in Russian; --help and --version are the parser's.
struct Options {
  QCommandLineOption calculate{
      QStringLiteral("calculate"),
      QStringLiteral("Вычислить лист из файла (или стандартного ввода, «-»), как кнопка "
                     "«Вычислить», и вывести его файлом листа.")};
  QCommandLineOption variant{
      QStringLiteral("variant"),
      QStringLiteral("Вывести вариант задания с номером N (от %1 до %2) файлом листа.")
          .arg(kFirstVariant)
          .arg(kLastVariant),
      QStringLiteral("N")};
  QCommandLineOption check{
      QStringLiteral("check"),
      QStringLiteral("Проверить листы студентов, как F3, и вывести по строке на файл; папка — "
                     "её файлы листов, «-» — стандартный ввод. Перевод строки, табуляция и другие "
                     "управляющие символы в строке выводятся как \\n, \\t, \\uXXXX, "
                     "обратная косая черта — как \\\\.")};
  QCommandLineOption json{QStringLiteral("json"),
                          QStringLiteral("С --check: вывести массив JSON вместо строк.")};
  QCommandLineOption report{
      QStringLiteral("report"),
      QStringLiteral("С --check: записать отчёт о группе в файл .pdf или .csv."),
      QStringLiteral("ФАЙЛ")};
};

void setUp(QCommandLineParser& parser, const Options& options) {
  parser.setApplicationDescription(
      kProgramTitle +
      QStringLiteral(": обратная засечка. Без параметров открывает окна программы, с файлом — "
                     "лист из него в окне задачи."));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addOptions(
      {options.calculate, options.variant, options.check, options.json, options.report});
  parser.addPositionalArgument(
      QStringLiteral("файлы"),
      QStringLiteral("Файлы листов (*.pothenot); у --calculate и --check «-» — "
                     "стандартный ввод."),
      QStringLiteral("[файл…]"));
}

// Qt's own messages (the parser's help and errors) in Russian too.
void translate(QCoreApplication& application) {
  auto* qt = new QTranslator(&application);
  if (qt->load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(qt);
}

// Qt's own options, which its application objects take off the command line
// (as "-name" or "--name", a value after a space or "="): known here so that
// they are neither refused nor taken for files.
const QStringList kQtOptionsWithValue = {QStringLiteral("platform"),
                                         QStringLiteral("platformpluginpath"),
                                         QStringLiteral("platformtheme"),
                                         QStringLiteral("plugin"),
                                         QStringLiteral("qwindowgeometry"),
                                         QStringLiteral("qwindowicon"),
                                         QStringLiteral("qwindowtitle"),
                                         QStringLiteral("session"),
                                         QStringLiteral("display"),
                                         QStringLiteral("geometry"),
                                         QStringLiteral("style"),
                                         QStringLiteral("stylesheet"),
                                         QStringLiteral("name"),
                                         QStringLiteral("title"),
                                         QStringLiteral("icon"),
                                         QStringLiteral("visual"),
                                         QStringLiteral("qmljsdebugger")};
const QStringList kQtFlags = {QStringLiteral("reverse"), QStringLiteral("widgetcount"),
                              QStringLiteral("nograb"),  QStringLiteral("dograb"),
                              QStringLiteral("sync"),    QStringLiteral("testability")};

void addQtOptions(QCommandLineParser& parser) {
  for (const QString& name : kQtOptionsWithValue) {
    QCommandLineOption option(name, QString(), QStringLiteral("value"));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
  }
  for (const QString& name : kQtFlags) {
    QCommandLineOption option(name);
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
  }
}

// What is wrong with a command line the parser refused, in Russian. It is
// parsed before any translation is loaded, so its own words are Qt's English
// ones: the two it has besides an unknown option are told here.
QString refusal(const QCommandLineParser& parser) {
  const QStringList unknown = parser.unknownOptionNames();
  if (!unknown.isEmpty()) return QStringLiteral("неизвестный параметр «%1».").arg(unknown.front());
  const QString error = parser.errorText();
  const qsizetype open = error.indexOf(u'\''), close = error.lastIndexOf(u'\'');
  const QString option = open >= 0 && close > open ? error.mid(open + 1, close - open - 1) : error;
  if (error.startsWith(QStringLiteral("Missing value")))
    return QStringLiteral("у параметра %1 нет значения.").arg(option);
  if (error.startsWith(QStringLiteral("Unexpected value")))
    return QStringLiteral("параметр %1 не принимает значения.").arg(option);
  return error;
}

Request wrong(const QString& why) {
  Request request;
  request.command = Request::Command::WrongUsage;
  request.wrongUsage = why;
  return request;
}

bool isReportPath(const QString& path) {
  return path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive) ||
         path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive);
}

QtMessageHandler qtHandler = nullptr;  // the one the windows pass Qt's notices on to

void dropQtNotices(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) writeLine(stderr, told(message));
}

void dropRuntimeDirNotice(QtMsgType type, const QMessageLogContext& context,
                          const QString& message) {
  if (type == QtWarningMsg && message.contains(QStringLiteral("XDG_RUNTIME_DIR not set"))) return;
  qtHandler(type, context, message);
}

// Standard output, whose every failure counts: a write that did not go
// whole, and at the end the flush and the close, where a full disk or a
// closed pipe shows at the latest.
class Output {
 public:
  void write(const QByteArray& bytes) {
    if (error_ != 0) return;
    if (std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout) !=
        std::size_t(bytes.size()))
      error_ = errno;
  }
  // Whether everything written reached its place; tells standard error if not.
  bool close() {
    if (std::fflush(stdout) != 0 && error_ == 0) error_ = errno;
    if (std::ferror(stdout) && error_ == 0) error_ = EIO;
    if (std::fclose(stdout) != 0 && error_ == 0) error_ = errno;
    if (error_ == 0) return true;
    writeLine(stderr, told(QStringLiteral("вывод не записан: %1.")
                               .arg(QString::fromLocal8Bit(std::strerror(error_)))));
    return false;
  }

 private:
  int error_ = 0;
};

int usage(const QString& why) {
  writeLine(stderr, told(why));
  writeLine(stderr, told(QStringLiteral("подробнее: pothenot --help")));
  return kWrongUsage;
}

// The name a command line gives standard input, and the file it is read as
// there (with the size limit of every sheet file).
const QString kStandardInput = QStringLiteral("-");
QString sourceOf(const QString& path) {
  return path == kStandardInput ? QStringLiteral("/dev/stdin") : path;
}

int calculate(Output& out, const QString& path) {
  const QString source = sourceOf(path);
  QByteArray bytes;
  try {
    bytes = readSheetBytes(source);
  } catch (const std::runtime_error& failure) {
    writeLine(stderr, told(QString::fromUtf8(failure.what())));
    return kFileFailed;
  }
  CalculatedSheet calculated;
  try {
    calculated = CalculateSheetText(std::string_view(bytes.constData(), std::size_t(bytes.size())));
  } catch (const SheetFileError& failure) {
    writeLine(
        stderr,
        told(QString::fromStdString(failure.Sentence(QFileInfo(source).fileName().toStdString()))));
    return kFileFailed;
  }
  // After a stop the sheet as Calculate left it still goes out, the stop told first.
  if (!calculated.message.empty())
    writeLine(stderr, told(QString::fromStdString(calculated.message)));
  out.write(QByteArray::fromStdString(calculated.sheet));
  return calculated.message.empty() ? kDone : kFileFailed;
}

int variant(Output& out, std::uint32_t n) {
  out.write(QByteArray::fromStdString(VariantSheetText(n)));
  return kDone;
}

// The row's JSON is the engine's, the one the page writes for a sheet; it
// holds no words, only what the row was marked with.
Json rowJson(const classcheck::StudentRow& row) {
  SheetMarking marking;
  marking.student = row.student.toStdString();
  marking.variant = row.variant;
  marking.error = row.error.toStdString();
  marking.check = row.check;
  return MarkingJson(marking, row.path.toStdString());
}

QString rowLine(const classcheck::StudentRow& row) {
  QStringList columns{
      row.path, row.student.isEmpty() ? QStringLiteral("—") : row.student,
      row.variant ? QStringLiteral("вариант %1").arg(*row.variant) : QStringLiteral("без варианта"),
      row.firstError, row.error.isEmpty() ? classcheck::countsText(row.check) : QString()};
  if (!row.givensNote.isEmpty()) columns << row.givensNote;
  for (QString& column : columns) column = escaped(column);
  return columns.join(u'\t');
}

int check(Output& out, const Request& request, const ReportWriter& writeReport) {
  std::vector<classcheck::StudentRow> rows;
  int code = kDone;
  for (const QString& named : request.files) {
    // A folder stands for its sheet files, as the class window takes it.
    const QStringList paths = named != kStandardInput && QFileInfo(named).isDir()
                                  ? classcheck::sheetFilesIn(named)
                                  : QStringList{named};
    if (paths.isEmpty()) {
      writeLine(stderr, told(QStringLiteral("в папке «%1» нет файлов листов (*.%2).")
                                 .arg(named, classcheck::kSheetSuffix)));
      code = kFileFailed;
    }
    for (const QString& path : paths) {
      rows.push_back(classcheck::markFile(sourceOf(path)));
      classcheck::StudentRow& row = rows.back();
      row.path = path;
      if (!row.error.isEmpty()) {
        writeLine(stderr, told(row.error));
        code = kFileFailed;
      }
    }
  }
  if (request.json) {
    Json array = Json::array();
    for (const auto& row : rows) array.push_back(rowJson(row));
    out.write(QByteArray::fromStdString(array.dump(2) + "\n"));
  } else {
    for (const auto& row : rows) out.write((rowLine(row) + u'\n').toUtf8());
  }
  if (!request.report.isEmpty()) {
    classcheck::sortForReport(rows);
    const safeFile::Outcome outcome = writeReport(request.report, rows);
    if (outcome.status != safeFile::Outcome::Written) {
      writeLine(stderr, told(outcome.message));
      code = kFileFailed;
    }
  }
  return code;
}

}  // namespace

bool Request::needsWindows() const {
  return command == Command::Windows || (command == Command::Check && !report.isEmpty());
}

bool Request::needsGui() const {
  return command == Command::Check && report.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive);
}

Request parse(const QStringList& arguments) {
  Options options;
  QCommandLineParser parser;
  setUp(parser, options);
  addQtOptions(parser);
  // "-platform" is one option, as Qt reads it, not eight letters.
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  if (!parser.parse(arguments)) return wrong(refusal(parser));
  Request request;
  if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
    request.command = Request::Command::Help;
    return request;
  }
  if (parser.isSet(QStringLiteral("version"))) {
    request.command = Request::Command::Version;
    return request;
  }
  request.files = parser.positionalArguments();
  const bool calc = parser.isSet(options.calculate), var = parser.isSet(options.variant),
             chk = parser.isSet(options.check);
  if (int(calc) + int(var) + int(chk) > 1)
    return wrong(QStringLiteral("--calculate, --variant и --check не сочетаются."));
  if (!chk && (parser.isSet(options.json) || parser.isSet(options.report)))
    return wrong(QStringLiteral("--json и --report работают только с --check."));
  if (var) {
    const QString number = parser.value(options.variant);
    bool ok = false;
    request.variant = number.toUInt(&ok);
    if (!ok || request.variant < kFirstVariant || request.variant > kLastVariant) {
      return wrong(QStringLiteral("номер варианта должен быть целым от %1 до %2, а не «%3».")
                       .arg(kFirstVariant)
                       .arg(kLastVariant)
                       .arg(number));
    }
    if (!request.files.isEmpty()) return wrong(QStringLiteral("--variant не читает файлов."));
    request.command = Request::Command::Variant;
  } else if (calc) {
    if (request.files.size() != 1)
      return wrong(QStringLiteral("--calculate вычисляет ровно один файл листа."));
    request.command = Request::Command::Calculate;
  } else if (chk) {
    if (request.files.isEmpty())
      return wrong(QStringLiteral("--check: не назван ни один файл листа."));
    request.json = parser.isSet(options.json);
    request.report = parser.value(options.report);
    if (parser.isSet(options.report) && !isReportPath(request.report)) {
      return wrong(QStringLiteral("отчёт записывается в файл .pdf или .csv, а не «%1».")
                       .arg(request.report));
    }
    request.command = Request::Command::Check;
  }
  return request;
}

void quietQt(const Request& request) {
  if (request.command != Request::Command::Windows) {
    qInstallMessageHandler(dropQtNotices);
  } else {
    qtHandler = qInstallMessageHandler(dropRuntimeDirNotice);
  }
}

int run(const Request& request, const ReportWriter& writeReport) {
  QCoreApplication::setApplicationName(QStringLiteral("pothenot"));
  QCoreApplication::setApplicationVersion(QStringLiteral(POTHENOT_VERSION));
  translate(*QCoreApplication::instance());
  Output out;
  int code = kDone;
  switch (request.command) {
    case Request::Command::Help: {
      Options options;
      QCommandLineParser parser;
      setUp(parser, options);
      out.write(parser.helpText().toUtf8());
      break;
    }
    case Request::Command::Version:
      out.write(
          (QStringLiteral("pothenot ") + QCoreApplication::applicationVersion() + u'\n').toUtf8());
      break;
    case Request::Command::Variant:
      code = variant(out, request.variant);
      break;
    case Request::Command::Calculate:
      code = calculate(out, request.files.front());
      break;
    case Request::Command::Check:
      code = check(out, request, writeReport);
      break;
    case Request::Command::WrongUsage:
    case Request::Command::Windows:  // not a command: a caller's mistake, told as one
      return usage(request.wrongUsage);
  }
  return out.close() ? code : kFileFailed;
}

}  // namespace pothenot::commandLine
