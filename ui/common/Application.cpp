// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/Application.h"

#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>

// Outside any namespace: the resource initialiser is a global function.
static void InitResources() {
  Q_INIT_RESOURCE(resources);
}

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
  // The pictures live in a static library: make sure the linker keeps them.
  InitResources();
  // Everything the program shows is Russian: so are Qt's own dialogs (files,
  // printing, the buttons of a dialog), whatever the desktop's language.
  auto* qt = new QTranslator(this);
  if (qt->load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    installTranslator(qt);
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& failure) {
    // The handler ran and failed; nobody else is to act on the event.
    event->accept();
    showException(failure);
    return true;
  }
}

void TApplication::showException(const std::exception& failure) {
  QWidget* owner = activeModalWidget();
  if (owner == nullptr) owner = activeWindow();
  QMessageBox box(QMessageBox::Critical, title_, QString::fromUtf8(failure.what()), QMessageBox::Ok,
                  owner);
  // The message may quote what the user typed into a box: never markup.
  box.setTextFormat(Qt::PlainText);
  emit messageShowing(&box);
  box.exec();
}
