// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/methods/MethodsWindow.h"

#include <QAction>
#include <QScrollBar>

#include "calc/calc_error.h"
#include "calc/fix_quality.h"
#include "calc/methods.h"
#include "ui/methods/MethodsReport.h"
#include "ui/sheet/Zadaha.h"
#include "ui_MethodsWindow.h"

namespace pothenot {

MethodsWindow::MethodsWindow(TForm2* form, QAction* toggle)
    : QWidget(form, Qt::Window), ui_(std::make_unique<Ui::MethodsWindow>()), form_(form) {
  ui_->setupUi(this);
  addAction(toggle);
  connect(form, &TForm2::sheetChanged, this, [this] { redraws_.schedule(); });
}

MethodsWindow::~MethodsWindow() = default;

QString MethodsWindow::text() const {
  return ui_->Report->toPlainText();
}

const QTextDocument* MethodsWindow::document() const {
  return ui_->Report->document();
}

void MethodsWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  redraw();
}

void MethodsWindow::redraw() {
  if (!isVisible()) return;
  const std::string separator = TForm2::decimalSeparator();
  QString html;
  try {
    const std::vector<MethodSolution> methods = SolveByMethods(form_->worksheet(), separator);
    std::optional<StationXY> exact;
    try {
      const FixQuality fix = AssessFix(form_->worksheet(), separator, kDefaultAngleErrorSeconds);
      exact = StationXY{fix.Xp, fix.Yp};
    } catch (const CalcError&) {
      // No exact station (D at the station, say): the methods are compared
      // with one another, and the drawing says why.
    }
    html = methodsReport(methods, exact, QString::fromStdString(separator));
  } catch (const CalcError& e) {
    html = methodsUnreadable(QString::fromUtf8(e.what()));
  }
  // Where the reader was, stays: a typed digit does not throw the view back up.
  const int scrolled = ui_->Report->verticalScrollBar()->value();
  ui_->Report->setHtml(html);
  ui_->Report->verticalScrollBar()->setValue(scrolled);
}

}  // namespace pothenot
