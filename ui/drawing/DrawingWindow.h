// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>
#include <memory>

#include "ui/common/CoalescedCall.h"
#include "ui/common/SafeFile.h"

class QAction;
class TForm2;

namespace Ui {
class DrawingWindow;
}

namespace pothenot {

class CalculatedStation;
class DrawingWindow;
class FigureView;
class SheetDocument;

/// "Чертёж засечки": the figure of the problem window's worksheet beside what
/// it says about the fix. A top-level window of the problem window, so that
/// it can be used while that one is shown modally. It follows the worksheet:
/// every change of a field schedules one redraw, done when the events of the
/// change are through (a Calculate changes 29 fields at once).
class DrawingWindow : public QWidget {
  Q_OBJECT

 public:
  /// `toggle` is the command that shows and hides this window: its key works
  /// here as in the problem window. `sheetStation` tells whether the sheet's
  /// Xp, Yp belong to its givens; `document`, whether they changed by a step of
  /// its own (a move of the drawing's points, its undo or redo), which keeps the
  /// view, or otherwise, which fits it.
  DrawingWindow(TForm2* form, QAction* toggle, const CalculatedStation* sheetStation,
                const SheetDocument* document);
  ~DrawingWindow() override;

  FigureView* figureView() const;
  /// m_β, arc seconds, as the user set it.
  double angleError() const;
  /// The text beside the figure.
  QString report() const;

  /// Writes the figure as the user sees it into `path`: PNG when the name
  /// ends in ".png", SVG otherwise; a file that is there is replaced only
  /// once the new one is whole. Returns whether the file was written.
  bool saveFigure(const QString& path) const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void redraw();
  void saveClick();
  safeFile::Outcome saveAs(const QString& path) const;

  std::unique_ptr<Ui::DrawingWindow> ui_;
  TForm2* form_;
  const CalculatedStation* sheetStation_;
  bool replaced_ = true;  ///< givens changed other than by a move since the last redraw
  CoalescedCall redraws_{this, [this] { redraw(); }};
};

}  // namespace pothenot
