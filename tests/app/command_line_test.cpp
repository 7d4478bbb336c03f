// SPDX-License-Identifier: GPL-3.0-or-later
// The program's command line, run as a real process on sheet files made here
// from variants: --variant, --calculate, --check with its lines, its JSON and
// its reports, and every exit code.
#include <unistd.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <functional>

#include "calc/resection.h"
#include "calc/sheet_file.h"
#include "calc/variant.h"
#include "calc/work_check.h"

using namespace pothenot;
using namespace Qt::StringLiterals;
using namespace std::string_literals;

struct Run {
  int code;
  QByteArray out, err;
};

class TestCommandLine : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;

  // The program run on `arguments`, `input` on its standard input; `setUp`
  // prepares the process before it starts (its environment, its output).
  static Run run(const QStringList& arguments, const QByteArray& input = {},
                 const std::function<void(QProcess&)>& setUp = {}) {
    QProcess process;
    if (setUp) setUp(process);
    process.start(QStringLiteral(POTHENOT_PROGRAM), arguments);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    const int code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return {code, process.readAllStandardOutput(), process.readAllStandardError()};
  }
  QString save(const QString& name, const SheetFile& file) {
    QFile out(dir_.filePath(name));
    out.open(QIODevice::WriteOnly);
    out.write(QByteArray::fromStdString(WriteSheetFile(file)));
    return out.fileName();
  }
  static SheetFile read(const QByteArray& bytes) { return ReadSheetFile(bytes.toStdString()); }
  static SheetFile worked(std::uint32_t variant, const char* student) {
    SheetFile file{MakeVariant(variant), ",", variant, student};
    Calculate(file.sheet, ",");
    return file;
  }

 private slots:
  // A variant comes out as a sheet file of its givens; --calculate gives what
  // Calculate gives, and where Calculate stops, the sheet as it left it.
  void variantAndCalculateAndTheirOutputLost() {
    const Run variant = run({u"--variant"_s, u"17"_s});
    QCOMPARE(variant.code, 0);
    const SheetFile given = read(variant.out);
    QVERIFY(given.variant == 17u && given.decimalSeparator == ",");
    for (const FieldInfo& f : Fields())
      QCOMPARE(given.sheet.text(f.name), MakeVariant(17).text(f.name));

    SheetFile point = given;
    UseSeparator(point, ".");
    const QString sheet = save(u"v17.pothenot"_s, point);
    const Run calculated = run({u"--calculate"_s, sheet});
    QCOMPARE(calculated.code, 0);
    Calculate(point.sheet, ".");
    const SheetFile out = read(calculated.out);
    QCOMPARE(out.decimalSeparator, "."s);
    for (const FieldInfo& f : Fields()) QCOMPARE(out.sheet.text(f.name), point.sheet.text(f.name));

    point.sheet.setText(Field::EXb, "");
    const Run stopped = run({u"--calculate"_s, save(u"empty.pothenot"_s, point)});
    QVERIFY(stopped.code == 1 && stopped.err.startsWith("pothenot: ") &&
            QString::fromUtf8(stopped.err).contains(u"«Xb» не заполнено"_s));
    QCOMPARE(read(stopped.out).sheet.text(Field::EK1), point.sheet.text(Field::EK1));

    // Output that does not reach its place is a failure a script sees: a full
    // disk, a pipe whose reader has gone (when SIGPIPE does not end the
    // program first, it is told and exits 1).
    int pipe[2];  // its reader gone before the program writes
    QVERIFY(::pipe(pipe) == 0 && ::close(pipe[0]) == 0);
    using SetUp = std::function<void(QProcess&)>;
    const SetUp full = [](QProcess& p) { p.setStandardOutputFile(u"/dev/full"_s); };
    const SetUp closed = [&pipe](QProcess& p) {
      p.setChildProcessModifier([&pipe] { ::signal(SIGPIPE, SIG_IGN), ::dup2(pipe[1], 1); });
    };
    for (const auto& [arguments, output] : {std::pair{QStringList{u"--variant"_s, u"5"_s}, full},
                                            {{u"--calculate"_s, sheet}, full},
                                            {{u"--check"_s, u"--json"_s, sheet}, full},
                                            {{u"--check"_s, sheet}, closed}}) {
      const Run failed = run(arguments, {}, output);
      QVERIFY2(failed.code == 1 && failed.err.startsWith("pothenot: вывод не записан: "),
               qPrintable(arguments.join(u' ') + QString::fromUtf8(failed.err)));
    }
    ::close(pipe[1]);
  }

  // Four students in a folder beside a note that is no sheet: all right,
  // under a file and a student name that would split its line; K1 altered
  // and δε left empty; a given not the variant's; a file that is no sheet.
  // Lines, JSON (the second read from standard input) and both reports, the
  // PDF and the windows without a runtime folder: Qt says nothing of its own.
  void checkAClass() {
    SheetFile wrong = worked(18, "Петров П.");
    std::string k1 = wrong.sheet.text(Field::EK1);
    k1.back() = k1.back() == '1' ? '2' : '1';
    wrong.sheet.setText(Field::EK1, k1);
    wrong.sheet.setText(Field::Ede, "");
    SheetFile moved{MakeVariant(19), ",", 19u, "=Сидоров"};
    moved.sheet.setText(Field::EXd, "1" + moved.sheet.text(Field::EXd));
    Calculate(moved.sheet, ",");
    QVERIFY(QDir(dir_.path()).mkpath(u"класс"_s));
    QFile broken(dir_.filePath(u"класс/d.pothenot"_s));
    QVERIFY(broken.open(QIODevice::WriteOnly) && broken.write("{}") == 2);
    save(u"класс/заметки.txt"_s, wrong);
    const QStringList files{save(u"класс/a\tb.pothenot"_s, worked(17, "Иванова А.\nx\tвариант 1")),
                            save(u"класс/b.pothenot"_s, wrong), save(u"класс/c.pothenot"_s, moved),
                            broken.fileName()};

    const Run lines = run({u"--check"_s, dir_.filePath(u"класс"_s)});
    QCOMPARE(lines.code, 1);
    const QStringList said = QString::fromUtf8(lines.out).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(said.size(), 4);
    QVERIFY2(said[0].startsWith(dir_.filePath(u"класс/a\\tb.pothenot"_s) +
                                u"\tИванова А.\\nx\\tвариант 1\tвариант 17\t"_s) &&
                 said[0].endsWith(u"все вычисления верны\tверно 29, следует из ошибки 0, "
                                  "ошибка 0, пусто 0, не читается 0"_s),
             qPrintable(said[0]));
    QVERIFY2(said[1].contains(u"\tПетров П.\tвариант 18\tпервая ошибка — K1: у вас "_s) &&
                 said[1].endsWith(u"\tверно 27, следует из ошибки 0, ошибка 1, пусто 1, "
                                  "не читается 0"_s),
             qPrintable(said[1]));
    QVERIFY(said[2].endsWith(u"\tисходные данные не те, что в варианте 19: Xd"_s));
    QVERIFY(said[3].contains(u"Файл «d.pothenot» не прочитан: "_s));
    QVERIFY2(lines.err.startsWith("pothenot: Файл «d.pothenot» не прочитан: ") &&
                 lines.err.count('\n') == 1,
             lines.err.constData());

    const Run json = run({u"--check"_s, u"--json"_s, files[0], u"-"_s, files[2], files[3]},
                         QByteArray::fromStdString(WriteSheetFile(wrong)));
    const QJsonArray array = QJsonDocument::fromJson(json.out).array();
    QCOMPARE(array.size(), 4);
    QCOMPARE(array[1][u"file"_s].toString(), u"-"_s);
    QCOMPARE(array[1][u"variant"_s].toInt(), 18);
    QVERIFY(array[1][u"error"_s].isNull() && array[3][u"variant"_s].isNull());
    QVERIFY(array[3][u"error"_s].toString().contains(u"не прочитан"_s));
    // CheckWork's marks, which its own test holds to Calculate's order and texts.
    const std::vector<BoxMark> want = CheckWork(wrong.sheet, ",");
    const QJsonArray marks = array[1][u"marks"_s].toArray();
    QCOMPARE(marks.size(), qsizetype(want.size()));
    for (qsizetype i = 0; i < marks.size(); ++i) {
      const std::string name(Info(want[std::size_t(i)].field).name);
      QCOMPARE(marks[i][u"field"_s].toString().toStdString(), name);
      QCOMPARE(marks[i][u"expected"_s].toString().toStdString(), want[std::size_t(i)].expected);
      QCOMPARE(marks[i][u"mark"_s].toString(), name == "EK1"   ? u"wrong"_s
                                               : name == "Ede" ? u"empty"_s
                                                               : u"correct"_s);
    }
    const QString pdf = dir_.filePath(u"отчёт.pdf"_s), csv = dir_.filePath(u"отчёт.csv"_s);
    QProcessEnvironment noRuntimeDir = QProcessEnvironment::systemEnvironment();
    noRuntimeDir.remove(u"XDG_RUNTIME_DIR"_s);
    noRuntimeDir.remove(u"QT_QPA_PLATFORM"_s);
    const Run report = run(QStringList{u"--check"_s, u"--report"_s, pdf} + files, {},
                           [&](QProcess& p) { p.setProcessEnvironment(noRuntimeDir); });
    QVERIFY(report.code == 1 && report.err == lines.err);
    QProcess windows;  // the windows, shown offscreen, say nothing of Qt's either
    noRuntimeDir.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    windows.setProcessEnvironment(noRuntimeDir);
    windows.setReadChannel(QProcess::StandardError);
    windows.start(QStringLiteral(POTHENOT_PROGRAM));
    QVERIFY2(!windows.waitForReadyRead(1500), windows.readAll().constData());
    windows.close();  // ends it
    QCOMPARE(run(QStringList{u"--check"_s, u"--report="_s + csv} + files).code, 1);
    QProcess text;
    text.start(u"pdftotext"_s, {u"-layout"_s, pdf, u"-"_s});
    const QString page = QString::fromUtf8(text.waitForFinished() ? text.readAll() : "");
    const qsizetype d = page.indexOf(u"d.pothenot"_s), b = page.indexOf(u"Петров"_s),
                    c = page.indexOf(u"Сидоров"_s), a = page.indexOf(u"Иванова"_s);
    QVERIFY2(d > 0 && d < b && b < c && c < a, qPrintable(page));
    QFile table(csv);
    QVERIFY(table.open(QIODevice::ReadOnly));
    const QList<QByteArray> rows = table.readAll().split('\n');
    QVERIFY(rows[0].startsWith("\xEF\xBB\xBF\"Файл\";\"Студент\";\"Вариант\""));
    QCOMPARE(rows.size(), 7);  // a heading, four students (a line break in a quoted cell), the end
    QVERIFY(rows[1].startsWith("\"d.pothenot\";\"\";\"\";\"Файл «d.pothenot»"));
    QVERIFY(rows[2].startsWith("\"b.pothenot\";\"Петров П.\";\"18\";\"первая ошибка — K1"));
    QVERIFY(rows[2].endsWith(";\"27\";\"0\";\"1\";\"1\";\"0\";\"\"\r"));
  }

  // Wrong usage is 2 with a Russian sentence, whatever is wrong.
  void wrongUsage() {
    for (const QString& line :
         {u"--bogus"_s, u"--check"_s, u"--variant 0"_s, u"--variant 1000000"_s, u"--variant x"_s,
          u"--json F"_s, u"--check --report r.txt F"_s, u"--calculate"_s,
          u"--calculate --check F"_s}) {
      QStringList arguments = line.split(u' ');  // F: a sheet file
      if (arguments.last() == u"F"_s) arguments.last() = dir_.filePath(u"v17.pothenot"_s);
      const Run wrong = run(arguments);
      QVERIFY2(wrong.code == 2 && wrong.out.isEmpty() && wrong.err.count('\n') == 2 &&
                   ("\n" + wrong.err).count("\npothenot: ") == 2,
               qPrintable(arguments.join(u' ')));
    }
  }
};

QTEST_GUILESS_MAIN(TestCommandLine)

#include "command_line_test.moc"
