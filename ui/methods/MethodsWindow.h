// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>
#include <memory>

#include "ui/common/CoalescedCall.h"

class QAction;
class QTextDocument;
class TForm2;

namespace Ui {
class MethodsWindow;
}

namespace pothenot {

/// "Способы решения": the problem window's figure solved by the worksheet's
/// scheme without cuts and by the classical methods, each with its steps, its
/// station and its distance from the exact station, or why it fails. A
/// top-level window of the problem window, usable while that one is shown
/// modally. It follows the worksheet: every change of a field schedules one
/// redraw, done when the events of the change are through (a Calculate
/// changes 29 fields at once).
class MethodsWindow : public QWidget {
  Q_OBJECT

 public:
  /// `toggle` is the command that shows and hides this window: its key works
  /// here as in the problem window.
  MethodsWindow(TForm2* form, QAction* toggle);
  ~MethodsWindow() override;

  /// What the window shows, as plain text.
  QString text() const;
  /// What the window shows, for the printed sheet.
  const QTextDocument* document() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void redraw();

  std::unique_ptr<Ui::MethodsWindow> ui_;
  TForm2* form_;
  CoalescedCall redraws_{this, [this] { redraw(); }};
};

}  // namespace pothenot
