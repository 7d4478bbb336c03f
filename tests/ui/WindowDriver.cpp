#include "WindowDriver.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

using pothenot::Field;

WindowDriver::WindowDriver() : form_(std::make_unique<TForm2>()) {
  form_->show();
  QApplication::setActiveWindow(form_.get());
  [[maybe_unused]] const bool active = QTest::qWaitForWindowActive(form_.get());
}

WindowDriver::~WindowDriver() = default;

QLineEdit* WindowDriver::box(Field field) const {
  return box(QString::fromUtf8(pothenot::Info(field).name));
}

QLineEdit* WindowDriver::box(const QString& name) const {
  auto* found = form_->findChild<QLineEdit*>(name);
  Q_ASSERT(found != nullptr);
  return found;
}

QPushButton* WindowDriver::button(const QString& name) const {
  auto* found = form_->findChild<QPushButton*>(name);
  Q_ASSERT(found != nullptr);
  return found;
}

QStringList WindowDriver::texts() const {
  QStringList out;
  for (const auto& info : pothenot::Fields()) out << box(QString::fromUtf8(info.name))->text();
  return out;
}

QStringList WindowDriver::fieldTexts() const {
  QStringList out;
  for (const auto& info : pothenot::Fields())
    out << QString::fromUtf8(form_->worksheet().text(info.name));
  return out;
}

void WindowDriver::click(const QString& buttonName) {
  QTest::mouseClick(button(buttonName), Qt::LeftButton);
}

void WindowDriver::type(Field field, const QString& text) {
  QLineEdit* edit = box(field);
  edit->setFocus(Qt::MouseFocusReason);
  QTest::keyClick(edit, Qt::Key_End);
  QTest::keyClicks(edit, text);
}

void WindowDriver::retype(Field field, const QString& text) {
  QLineEdit* edit = box(field);
  edit->setFocus(Qt::MouseFocusReason);
  QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
  if (text.isEmpty()) {
    QTest::keyClick(edit, Qt::Key_Delete);
  } else {
    QTest::keyClicks(edit, text);
  }
}

bool WindowDriver::runModal(const std::function<void()>& inside) {
  form_->hide();
  bool endedByItself = true;
  QTimer::singleShot(0, form_.get(), [&] {
    QApplication::setActiveWindow(form_.get());
    [[maybe_unused]] const bool active = QTest::qWaitForWindowActive(form_.get());
    inside();
    if (form_->isVisible()) {
      endedByItself = false;
      form_->close();
    }
  });
  form_->exec();
  return endedByItself;
}
