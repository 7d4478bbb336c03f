// The problem window under a desktop locale whose decimal separator is a
// point: Calculate takes the user's separator, not the example's comma.
#include <QLocale>
#include <QTest>
#include <memory>

#include "MessageCatcher.h"
#include "WindowDriver.h"
#include "calc/fields.h"
#include "ui/Application.h"

using pothenot::Field;

class TestZadahaPointLocale : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<WindowDriver> w_;

 private slots:
  void initTestCase() { QCOMPARE(QLocale::system().decimalPoint(), QStringLiteral(".")); }
  void init() { w_ = std::make_unique<WindowDriver>(); }
  void cleanup() { w_.reset(); }

  // The example's first number with a comma is Xb: Calculate stops there,
  // before it writes anything.
  void commaExampleStopsAtXbAndChangesNothing() {
    const QStringList before = w_->texts();
    MessageCatcher catcher;
    w_->click("BitBtn1");
    QCOMPARE(catcher.messages().size(), 1);
    const QString text = catcher.messages().front().text;
    QVERIFY2(text.contains(QString::fromUtf8(pothenot::Info(Field::EXb).quantity)),
             qPrintable(text));
    QVERIFY2(text.contains(w_->box(Field::EXb)->text()), qPrintable(text));
    QCOMPARE(w_->texts(), before);
    QCOMPARE(w_->fieldTexts(), before);
  }

  void pointGivensCalculateAndResultsUsePoints() {
    for (const auto& info : pothenot::Fields()) {
      const QString text = QString::fromUtf8(info.defaultText);
      if (info.role == pothenot::Role::Given && text.contains(',')) {
        w_->retype(*pothenot::FieldByName(info.name), QString(text).replace(',', '.'));
      }
    }
    QCOMPARE(w_->box(Field::EXaa)->text(), QStringLiteral("7373.14"));
    MessageCatcher catcher;
    w_->click("BitBtn1");
    QCOMPARE(catcher.messages().size(), 0);
    QCOMPARE(w_->box(Field::EXp)->text(), QStringLiteral("8221.23"));
    QCOMPARE(w_->box(Field::EK1K3)->text(), QStringLiteral("-10044.72"));
    QCOMPARE(w_->texts(), w_->fieldTexts());
  }
};

int main(int argc, char** argv) {
  qputenv("LC_ALL", "C.UTF-8");
  TApplication app(argc, argv);
  app.setTitle(QStringLiteral("Задача Потенота"));
  TestZadahaPointLocale test;
  return QTest::qExec(&test, argc, argv);
}

#include "test_zadaha_point.moc"
