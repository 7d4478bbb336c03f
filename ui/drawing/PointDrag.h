// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointF>

#include "ui/drawing/Figure.h"

class TForm2;

namespace pothenot {

class FigureView;
class SheetDocument;

/// The points of the drawing moved by hand. Over A, B, C, D or the station P
/// the cursor becomes a four-way arrow; dragging such a point moves it, and a
/// click chooses it for the arrow keys, which move it one metre north, south,
/// east or west (ten with Shift). A known point moved writes its two
/// coordinates into the sheet, to the centimetre; the station moved writes
/// γ1, γ2 and ε измеренный (when D is drawn) that a station there would
/// measure, in whole seconds (AnglesAt). A given whose value stays is not
/// written, so a drag never touches a given it does not move. Each drag and
/// each key is one step of the sheet's undo (`SheetDocument`), also a drag
/// cut off without a release (the view hidden, its focus or window lost).
/// Elsewhere the view pans as before.
class PointDrag : public QObject {
  Q_OBJECT

 public:
  /// Watches `view`, which owns this object, and writes into `form`'s sheet.
  PointDrag(FigureView* view, TForm2* form, SheetDocument* document);

  /// The point drawn within reach of `q` (view coordinates, the nearest when
  /// several are): 0 to 3 the known point A to D, FigureView::kStation the
  /// station, -1 none.
  int pointAt(QPointF q) const;
  /// Writes the givens that put `point` at `to`, as one drag step does.
  void moveTo(int point, MapPoint to);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  /// Where the sheet puts `point` now, if it can be read.
  std::optional<MapPoint> placeOf(int point) const;
  bool press(QPointF at);
  bool key(int key, bool tenfold);
  void finish(int point);
  /// Ends the drag under way, if any, as its release would.
  void endDrag();

  FigureView* view_;
  TForm2* form_;
  SheetDocument* document_;
  int dragged_ = -1;
  QPointF grab_;  ///< the dragged point's map place less the pointer's (x, y)
};

}  // namespace pothenot
