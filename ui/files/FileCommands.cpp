// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/files/FileCommands.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <stdexcept>

#include "ui/common/SafeFile.h"
#include "ui/common/SheetReading.h"
#include "ui/common/Title.h"
#include "ui/files/StudentDialog.h"
#include "ui/sheet/Zadaha.h"

namespace pothenot {

namespace {

const QString kSuffix = QStringLiteral(".pothenot");
const QString kFilter = QStringLiteral("Лист обратной засечки (*.pothenot)");

bool Same(const SheetFile& a, const SheetFile& b) {
  if (a.decimalSeparator != b.decimalSeparator || a.variant != b.variant || a.student != b.student)
    return false;
  for (std::size_t i = 0; i < kFieldCount; ++i)
    if (a.sheet.text(Field(i)) != b.sheet.text(Field(i))) return false;
  return true;
}

/// The sheet file a drag carries: its first URL, a local file named *.pothenot.
QString DroppedSheet(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls() || data->urls().isEmpty()) return {};
  const QUrl url = data->urls().constFirst();
  if (!url.isLocalFile()) return {};
  const QString path = url.toLocalFile();
  return path.endsWith(kSuffix, Qt::CaseInsensitive) ? path : QString();
}

}  // namespace

FileCommands::FileCommands(TForm2* form) : QObject(form), form_(form) {
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

SheetFile FileCommands::current() const {
  SheetFile file;
  file.sheet = form_->worksheet();
  file.decimalSeparator = TForm2::decimalSeparator();
  file.student = student_;
  if (const std::uint32_t variant = variant_ ? variant_() : 0) file.variant = variant;
  return file;
}

bool FileCommands::maySetAside() {
  if (!last_) return true;
  const SheetFile now = current();
  if (Same(now, *last_) || (dismissed_ && Same(now, *dismissed_))) return true;
  QWidget* over = form_->isVisible() ? static_cast<QWidget*>(form_) : QApplication::activeWindow();
  QMessageBox question(
      QMessageBox::Question, kProgramTitle,
      QStringLiteral("Сохранить изменения в листе «%1»?").arg(QFileInfo(path_).fileName()),
      QMessageBox::NoButton, over);
  QPushButton* saveButton =
      question.addButton(QStringLiteral("Сохранить"), QMessageBox::AcceptRole);
  QPushButton* discard =
      question.addButton(QStringLiteral("Не сохранять"), QMessageBox::DestructiveRole);
  question.addButton(QStringLiteral("Отмена"), QMessageBox::RejectRole);
  question.setDefaultButton(saveButton);
  question.exec();
  if (question.clickedButton() == saveButton) return save();
  if (question.clickedButton() != discard) return false;
  // Not asked again for the same changes: the window closed without saving
  // keeps them, and ending the program then lets them go.
  dismissed_ = now;
  return true;
}

bool FileCommands::openSheet(const QString& path) {
  if (!maySetAside()) return false;
  SheetFile file;
  try {
    file = readSheetFile(path);
  } catch (const std::runtime_error& refusal) {
    refuse(QString::fromStdString(refusal.what()));
    return false;
  }
  UseSeparator(file, TForm2::decimalSeparator());
  TWorksheet& sheet = form_->worksheet();
  for (const FieldInfo& field : Fields())
    if (field.role != Role::Mirror) sheet.setText(field.name, file.sheet.text(field.name));
  path_ = QFileInfo(path).absoluteFilePath();
  student_ = file.student;
  emit sheetOpened(file.variant.value_or(0));
  last_ = current();
  dismissed_.reset();
  return true;
}

void FileCommands::refuse(const QString& message) {
  QMessageBox::warning(form_, kProgramTitle, message);
}

void FileCommands::open() {
  const QString chosen = QFileDialog::getOpenFileName(form_, QStringLiteral("Открыть лист"),
                                                      QFileInfo(path_).absolutePath(), kFilter);
  if (!chosen.isEmpty()) openSheet(chosen);
}

bool FileCommands::save() {
  return path_.isEmpty() ? saveAs() : writeTo(path_);
}

bool FileCommands::saveAs() {
  if (studentDialog_ == nullptr) studentDialog_ = new StudentDialog(form_);
  studentDialog_->setStudent(QString::fromStdString(student_));
  if (studentDialog_->exec() != QDialog::Accepted) return false;
  const std::string student = studentDialog_->student().toStdString();

  QString suggested = path_;
  if (suggested.isEmpty()) {
    const std::uint32_t variant = variant_ ? variant_() : 0;
    suggested = variant != 0       ? QStringLiteral("Вариант %1").arg(variant)
                : !student.empty() ? QString::fromStdString(student)
                                   : QStringLiteral("Лист");
    suggested += kSuffix;
  }
  // Asked below of the name as it will be written, the suffix added.
  QString chosen =
      QFileDialog::getSaveFileName(form_, QStringLiteral("Сохранить лист как"), suggested, kFilter,
                                   nullptr, QFileDialog::DontConfirmOverwrite);
  if (chosen.isEmpty()) return false;
  if (!chosen.endsWith(kSuffix, Qt::CaseInsensitive)) chosen += kSuffix;
  if (!safeFile::mayReplace(form_, chosen)) return false;
  const std::string before = student_;
  student_ = student;
  if (writeTo(chosen)) return true;
  student_ = before;
  return false;
}

bool FileCommands::writeTo(const QString& path) {
  const SheetFile file = current();
  const auto outcome = safeFile::write(path, QByteArray::fromStdString(WriteSheetFile(file)));
  if (outcome.status != safeFile::Outcome::Written) {
    if (outcome.status == safeFile::Outcome::Failed) refuse(outcome.message);
    return false;
  }
  path_ = QFileInfo(path).absoluteFilePath();
  last_ = file;
  dismissed_.reset();
  return true;
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
      if (!maySetAside()) {
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
