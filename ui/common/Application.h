// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QString>
#include <exception>

class QMessageBox;

/// The application object. Besides the title that its message boxes carry,
/// it is the default handler of failures: an exception that leaves an event
/// handler (a Calculate that stopped on a given that is not a number, say) is
/// shown to the user in a message box, and the event loop goes on. Nothing is
/// rolled back: whatever the handler did before the failure stays done.
class TApplication : public QApplication {
  Q_OBJECT

 public:
  TApplication(int& argc, char** argv);

  void setTitle(const QString& title) { title_ = title; }
  const QString& title() const { return title_; }

  /// The last resort for a handler that was not run through guarded().
  bool notify(QObject* receiver, QEvent* event) override;

  /// Shows the failure's message in a modal message box and returns when the
  /// user has closed it.
  void showException(const std::exception& failure);

  /// Runs an event handler under the default error handling. A failure is
  /// shown where it leaves the handler, before it could unwind through the
  /// toolkit's own frames: those are built without exception support and
  /// would skip their cleanup (the pressed button's state, the mouse event).
  template <class Handler>
  static void guarded(Handler&& handler) {
    try {
      handler();
    } catch (const std::exception& failure) {
      auto* app = qobject_cast<TApplication*>(QCoreApplication::instance());
      if (app == nullptr) throw;
      app->showException(failure);
    }
  }

 signals:
  /// The box is about to be shown modally; a test may close it from here.
  void messageShowing(QMessageBox* box);

 private:
  QString title_;
};
