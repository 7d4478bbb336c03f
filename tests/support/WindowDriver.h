// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QWheelEvent>
#include <functional>
#include <memory>

#include "ui/app/Commands.h"
#include "ui/common/Application.h"
#include "ui/sheet/Zadaha.h"

/// A fresh problem window with its features attached as the program attaches
/// them, shown and active, and the ways a person uses it.
/// Every failure message the application shows meanwhile is recorded and,
/// once it is up, closed as a person would press OK.
class WindowDriver {
 public:
  struct Message {
    QString title;
    QString text;
    Qt::TextFormat format;
    bool hadOwner;  ///< shown over the window that was active
  };

  WindowDriver();

  TForm2& form() { return form_; }
  const pothenot::Commands& commands() const { return commands_; }
  QLineEdit* box(pothenot::Field f) const {
    return form_.findChild<QLineEdit*>(pothenot::Info(f).name.data());
  }
  QPushButton* button(const char* name) const { return form_.findChild<QPushButton*>(name); }
  const QVector<Message>& messages() const { return messages_; }

  /// What the 48 boxes show, or what the worksheet holds, in its order.
  QStringList texts(bool ofWorksheet = false);

  void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }
  /// Types the text key by key at the end of the box's text, or over all of
  /// it when `over` is set.
  void type(pothenot::Field field, const QString& text, bool over = false);

  /// Presses yes (or OK), or else no, in the next message box a window shows
  /// by itself (a question, a warning); the box joins messages().
  void answerNextBox(bool yes);

  /// Shows the window modally (as the start window does) and runs `inside`
  /// within its modal loop. Returns whether the showing ended by itself; if
  /// it did not, the window is closed afterwards.
  bool runModal(const std::function<void()>& inside);

 private:
  TForm2 form_;
  pothenot::Commands commands_;
  QVector<Message> messages_;
  QObject context_;
};

/// A test class whose every test function starts with a fresh driver in w_.
class WindowTest : public QObject {
  Q_OBJECT

 protected:
  std::unique_ptr<WindowDriver> w_;

 private slots:
  void init() { w_ = std::make_unique<WindowDriver>(); }
  void cleanup() { w_.reset(); }
};

/// The bytes of the file at `path`, none if it cannot be read.
inline QByteArray fileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// Turns the mouse wheel over `view` at `at` by `notches` (up if positive),
/// and paints the view as the screen would.
inline void wheel(QWidget* view, QPointF at, int notches) {
  QWheelEvent event(at, view->mapToGlobal(at), {}, {0, notches * 120}, Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(view, &event);
  view->grab();
}

/// The main of a window test: the desktop's locale (its own, or another given
/// by POTHENOT_DESKTOP_LOCALE) pinned before the application reads it, and
/// the application titled as the program titles it.
#define POTHENOT_WINDOW_TEST_MAIN(Test, locale)                      \
  int main(int argc, char** argv) {                                  \
    const QByteArray other = qgetenv("POTHENOT_DESKTOP_LOCALE");     \
    qputenv("LC_ALL", other.isEmpty() ? QByteArray(locale) : other); \
    TApplication app(argc, argv);                                    \
    app.setTitle(QStringLiteral("Задача Потенота"));                 \
    Test test;                                                       \
    return QTest::qExec(&test, argc, argv);                          \
  }
