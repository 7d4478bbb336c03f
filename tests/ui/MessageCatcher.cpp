#include "MessageCatcher.h"

#include <QTimer>

#include "ui/Application.h"

MessageCatcher::MessageCatcher() {
  auto* app = qobject_cast<TApplication*>(QCoreApplication::instance());
  Q_ASSERT(app != nullptr);
  connect(app, &TApplication::messageShowing, this, &MessageCatcher::Catch);
}

void MessageCatcher::Catch(QMessageBox* box) {
  messages_.push_back({box->windowTitle(), box->text(), box->textFormat(), box->icon(),
                       box->parentWidget() != nullptr});
  // Runs inside the box's own modal loop: the box is up by then.
  QTimer::singleShot(0, box, [box] {
    if (box->isVisible()) box->accept();
  });
}
