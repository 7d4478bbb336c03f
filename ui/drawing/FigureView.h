// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointF>
#include <QRectF>
#include <QWidget>

#include "ui/drawing/AccuracyMap.h"
#include "ui/drawing/Figure.h"

class QPainter;
class QTimer;

namespace pothenot {

/// The figure of the resection as a map: X north (up), Y east (right). Shows
/// the known points, the station, the rays with the arcs of γ1 and γ2, the
/// control ray, the danger circle, a north arrow and a scale bar.
///
/// The view starts fitted to the points with margins and follows the figure
/// as it changes; the wheel zooms about the pointer and dragging pans, which
/// keep the view where the user put it, also while points are moved by hand,
/// until other givens bring other points; a double click fits again.
class FigureView : public QWidget {
  Q_OBJECT

 public:
  explicit FigureView(QWidget* parent = nullptr);

  /// How the givens of a figure came to differ from those shown.
  enum class Change {
    Moved,     ///< a point moved by hand, or such a move undone or redone
    Replaced,  ///< anything else: typed, opened, a new variant
  };
  /// Shows `figure`. When its points are not those shown, a move keeps the
  /// zoom and the pan (holdView()); other givens are fitted afresh.
  void setFigure(pothenot::Figure figure, Change change = Change::Replaced);
  const pothenot::Figure& figure() const { return figure_; }

  /// Paints the figure with the current view into `target` of any painter (a
  /// widget, an image, a vector file or a printed page). The view's zoom and
  /// pan are kept relative to the fitted view, so they carry over to any
  /// rectangle. The chosen point's ring is the screen's alone: it is no part
  /// of the figure.
  void paintFigure(QPainter& painter, const QRectF& target) const;

  /// Where a map point lies in `target` with the current view, in the
  /// painter's units, and back.
  QPointF toScreen(pothenot::MapPoint p, const QRectF& target) const;
  pothenot::MapPoint toMap(QPointF q, const QRectF& target) const;

  /// Back to the figure fitted with margins, following it as it changes.
  void fit();
  /// Takes the zoom, pan, held extent and map of `other` when it shows the
  /// same points as this view; otherwise its view belongs to another figure,
  /// and this one fits (the map is taken either way).
  void takeView(const FigureView& other);
  /// Keeps the view where it is as the figure changes (a point dragged):
  /// the extent it was fitted to stays, for any target, until fit().
  void holdView();

  /// The accuracy map under the figure, with its legend, or not (the start).
  void setAccuracyMapShown(bool shown);
  bool accuracyMapShown() const { return mapShown_; }
  /// The map as last painted, with its contours in that painting's units.
  const pothenot::AccuracyMap& accuracyMap() const { return map_; }

  /// The view or the figure moves under the user's hand (the wheel, a pan, a
  /// point dragged): on screen the map is drawn at half resolution until
  /// nothing has moved for a fifth of a second, then in full.
  void noteMotion();

  /// The point marked as chosen: 0 to 3 the known point A to D, kStation the
  /// station, -1 none.
  static constexpr int kStation = 4;
  void setChosen(int point);
  int chosen() const { return chosen_; }

  QSize sizeHint() const override { return {560, 520}; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  struct View {
    pothenot::MapPoint centre;  ///< the map point at the target's centre
    double scale;               ///< painter units per metre
  };
  /// The figure's extent: top, bottom, left, right in metres.
  using Extent = std::array<double, 4>;
  /// The view fitted to the figure: its points in `target` less the margins,
  /// or the extent held by holdView(). `extent`, if given, receives the
  /// figure's own.
  View fittedView(const QRectF& target, Extent* extent = nullptr) const;
  View currentView(const QRectF& target) const;

  // The parts of the figure, in the order they are painted over each other.
  struct Canvas;
  void paintDangerCircle(const Canvas& c) const;
  void paintRays(const Canvas& c) const;
  void paintKnownPoints(const Canvas& c) const;
  void paintStations(const Canvas& c) const;
  void paintNorthArrow(const Canvas& c) const;
  void paintScaleBar(const Canvas& c) const;
  void paintChosen(QPainter& painter, const QRectF& target) const;

  pothenot::Figure figure_;
  bool mapShown_ = false;
  bool moving_ = false;    ///< see noteMotion()
  bool roughMap_ = false;  ///< set while painting on screen in motion
  QTimer* still_;
  mutable pothenot::AccuracyMap map_;  ///< the last map, kept while the view stays
  int chosen_ = -1;
  std::optional<Extent> held_;  ///< see holdView()
  bool following_ = true;
  double zoom_ = 1;  ///< the scale over the fitted one
  pothenot::MapPoint centre_;
  QPointF dragFrom_;
  bool dragging_ = false;
};

}  // namespace pothenot
