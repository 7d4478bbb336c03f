// SPDX-License-Identifier: GPL-3.0-or-later
// «Проверить работы группы…» (Ctrl+Shift+O) under a comma locale: a folder of
// students' sheets marked, the rows with errors first, and a double click
// that opens a student's sheet in the problem window and marks it as F3.
#include <QFileDialog>
#include <QLabel>
#include <QProcess>
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

class TestClassCheck : public WindowTest {
  Q_OBJECT

 private slots:
  void markAFolderAndOpenAStudent() {
    QTemporaryDir dir;
    const auto save = [&](const QString& name, const SheetFile& file) {
      QFile out(dir.filePath(name));
      QVERIFY(out.open(QIODevice::WriteOnly));
      out.write(QByteArray::fromStdString(WriteSheetFile(file)));
    };
    SheetFile right{MakeVariant(5), ",", 5u, "Андреева"};
    Calculate(right.sheet, ",");
    SheetFile wrong = right;  // a point desktop's sheet, K1 altered
    wrong.student = "Борисов";
    UseSeparator(wrong, ".");
    std::string k1 = wrong.sheet.text(Field::EK1);
    k1.back() = k1.back() == '1' ? '2' : '1';
    wrong.sheet.setText(Field::EK1, k1);
    save(u"a.pothenot"_s, right);
    save(u"b.pothenot"_s, wrong);
    save(u"0.pothenot"_s, SheetFile{});  // the example, nothing worked
    save(u"note.txt"_s, right);          // not a sheet file by its name

    w_->runModal([&] {
      QTest::keyClick(w_->box(Field::EXb), Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
      ClassCheckWindow* window = w_->commands().classCheck->window();
      QVERIFY(window->isVisible());
      QTimer::singleShot(50, window, [&] {
        auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(chooser != nullptr);
        chooser->setDirectory(dir.path());
        static_cast<QDialog*>(chooser)->accept();  // QFileDialog::accept, as its button does
      });
      QTest::mouseClick(window->findChild<QPushButton*>(u"FolderButton"_s), Qt::LeftButton);

      auto* table = window->findChild<QTableWidget*>(u"Table"_s);
      QCOMPARE(table->rowCount(), 3);
      QStringList order;
      for (int row = 0; row < 3; ++row) order << table->item(row, 0)->text();
      QCOMPARE(order, QStringList({u"Борисов"_s, u"0.pothenot"_s, u"Андреева"_s}));
      QVERIFY(table->item(0, 7)->text().startsWith(u"первая ошибка — K1: у вас "_s));
      QCOMPARE(table->item(2, 7)->text(), u"все вычисления верны"_s);

      // «Сохранить отчёт…» as CSV, the kind chosen in the dialog: the rows in the table's order.
      QTimer::singleShot(50, window, [&] {
        auto* saver = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(saver != nullptr);
        saver->selectNameFilter(u"Таблица CSV (*.csv)"_s);
        saver->selectFile(dir.filePath(u"отчёт"_s));
        static_cast<QDialog*>(saver)->accept();
      });
      QTest::mouseClick(window->findChild<QPushButton*>(u"SaveButton"_s), Qt::LeftButton);
      QFile csv(dir.filePath(u"отчёт.csv"_s));
      QVERIFY(csv.open(QIODevice::ReadOnly));
      QVERIFY(csv.readAll().split('\n').at(1).startsWith("\"b.pothenot\";\"Борисов\""));

      const QRect cell = table->visualItemRect(table->item(0, 0));
      // A double click is a press, a release and the second press.
      QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
      QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
      std::replace(k1.begin(), k1.end(), '.', ',');  // to this desktop's separator
      QCOMPARE(w_->box(Field::EK1)->text(), QString::fromStdString(k1));
      CheckList* list = w_->commands().marking->list();
      QVERIFY(list != nullptr && list->isVisible());
      QVERIFY(list->findChild<QLabel*>(u"Summary"_s)->text().startsWith(u"Первая ошибка — K1"_s));
    });
    QVERIFY(!w_->commands().classCheck->window()->isVisible());  // gone with the problem window
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
