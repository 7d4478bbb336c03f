// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/sheet/Zadaha.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <stdexcept>

#include "calc/number_text.h"
#include "calc/resection.h"
#include "ui/common/Application.h"
#include "ui/common/BitmapButton.h"
#include "ui/common/DesktopSeparator.h"
#include "ui/common/CommandKeys.h"
#include "ui/common/WindowFont.h"
#include "ui_Zadaha.h"

using pothenot::Field;

TForm2::TForm2(QWidget* parent) : QDialog(parent) {
  // The face first, so that every control the form creates inherits it.
  setFont(pothenot::windowFont());
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                 Qt::WindowCloseButtonHint);
  // The built-in example is written with a decimal comma: on this desktop it
  // takes the desktop's separator, as every text the program writes does.
  for (const auto& info : pothenot::Fields()) {
    if (info.role == pothenot::Role::Given)
      sheet_.setText(info.name,
                     pothenot::WithSeparator(sheet_.text(info.name), decimalSeparator()));
  }
  // Fields written before the form exists are shown when it is built.
  sheet_.setObserver([this](std::string_view name) { showField(name); });
}

Ui::TForm2& TForm2::form() const {
  // Building changes what is on screen, not what the window is: the hooks
  // that hand out its controls stay const.
  if (!ui_) const_cast<TForm2*>(this)->build();
  return *ui_;
}

void TForm2::build() {
  ui_ = std::make_unique<Ui::TForm2>();
  ui_->setupUi(this);
  move(259, 3);
  fitLabels();

  const auto& fields = pothenot::Fields();
  // The cursor is almost always in a box: the commands' keys work from there.
  auto* commandKeys = new pothenot::CommandKeys(this);
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const QString name = QString::fromUtf8(fields[i].name);
    auto* box = ui_->Panel1->findChild<QLineEdit*>(name);
    if (box == nullptr) throw std::logic_error("TForm2: no edit box " + name.toStdString());
    boxes_[i] = box;
    commandKeys->watch(box);
    box->setAccessibleName(QString::fromUtf8(fields[i].quantity));
    box->setText(QString::fromUtf8(sheet_.text(static_cast<Field>(i))));
  }

  // Every change of a box's text, typed or shown from the worksheet, goes to
  // its field. A text shown from the worksheet comes back unchanged and the
  // worksheet ignores it, so the echo ends there.
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const auto field = static_cast<Field>(i);
    if (field == Field::EXa || field == Field::EYa) continue;
    connect(boxes_[i], &QLineEdit::textChanged, this,
            [this, field](const QString& text) { boxChange(field, text); });
  }
  connect(ui_->EXa, &QLineEdit::textChanged, this, &TForm2::EXaChange);
  connect(ui_->EYa, &QLineEdit::textChanged, this, &TForm2::EYaChange);

  pothenot::setUpBitmapButton(ui_->BitBtn1, QStringLiteral(":/images/calculate.bmp"));
  pothenot::setUpBitmapButton(ui_->BitBtn2, QStringLiteral(":/images/exit.bmp"));
  pothenot::setUpBitmapButton(ui_->BitBtn3, QStringLiteral(":/images/clear.bmp"));
  // Calculate is the one handler that can fail: the application's default
  // error handling shows the failure where it leaves the handler.
  connect(ui_->BitBtn1, &QPushButton::clicked, this,
          [this] { TApplication::guarded([this] { BitBtn1Click(); }); });
  connect(ui_->BitBtn2, &QPushButton::clicked, this, &TForm2::BitBtn2Click);
  connect(ui_->BitBtn3, &QPushButton::clicked, this, &TForm2::BitBtn3Click);

  // Commands registered before the form existed join the background's menu.
  for (QAction* action : actions()) addToMenu(action);
}

void TForm2::setVisible(bool visible) {
  if (visible) form();
  QDialog::setVisible(visible);
}

TForm2::~TForm2() {
  sheet_.setObserver(nullptr);
}

void TForm2::fitLabels() {
  // The labels take their heights, weights and colours from the form; each
  // sizes itself to its caption in the face actually found here.
  for (auto* label : ui_->Panel1->findChildren<QLabel*>()) {
    label->ensurePolished();
    label->adjustSize();
  }
}

void TForm2::boxChange(Field field, const QString& text) {
  sheet_.setText(field, text.toStdString());
}

void TForm2::EXaChange(const QString& text) {
  boxChange(Field::EXa, text);
}

void TForm2::EYaChange(const QString& text) {
  boxChange(Field::EYa, text);
}

void TForm2::showField(std::string_view name) {
  const auto field = pothenot::FieldByName(name);
  if (!field) return;
  if (QLineEdit* box = boxes_[static_cast<std::size_t>(*field)]) {
    const QString text = QString::fromUtf8(sheet_.text(*field));
    // The box that is being typed into already shows the text: leave its
    // cursor and undo history alone.
    if (box->text() != text) box->setText(text);
  }
  emit sheetChanged();
}

QLineEdit* TForm2::box(Field field) const {
  form();
  return boxes_[static_cast<std::size_t>(field)];
}

QWidget* TForm2::sheetPanel() const {
  return form().Panel1;
}

std::string TForm2::decimalSeparator() {
  return pothenot::desktopSeparator();
}

void TForm2::addCommand(QAction* action) {
  // The keys work wherever the focus is in this window, built or not, a box
  // included (build() lets the boxes give way to them).
  action->setShortcutContext(Qt::WindowShortcut);
  addAction(action);
  if (ui_) addToMenu(action);
}

void TForm2::addToMenu(QAction* action) {
  // The menu opens on the panel's background; the boxes keep their own
  // editing menus.
  ui_->Panel1->setContextMenuPolicy(Qt::ActionsContextMenu);
  ui_->Panel1->addAction(action);
}

void TForm2::BitBtn1Click() {
  emit calculateStarted();
  try {
    pothenot::Calculate(sheet_, decimalSeparator());
  } catch (...) {
    emit calculated();
    throw;
  }
  emit calculated();
}

void TForm2::BitBtn2Click() {
  close();
}

void TForm2::BitBtn3Click() {
  emit clearStarted();
  sheet_.clear();
  emit cleared();
}

void TForm2::keyPressEvent(QKeyEvent* event) {
  // The worksheet has no cancel button: Escape does not close the window.
  if (event->matches(QKeySequence::Cancel)) {
    event->ignore();
    return;
  }
  QDialog::keyPressEvent(event);
}
