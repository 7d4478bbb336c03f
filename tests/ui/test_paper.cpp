// The sheet and the class set on paper, read back from the PDF's text with
// pdftotext: every box text on the right page, the key's answers under the
// right variant, and a file that cannot be written changing nothing.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

#include "WindowDriver.h"
#include "calc/fix_quality.h"
#include "calc/resection.h"
#include "calc/variant.h"
#include "ui/Application.h"
#include "ui/PaperCommands.h"
#include "ui/SheetPrint.h"
#include "ui/VariantBook.h"
#include "ui/VariantDialog.h"

using pothenot::Field;
using pothenot::Role;
using namespace Qt::StringLiterals;

namespace {

// The words of one page (from 1), or of pages `page` to the last when `toEnd`,
// line by line as they stand on the page.
QStringList Words(const QString& pdf, int page, bool toEnd = false) {
  QProcess run;
  QStringList args{u"-layout"_s, u"-f"_s, QString::number(page)};
  if (!toEnd) args << u"-l"_s << QString::number(page);
  run.start(u"pdftotext"_s, args << pdf << u"-"_s);
  if (!run.waitForFinished(30000) || run.exitCode() != 0) return {};
  return QString::fromUtf8(run.readAllStandardOutput()).split(QRegularExpression(u"\\s+"_s));
}

QString Text(const pothenot::TWorksheet& sheet, Field field) {
  return QString::fromUtf8(sheet.text(field));
}

QByteArray Contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

}  // namespace

class TestPaper : public QObject {
  Q_OBJECT

  std::unique_ptr<WindowDriver> w_;
  QTemporaryDir dir_;

  QString path(const QString& name) const { return dir_.filePath(name); }
  TPaperCommands* commands() { return w_->form().findChild<TPaperCommands*>(); }

 private slots:
  void init() { w_ = std::make_unique<WindowDriver>(); }
  void cleanup() { w_.reset(); }

  // Ctrl+N puts a variant on a calculated sheet: its givens, the mirrors
  // following, the results empty. Calculated and saved, page 1 carries all 48
  // box texts and the variant's number, page 2 the exact station.
  void variantSheetOnPaper() {
    w_->click("BitBtn1");
    QTimer::singleShot(0, this, [] {
      auto* dialog = qobject_cast<TVariantDialog*>(QApplication::activeModalWidget());
      QVERIFY(dialog != nullptr);
      dialog->findChild<QSpinBox*>(u"Number"_s)->setValue(4242);
      dialog->accept();
    });
    QTest::keyClick(&w_->form(), Qt::Key_N, Qt::ControlModifier);

    const pothenot::TWorksheet variant = pothenot::MakeVariant(4242);
    for (std::size_t i = 0; i < pothenot::kFieldCount; ++i) {
      const auto field = static_cast<Field>(i);
      const auto role = pothenot::Info(field).role;
      QCOMPARE(w_->box(field)->text(), role == Role::Result ? QString() : Text(variant, field));
    }
    QCOMPARE(commands()->VariantTitle(), u"Вариант 4242"_s);

    w_->click("BitBtn1");
    QVERIFY(w_->messages().isEmpty());
    const QString pdf = path(u"sheet.pdf"_s);
    QCOMPARE(TSheetPrint::WritePdf(w_->form(), pdf, commands()->VariantTitle()).status,
             TPaperPage::Outcome::Written);
    const QStringList page1 = Words(pdf, 1);
    QVERIFY(page1.contains(u"4242"_s));
    for (std::size_t i = 0; i < pothenot::kFieldCount; ++i) {
      const QString text = w_->box(static_cast<Field>(i))->text();
      QVERIFY2(page1.contains(text), qPrintable(text));
    }
    const auto fix = pothenot::AssessFix(w_->form().worksheet(), ",", 5);
    QVERIFY(Words(pdf, 2).contains(QString::number(fix.Xp, 'f', 3).replace(u'.', u',')));

    // A printer, at its own resolution, gets the same words on its pages.
    const QString printed = path(u"printed.pdf"_s);
    {
      QPrinter printer(QPrinter::HighResolution);
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(printed);
      printer.setPageLayout(TPaperPage::Layout());
      QPainter painter(&printer);
      TSheetPrint::Paint(painter, printer, w_->form(), commands()->VariantTitle());
    }
    for (int page : {1, 2}) {
      QStringList onPaper = Words(printed, page), inFile = Words(pdf, page);
      onPaper.sort();
      inFile.sort();
      QCOMPARE(onPaper, inFile);
    }

    // A given typed over: the sheet is no longer the variant, and one that is
    // not a number leaves page 2 with the reason alone.
    w_->type(Field::EXb, u"x"_s);
    QCOMPARE(commands()->VariantTitle(), QString());
    QCOMPARE(TSheetPrint::WritePdf(w_->form(), pdf, {}).status, TPaperPage::Outcome::Written);
    QVERIFY(Words(pdf, 2).contains(u"нельзя."_s));
  }

  // A folder that is a regular file cannot be written into, not even by root:
  // a clear message and nothing else. A cancelled class set leaves the file
  // that was there.
  void unwritableAndCancelledChangeNothing() {
    QFile blocker(path(u"blocker"_s));
    QVERIFY(blocker.open(QIODevice::WriteOnly) && blocker.write("x") == 1);
    blocker.close();
    const QStringList before = w_->texts(true);
    const QString target = path(u"blocker/sheet.pdf"_s);
    const auto outcome = TSheetPrint::WritePdf(w_->form(), target, {});
    QCOMPARE(outcome.status, TPaperPage::Outcome::Failed);
    QVERIFY2(outcome.message.contains(QDir::toNativeSeparators(target)),
             qPrintable(outcome.message));
    QCOMPARE(w_->texts(true), before);
    QCOMPARE(Contents(path(u"blocker"_s)), QByteArray("x"));

    const QString kept = path(u"kept.pdf"_s);
    QFile old(kept);
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
    old.close();
    int calls = 0;
    const auto cancelled =
        TVariantBook::WritePdf(7, 5, kept, [&](int done) { return ++calls, done < 2; });
    QCOMPARE(cancelled.status, TPaperPage::Outcome::Cancelled);
    QCOMPARE(calls, 2);
    QCOMPARE(Contents(kept), QByteArray("old"));
  }

  // A class set asked for with Ctrl+Shift+N: variant n's givens (and none of
  // its answers) on page n, then the key with every result text of Calculate
  // under the right variant.
  void classSetAndKey() {
    const QString pdf = path(u"class"_s) + u".pdf"_s;
    constexpr std::uint32_t kFirst = 998;
    constexpr int kCount = 4;
    QTimer::singleShot(0, this, [this] {
      auto* dialog = QApplication::activeModalWidget();
      QVERIFY(dialog != nullptr);
      dialog->findChild<QSpinBox*>(u"First"_s)->setValue(kFirst);
      dialog->findChild<QSpinBox*>(u"Count"_s)->setValue(kCount);
      dialog->findChild<QLineEdit*>(u"File"_s)->setText(path(u"class"_s));  // ".pdf" is added
      qobject_cast<QDialog*>(dialog)->accept();
    });
    QTest::keyClick(&w_->form(), Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(w_->messages().isEmpty());

    const QStringList key = Words(pdf, kCount + 1, true);
    for (int i = 0; i < kCount; ++i) {
      const std::uint32_t number = kFirst + static_cast<std::uint32_t>(i);
      const pothenot::TWorksheet variant = pothenot::MakeVariant(number);
      pothenot::TWorksheet worked = variant;
      pothenot::Calculate(worked, ",");

      const QStringList page = Words(pdf, i + 1);
      QVERIFY(page.contains(QString::number(number)));
      // The key's block of this variant: from its heading to the next one.
      const qsizetype from = key.indexOf(QString::number(number));
      QVERIFY(from > 0 && key[from - 1] == u"Вариант"_s);
      const qsizetype next = key.indexOf(u"Вариант"_s, from);
      const QStringList block = key.mid(from, next < 0 ? -1 : next - from);

      for (std::size_t f = 0; f < pothenot::kFieldCount; ++f) {
        const auto field = static_cast<Field>(f);
        const QString given = Text(variant, field);
        const QString result = Text(worked, field);
        if (pothenot::Info(field).role == Role::Result) {
          QVERIFY2(block.contains(result), qPrintable(result));
          if (field == Field::EXp || field == Field::EYp) QVERIFY(!page.contains(result));
        } else {
          QVERIFY2(page.contains(given), qPrintable(given));
        }
      }
      const auto fix = pothenot::AssessFix(variant, ",", 5);
      QVERIFY(block.contains(QString::number(fix.Yp, 'f', 3).replace(u'.', u',')));
      QVERIFY(block.contains(QString::number(fix.stationError, 'f', 3).replace(u'.', u',')));
    }
  }
};

int main(int argc, char** argv) {
  // The worksheet's separator is the desktop's: the variants are written with a comma.
  qputenv("LC_ALL", "ru_RU.UTF-8");
  TApplication app(argc, argv);
  app.setTitle(u"Задача Потенота"_s);
  TestPaper test;
  return QTest::qExec(&test, argc, argv);
}

#include "test_paper.moc"
