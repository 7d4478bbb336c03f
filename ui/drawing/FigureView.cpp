// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/drawing/FigureView.h"

#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <tuple>
#include <utility>

namespace pothenot {

namespace {

constexpr double kDegree = std::numbers::pi / 180;
// The smallest span the fitted view shows, metres: points closer than a
// millimetre are one point on any survey drawing.
constexpr double kSmallestSpan = 1e-3;
constexpr double kMinZoom = 1e-3;
constexpr double kMaxZoom = 1e7;
// A danger circle larger than this many spans of the points is left out of
// the fit: it is nearly a straight line through them.
constexpr double kCircleInFit = 2;

const QColor kRayColour(60, 60, 60);
const QColor kControlColour(0, 90, 170);
const QColor kDangerColour(220, 0, 0);
const QColor kKnownColour(0, 110, 0);
const QColor kSheetColour(200, 110, 0);

// The dashed red pen of the danger circle. On screen a one-pixel line: the
// painter draws it a dozen times faster than a wider one, which keeps a
// redraw within its time; larger targets (pictures, pages) get a wider one.
QPen dangerPen(double u) {
  QPen pen(kDangerColour, u < 1.5 ? 1 : 1.5 * u);
  pen.setCosmetic(u < 1.5);
  pen.setDashPattern({6, 4});
  return pen;
}

// Direction angle from p to q, degrees clockwise from north (X), [0, 360).
double azimuth(MapPoint p, MapPoint q) {
  const double a = std::atan2(q.y - p.y, q.x - p.x) / kDegree;
  return a < 0 ? a + 360 : a;
}

// The part of the segment a–b inside `r` (Liang–Barsky), or nothing. Keeps a
// far end (a point a million screens away) out of the painter, which draws
// such lines wrongly or slowly.
std::optional<QLineF> clip(QPointF a, QPointF b, const QRectF& r) {
  double t0 = 0, t1 = 1;
  const double dx = b.x() - a.x(), dy = b.y() - a.y();
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {a.x() - r.left(), r.right() - a.x(), a.y() - r.top(), r.bottom() - a.y()};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return std::nullopt;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) {
      t0 = std::max(t0, t);
    } else {
      t1 = std::min(t1, t);
    }
    if (t0 > t1) return std::nullopt;
  }
  return QLineF(a.x() + t0 * dx, a.y() + t0 * dy, a.x() + t1 * dx, a.y() + t1 * dy);
}

// The part of a circle (centre c, radius r, painter units) that passes within
// `area`, as a polyline of bounded length whatever the radius.
QPolygonF visibleArc(QPointF c, double r, const QRectF& area) {
  const QPointF v = area.center();
  const double reach = std::hypot(area.width(), area.height()) / 2;
  const double d = std::hypot(v.x() - c.x(), v.y() - c.y());
  if (!std::isfinite(r) || !std::isfinite(d) || std::abs(r - d) > reach) return {};
  // Points of the circle within `reach` of the area's centre lie within ±half
  // of the direction from the centre towards it.
  double half = std::numbers::pi;
  if (d > 0) half = std::acos(std::clamp((r * r + d * d - reach * reach) / (2 * r * d), -1.0, 1.0));
  const double towards = d > 0 ? std::atan2(v.y() - c.y(), v.x() - c.x()) : 0;
  constexpr int kSteps = 240;
  QPolygonF arc;
  arc.reserve(kSteps + 1);
  for (int i = 0; i <= kSteps; ++i) {
    const double t = towards - half + 2 * half * i / kSteps;
    arc << QPointF(c.x() + r * std::cos(t), c.y() + r * std::sin(t));
  }
  return arc;
}

// A round length for the scale bar: 1, 2 or 5 times a power of ten, metres,
// at most `longest`.
double roundLength(double longest) {
  const double power = std::pow(10.0, std::floor(std::log10(longest)));
  for (double step : {5.0, 2.0, 1.0})
    if (step * power <= longest) return step * power;
  return power;
}

// The scale bar's length in Russian numbers: "500 м", "2 000 км", "0,5 мм".
QString metresText(double metres) {
  const QLocale russian(QLocale::Russian, QLocale::Russia);
  const auto [value, unit] = metres >= 1000 ? std::pair{metres / 1000, "км"}
                             : metres >= 1  ? std::pair{metres, "м"}
                                            : std::pair{metres * 1000, "мм"};
  // 1, 2 or 5 times a power of ten: as many decimals as a value below one needs.
  const int decimals = value >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(value) - 1e-9));
  return russian.toString(value, 'f', decimals) + u' ' + QString::fromUtf8(unit);
}

// The size of a mark in `target`: one at the window's usual size, so that a
// page or a large picture shows the same figure as the window.
double markSize(const QRectF& target) {
  return std::clamp(std::min(target.width(), target.height()) / 520, 0.6, 8.0);
}

}  // namespace

FigureView::FigureView(QWidget* parent) : QWidget(parent), still_(new QTimer(this)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(240, 200);
  setCursor(Qt::OpenHandCursor);
  still_->setSingleShot(true);
  still_->setInterval(200);
  connect(still_, &QTimer::timeout, this, [this] {
    moving_ = false;
    if (mapShown_) update();
  });
}

void FigureView::setFigure(Figure figure, Change change) {
  // A point moved by hand stays in the view the hand moves it in. Other
  // givens may lie anywhere: a view zoomed, panned or held onto the old points
  // could show empty paper.
  if (!figure.samePoints(figure_)) change == Change::Moved ? holdView() : fit();
  figure_ = std::move(figure);
  update();
}

void FigureView::setAccuracyMapShown(bool shown) {
  mapShown_ = shown;
  update();
}

void FigureView::holdView() {
  const QRectF target = rect();
  const View v = currentView(target);
  Extent extent{-HUGE_VAL, HUGE_VAL, HUGE_VAL, -HUGE_VAL};  // none, unless there are points
  fittedView(target, &extent);
  if (!held_ && extent[0] >= extent[1]) held_ = extent;
  centre_ = v.centre;
  zoom_ = v.scale / fittedView(target).scale;
  following_ = false;
}

void FigureView::noteMotion() {
  moving_ = true;
  still_->start();
}

void FigureView::setChosen(int point) {
  chosen_ = point;
  update();
}

void FigureView::fit() {
  following_ = true;
  held_.reset();
  zoom_ = 1;
  update();
}

void FigureView::takeView(const FigureView& other) {
  mapShown_ = other.mapShown_;
  if (!figure_.samePoints(other.figure_)) return fit();
  following_ = other.following_;
  zoom_ = other.zoom_;
  centre_ = other.centre_;
  held_ = other.held_;
  update();
}

FigureView::View FigureView::fittedView(const QRectF& target, Extent* extent) const {
  double top = -HUGE_VAL, bottom = HUGE_VAL, left = HUGE_VAL, right = -HUGE_VAL;
  auto take = [&](MapPoint p) {
    top = std::max(top, p.x), bottom = std::min(bottom, p.x);
    left = std::min(left, p.y), right = std::max(right, p.y);
  };
  for (const auto& p : figure_.known)
    if (p) take(*p);
  if (figure_.station) take(*figure_.station);
  if (figure_.sheetStation) take(*figure_.sheetStation);
  if (top < bottom) return {{0, 0}, 1};
  if (figure_.circleDrawable()) {
    const auto& f = *figure_.fix;
    const double span = std::max(top - bottom, right - left);
    if (f.circleRadius <= kCircleInFit * span) {
      take({f.circleX + f.circleRadius, f.circleY + f.circleRadius});
      take({f.circleX - f.circleRadius, f.circleY - f.circleRadius});
    }
  }
  if (extent != nullptr) *extent = {top, bottom, left, right};
  if (held_) std::tie(top, bottom, left, right) = std::tuple_cat(*held_);
  const double margin = 0.08 * std::min(target.width(), target.height()) + 24;
  const double width = std::max(target.width() - 2 * margin, 1.0);
  const double height = std::max(target.height() - 2 * margin, 1.0);
  const double scale = std::min(width / std::max(right - left, kSmallestSpan),
                                height / std::max(top - bottom, kSmallestSpan));
  return {{bottom + (top - bottom) / 2, left + (right - left) / 2}, scale};
}

FigureView::View FigureView::currentView(const QRectF& target) const {
  View v = fittedView(target);
  if (following_) return v;
  return {centre_, v.scale * zoom_};
}

QPointF FigureView::toScreen(MapPoint p, const QRectF& target) const {
  const View v = currentView(target);
  const QPointF c = target.center();
  return {c.x() + (p.y - v.centre.y) * v.scale, c.y() - (p.x - v.centre.x) * v.scale};
}

MapPoint FigureView::toMap(QPointF q, const QRectF& target) const {
  const View v = currentView(target);
  const QPointF c = target.center();
  return {v.centre.x - (q.y() - c.y()) / v.scale, v.centre.y + (q.x() - c.x()) / v.scale};
}

// Where one painting goes: the painter, its target, the size of a mark (u,
// one at the window's usual size) and the area a little beyond the target in
// which parts are drawn at all.
struct FigureView::Canvas {
  QPainter& painter;
  QRectF target;
  double u;
  QRectF area;
  View view;

  // A segment, clipped to the area.
  void line(QPointF a, QPointF b) const {
    if (const auto l = clip(a, b, area)) painter.drawLine(*l);
  }
  void label(QPointF q, const QString& text, const QColor& colour) const {
    painter.setPen(colour);
    painter.drawText(q + QPointF(7 * u, -6 * u), text);
  }
};

void FigureView::paintFigure(QPainter& painter, const QRectF& target) const {
  painter.save();
  painter.setClipRect(target);
  painter.fillRect(target, Qt::white);
  painter.setRenderHint(QPainter::Antialiasing);
  const double u = markSize(target);
  QFont font = painter.font();
  font.setPixelSize(static_cast<int>(std::lround(13 * u)));
  painter.setFont(font);
  const Canvas canvas{painter, target, u, target.adjusted(-8 * u, -8 * u, 8 * u, 8 * u),
                      currentView(target)};
  const auto& known = figure_.known;
  const bool mapped = mapShown_ && known[Figure::A] && known[Figure::B] && known[Figure::C];
  if (mapped) {
    map_.paint(painter, {target, toMap(target.topLeft(), target), canvas.view.scale},
               {*known[Figure::A], *known[Figure::B], *known[Figure::C]}, figure_.angleErrorSeconds,
               u, roughMap_);
  }
  paintDangerCircle(canvas);
  paintRays(canvas);
  paintKnownPoints(canvas);
  paintStations(canvas);
  paintNorthArrow(canvas);
  paintScaleBar(canvas);
  if (mapped) AccuracyMap::paintLegend(painter, target, u, figure_.angleErrorSeconds);
  painter.restore();
}

void FigureView::paintDangerCircle(const Canvas& c) const {
  if (figure_.circleDrawable()) {
    const auto& f = *figure_.fix;
    const QPolygonF arc = visibleArc(toScreen({f.circleX, f.circleY}, c.target),
                                     f.circleRadius * c.view.scale, c.area);
    c.painter.setPen(dangerPen(c.u));
    c.painter.setBrush(Qt::NoBrush);
    c.painter.drawPolyline(arc);
    return;
  }
  if (!figure_.fix) return;
  // A, B and C on one line, or nearly so: the danger circle is drawn as the
  // line through the two of them farthest apart.
  std::optional<QLineF> chord;
  for (auto [i, j] :
       {std::pair{Figure::A, Figure::B}, {Figure::A, Figure::C}, {Figure::B, Figure::C}}) {
    if (!figure_.known[i] || !figure_.known[j]) continue;
    const QLineF l(toScreen(*figure_.known[i], c.target), toScreen(*figure_.known[j], c.target));
    if (!chord || l.length() > chord->length()) chord = l;
  }
  if (chord && chord->length() > 0) {
    const QPointF along = (chord->p2() - chord->p1()) / chord->length();
    const double reach =
        QLineF(chord->p1(), c.area.center()).length() + c.area.width() + c.area.height();
    c.painter.setPen(dangerPen(c.u));
    c.line(chord->p1() - along * reach, chord->p1() + along * reach);
  }
}

void FigureView::paintRays(const Canvas& c) const {
  if (!figure_.station) return;
  const auto& known = figure_.known;
  const double u = c.u;
  const MapPoint p = *figure_.station;
  const QPointF ps = toScreen(p, c.target);
  c.painter.setPen(QPen(kRayColour, 1.2 * u));
  for (auto k : {Figure::A, Figure::B, Figure::C})
    if (known[k]) c.line(ps, toScreen(*known[k], c.target));
  if (known[Figure::D]) {
    c.painter.setPen(QPen(kControlColour, 1.2 * u, Qt::DashLine));
    c.line(ps, toScreen(*known[Figure::D], c.target));
  }
  // The arcs of γ1 (A to B) and γ2 (A to C), clockwise as measured.
  if (!known[Figure::A] || !c.area.adjusted(-60 * u, -60 * u, 60 * u, 60 * u).contains(ps)) return;
  const double from = azimuth(p, *known[Figure::A]);
  int ring = 0;
  for (auto k : {Figure::B, Figure::C}) {
    if (!known[k]) continue;
    const double sweep = std::fmod(azimuth(p, *known[k]) - from + 360, 360);
    const double r = (26 + 14 * ring++) * u;
    c.painter.setPen(QPen(kRayColour, 1 * u));
    c.painter.drawArc(QRectF(ps.x() - r, ps.y() - r, 2 * r, 2 * r),
                      static_cast<int>(std::lround((90 - from) * 16)),
                      -static_cast<int>(std::lround(sweep * 16)));
    const double mid = (from + sweep / 2) * kDegree;
    const QPointF tip = ps + QPointF(std::sin(mid), -std::cos(mid)) * (r + 9 * u);
    c.painter.drawText(QRectF(tip.x() - 14 * u, tip.y() - 9 * u, 28 * u, 18 * u), Qt::AlignCenter,
                       k == Figure::B ? "γ1" : "γ2");
  }
}

void FigureView::paintKnownPoints(const Canvas& c) const {
  const auto& known = figure_.known;
  for (std::size_t k = 0; k < known.size(); ++k) {
    if (!known[k]) continue;
    const QPointF q = toScreen(*known[k], c.target);
    if (!c.area.contains(q)) continue;
    const double s = 6 * c.u;
    c.painter.setPen(QPen(kKnownColour, 1.4 * c.u));
    c.painter.setBrush(Qt::white);
    c.painter.drawPolygon(
        QPolygonF{q + QPointF(0, -s), q + QPointF(s, 0.7 * s), q + QPointF(-s, 0.7 * s)});
    c.label(q, QString::fromUtf8(Figure::kKnownNames[k]), kKnownColour);
  }
}

void FigureView::paintStations(const Canvas& c) const {
  const double u = c.u;
  if (figure_.sheetStation) {
    const QPointF q = toScreen(*figure_.sheetStation, c.target);
    // Shown only where it parts from the exact station at this scale.
    const bool apart =
        !figure_.station || QLineF(q, toScreen(*figure_.station, c.target)).length() >= 3 * u;
    if (apart && c.area.contains(q)) {
      c.painter.setPen(QPen(kSheetColour, 1.4 * u));
      c.painter.setBrush(Qt::NoBrush);
      c.painter.drawRect(QRectF(q.x() - 4 * u, q.y() - 4 * u, 8 * u, 8 * u));
      c.label(q + QPointF(0, 16 * u), "P′ (лист)", kSheetColour);
    }
  }
  if (figure_.station) {
    const QPointF q = toScreen(*figure_.station, c.target);
    if (c.area.contains(q)) {
      c.painter.setPen(QPen(Qt::black, 1 * u));
      c.painter.setBrush(Qt::black);
      c.painter.drawEllipse(q, 3.5 * u, 3.5 * u);
      c.label(q, "P", Qt::black);
    }
  }
}

void FigureView::paintChosen(QPainter& painter, const QRectF& target) const {
  std::optional<MapPoint> p;
  if (chosen_ >= 0 && chosen_ < int(figure_.known.size())) p = figure_.known[chosen_];
  if (chosen_ == kStation) p = figure_.station;
  if (!p) return;
  const double u = markSize(target);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(0, 90, 170), 1.5 * u, Qt::DotLine));
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(toScreen(*p, target), 11 * u, 11 * u);
}

void FigureView::paintNorthArrow(const Canvas& c) const {
  const double u = c.u;
  c.painter.setPen(QPen(Qt::black, 1.2 * u));
  c.painter.setBrush(Qt::black);
  const QPointF base(c.target.right() - 24 * u, c.target.top() + 58 * u);
  const QPointF head = base - QPointF(0, 34 * u);
  c.painter.drawLine(base, head);
  c.painter.drawPolygon(
      QPolygonF{head, head + QPointF(-5 * u, 11 * u), head + QPointF(5 * u, 11 * u)});
  c.painter.drawText(QRectF(head.x() - 15 * u, head.y() - 19 * u, 30 * u, 16 * u), Qt::AlignCenter,
                     "С (X)");
}

void FigureView::paintScaleBar(const Canvas& c) const {
  // A round length near a quarter of the width, bottom left.
  const double u = c.u;
  const double metres = roundLength(c.target.width() / 4 / c.view.scale);
  const double length = metres * c.view.scale;
  const QPointF start(c.target.left() + 16 * u, c.target.bottom() - 16 * u);
  const QPointF end = start + QPointF(length, 0);
  c.painter.setPen(QPen(Qt::black, 1.5 * u));
  c.painter.drawLine(start, end);
  c.painter.drawLine(start, start - QPointF(0, 6 * u));
  c.painter.drawLine(end, end - QPointF(0, 6 * u));
  c.painter.drawText(start + QPointF(0, -9 * u), metresText(metres));
}

void FigureView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  roughMap_ = moving_;
  paintFigure(painter, rect());
  roughMap_ = false;
  paintChosen(painter, rect());
}

void FigureView::wheelEvent(QWheelEvent* event) {
  const QRectF target = rect();
  const QPointF pointer = event->position();
  const MapPoint under = toMap(pointer, target);
  const View before = currentView(target);
  const double fitted = fittedView(target).scale;
  zoom_ = std::clamp(before.scale / fitted * std::pow(1.0015, event->angleDelta().y()), kMinZoom,
                     kMaxZoom);
  following_ = false;
  // The point under the pointer stays there.
  const double scale = fitted * zoom_;
  const QPointF c = target.center();
  centre_ = {under.x + (pointer.y() - c.y()) / scale, under.y - (pointer.x() - c.x()) / scale};
  noteMotion();
  update();
  event->accept();
}

void FigureView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  dragging_ = true;
  dragFrom_ = event->position();
  setCursor(Qt::ClosedHandCursor);
}

void FigureView::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) return QWidget::mouseMoveEvent(event);
  const QRectF target = rect();
  const View v = currentView(target);
  const QPointF shift = event->position() - dragFrom_;
  dragFrom_ = event->position();
  centre_ = {v.centre.x + shift.y() / v.scale, v.centre.y - shift.x() / v.scale};
  zoom_ = v.scale / fittedView(target).scale;
  following_ = false;
  noteMotion();
  update();
}

void FigureView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
  dragging_ = false;
  setCursor(Qt::OpenHandCursor);
}

void FigureView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mouseDoubleClickEvent(event);
  fit();
}

}  // namespace pothenot
