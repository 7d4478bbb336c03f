#include "ui/Zadaha.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <stdexcept>

#include "calc/resection.h"
#include "ui/Application.h"
#include "ui/BitmapButton.h"
#include "ui/DrawingCommand.h"
#include "ui/PaperCommands.h"
#include "ui/WindowFont.h"
#include "ui_Zadaha.h"

using pothenot::Field;

TForm2::TForm2(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::TForm2>()) {
  // The face first, so that every control created by the form inherits it.
  setFont(pothenot::WindowFont());
  ui_->setupUi(this);
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                 Qt::WindowCloseButtonHint);
  move(259, 3);
  FitLabels();

  const auto& fields = pothenot::Fields();
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const QString name = QString::fromUtf8(fields[i].name);
    auto* box = ui_->Panel1->findChild<QLineEdit*>(name);
    if (box == nullptr) throw std::logic_error("TForm2: no edit box " + name.toStdString());
    boxes_[i] = box;
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
            [this, field](const QString& text) { BoxChange(field, text); });
  }
  connect(ui_->EXa, &QLineEdit::textChanged, this, &TForm2::EXaChange);
  connect(ui_->EYa, &QLineEdit::textChanged, this, &TForm2::EYaChange);
  sheet_.setObserver([this](std::string_view name) { ShowField(name); });

  pothenot::SetUpBitmapButton(ui_->BitBtn1, QStringLiteral(":/images/calculate.bmp"));
  pothenot::SetUpBitmapButton(ui_->BitBtn2, QStringLiteral(":/images/exit.bmp"));
  pothenot::SetUpBitmapButton(ui_->BitBtn3, QStringLiteral(":/images/clear.bmp"));
  // Calculate is the one handler that can fail: the application's default
  // error handling shows the failure where it leaves the handler.
  connect(ui_->BitBtn1, &QPushButton::clicked, this,
          [this] { TApplication::Guarded([this] { BitBtn1Click(); }); });
  connect(ui_->BitBtn2, &QPushButton::clicked, this, &TForm2::BitBtn2Click);
  connect(ui_->BitBtn3, &QPushButton::clicked, this, &TForm2::BitBtn3Click);
  new DrawingCommand(this);  // F2: the drawing window, made at its first showing
  TPaperCommands::Install(this);
}

TForm2::~TForm2() {
  sheet_.setObserver(nullptr);
}

void TForm2::FitLabels() {
  // The labels take their heights, weights and colours from the form; each
  // sizes itself to its caption in the face actually found here.
  for (auto* label : ui_->Panel1->findChildren<QLabel*>()) {
    label->ensurePolished();
    label->adjustSize();
  }
}

void TForm2::BoxChange(Field field, const QString& text) {
  sheet_.setText(field, text.toStdString());
}

void TForm2::EXaChange(const QString& text) {
  BoxChange(Field::EXa, text);
}

void TForm2::EYaChange(const QString& text) {
  BoxChange(Field::EYa, text);
}

void TForm2::ShowField(std::string_view name) {
  const auto field = pothenot::FieldByName(name);
  if (!field) return;
  QLineEdit* box = boxes_[static_cast<std::size_t>(*field)];
  const QString text = QString::fromUtf8(sheet_.text(*field));
  // The box that is being typed into already shows the text: leave its
  // cursor and undo history alone.
  if (box->text() != text) box->setText(text);
  emit sheetChanged();
}

QLineEdit* TForm2::box(Field field) const {
  return boxes_[static_cast<std::size_t>(field)];
}

QWidget* TForm2::sheetPanel() const {
  return ui_->Panel1;
}

std::string TForm2::DecimalSeparator() {
  return QLocale::system().decimalPoint().toStdString();
}

void TForm2::addCommand(QAction* action) {
  // The keys work wherever the focus is in this window; the menu opens on the
  // panel's background (the boxes keep their own editing menus).
  action->setShortcutContext(Qt::WindowShortcut);
  addAction(action);
  ui_->Panel1->setContextMenuPolicy(Qt::ActionsContextMenu);
  ui_->Panel1->addAction(action);
}

void TForm2::BitBtn1Click() {
  emit calculateStarted();
  pothenot::Calculate(sheet_, DecimalSeparator());
}

void TForm2::BitBtn2Click() {
  close();
}

void TForm2::BitBtn3Click() {
  emit clearStarted();
  sheet_.clear();
}

void TForm2::keyPressEvent(QKeyEvent* event) {
  // The worksheet has no cancel button: Escape does not close the window.
  if (event->matches(QKeySequence::Cancel)) {
    event->ignore();
    return;
  }
  QDialog::keyPressEvent(event);
}
