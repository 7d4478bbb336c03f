// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/drawing/PointDrag.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <cmath>
#include <string>

#include "calc/calc_error.h"
#include "calc/design.h"
#include "calc/fix_quality.h"
#include "calc/number_text.h"
#include "ui/document/SheetDocument.h"
#include "ui/drawing/FigureView.h"
#include "ui/sheet/Zadaha.h"

namespace pothenot {

namespace {

// Pixels from a point's mark within which the pointer takes it.
constexpr double kReach = 10;

constexpr std::array<std::array<Field, 2>, 4> kCoordinates{{
    {Field::EXa, Field::EYa},
    {Field::EXb, Field::EYb},
    {Field::EXc, Field::EYc},
    {Field::EXd, Field::EYd},
}};

std::optional<double> valueOf(const TWorksheet& sheet, Field field, const std::string& separator) {
  try {
    return NumberFromText(sheet.text(field), separator).ToDouble();
  } catch (const CalcError&) {
    return std::nullopt;
  }
}

QString nameOf(int point) {
  return point == FigureView::kStation
             ? QStringLiteral("станции P")
             : "пункта " + QString::fromUtf8(Figure::kKnownNames[std::size_t(point)]);
}

}  // namespace

PointDrag::PointDrag(FigureView* view, TForm2* form, SheetDocument* document)
    : QObject(view), view_(view), form_(form), document_(document) {
  view->setMouseTracking(true);
  view->setFocusPolicy(Qt::StrongFocus);
  view->installEventFilter(this);
}

int PointDrag::pointAt(QPointF q) const {
  const Figure& f = view_->figure();
  const QRectF target = view_->rect();
  int nearest = -1;
  double best = kReach;
  auto consider = [&](int point, const std::optional<MapPoint>& p) {
    if (!p) return;
    const double d = QLineF(view_->toScreen(*p, target), q).length();
    if (d <= best) best = d, nearest = point;
  };
  for (int k = 0; k < int(f.known.size()); ++k) consider(k, f.known[std::size_t(k)]);
  consider(FigureView::kStation, f.station);
  return nearest;
}

std::optional<MapPoint> PointDrag::placeOf(int point) const {
  const TWorksheet& sheet = form_->worksheet();
  const std::string separator = TForm2::decimalSeparator();
  if (point != FigureView::kStation) {
    const auto x = valueOf(sheet, kCoordinates[std::size_t(point)][0], separator);
    const auto y = valueOf(sheet, kCoordinates[std::size_t(point)][1], separator);
    if (!x || !y) return std::nullopt;
    return MapPoint{*x, *y};
  }
  try {
    const FixQuality q = AssessFix(sheet, separator, kDefaultAngleErrorSeconds);
    return MapPoint{q.Xp, q.Yp};
  } catch (const CalcError&) {
    return std::nullopt;
  }
}

void PointDrag::moveTo(int point, MapPoint to) {
  const TWorksheet& sheet = form_->worksheet();
  const std::string separator = TForm2::decimalSeparator();
  SheetDocument::Texts texts;
  // A part is written only when its value changes.
  auto put = [&](Field field, double value, const std::string& text) {
    if (valueOf(sheet, field, separator) != value) texts.emplace_back(field, text);
  };
  if (point != FigureView::kStation) {
    for (int axis = 0; axis < 2; ++axis) {
      const double centimetres = std::round((axis == 0 ? to.x : to.y) * 100);
      const double value = centimetres / 100 + 0.0;  // never "-0,00"
      const Field field = kCoordinates[std::size_t(point)][std::size_t(axis)];
      const auto now = valueOf(sheet, field, separator);
      if (now && std::round(*now * 100) == centimetres) continue;
      put(field, value,
          QString::number(value, 'f', 2)
              .replace(u'.', QString::fromStdString(separator))
              .toStdString());
    }
  } else {
    std::array<PlanePoint, 4> known{};
    for (std::size_t k = 0; k < known.size(); ++k) {
      const auto p = placeOf(int(k));
      if (!p && k != Figure::D) return;
      known[k] = p ? PlanePoint{p->x, p->y} : known[0];
    }
    const bool control = placeOf(Figure::D).has_value();
    MeasuredAngles angles;
    try {
      angles = AnglesAt({to.x, to.y}, known[0], known[1], known[2], known[3]);
    } catch (const CalcError&) {
      return;  // the pointer on a known point: the station cannot stand there
    }
    auto putAngle = [&](const scheme::Dms& a, Field degrees, Field minutes, Field seconds) {
      for (auto [field, part] :
           {std::pair{degrees, a.degrees}, {minutes, a.minutes}, {seconds, a.seconds}})
        put(field, double(part), std::to_string(part));
    };
    putAngle(angles.gamma1, Field::Ey1g, Field::Ey1m, Field::Ey1s);
    putAngle(angles.gamma2, Field::Ey2g, Field::Ey2m, Field::Ey2s);
    if (control) putAngle(angles.epsilon, Field::Ee2g, Field::Ee2m, Field::Ee2s);
  }
  if (texts.empty()) return;
  view_->holdView();  // the point stays under the pointer
  view_->noteMotion();
  document_->write(texts);
}

bool PointDrag::press(QPointF at) {
  const int point = pointAt(at);
  view_->setChosen(point);
  if (point < 0) return false;  // the view pans
  const auto place = placeOf(point);
  if (!place) return true;
  const MapPoint pointer = view_->toMap(at, view_->rect());
  grab_ = QPointF(place->x - pointer.x, place->y - pointer.y);
  dragged_ = point;
  document_->begin();
  return true;
}

void PointDrag::finish(int point) {
  document_->finish("перемещение " + nameOf(point));
}

void PointDrag::endDrag() {
  if (dragged_ >= 0) finish(std::exchange(dragged_, -1));
}

bool PointDrag::key(int key, bool tenfold) {
  const int point = view_->chosen();
  if (point < 0) return false;
  const double step = tenfold ? 10 : 1;
  QPointF shift;  // (north, east)
  switch (key) {
    case Qt::Key_Up:
      shift = {step, 0};
      break;
    case Qt::Key_Down:
      shift = {-step, 0};
      break;
    case Qt::Key_Right:
      shift = {0, step};
      break;
    case Qt::Key_Left:
      shift = {0, -step};
      break;
    default:
      return false;
  }
  const auto place = placeOf(point);
  if (!place) return true;
  document_->begin();
  moveTo(point, {place->x + shift.x(), place->y + shift.y()});
  finish(point);
  return true;
}

bool PointDrag::eventFilter(QObject* watched, QEvent* event) {
  if (watched != view_) return false;
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      auto* e = static_cast<QMouseEvent*>(event);
      return e->button() == Qt::LeftButton && press(e->position());
    }
    case QEvent::MouseMove: {
      auto* e = static_cast<QMouseEvent*>(event);
      if (dragged_ >= 0 && !(e->buttons() & Qt::LeftButton)) {
        endDrag();  // its release went elsewhere
        return false;
      }
      if (dragged_ >= 0) {
        const MapPoint pointer = view_->toMap(e->position(), view_->rect());
        moveTo(dragged_, {pointer.x + grab_.x(), pointer.y + grab_.y()});
        return true;
      }
      if (e->buttons() == Qt::NoButton)
        view_->setCursor(pointAt(e->position()) >= 0 ? Qt::SizeAllCursor : Qt::OpenHandCursor);
      return false;
    }
    case QEvent::MouseButtonRelease: {
      auto* e = static_cast<QMouseEvent*>(event);
      if (e->button() != Qt::LeftButton || dragged_ < 0) return false;
      endDrag();
      return true;
    }
    // The pointer taken away before the release (a popup, the window hidden
    // or left for another): the drag ends where it stands.
    case QEvent::UngrabMouse:
    case QEvent::FocusOut:
    case QEvent::Hide:
    case QEvent::WindowDeactivate:
      endDrag();
      return false;
    case QEvent::MouseButtonDblClick:  // on a point: not the fit of the view
      return pointAt(static_cast<QMouseEvent*>(event)->position()) >= 0;
    case QEvent::KeyPress: {
      auto* e = static_cast<QKeyEvent*>(event);
      return key(e->key(), e->modifiers() & Qt::ShiftModifier);
    }
    default:
      return false;
  }
}

}  // namespace pothenot
