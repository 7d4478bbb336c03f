// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "calc/calc_error.h"
#include "calc/resection.h"
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

const QStringList kCommandOptions = {
    QStringLiteral("calculate"), QStringLiteral("variant"), QStringLiteral("check"),
    QStringLiteral("json"),      QStringLiteral("report"),  QStringLiteral("help"),
    QStringLiteral("h"),         QStringLiteral("?"),       QStringLiteral("help-all"),
    QStringLiteral("version"),   QStringLiteral("v")};

void write(std::FILE* stream, const QByteArray& bytes) {
  std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
  std::fflush(stream);
}
void writeLine(std::FILE* stream, const QString& line) {
  write(stream, (line + u'\n').toUtf8());
}

// The options, described in Russian; --help and --version are the parser's.
struct Options {
  QCommandLineOption calculate{
      QStringLiteral("calculate"),
      QStringLiteral("Вычислить лист из файла, как кнопка «Вычислить», и вывести его файлом "
                     "листа.")};
  QCommandLineOption variant{
      QStringLiteral("variant"),
      QStringLiteral("Вывести вариант задания с номером N (от %1 до %2) файлом листа.")
          .arg(kFirstVariant)
          .arg(kLastVariant),
      QStringLiteral("N")};
  QCommandLineOption check{
      QStringLiteral("check"),
      QStringLiteral("Проверить листы студентов, как F3, и вывести по строке на файл.")};
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
  parser.addPositionalArgument(QStringLiteral("файлы"),
                               QStringLiteral("Файлы листов (*.pothenot)."),
                               QStringLiteral("[файл…]"));
}

// Qt's own messages (the parser's help and errors) in Russian too.
void translate(QCoreApplication& application) {
  auto* qt = new QTranslator(&application);
  if (qt->load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(qt);
}

// The options Qt's own application objects take off the command line before
// the program reads it (as "-name" or "--name").
const QStringList kQtOptions = {QStringLiteral("platform"),
                                QStringLiteral("platformpluginpath"),
                                QStringLiteral("platformtheme"),
                                QStringLiteral("plugin"),
                                QStringLiteral("qwindowgeometry"),
                                QStringLiteral("qwindowicon"),
                                QStringLiteral("qwindowtitle"),
                                QStringLiteral("reverse"),
                                QStringLiteral("session"),
                                QStringLiteral("display"),
                                QStringLiteral("geometry"),
                                QStringLiteral("style"),
                                QStringLiteral("stylesheet"),
                                QStringLiteral("widgetcount"),
                                QStringLiteral("nograb"),
                                QStringLiteral("dograb"),
                                QStringLiteral("name"),
                                QStringLiteral("title"),
                                QStringLiteral("visual"),
                                QStringLiteral("sync"),
                                QStringLiteral("qmljsdebugger")};

// What is wrong with a command line the parser refused, in Russian.
QString refusal(const QCommandLineParser& parser) {
  const QStringList unknown = parser.unknownOptionNames();
  if (unknown.isEmpty()) return parser.errorText();
  return QStringLiteral("неизвестный параметр «%1».").arg(unknown.front());
}

int wrongUsage(const QString& why) {
  writeLine(stderr, QStringLiteral("pothenot: ") + why);
  writeLine(stderr, QStringLiteral("Подробнее: pothenot --help"));
  return kWrongUsage;
}

int calculate(const QString& path) {
  SheetFile file;
  try {
    file = readSheetFile(path);
  } catch (const std::runtime_error& failure) {
    writeLine(stderr, QString::fromUtf8(failure.what()));
    return kFileFailed;
  }
  int code = kDone;
  try {
    Calculate(file.sheet, file.decimalSeparator);
  } catch (const CalcError& failure) {
    // The sheet as Calculate left it still goes out: what it wrote before the stop.
    writeLine(stderr, QString::fromUtf8(failure.what()));
    code = kFileFailed;
  }
  write(stdout, QByteArray::fromStdString(WriteSheetFile(file)));
  return code;
}

int variant(const QString& number) {
  bool ok = false;
  const uint n = number.toUInt(&ok);
  if (!ok || n < kFirstVariant || n > kLastVariant) {
    return wrongUsage(QStringLiteral("номер варианта должен быть целым от %1 до %2, а не «%3».")
                          .arg(kFirstVariant)
                          .arg(kLastVariant)
                          .arg(number));
  }
  SheetFile file;
  file.sheet = MakeVariant(n);
  file.variant = n;
  write(stdout, QByteArray::fromStdString(WriteSheetFile(file)));
  return kDone;
}

Json rowJson(const classcheck::StudentRow& row) {
  Json object;
  object["file"] = row.path.toStdString();
  object["student"] = row.student.toStdString();
  object["variant"] = row.variant ? Json(*row.variant) : Json(nullptr);
  object["error"] = row.error.isEmpty() ? Json(nullptr) : Json(row.error.toStdString());
  Json& marks = object["marks"] = Json::array();
  static const char* const kMarkNames[] = {"empty", "unreadable", "correct", "carried", "wrong"};
  for (const BoxMark& box : row.check.marks) {
    marks.push_back({{"field", std::string(Info(box.field).name)},
                     {"mark", kMarkNames[static_cast<std::size_t>(box.mark)]},
                     {"expected", box.expected},
                     {"carried", box.carried}});
  }
  Json& differing = object["differingGivens"] = Json::array();
  for (const Field field : row.check.differingGivens)
    differing.push_back(std::string(Info(field).name));
  return object;
}

QString rowLine(const classcheck::StudentRow& row) {
  QStringList columns{
      row.path, row.student.isEmpty() ? QStringLiteral("—") : row.student,
      row.variant ? QStringLiteral("вариант %1").arg(*row.variant) : QStringLiteral("без варианта"),
      row.firstError, row.error.isEmpty() ? classcheck::countsText(row.check) : QString()};
  if (!row.givensNote.isEmpty()) columns << row.givensNote;
  return columns.join(u'\t');
}

int check(const QStringList& paths, bool json, const QString& report,
          const ReportWriter& writeReport) {
  std::vector<classcheck::StudentRow> rows;
  int code = kDone;
  for (const QString& path : paths) {
    rows.push_back(classcheck::markFile(path));
    if (!rows.back().error.isEmpty()) code = kFileFailed;
  }
  if (json) {
    Json array = Json::array();
    for (const auto& row : rows) array.push_back(rowJson(row));
    write(stdout, QByteArray::fromStdString(array.dump(2) + "\n"));
  } else {
    for (const auto& row : rows) writeLine(stdout, rowLine(row));
  }
  if (!report.isEmpty()) {
    classcheck::sortForReport(rows);
    const safeFile::Outcome outcome = writeReport(report, rows);
    if (outcome.status != safeFile::Outcome::Written) {
      writeLine(stderr, outcome.message);
      code = kFileFailed;
    }
  }
  return code;
}

bool isReportPath(const QString& path) {
  return path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive) ||
         path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive);
}

int run(const QStringList& arguments, const ReportWriter& writeReport) {
  Options options;
  QCommandLineParser parser;
  setUp(parser, options);
  if (!parser.parse(arguments)) return wrongUsage(refusal(parser));
  if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
    write(stdout, parser.helpText().toUtf8());
    return kDone;
  }
  if (parser.isSet(QStringLiteral("version"))) {
    writeLine(stdout, QStringLiteral("pothenot ") + QCoreApplication::applicationVersion());
    return kDone;
  }
  const QStringList files = parser.positionalArguments();
  const bool calc = parser.isSet(options.calculate), var = parser.isSet(options.variant),
             chk = parser.isSet(options.check);
  if (int(calc) + int(var) + int(chk) > 1)
    return wrongUsage(QStringLiteral("--calculate, --variant и --check не сочетаются."));
  if (!chk && (parser.isSet(options.json) || parser.isSet(options.report)))
    return wrongUsage(QStringLiteral("--json и --report работают только с --check."));
  if (var) {
    if (!files.isEmpty()) return wrongUsage(QStringLiteral("--variant не читает файлов."));
    return variant(parser.value(options.variant));
  }
  if (calc) {
    if (files.size() != 1)
      return wrongUsage(QStringLiteral("--calculate вычисляет ровно один файл листа."));
    return calculate(files.front());
  }
  if (files.isEmpty()) return wrongUsage(QStringLiteral("--check: не назван ни один файл листа."));
  const QString report = parser.value(options.report);
  if (parser.isSet(options.report) && !isReportPath(report))
    return wrongUsage(
        QStringLiteral("отчёт записывается в файл .pdf или .csv, а не «%1».").arg(report));
  return check(files, parser.isSet(options.json), report, writeReport);
}

}  // namespace

bool asksForCommand(const QStringList& arguments) {
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    QString name = arguments[i];
    if (name == QStringLiteral("--")) break;
    if (!name.startsWith(u'-')) continue;
    name = name.mid(name.startsWith(QStringLiteral("--")) ? 2 : 1).section(u'=', 0, 0);
    if (kCommandOptions.contains(name)) return true;
  }
  return false;
}

int runCommand(const ReportWriter& writeReport) {
  QCoreApplication::setApplicationName(QStringLiteral("pothenot"));
  QCoreApplication::setApplicationVersion(QStringLiteral(POTHENOT_VERSION));
  translate(*QCoreApplication::instance());
  return run(QCoreApplication::arguments(), writeReport);
}

bool asksForPdf(const QStringList& arguments) {
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString& a = arguments[i];
    const QString value = a == QStringLiteral("--report") && i + 1 < arguments.size()
                              ? arguments[i + 1]
                          : a.startsWith(QStringLiteral("--report=")) ? a.mid(9)
                                                                      : QString();
    if (value.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) return true;
  }
  return false;
}

bool needsWindows(const QStringList& arguments) {
  if (!asksForCommand(arguments)) return true;
  for (const QString& argument : arguments)
    if (argument == QStringLiteral("--report") || argument.startsWith(QStringLiteral("--report=")))
      return true;
  return false;
}

QStringList windowFiles(const QStringList& arguments, int& exitCode) {
  Options options;
  QCommandLineParser parser;
  setUp(parser, options);
  exitCode = kDone;
  if (!parser.parse(arguments)) {
    exitCode = wrongUsage(refusal(parser));
    return {};
  }
  return parser.positionalArguments();
}

int usageBeforeWindows(const QStringList& arguments) {
  Options options;
  QCommandLineParser parser;
  setUp(parser, options);
  // "-platform" is one option here, as Qt reads it, not seven letters.
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  if (parser.parse(arguments)) return kDone;
  for (const QString& name : parser.unknownOptionNames())
    if (!kQtOptions.contains(name))
      return wrongUsage(QStringLiteral("неизвестный параметр «%1».").arg(name));
  return kDone;
}

}  // namespace pothenot::commandLine
