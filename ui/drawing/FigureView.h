#pragma once

#include <QPointF>
#include <QRectF>
#include <QWidget>

#include "ui/drawing/Figure.h"

class QPainter;

namespace pothenot {

/// The figure of the resection as a map: X north (up), Y east (right). Shows
/// the known points, the station, the rays with the arcs of γ1 and γ2, the
/// control ray, the danger circle, a north arrow and a scale bar.
///
/// The view starts fitted to the points with margins and follows the figure
/// as it changes; the wheel zooms about the pointer and dragging pans, which
/// keep the view where the user put it until the points move (new givens); a
/// double click fits again.
class FigureView : public QWidget {
  Q_OBJECT

 public:
  explicit FigureView(QWidget* parent = nullptr);

  /// Shows `figure`, fitted afresh when its points are not those shown.
  void setFigure(pothenot::Figure figure);
  const pothenot::Figure& figure() const { return figure_; }

  /// Paints the figure with the current view into `target` of any painter (a
  /// widget, an image, a vector file or a printed page). The view's zoom and
  /// pan are kept relative to the fitted view, so they carry over to any
  /// rectangle.
  void paintFigure(QPainter& painter, const QRectF& target) const;

  /// Where a map point lies in `target` with the current view, in the
  /// painter's units, and back.
  QPointF toScreen(pothenot::MapPoint p, const QRectF& target) const;
  pothenot::MapPoint toMap(QPointF q, const QRectF& target) const;

  /// Back to the figure fitted with margins, following it as it changes.
  void fit();
  /// Takes the zoom and pan of `other` when it shows the same points as this
  /// view; otherwise its view belongs to another figure, and this one fits.
  void takeView(const FigureView& other);

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
  /// The view fitted to the figure: its points in `target` less the margins.
  View fittedView(const QRectF& target) const;
  View currentView(const QRectF& target) const;

  // The parts of the figure, in the order they are painted over each other.
  struct Canvas;
  void paintDangerCircle(const Canvas& c) const;
  void paintRays(const Canvas& c) const;
  void paintKnownPoints(const Canvas& c) const;
  void paintStations(const Canvas& c) const;
  void paintNorthArrow(const Canvas& c) const;
  void paintScaleBar(const Canvas& c) const;

  pothenot::Figure figure_;
  bool following_ = true;
  double zoom_ = 1;  ///< the scale over the fitted one
  pothenot::MapPoint centre_;
  QPointF dragFrom_;
  bool dragging_ = false;
};

}  // namespace pothenot
