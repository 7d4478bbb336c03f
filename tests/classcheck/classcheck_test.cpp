// SPDX-License-Identifier: GPL-3.0-or-later
// «Проверить работы группы…» (Ctrl+Shift+O) under a comma locale: a folder of
// students' sheets marked, each row in one standing and the class counted,
// the rows ordered by a column, the report saved in the table's order, a
// double click that opens a student's sheet in the problem window and marks
// it as F3, and a cancelled marking that still lists the whole class; a CSV
// cell a spreadsheet would take for a formula.
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QProcess>
#include <QProgressDialog>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>

#include "WindowDriver.h"
#include "calc/resection.h"
#include "calc/sheet_file.h"
#include "calc/variant.h"
#include "ui/classcheck/ClassCheckCommand.h"
#include "ui/classcheck/ClassCheckWindow.h"
#include "ui/classcheck/ReportPages.h"
#include "ui/marking/CheckList.h"
#include "ui/marking/WorkCheck.h"

using namespace pothenot;
using namespace Qt::StringLiterals;

namespace {

QString save(const QTemporaryDir& dir, const QString& name, const SheetFile& file) {
  QFile out(dir.filePath(name));
  if (out.open(QIODevice::WriteOnly)) out.write(QByteArray::fromStdString(WriteSheetFile(file)));
  return out.fileName();
}

QStringList column(const QTableWidget* table, int column) {
  QStringList texts;
  for (int row = 0; row < table->rowCount(); ++row) texts << table->item(row, column)->text();
  return texts;
}

// Presses `button` of the class window; in the file dialog it opens, goes to
// `folder`, types `name` (a report's, with CSV chosen) and accepts.
void choose(QWidget* window, const QString& button, const QString& folder, const QString& name) {
  QTimer::singleShot(50, window, [folder, name] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    QVERIFY(dialog != nullptr);
    dialog->setDirectory(folder);
    dialog->selectNameFilter(u"Таблица CSV (*.csv)"_s);
    if (!name.isEmpty()) dialog->findChild<QLineEdit*>(u"fileNameEdit"_s)->setText(name);
    static_cast<QDialog*>(dialog)->accept();  // QFileDialog::accept, as its button does
  });
  QTest::mouseClick(window->findChild<QPushButton*>(button), Qt::LeftButton);
}

}  // namespace

class TestClassCheck : public WindowTest {
  Q_OBJECT

 private slots:
  // One sheet of each standing: not read, with an error, another variant's
  // givens, all 29 boxes empty, right.
  void markAFolderOrderItOpenAStudentAndCancelAClass() {
    QTemporaryDir dir;
    SheetFile right{MakeVariant(5), ",", 5u, "Андреева"};
    Calculate(right.sheet, ",");
    SheetFile wrong{right.sheet, ",", 5u, "Борисов"};  // a point desktop's sheet, K1 altered
    UseSeparator(wrong, ".");
    std::string k1 = wrong.sheet.text(Field::EK1);
    k1.back() = k1.back() == '1' ? '2' : '1';
    wrong.sheet.setText(Field::EK1, k1);
    SheetFile other{MakeVariant(13), ",", 12u, "Волков"};  // variant 13 worked for 12
    Calculate(other.sheet, ",");
    save(dir, u"a.pothenot"_s, right);
    save(dir, u"b.pothenot"_s, wrong);
    save(dir, u"c.pothenot"_s, other);
    save(dir, u"0.pothenot"_s, SheetFile{});  // the example, nothing worked
    save(dir, u"note.txt"_s, right);          // not a sheet file by its name
    QFile broken(dir.filePath(u"d.pothenot"_s));
    QVERIFY(broken.open(QIODevice::WriteOnly) && broken.write("{}") == 2 && broken.flush());

    ClassCheckWindow* window = w_->commands().classCheck->window();
    w_->runModal([&] {
      QTest::keyClick(w_->box(Field::EXb), Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
      QVERIFY(window->isVisible());
      choose(window, u"FolderButton"_s, dir.path(), {});

      auto* table = window->findChild<QTableWidget*>(u"Table"_s);
      QCOMPARE(column(table, 0), QStringList({u"d.pothenot"_s, u"Борисов"_s, u"Волков"_s,
                                              u"0.pothenot"_s, u"Андреева"_s}));
      QVERIFY(window->findChild<QLabel*>(u"Summary"_s)
                  ->text()
                  .startsWith(u"Работ: 5. Верно: 1; с ошибками: 1; не закончено: 1; не те исходные "
                              u"данные: 1; не "
                              "прочитано: 1. "_s));

      // By variant: none first, then 5 before 12 (a number, not a text), equal ones as they were.
      QTest::mouseClick(table->horizontalHeader()->viewport(), Qt::LeftButton, {},
                        {table->columnViewportPosition(1) + 5, 5});
      QCOMPARE(column(table, 0), QStringList({u"d.pothenot"_s, u"0.pothenot"_s, u"Борисов"_s,
                                              u"Андреева"_s, u"Волков"_s}));

      // The report as CSV, the kind chosen in the dialog, in the table's order.
      choose(window, u"SaveButton"_s, dir.path(), u"отчёт"_s);
      QFile csv(dir.filePath(u"отчёт.csv"_s));
      QVERIFY(csv.open(QIODevice::ReadOnly));
      QVERIFY(csv.readAll().split('\n').at(3).startsWith("\"b.pothenot\";\"Борисов\";\"5\";"));
      // Saved over: one question, whether to replace it.
      w_->answerNextBox(true);
      w_->answerNextBox(true);
      choose(window, u"SaveButton"_s, dir.path(), u"отчёт.csv"_s);
      QCOMPARE(w_->messages().size(), 1);

      const QRect cell = table->visualItemRect(table->item(2, 0));  // Борисов, as now ordered
      // A double click is a press, a release and the second press.
      QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
      QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
      std::replace(k1.begin(), k1.end(), '.', ',');  // to this desktop's separator
      QCOMPARE(w_->box(Field::EK1)->text(), QString::fromStdString(k1));
      CheckList* list = w_->commands().marking->list();
      QVERIFY(list != nullptr && list->isVisible());
      QVERIFY(list->findChild<QLabel*>(u"Summary"_s)->text().startsWith(u"Первая ошибка — K1"_s));
    });
    QVERIFY(!window->isVisible());  // gone with the problem window

    // «Отмена» in the progress of a class of 60: every file is still a row,
    // the ones not reached «не проверен», in the window, the CSV and the PDF.
    QStringList paths;
    for (int i = 0; i < 60; ++i) paths << save(dir, u"s%1.pothenot"_s.arg(i), right);
    QTimer::singleShot(0, window, [window] {  // the first thing the progress lets through
      auto* progress = window->findChild<QProgressDialog*>();
      QVERIFY(progress != nullptr && progress->isVisible());
      QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
    });
    window->checkFiles(paths);

    const QStringList standings = column(window->findChild<QTableWidget*>(u"Table"_s), 2);
    const qsizetype left = standings.count(u"не проверен"_s);
    QVERIFY2(standings.size() == 60 && left > 0 && left < 60, qPrintable(standings.join(u',')));
    QString summary =
        u"Работ: 60, проверено %1 из 60. Верно: %1; с ошибками: 0; не закончено: "
        "0; не те исходные данные: 0; не прочитано: 0; не проверено: %2."_s;
    summary = summary.arg(60 - left).arg(left);
    QVERIFY(window->findChild<QLabel*>(u"Summary"_s)->text().startsWith(summary));
    QCOMPARE(QString::fromUtf8(classcheck::reportCsv(window->rows())).count(u";\"не проверен\";"_s),
             left);
    choose(window, u"SaveButton"_s, dir.path(), u"отчёт.pdf"_s);
    QProcess text;
    text.start(u"pdftotext"_s, {u"-layout"_s, dir.filePath(u"отчёт.pdf"_s), u"-"_s});
    const QString pages = QString::fromUtf8(text.waitForFinished() ? text.readAll() : "");
    QVERIFY(pages.simplified().contains(summary));
    QCOMPARE(pages.count(u"проверка отменена"_s), left);
  }

  // A cell that starts, after any blanks, with a formula sign, narrow or
  // full-width, is written as text; a name with a sign inside is not touched.
  void aCsvCellAFormulaCouldHideInIsText() {
    const QStringList names{u"=1+1"_s,     u"  =1+1"_s, u"\t-1"_s,          u"\n@A1"_s,
                            u"＝1+1"_s,    u" ＋1"_s,   u"－1"_s,           u"＠A1"_s,
                            u"\u3000=1"_s, u"Ким =1"_s, u" Петров-Водкин"_s};
    std::vector<classcheck::StudentRow> rows(std::size_t(names.size()));
    for (std::size_t i = 0; i < rows.size(); ++i) rows[i].student = names[qsizetype(i)];
    // The student's cell of a guarded name begins with an apostrophe; all but the last two are.
    QCOMPARE(QString::fromUtf8(classcheck::reportCsv(rows)).count(u";\"'"_s), names.size() - 2);
  }

  // The PDF report's title and column headings are black on every page, as
  // on the first; its rows (files not read) are dark red.
  void reportPagesHeadedAlike() {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"r.pdf"_s);
    QCOMPARE(classcheck::writeReport(pdf, std::vector(60, classcheck::markFile(pdf))).status,
             safeFile::Outcome::Written);
    QProcess::execute(u"pdftoppm"_s, {u"-r"_s, u"100"_s, u"-png"_s, u"-l"_s, u"2"_s, pdf,
                                      dir.filePath(u"page"_s)});  // page-1.png, page-2.png
    for (const QString& page : {u"page-1.png"_s, u"page-2.png"_s}) {
      const QImage image(dir.filePath(page));
      int black = 0;  // pixels, not counting those of a rule across the page
      for (int y = 0; y < image.height(); ++y) {
        int row = 0;
        for (int x = 0; x < image.width(); ++x) row += QColor(image.pixel(x, y)).value() < 90;
        black += row < image.width() / 2 ? row : 0;
      }
      QVERIFY2(black > 500, qPrintable(page));
    }
  }
};

POTHENOT_WINDOW_TEST_MAIN(TestClassCheck, "ru_RU.UTF-8")

#include "classcheck_test.moc"
