// SPDX-License-Identifier: GPL-3.0-or-later
// Sheet files as a student meets them, on a desktop with a decimal point: the
// question about unsaved changes exactly when a sheet with a file is set aside
// changed, a refused file that changes nothing, a dropped file, every box's
// text kept to the byte, a comma sheet that calculates the same here, and the
// class set's files.
#include <QCheckBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>

#include "WindowDriver.h"
#include "calc/resection.h"
#include "calc/sheet_file.h"
#include "calc/variant.h"
#include "ui/document/SheetDocument.h"
#include "ui/files/FileCommands.h"
#include "ui/paper/PaperCommands.h"

using namespace pothenot;
using namespace Qt::StringLiterals;

class TestFiles : public WindowTest {
  Q_OBJECT

  QTemporaryDir dir_;
  QTimer poll_;
  QList<std::function<void(QDialog*)>> answers_;  // for the dialogs to come, in turn
  QPointer<QDialog> answered_;
  QStringList asked_;  // the text of every message box answered

  QString path(const QString& name) const { return dir_.filePath(name); }
  FileCommands& files() { return *w_->commands().files; }
  void then(const std::function<void(QDialog*)>& fill) { answers_ << fill; }
  void press(const QString& text) {
    then([text](QDialog* box) {
      for (auto* button : box->findChildren<QAbstractButton*>())
        if (button->text() == text) return button->click();
      box->reject();
    });
  }
  void saveAs(const QString& student, const QString& file,
              QKeyCombination key = Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_S) {
    then([student](QDialog* d) { d->findChild<QLineEdit*>()->setText(student), d->accept(); });
    then([file](QDialog* d) { static_cast<QFileDialog*>(d)->selectFile(file), d->accept(); });
    keys(key);
  }
  void keys(QKeyCombination keys) {
    QApplication::setActiveWindow(&w_->form());
    QTest::keyClick(&w_->form(), keys.key(), keys.keyboardModifiers());
  }
  QByteArray bytes(const QString& name) { return fileBytes(path(name)); }
  void write(const QString& name, const std::string& bytes) {
    QFile file(path(name));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes.data(), qint64(bytes.size())));
  }

 private slots:
  void initTestCase() {
    connect(&poll_, &QTimer::timeout, this, [this] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (dialog != answered_) answered_ = nullptr;
      if (dialog == nullptr || dialog == answered_ || answers_.isEmpty()) return;
      if (auto* box = qobject_cast<QMessageBox*>(answered_ = dialog)) asked_ << box->text();
      answers_.takeFirst()(dialog);
    });
    poll_.start(5);
  }

  // A sheet saved (the student named) and opened again unchanged closes
  // without a question (one that never had a file does too: the problem
  // window's own tests close such sheets). Changed, it asks on
  // «Выход», the frame's close box, the start window's closing and before
  // another sheet opens. «Отмена» keeps the window and every text, «Не
  // сохранять» closes and leaves the file as it was (and is not asked again),
  // «Сохранить» writes the change first. «Не сохранять» drops the change: the
  // sheet is its file's again. The title names the file, marked while changed.
  void theQuestionExactlyWhenASheetWithAFileChanged() {
    QWidget start;
    files().guardClose(&start);
    start.show();
    saveAs(u"Петров П. П."_s, path(u"лист"_s));
    QVERIFY(bytes(u"лист.pothenot"_s).contains("Петров П. П."));
    QVERIFY(files().openSheet(path(u"лист.pothenot"_s)));
    const QStringList opened = w_->texts();
    w_->click("BitBtn2");
    QVERIFY(!w_->form().isVisible() && asked_.isEmpty());

    w_->form().show();
    w_->type(Field::EXb, u"7"_s);
    QCOMPARE(w_->form().windowTitle(), u"Задача — лист.pothenot[*]"_s);
    const QStringList changed = w_->texts();
    const QByteArray saved = bytes(u"лист.pothenot"_s);
    for (int i = 0; i < 3; ++i) press(u"Отмена"_s);
    w_->click("BitBtn2");
    QVERIFY(w_->form().isVisible() && !start.close());
    write(u"другой.pothenot"_s, R"({"format": "pothenot-sheet", "version": 1, "fields": {}})");
    QVERIFY(!files().openSheet(path(u"другой.pothenot"_s)));
    QCOMPARE(asked_, QStringList(3, u"Сохранить изменения в листе «лист.pothenot»?"_s));
    QVERIFY(w_->texts() == changed && w_->form().isVisible() && w_->form().isWindowModified());

    press(u"Не сохранять"_s);
    QVERIFY(w_->form().close() && start.close() && asked_.size() == 4);
    QVERIFY(bytes(u"лист.pothenot"_s) == saved && w_->texts() == opened);
    w_->form().show();
    w_->type(Field::EYb, u"5"_s);
    press(u"Сохранить"_s);
    QVERIFY(files().openSheet(path(u"другой.pothenot"_s)) && asked_.size() == 5);
    const auto kept = ReadSheetFile(bytes(u"лист.pothenot"_s).toStdString());
    QCOMPARE(QString::fromStdString(kept.sheet.text(Field::EYb)), changed[int(Field::EYb)] + "5");
    QCOMPARE(w_->texts(), QStringList(48, QString()));
  }

  // A new variant is a new sheet: asked about the changes of the one it
  // replaces, then without a file, so Ctrl+S asks for a name and leaves the
  // old file alone. A file that another program wrote after the sheet was
  // opened or saved is not written over unasked; one removed is written again.
  void newVariantAndAFileChangedElsewhere() {
    asked_.clear();
    saveAs(u"Иванов И. И."_s, path(u"иванов"_s));
    w_->type(Field::EXb, u"1"_s);
    then([](QDialog* d) { d->findChild<QSpinBox*>(u"Number"_s)->setValue(5), d->accept(); });
    press(u"Не сохранять"_s);
    keys(Qt::ControlModifier | Qt::Key_N);
    QVERIFY(asked_.size() == 1 && w_->form().windowTitle() == u"Задача"_s);
    saveAs(QString(), path(u"5"_s), Qt::ControlModifier | Qt::Key_S);  // asked as a new sheet
    write(u"5.pothenot"_s, "другая программа");
    press(u"Отмена"_s);
    keys(Qt::ControlModifier | Qt::Key_S);
    QCOMPARE(bytes(u"5.pothenot"_s), "другая программа");
    QCOMPARE(asked_.last(),
             u"Файл «5.pothenot» изменён другой программой после того, как лист "
             u"был открыт или сохранён. Заменить его?"_s);
    press(u"Заменить"_s);
    keys(Qt::ControlModifier | Qt::Key_S);
    const QByteArray ours = bytes(u"5.pothenot"_s);
    QCOMPARE(ReadSheetFile(ours.toStdString()).variant, 5u);
    QVERIFY(QFile::remove(path(u"5.pothenot"_s)));
    keys(Qt::ControlModifier | Qt::Key_S);
    QVERIFY(asked_.size() == 3 && bytes(u"5.pothenot"_s) == ours);
  }

  // A file far too large or not there is refused in one message that names
  // it, and the sheet stays as it was (one that is no sheet takes the same
  // path: the command line's tests refuse it). Every box holding
  // odd Unicode is saved and, dropped back on a box, comes back to the byte,
  // without the file's path typed into the box.
  void refusedDroppedAndKeptToTheByte() {
    write(u"большой.pothenot"_s, std::string(kSheetFileMaxBytes + 1, ' '));
    const QStringList before = w_->texts();
    for (const QString& name : {u"большой.pothenot"_s, u"нет.pothenot"_s}) {
      then([](QDialog* box) { box->accept(); });
      QVERIFY(!files().openSheet(path(name)));
      QVERIFY2(asked_.last().startsWith(u"Файл «%1» не прочитан: "_s.arg(name)),
               qPrintable(asked_.last()));
      QVERIFY(w_->texts() == before && w_->commands().document->path().isEmpty());
    }

    for (std::size_t i = 0; i < kFieldCount; ++i)
      if (Info(Field(i)).role != Role::Mirror)
        w_->box(Field(i))->setText(u"\u00a0-35,4\t🧭е\u0301\u05e9 \"\\ %1 «"_s.arg(i));
    const QStringList typed = w_->texts();
    saveAs(QString(), path(u"юникод.pothenot"_s));
    w_->click("BitBtn3");
    saveAs(QString(), path(u"пустой.pothenot"_s));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path(u"юникод.pothenot"_s))});
    data.setText(path(u"юникод.pothenot"_s));
    QDragEnterEvent enter({5, 5}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QDropEvent drop({5, 5}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w_->box(Field::EXb), &enter);
    QCoreApplication::sendEvent(w_->box(Field::EXb), &drop);
    QVERIFY(enter.isAccepted() && drop.isAccepted());
    QTRY_COMPARE(w_->texts(), typed);
  }

  // A sheet saved with a decimal comma opens here, with a point, and
  // calculates to the texts it gives there, the separator swapped. Its
  // variant and its student head the printed sheet, and it is saved again with them.
  void commaSheetHereWithItsVariant() {
    SheetFile there{MakeVariant(4242), ",", 4242u, "Сидорова"};
    write(u"запятая.pothenot"_s, WriteSheetFile(there));
    QVERIFY(files().openSheet(path(u"запятая.pothenot"_s)));
    w_->click("BitBtn1");
    Calculate(there.sheet, ",");
    for (std::size_t i = 0; i < kFieldCount; ++i)
      QCOMPARE(w_->box(Field(i))->text(),
               QString::fromStdString(there.sheet.text(Field(i))).replace(u',', u'.'));
    QCOMPARE(w_->commands().paper->sheetTitle(), u"Вариант 4242 — Сидорова"_s);
    keys(Qt::ControlModifier | Qt::Key_S);
    auto again = ReadSheetFile(bytes(u"запятая.pothenot"_s).toStdString());
    QVERIFY(again.variant == 4242u && again.decimalSeparator == "." && again.student == "Сидорова");
  }

  // The class set writes a sheet file per variant, named so that they sort,
  // each the variant's givens with a comma and its number; the files already
  // there are asked about once.
  void classSetSheetFiles() {
    asked_.clear();
    write(u"Вариант 09.pothenot"_s, "x"), write(u"Вариант 10.pothenot"_s, "y");
    then([this](QDialog* dialog) {
      dialog->findChild<QSpinBox*>(u"First"_s)->setValue(8);
      dialog->findChild<QSpinBox*>(u"Count"_s)->setValue(3);
      dialog->findChild<QLineEdit*>(u"File"_s)->setText(path(u"группа"_s));
      dialog->findChild<QCheckBox*>(u"Files"_s)->setChecked(true);
      dialog->findChild<QLineEdit*>(u"Folder"_s)->setText(dir_.path());
      QTimer::singleShot(0, dialog, &QDialog::accept);  // its question is answered by the poll
    });
    press(u"Заменить"_s);
    keys(Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_N);
    QVERIFY(asked_.size() == 1 && asked_[0].contains(u"(2: «Вариант 09.pothenot» и другие)"_s));
    for (std::uint32_t n : {8u, 9u, 10u})  // the givens alone: MakeVariant's results are empty
      QCOMPARE(bytes(u"Вариант %1.pothenot"_s.arg(n, 2, 10, QChar(u'0'))).toStdString(),
               WriteSheetFile({MakeVariant(n), ",", n, {}}));
  }
};

POTHENOT_WINDOW_TEST_MAIN(TestFiles, "C.UTF-8")

#include "files_test.moc"
