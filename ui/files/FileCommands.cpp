// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/files/FileCommands.h"

#include <QAction>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include "ui/common/SafeFile.h"
#include "ui/document/SheetDocument.h"
#include "ui/files/StudentDialog.h"
#include "ui/sheet/Zadaha.h"

namespace pothenot {

namespace {

const QString kSuffix = QStringLiteral(".pothenot");
const QString kFilter = QStringLiteral("Лист обратной засечки (*.pothenot)");

/// The sheet file a drag carries: its first URL, a local file named *.pothenot.
QString DroppedSheet(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls() || data->urls().isEmpty()) return {};
  const QUrl url = data->urls().constFirst();
  if (!url.isLocalFile()) return {};
  const QString path = url.toLocalFile();
  return path.endsWith(kSuffix, Qt::CaseInsensitive) ? path : QString();
}

}  // namespace

FileCommands::FileCommands(TForm2* form, SheetDocument* document)
    : QObject(form), form_(form), document_(document) {
  const auto add = [this](const QString& text, const QKeySequence& key, auto run) {
    auto* action = new QAction(text, this);
    action->setShortcut(key);
    connect(action, &QAction::triggered, this, run);
    form_->addCommand(action);
  };
  add(QStringLiteral("Открыть лист…"), QKeySequence(Qt::CTRL | Qt::Key_O), [this] { open(); });
  add(QStringLiteral("Сохранить лист"), QKeySequence(Qt::CTRL | Qt::Key_S), [this] { save(); });
  add(QStringLiteral("Сохранить лист как…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
      [this] { saveAs(); });
  // The window's closing ("Выход", the frame's close box) is asked of here;
  // its boxes are hooked for drops once the form is built, at its first showing.
  form_->installEventFilter(this);
}

void FileCommands::guardClose(QWidget* window) {
  window->installEventFilter(this);
}

bool FileCommands::openSheet(const QString& path) {
  return document_->open(path);
}

void FileCommands::open() {
  const QString chosen = QFileDialog::getOpenFileName(
      form_, QStringLiteral("Открыть лист"), QFileInfo(document_->path()).absolutePath(), kFilter);
  if (!chosen.isEmpty()) openSheet(chosen);
}

bool FileCommands::save() {
  return document_->path().isEmpty() ? saveAs() : document_->save();
}

bool FileCommands::saveAs() {
  if (studentDialog_ == nullptr) studentDialog_ = new StudentDialog(form_);
  studentDialog_->setStudent(document_->student());
  if (studentDialog_->exec() != QDialog::Accepted) return false;
  const QString student = studentDialog_->student();

  QString suggested = document_->path();
  if (suggested.isEmpty()) {
    const std::uint32_t variant = document_->variant();
    suggested = variant != 0         ? QStringLiteral("Вариант %1").arg(variant)
                : !student.isEmpty() ? student
                                     : QStringLiteral("Лист");
    suggested += kSuffix;
  }
  // Asked below of the name as it will be written, the suffix added.
  QString chosen =
      QFileDialog::getSaveFileName(form_, QStringLiteral("Сохранить лист как"), suggested, kFilter,
                                   nullptr, QFileDialog::DontConfirmOverwrite);
  if (chosen.isEmpty()) return false;
  if (!chosen.endsWith(kSuffix, Qt::CaseInsensitive)) chosen += kSuffix;
  return safeFile::mayReplace(form_, chosen) && document_->saveAs(chosen, student);
}

void FileCommands::acceptDrops() {
  // A sheet file dropped on a box is opened, not typed into it as its path:
  // each box is asked first; the window takes drops anywhere else.
  dropsHooked_ = true;
  form_->setAcceptDrops(true);
  for (const FieldInfo& field : Fields())
    form_->box(*FieldByName(field.name))->installEventFilter(this);
}

bool FileCommands::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::Show:
      if (watched == form_ && !dropsHooked_) acceptDrops();
      break;
    case QEvent::Close:
      if (!document_->maySetAside()) {
        event->ignore();
        return true;
      }
      break;
    case QEvent::DragEnter:
    case QEvent::DragMove:
      if (auto* drag = static_cast<QDropEvent*>(event); !DroppedSheet(drag->mimeData()).isEmpty()) {
        drag->acceptProposedAction();
        return true;
      }
      break;
    case QEvent::Drop:
      if (auto* drop = static_cast<QDropEvent*>(event); !DroppedSheet(drop->mimeData()).isEmpty()) {
        drop->acceptProposedAction();
        // Opened once the drop is over: the question and the messages it may
        // bring are not shown while the dragging program still waits.
        QTimer::singleShot(0, this,
                           [this, path = DroppedSheet(drop->mimeData())] { openSheet(path); });
        return true;
      }
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace pothenot
