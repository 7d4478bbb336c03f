// SPDX-License-Identifier: GPL-3.0-or-later
// The window «Способы решения» driven as a person would, offscreen, under a
// comma locale as the worksheet's example is written.
#include <QRegularExpression>
#include <cmath>

#include "WindowDriver.h"
#include "calc/methods.h"
#include "ui/methods/MethodsCommand.h"
#include "ui/methods/MethodsWindow.h"

using pothenot::Field;
using pothenot::MethodsWindow;
using namespace Qt::StringLiterals;

class TestMethodsWindow : public WindowTest {
  Q_OBJECT

  MethodsWindow* settled() {  // the window once its pending redraw has run
    QCoreApplication::processEvents();
    return w_->commands().methods->window();
  }

 private slots:

  // F4 on the problem window shows it, F4 there hides it; closing the
  // problem window takes it away. Every typed given is followed: each
  // method's station as the engine gives it, which methods agree, why one
  // fails, numbers near the danger circle, and a given that is not a number.
  void f4ShowsAndFollowsTheWorksheet() {
    QTest::keyClick(&w_->form(), Qt::Key_F4);
    MethodsWindow* methods = settled();
    QVERIFY(methods && methods->isVisible() && methods->isWindow());
    QVERIFY(methods->text().contains(u"Все способы дают одну станцию"_s));
    // γ2 = γ1: the station on the line BC, and Collins' point at infinity.
    for (auto [field, text] :
         {std::pair{Field::Ey2g, "110"}, {Field::Ey2m, "24"}, {Field::Ey2s, "48"}})
      w_->type(field, QString::fromUtf8(text), true);
    settled();
    const auto solved = pothenot::SolveByMethods(w_->form().worksheet(), ",");
    QCOMPARE(solved[2].failure.empty(), false);
    const QString summary = methods->text().section(u'\n', 0, 0).section(u"Не решают"_s, 1);
    for (const auto& m : solved) {
      const QString title = QString::fromStdString(m.title);
      QString x = QString::number(std::trunc(m.Xp.value_or(0) * 100) / 100, 'f', 2);
      QVERIFY(methods->text().contains(m.Xp
                                           ? u"X = "_s + x.replace(u'.', u',')
                                           : u"Не решает: "_s + QString::fromStdString(m.failure)));
      QCOMPARE(summary.contains(title), !m.Xp);
    }
    // A, B and C on a circle of 500 m, symmetric about the line X = 0 through A and the
    // station, which stands 1″ inside the circle: some steps are zero but for rounding noise
    // (Xp, ctg A), and every number is written as the help says, in fixed notation without a
    // power of ten, and a zero without a minus.
    const std::pair<Field, const char*> nearTheDangerCircle[] = {
        {Field::EXa, "0"},    {Field::EYa, "1000"}, {Field::EXb, "500"},  {Field::EYb, "500"},
        {Field::EXc, "-500"}, {Field::EYc, "500"},  {Field::Ey1g, "314"}, {Field::Ey1m, "59"},
        {Field::Ey1s, "59"},  {Field::Ey2g, "45"},  {Field::Ey2m, "0"},   {Field::Ey2s, "1"}};
    for (auto [field, text] : nearTheDangerCircle) w_->type(field, QString::fromUtf8(text), true);
    const QString text = settled()->text();
    QVERIFY2(
        text.contains(u"Станция: X = 0,00000004, Y = 0,00484811;"_s) &&
            !text.contains(QRegularExpression(u"[0-9][eE][-+]?[0-9]|-0(,0+)?(?![,0-9]*[1-9])"_s)),
        qPrintable(text));
    w_->type(Field::EXa, u"7<b>x"_s, true);
    settled();
    QVERIFY(methods->text().contains(u"«7<b>x» в поле «Xa»"_s));
    QTest::keyClick(methods, Qt::Key_F4);
    QVERIFY(!methods->isVisible());
    QVERIFY(w_->runModal([&] {
      QTRY_VERIFY(w_->form().isActiveWindow());  // once the hidden window gave up the focus
      QTest::keyClick(&w_->form(), Qt::Key_F4);
      QVERIFY(methods->isVisible());
      w_->form().close();
    }));
    QVERIFY(!methods->isVisible());
  }
};

POTHENOT_WINDOW_TEST_MAIN(TestMethodsWindow, "ru_RU.UTF-8")

#include "methods_window_test.moc"
