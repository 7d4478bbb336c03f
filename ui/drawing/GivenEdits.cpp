// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/drawing/GivenEdits.h"

#include <QAction>
#include <QUndoStack>
#include <functional>

#include "ui/sheet/Zadaha.h"

namespace pothenot {

namespace {

// A move: the texts of the givens it changed, before and after.
class MoveStep : public QUndoCommand {
 public:
  MoveStep(const QString& name, GivenEdits::Texts before, GivenEdits::Texts after,
           std::function<void(const GivenEdits::Texts&)> apply)
      : QUndoCommand(name),
        before_(std::move(before)),
        after_(std::move(after)),
        apply_(std::move(apply)) {}
  void undo() override { apply_(before_); }
  void redo() override { apply_(after_); }

 private:
  GivenEdits::Texts before_, after_;
  std::function<void(const GivenEdits::Texts&)> apply_;
};

}  // namespace

GivenEdits::GivenEdits(TForm2* form) : QObject(form), form_(form), stack_(new QUndoStack(this)) {
  undo_ = stack_->createUndoAction(this, "Отменить перемещение");
  undo_->setObjectName("UndoMove");
  undo_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  redo_ = stack_->createRedoAction(this, "Повторить перемещение");
  redo_->setObjectName("RedoMove");
  redo_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
  form->addCommand(undo_);
  form->addCommand(redo_);
  known_ = givens();
  connect(form, &TForm2::sheetChanged, this, [this] {
    if (applying_) return;
    std::vector<std::string> now = givens();
    if (now == known_) return;  // a result written, not a given
    stack_->clear();
    known_ = std::move(now);
    emit givensReplaced();
  });
}

std::vector<std::string> GivenEdits::givens() const {
  std::vector<std::string> texts;
  for (std::size_t i = 0; i < kFieldCount; ++i)
    if (Fields()[i].role != Role::Result) texts.push_back(form_->worksheet().text(Field(i)));
  return texts;
}

void GivenEdits::apply(const Texts& texts) {
  applying_ = true;
  for (const auto& [field, text] : texts) form_->worksheet().setText(field, text);
  applying_ = false;
  known_ = givens();
}

void GivenEdits::begin() {
  before_ = givens();
}

void GivenEdits::write(const Texts& texts) {
  apply(texts);
}

void GivenEdits::finish(const QString& name) {
  Texts before, after;
  std::size_t g = 0;
  for (std::size_t i = 0; i < kFieldCount; ++i) {
    if (Fields()[i].role == Role::Result) continue;
    if (before_[g] != known_[g]) {
      before.emplace_back(Field(i), before_[g]);
      after.emplace_back(Field(i), known_[g]);
    }
    ++g;
  }
  if (after.empty()) return;
  // Pushing redoes the step, which writes the texts the sheet already holds.
  stack_->push(new MoveStep(name, std::move(before), std::move(after),
                            [this](const Texts& texts) { apply(texts); }));
}

}  // namespace pothenot
