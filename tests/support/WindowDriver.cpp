// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowDriver.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "ui/common/Application.h"

using pothenot::Field;

WindowDriver::WindowDriver() : commands_(pothenot::attachCommands(form_)) {
  auto* app = qobject_cast<TApplication*>(QCoreApplication::instance());
  QObject::connect(app, &TApplication::messageShowing, &context_, [this](QMessageBox* box) {
    messages_.push_back(
        {box->windowTitle(), box->text(), box->textFormat(), box->parentWidget() != nullptr});
    // Runs inside the box's own modal loop: the box is up by then.
    QTimer::singleShot(0, box, [box] {
      if (box->isVisible()) box->accept();
    });
  });
  form_.show();
  form_.activateWindow();
  [[maybe_unused]] const bool active = QTest::qWaitForWindowActive(&form_);
}

QStringList WindowDriver::texts(bool ofWorksheet) {
  QStringList out;
  for (std::size_t i = 0; i < pothenot::kFieldCount; ++i)
    out << (ofWorksheet ? QString::fromUtf8(form_.worksheet().text(Field(i)))
                        : box(Field(i))->text());
  return out;
}

void WindowDriver::type(Field field, const QString& text, bool over) {
  QLineEdit* edit = box(field);
  edit->setFocus(Qt::MouseFocusReason);
  if (over) {
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Delete);
  } else {
    QTest::keyClick(edit, Qt::Key_End);
  }
  QTest::keyClicks(edit, text);
}

void WindowDriver::answerNextBox(bool yes) {
  auto* poll = new QTimer(&context_);
  QObject::connect(poll, &QTimer::timeout, poll, [this, poll, yes] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) return;
    messages_.push_back({box->windowTitle(), box->text(), box->textFormat(), true});
    for (QAbstractButton* button : box->buttons()) {
      const auto role = box->buttonRole(button);
      if ((role == QMessageBox::AcceptRole || role == QMessageBox::YesRole) == yes)
        return poll->deleteLater(), button->click();
    }
  });
  poll->start(10);
}

bool WindowDriver::runModal(const std::function<void()>& inside) {
  form_.hide();
  bool endedByItself = true;
  QTimer::singleShot(0, &form_, [&] {
    form_.activateWindow();
    [[maybe_unused]] const bool active = QTest::qWaitForWindowActive(&form_);
    inside();
    endedByItself = !form_.isVisible();
    if (!endedByItself) form_.close();
  });
  form_.exec();
  return endedByItself;
}
