// The About box on its own: how it closes, what it says, where it stands.
#define QTEST_QPA_MOUSE_HANDLING
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "ui/About.h"
#include "ui/Application.h"

namespace {

struct Showing {
  int result = -1;
  bool closedByItself = false;
};

// Shows the box modally and runs `inside` within its modal loop; closes the
// box afterwards if `inside` did not.
Showing ShowModal(TAboutBox& box, const std::function<void()>& inside) {
  Showing showing;
  QTimer::singleShot(0, &box, [&] {
    QApplication::setActiveWindow(&box);
    [[maybe_unused]] const bool active = QTest::qWaitForWindowActive(&box);
    inside();
    QApplication::processEvents();
    showing.closedByItself = !box.isVisible();
    if (box.isVisible()) box.done(-2);
  });
  showing.result = box.exec();
  return showing;
}

}  // namespace

class TestAbout : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QWidget> owner_;  // stands where the start window would
  std::unique_ptr<TAboutBox> box_;

 private slots:
  void init() {
    owner_ = std::make_unique<QWidget>();
    owner_->setGeometry(20, 30, 384, 189);
    owner_->show();
    box_ = std::make_unique<TAboutBox>(owner_.get());
  }
  void cleanup() {
    box_.reset();
    owner_.reset();
  }

  void saysWhatItIs() {
    QCOMPARE(box_->windowTitle(), QStringLiteral("About"));
    QCOMPARE(box_->findChild<QLabel*>("ProductName")->text(),
             QStringLiteral("Обратная засечка ( задача Потенота)"));
    QCOMPARE(box_->findChild<QLabel*>("Version")->text(), QStringLiteral("Версия 1.0"));
    // The captions fit on their line in whatever face was found.
    for (QLabel* label : box_->findChildren<QLabel*>()) {
      if (label->text().isEmpty()) continue;
      QVERIFY2(label->geometry().right() < box_->width() - 2, qPrintable(label->objectName()));
      QVERIFY2(label->width() >= label->fontMetrics().horizontalAdvance(label->text()),
               qPrintable(label->objectName()));
    }
    QVERIFY(!box_->findChild<QLabel*>("ProgramIcon")->pixmap().isNull());
  }

  void closes_data() {
    QTest::addColumn<int>("how");
    QTest::addColumn<int>("result");
    QTest::newRow("OK") << 0 << TAboutBox::kModalResult;
    QTest::newRow("Enter") << 1 << TAboutBox::kModalResult;
    QTest::newRow("Return") << 2 << TAboutBox::kModalResult;
    QTest::newRow("close box") << 3 << int(QDialog::Rejected);
  }
  void closes() {
    QFETCH(int, how);
    QFETCH(int, result);
    QPushButton* ok = box_->findChild<QPushButton*>("OKButton");
    const Showing showing = ShowModal(*box_, [&] {
      switch (how) {
        case 0:
          QTest::mouseClick(ok, Qt::LeftButton);
          break;
        case 1:
          QTest::keyClick(box_.get(), Qt::Key_Enter, Qt::KeypadModifier);
          break;
        case 2:
          QTest::keyClick(box_.get(), Qt::Key_Return);
          break;
        default:
          box_->close();
      }
    });
    QVERIFY(showing.closedByItself);
    QCOMPARE(showing.result, result);
    // It only hides: the next "О программе" shows the same box again.
    const Showing again = ShowModal(*box_, [&] { QTest::mouseClick(ok, Qt::LeftButton); });
    QVERIFY(again.closedByItself);
  }

  void escapeDoesNothing() {
    bool typedIntoTheBox = false;
    const Showing showing = ShowModal(*box_, [&] {
      QWidget* focus = QApplication::focusWidget();
      typedIntoTheBox = focus != nullptr && focus->window() == box_.get();
      QTest::keyClick(focus, Qt::Key_Escape);
    });
    QVERIFY(typedIntoTheBox);
    QVERIFY(!showing.closedByItself);
  }

  void fixedAndCentredOnTheScreen() {
    for (int time = 0; time < 2; ++time) {
      QRect outer;
      QRect screenArea;
      Qt::WindowFlags flags;
      const Showing showing = ShowModal(*box_, [&] {
        outer = box_->frameGeometry();
        screenArea = box_->screen()->geometry();
        flags = box_->windowFlags();
        box_->resize(500, 400);  // a fixed frame takes no other size
        QCOMPARE(box_->size(), QSize(298, 213));
        box_->move(0, 0);  // moved away; the next showing centres it again
      });
      QVERIFY(!showing.closedByItself);
      QVERIFY(qAbs(outer.center().x() - screenArea.center().x()) <= 1);
      QVERIFY(qAbs(outer.center().y() - screenArea.center().y()) <= 1);
      QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
      QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
      QVERIFY(flags & Qt::WindowCloseButtonHint);
    }
  }
};

int main(int argc, char** argv) {
  qputenv("LC_ALL", "ru_RU.UTF-8");
  TApplication app(argc, argv);
  app.setTitle(QStringLiteral("Задача Потенота"));
  TestAbout test;
  return QTest::qExec(&test, argc, argv);
}

#include "test_about.moc"
