// SPDX-License-Identifier: GPL-3.0-or-later
// The sheet and the class set on paper, read back from the PDF's text with
// pdftotext: every box text on the right page, the key's answers under the
// right variant, and a file that cannot be written changing nothing.
#include <QFileDialog>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QProgressDialog>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>

#include "WindowDriver.h"
#include "calc/fix_quality.h"
#include "calc/resection.h"
#include "calc/variant.h"
#include "calc/work_check.h"
#include "ui/methods/MethodsCommand.h"
#include "ui/methods/MethodsWindow.h"
#include "ui/paper/PaperCommands.h"
#include "ui/paper/SheetPrint.h"
#include "ui/paper/VariantBook.h"

using pothenot::Field;
namespace paper = pothenot::paper;
using Outcome = paper::Outcome;
using namespace Qt::StringLiterals;

class TestPaper : public WindowTest {
  Q_OBJECT

  QTemporaryDir dir_;

  QString path(const QString& name) const { return dir_.filePath(name); }
  // The text of page `page` (from 1), line by line as it stands on the page;
  // or the page as a picture.
  static QString Page(const QString& pdf, int page, bool picture = false) {
    QStringList args{u"-f"_s, QString::number(page), u"-l"_s, QString::number(page)};
    QProcess run;
    args << (picture ? QStringList{u"-png"_s, pdf} : QStringList{u"-layout"_s, pdf, u"-"_s});
    run.start(picture ? u"pdftoppm"_s : u"pdftotext"_s, args);  // the page to standard output
    if (!run.waitForFinished(30000) || run.exitCode() != 0) return {};
    return picture ? QString::fromLatin1(run.readAllStandardOutput().toBase64())
                   : QString::fromUtf8(run.readAllStandardOutput());
  }
  static QStringList Words(const QString& pdf, int page) {
    return Page(pdf, page).split(QRegularExpression(u"\\s+"_s));
  }
  static bool Given(Field f) { return pothenot::Info(f).role != pothenot::Role::Result; }
  static QString Text(const pothenot::TWorksheet& s, Field f) { return s.text(f).data(); }
  static QString Metres(double v) { return QString::number(v, 'f', 3).replace(u'.', Separator()); }
  static QString Separator() { return QString::fromStdString(TForm2::decimalSeparator()); }
  pothenot::PaperCommands* commands() { return w_->commands().paper; }
  const pothenot::DrawingCommand& drawing() { return *w_->commands().drawing; }
  // Writes the sheet, headed by its title, to the PDF file `to`.
  Outcome save(const QString& to, const pothenot::MethodsCommand* methods = nullptr) {
    return paper::writeSheetPdf(w_->form(), drawing(), to, commands()->sheetTitle(), methods);
  }
  // Presses `keys` on the problem window and accepts the dialog they bring
  // up once `fill` set it.
  void answer(QKeyCombination keys, const std::function<void(QWidget*)>& fill) {
    QTimer::singleShot(0, this, [fill] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      QVERIFY(dialog != nullptr);
      fill(dialog), dialog->accept();
    });
    QApplication::setActiveWindow(&w_->form());
    QTest::keyClick(&w_->form(), keys.key(), keys.keyboardModifiers());
  }

 private slots:

  // Ctrl+N puts a variant on a calculated sheet: its givens, the results
  // empty. Calculated and saved, page 1 carries all 48 box texts and the
  // variant's number and none of the buttons, page 2 the exact station; a
  // printer at its own resolution gets the same words. The box being typed in
  // keeps its focus and selection, which do not reach the paper. A given typed
  // over ends the variant, and one that is not a number leaves page 2 with the
  // reason alone.
  void variantSheetOnPaper() {
    w_->click("BitBtn1");
    answer(Qt::ControlModifier | Qt::Key_N,
           [](QWidget* dialog) { dialog->findChild<QSpinBox*>(u"Number"_s)->setValue(4242); });
    const pothenot::TWorksheet variant = pothenot::MakeVariant(4242);
    for (std::size_t i = 0; i < pothenot::kFieldCount; ++i)
      QCOMPARE(w_->box(Field(i))->text(), Given(Field(i)) ? Text(variant, Field(i)) : QString());

    w_->click("BitBtn1");
    const QString pdf = path(u"sheet.pdf"_s), printed = path(u"printed.pdf"_s);
    QLineEdit* typing = w_->box(Field::EXb);
    QApplication::setActiveWindow(&w_->form());
    typing->setFocus(), typing->setSelection(5, -3);
    QCOMPARE(save(pdf).status, Outcome::Written);
    QVERIFY(typing->hasFocus() && typing->selectionStart() == 2 && typing->cursorPosition() == 2);
    typing->clearFocus();
    QCOMPARE(save(printed).status, Outcome::Written);
    QVERIFY(!Page(pdf, 1, true).isEmpty() && Page(pdf, 1, true) == Page(printed, 1, true));
    const QStringList page1 = Words(pdf, 1), texts = w_->texts() << u"4242"_s;
    for (const QString& text : texts) QVERIFY2(page1.contains(text), qPrintable(text));
    for (const char* button : {"BitBtn1", "BitBtn2", "BitBtn3"})
      QVERIFY(!page1.contains(w_->button(button)->text().remove(u'&')));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFileName(printed);  // as PDF, by the name
    QPainter painter(&printer);
    paper::paintSheet(painter, printer, w_->form(), drawing(), commands()->sheetTitle());
    painter.end();
    for (int page : {1, 2}) QCOMPARE(Words(printed, page), Words(pdf, page));

    w_->type(Field::EXb, u"x"_s);
    QCOMPARE(commands()->sheetTitle(), QString());
    QCOMPARE(save(pdf).status, Outcome::Written);
    QVERIFY(Words(pdf, 2).contains(u"нельзя."_s));
  }

  // While «Способы решения» is open (F4) the sheet has a page 3 with what the
  // window shows; once it is closed, the sheet has two pages again.
  void methodsPageWhileTheirWindowIsOpen() {
    const QString pdf = path(u"methods.pdf"_s);
    const pothenot::MethodsCommand* methods = w_->commands().methods;
    QTest::keyClick(&w_->form(), Qt::Key_F4);
    QCoreApplication::processEvents();
    QCOMPARE(save(pdf, methods).status, Outcome::Written);
    const QStringList page3 = Words(pdf, 3);
    for (const QString& word : methods->window()->text().split(QRegularExpression(u"\\s+"_s)))
      QVERIFY2(page3.contains(word), qPrintable(word));
    QTest::keyClick(methods->window(), Qt::Key_F4);
    QCOMPARE(save(pdf, methods).status, Outcome::Written);
    QVERIFY(Page(pdf, 3).isEmpty() && !Page(pdf, 2).isEmpty());
  }

  // Page 2 is worked from the sheet when it is saved, also after the drawing
  // was hidden. A file that is there is replaced only if the user agrees,
  // whatever name it was completed to: by Ctrl+E, and by the class set's OK,
  // which stays open on "no".
  void savedAsTheSheetStandsAskedFirstOrNotAtAll() {
    for (int press = 0; press < 2; ++press) QTest::keyClick(&w_->form(), Qt::Key_F2);
    w_->type(Field::EXb, u"10991,83"_s, true);
    w_->click("BitBtn1");
    const auto saveAs = [&](const QString& name) {  // returns what report.pdf then holds
      answer(Qt::ControlModifier | Qt::Key_E,
             [&](QWidget* dialog) { static_cast<QFileDialog*>(dialog)->selectFile(path(name)); });
      return fileBytes(path(u"report.pdf"_s));
    };
    const QByteArray saved = saveAs(u"report.pdf"_s);
    const double Xp = pothenot::AssessFix(w_->form().worksheet(), ",", 5).Xp;
    QVERIFY(Words(path(u"report.pdf"_s), 2).contains(Metres(Xp)) && w_->messages().isEmpty());
    w_->answerNextBox(false);
    QCOMPARE(saveAs(u"report"_s), saved);
    QVERIFY(w_->messages().size() == 1 && w_->messages()[0].text.contains(u"report.pdf»"_s));
    w_->answerNextBox(false);
    answer(Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_N, [this](QWidget* dialog) {
      auto* file = dialog->findChild<QLineEdit*>(u"File"_s);
      file->setText(path(u"report"_s)), static_cast<QDialog*>(dialog)->accept();
      QVERIFY(dialog->isVisible() && w_->messages().size() == 2);
      file->setText(path(u"new"_s));  // then OK writes it
    });
    QVERIFY(QFileInfo::exists(path(u"new.pdf"_s)));

    // A folder that is a regular file cannot be written into, not even by
    // root: a message naming the file.
    QVERIFY(QFile(path(u"blocker"_s)).open(QIODevice::WriteOnly));
    const auto outcome = save(path(u"blocker/sheet.pdf"_s));
    QCOMPARE(outcome.status, Outcome::Failed);
    QVERIFY(outcome.message.contains(QDir::toNativeSeparators(path(u"blocker/sheet.pdf"_s))));
  }

  // A class set by Ctrl+Shift+N, cancelled during its last variant, leaves the
  // file that was there as it was and is offered again. Written: variant n's givens (not its
  // station) on page n; in the key every result text of Calculate in the
  // order of writing, as the list window has them, the exact station, M and
  // δε never "-0,0" under the right variant; sheets and key with the
  // desktop's separator (run on a point desktop too).
  void classSetAndKey() {
    constexpr std::uint32_t kFirst = 985, kCount = 4;  // 985: δε = -0,01″, "-0,0″" once
    QString title;  // of the progress window, cancelled during the last variant
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] {
      auto* progress = w_->form().findChild<QProgressDialog*>();
      if (progress && progress->value() == kCount)
        title = progress->windowTitle(), progress->cancel();
    });
    const QString pdf = path(u"class.pdf"_s);
    QVERIFY(QFile(pdf).open(QIODevice::WriteOnly));  // empty
    for (bool again : {false, true}) {
      again ? watch.stop() : watch.start(0);
      w_->answerNextBox(true);  // replace it
      answer(Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_N, [&](QWidget* dialog) {
        auto* first = dialog->findChild<QSpinBox*>(u"First"_s);
        if (again) QCOMPARE(first->value(), int(kFirst));
        first->setValue(kFirst);
        dialog->findChild<QSpinBox*>(u"Count"_s)->setValue(kCount);
        dialog->findChild<QLineEdit*>(u"File"_s)->setText(path(u"class"_s));  // ".pdf" is added
      });
      QVERIFY(QFileInfo::exists(pdf) && (QFileInfo(pdf).size() > 0) == again);
    }
    QCOMPARE(title, u"Варианты для группы"_s);

    const QStringList key = Page(pdf, kCount + 1).split(u'\n');
    for (std::uint32_t number = kFirst; number < kFirst + kCount; ++number) {
      const pothenot::TWorksheet variant = pothenot::MakeVariant(number);
      pothenot::TWorksheet worked = variant;
      paper::fillVariant(worked, variant);
      pothenot::Calculate(worked, TForm2::decimalSeparator());
      const QStringList page = Words(pdf, int(number - kFirst) + 1);
      for (std::size_t f = 0; f < pothenot::kFieldCount; ++f)
        QVERIFY(!Given(Field(f)) || page.contains(Text(worked, Field(f))));
      QVERIFY(!page.contains(Text(worked, Field::EXp)) && !page.contains(Text(worked, Field::EYp)));
      // Its block in the key, read down its columns one after another.
      auto line = key.indexOf(QRegularExpression(u"\\s*Вариант %1\\s*"_s.arg(number)));
      QList<QStringList> rows;
      while (line >= 0 && ++line < key.size() && !key[line].contains(u"Станция"_s))
        rows << key[line].split(u' ', Qt::SkipEmptyParts).filter(QRegularExpression(u"^-?\\d"_s));
      QStringList read, written;
      for (int column = 0; column < 3; ++column)
        for (const QStringList& row : rows) read << row.mid(column, 1);
      for (const auto& box : pothenot::CheckWork(worked, TForm2::decimalSeparator()))
        written << Text(worked, box.field);
      QCOMPARE(read, written);
      const QString judged = key.mid(line, 2).join(u' ');
      const auto fix = pothenot::AssessFix(variant, ",", 5);
      QVERIFY(judged.contains(Metres(fix.Yp)) && judged.contains(Metres(fix.stationError)));
      QVERIFY(!judged.contains(u"-0"_s + Separator() + u"0″"_s) &&
              (number != kFirst || fix.controlDiscrepancy > -0.05));
    }
  }
};

POTHENOT_WINDOW_TEST_MAIN(TestPaper, "ru_RU.UTF-8")

#include "paper_test.moc"
