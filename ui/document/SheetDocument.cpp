// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/document/SheetDocument.h"

#include <QAction>
#include <QApplication>
#include <QCryptographicHash>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QUndoStack>
#include <functional>
#include <stdexcept>

#include "ui/common/SafeFile.h"
#include "ui/common/SheetReading.h"
#include "ui/common/Title.h"
#include "ui/sheet/Zadaha.h"

namespace pothenot {

namespace {

bool Same(const SheetFile& a, const SheetFile& b) {
  if (a.decimalSeparator != b.decimalSeparator || a.variant != b.variant || a.student != b.student)
    return false;
  for (std::size_t i = 0; i < kFieldCount; ++i)
    if (a.sheet.text(Field(i)) != b.sheet.text(Field(i))) return false;
  return true;
}

QByteArray Hash(const QByteArray& bytes) {
  return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

// A step of the sheet's undo: the texts it changed, before and after.
class Step : public QUndoCommand {
 public:
  Step(const QString& name, SheetDocument::Texts before, SheetDocument::Texts after,
       std::function<void(const SheetDocument::Texts&)> apply)
      : QUndoCommand(name),
        before_(std::move(before)),
        after_(std::move(after)),
        apply_(std::move(apply)) {}
  void undo() override { apply_(before_); }
  void redo() override { apply_(after_); }

 private:
  SheetDocument::Texts before_, after_;
  std::function<void(const SheetDocument::Texts&)> apply_;
};

}  // namespace

SheetDocument::SheetDocument(TForm2* form)
    : QObject(form), form_(form), stack_(new QUndoStack(this)) {
  // «Отменить очистку», «Повторить перемещение пункта A»: the prefix and the step's name.
  undo_ = stack_->createUndoAction(this, QStringLiteral("Отменить"));
  undo_->setObjectName("UndoMove");
  undo_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  redo_ = stack_->createRedoAction(this, QStringLiteral("Повторить"));
  redo_->setObjectName("RedoMove");
  redo_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
  form->addCommand(undo_);
  form->addCommand(redo_);
  known_ = texts();
  connect(form, &TForm2::sheetChanged, this, &SheetDocument::sheetChanged);
  // What Calculate writes is no typing: the steps stay.
  connect(form, &TForm2::calculateStarted, this, [this] { calculating_ = true; });
  connect(form, &TForm2::calculated, this, [this] {
    calculating_ = false;
    known_ = texts();
  });
  // «Очистить» is one step, all 48 texts at once.
  connect(form, &TForm2::clearStarted, this, [this] {
    begin();
    applying_ = true;
  });
  connect(form, &TForm2::cleared, this, [this] {
    applying_ = false;
    known_ = texts();
    finish(QStringLiteral("очистку"));
  });
  // The title is the form's own until it is built, at its first showing.
  form->installEventFilter(this);
}

SheetDocument::All SheetDocument::texts() const {
  All all;
  for (std::size_t i = 0; i < kFieldCount; ++i) all[i] = form_->worksheet().text(Field(i));
  return all;
}

std::vector<std::string> SheetDocument::givens() const {
  std::vector<std::string> texts;
  for (const auto& info : Fields())
    if (info.role == Role::Given) texts.push_back(form_->worksheet().text(info.name));
  return texts;
}

std::uint32_t SheetDocument::variant() const {
  return variant_ != 0 && givens() == variantGivens_ ? variant_ : 0;
}

void SheetDocument::markVariant(std::uint32_t number) {
  variant_ = number;
  variantGivens_ = number == 0 ? std::vector<std::string>() : givens();
}

SheetFile SheetDocument::current() const {
  SheetFile file;
  file.sheet = form_->worksheet();
  file.decimalSeparator = TForm2::decimalSeparator();
  file.student = student_;
  if (const std::uint32_t number = variant()) file.variant = number;
  return file;
}

bool SheetDocument::isModified() const {
  return last_ && !Same(current(), *last_);
}

void SheetDocument::sheetChanged() {
  if (!applying_ && !calculating_) {
    All now = texts();
    // Typed (or a box's own edit undone): a given typed, or a box that a step
    // writes, and the steps go, so that an undo never overwrites it. A result
    // typed after a move leaves the move alone, as a Calculate does.
    bool given = false, stepped = false;
    for (std::size_t i = 0; i < kFieldCount; ++i) {
      if (now[i] == known_[i]) continue;
      given = given || Fields()[i].role != Role::Result;
      stepped = stepped || stepFields_.test(i);
    }
    known_ = std::move(now);
    if (given || stepped) forgetSteps();
    if (given) emit replaced();
  }
  showTitle();
}

void SheetDocument::forgetSteps() {
  stack_->clear();
  stepFields_.reset();
}

void SheetDocument::showTitle() {
  if (plainTitle_.isEmpty()) return;  // not built yet: done at the first showing
  form_->setWindowFilePath(path_);
  if (path_.isEmpty()) {
    form_->setWindowModified(false);
    form_->setWindowTitle(plainTitle_);
    return;
  }
  form_->setWindowTitle(QStringLiteral("%1 — %2[*]").arg(plainTitle_, QFileInfo(path_).fileName()));
  form_->setWindowModified(isModified());
}

bool SheetDocument::eventFilter(QObject* watched, QEvent* event) {
  if (watched == form_ && event->type() == QEvent::Show && plainTitle_.isEmpty()) {
    plainTitle_ = form_->windowTitle();
    showTitle();
  }
  return QObject::eventFilter(watched, event);
}

void SheetDocument::apply(const Texts& texts) {
  applying_ = true;
  for (const auto& [field, text] : texts) form_->worksheet().setText(field, text);
  applying_ = false;
  known_ = this->texts();
  showTitle();
}

void SheetDocument::begin() {
  before_ = texts();
}

void SheetDocument::write(const Texts& texts) {
  apply(texts);
}

void SheetDocument::finish(const QString& name) {
  Texts before, after;
  for (std::size_t i = 0; i < kFieldCount; ++i) {
    if (before_[i] != known_[i]) {
      before.emplace_back(Field(i), before_[i]);
      after.emplace_back(Field(i), known_[i]);
    }
  }
  if (after.empty()) return;
  for (const auto& text : after) stepFields_.set(static_cast<std::size_t>(text.first));
  // Pushing redoes the step, which writes the texts the sheet already holds.
  stack_->push(new Step(name, std::move(before), std::move(after),
                        [this](const Texts& texts) { apply(texts); }));
}

void SheetDocument::replace(const SheetFile& file) {
  Texts all;
  for (const FieldInfo& field : Fields())
    if (field.role != Role::Mirror)
      all.emplace_back(*FieldByName(field.name), file.sheet.text(field.name));
  student_ = file.student;
  apply(all);
  markVariant(file.variant.value_or(0));
  forgetSteps();
  showTitle();
  emit replaced();
}

QWidget* SheetDocument::questionParent() const {
  return form_->isVisible() ? static_cast<QWidget*>(form_) : QApplication::activeWindow();
}

bool SheetDocument::maySetAside() {
  if (!isModified()) return true;
  QMessageBox question(
      QMessageBox::Question, kProgramTitle,
      QStringLiteral("Сохранить изменения в листе «%1»?").arg(QFileInfo(path_).fileName()),
      QMessageBox::NoButton, questionParent());
  QPushButton* saveButton =
      question.addButton(QStringLiteral("Сохранить"), QMessageBox::AcceptRole);
  QPushButton* discard =
      question.addButton(QStringLiteral("Не сохранять"), QMessageBox::DestructiveRole);
  question.addButton(QStringLiteral("Отмена"), QMessageBox::RejectRole);
  question.setDefaultButton(saveButton);
  question.exec();
  if (question.clickedButton() == saveButton) return save();
  if (question.clickedButton() != discard) return false;
  // What the user chose to drop is dropped: the sheet is its file's again.
  replace(*last_);
  return true;
}

bool SheetDocument::open(const QString& path) {
  if (!maySetAside()) return false;
  SheetFile file;
  QByteArray bytes;
  try {
    file = readSheetFile(path, &bytes);
  } catch (const std::runtime_error& refusal) {
    QMessageBox::warning(form_, kProgramTitle, QString::fromStdString(refusal.what()));
    return false;
  }
  UseSeparator(file, TForm2::decimalSeparator());
  path_ = QFileInfo(path).absoluteFilePath();
  diskHash_ = Hash(bytes);
  replace(file);
  last_ = current();
  showTitle();
  return true;
}

bool SheetDocument::newSheet(const TWorksheet& texts, std::uint32_t variant) {
  if (!maySetAside()) return false;
  path_.clear();
  last_.reset();
  diskHash_.clear();
  SheetFile file;
  file.sheet = texts;
  file.student = student_;
  if (variant != 0) file.variant = variant;
  replace(file);
  return true;
}

bool SheetDocument::mayWriteOver() {
  QFile file(path_);
  if (!file.exists()) return true;  // gone: simply written again
  if (file.open(QIODevice::ReadOnly) &&
      Hash(file.read(static_cast<qint64>(kSheetFileMaxBytes) + 1)) == diskHash_)
    return true;
  QMessageBox question(QMessageBox::Warning, kProgramTitle,
                       QStringLiteral("Файл «%1» изменён другой программой после того, как лист "
                                      "был открыт или сохранён. Заменить его?")
                           .arg(QFileInfo(path_).fileName()),
                       QMessageBox::NoButton, questionParent());
  QPushButton* replaceButton =
      question.addButton(QStringLiteral("Заменить"), QMessageBox::DestructiveRole);
  question.setDefaultButton(question.addButton(QStringLiteral("Отмена"), QMessageBox::RejectRole));
  question.exec();
  return question.clickedButton() == replaceButton;
}

bool SheetDocument::save() {
  return !path_.isEmpty() && mayWriteOver() && writeTo(path_, student_);
}

bool SheetDocument::saveAs(const QString& path, const QString& student) {
  return writeTo(path, student.toStdString());
}

bool SheetDocument::writeTo(const QString& path, const std::string& student) {
  SheetFile file = current();
  file.student = student;
  const QByteArray bytes = QByteArray::fromStdString(WriteSheetFile(file));
  const auto outcome = safeFile::write(path, bytes);
  if (outcome.status != safeFile::Outcome::Written) {
    if (outcome.status == safeFile::Outcome::Failed)
      QMessageBox::warning(questionParent(), kProgramTitle, outcome.message);
    return false;
  }
  path_ = QFileInfo(path).absoluteFilePath();
  student_ = student;
  last_ = file;
  diskHash_ = Hash(bytes);
  showTitle();
  return true;
}

}  // namespace pothenot
