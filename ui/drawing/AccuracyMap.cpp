// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/drawing/AccuracyMap.h"

#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <thread>

#include "calc/design.h"
#include "ui/common/DesktopSeparator.h"

namespace pothenot {

namespace {

constexpr int kShades = 256;
// log10 M is kept within this, so that the ridge of the danger circle (M = ∞)
// interpolates like any steep slope.
constexpr float kFlattest = -12, kSteepest = 12;

const float kLogLowest = std::log10(float(AccuracyMap::kLowest));
const float kLogHighest = std::log10(float(AccuracyMap::kHighest));

// A colour given in the perceptual space (lightness L, green–red a,
// blue–yellow b), in 8-bit sRGB.
QRgb fromPerceptual(double L, double a, double b) {
  const double l = std::pow(L + 0.3963377774 * a + 0.2158037573 * b, 3);
  const double m = std::pow(L - 0.1055613458 * a - 0.0638541728 * b, 3);
  const double s = std::pow(L - 0.0894841775 * a - 1.2914855480 * b, 3);
  auto encoded = [](double c) {
    c = std::clamp(c, 0.0, 1.0);
    c = c <= 0.0031308 ? 12.92 * c : 1.055 * std::pow(c, 1 / 2.4) - 0.055;
    return static_cast<int>(std::lround(255 * c));
  };
  return qRgb(encoded(4.0767416621 * l - 3.3077115913 * m + 0.2309699292 * s),
              encoded(-1.2684380046 * l + 2.6097574011 * m - 0.3413193965 * s),
              encoded(-0.0041960863 * l - 0.7034186147 * m + 1.7076147010 * s));
}

// The scale's shades from the lowest M to the highest: lightness falls
// evenly from 0.96 to 0.44, the hue bends from yellow through teal to blue.
const std::array<QRgb, kShades>& shades() {
  static const std::array<QRgb, kShades> table = [] {
    std::array<QRgb, kShades> t{};
    for (int i = 0; i < kShades; ++i) {
      const double s = double(i) / (kShades - 1), r = 1 - s;
      t[i] = fromPerceptual(0.96 - 0.52 * s, -0.03 * r * r - 0.22 * s * r - 0.01 * s * s,
                            0.10 * r * r - 0.14 * s * s);
    }
    return t;
  }();
  return table;
}

// log10 of M (metres, ≥ 0 or +∞) to within 0.0015, the map's unit of
// height, without a call: the exponent of the float and a parabola through
// its significand. Held within [kFlattest, kSteepest].
float logOf(double metres) {
  const auto bits = std::bit_cast<std::uint32_t>(static_cast<float>(metres));
  const auto significand = std::bit_cast<float>((bits & 0x007FFFFFu) | 0x3F800000u);  // [1, 2)
  const float log2 = static_cast<float>(int(bits >> 23) - 128) +
                     (-0.34484843f * significand + 2.02466578f) * significand - 0.67487759f;
  return std::clamp(log2 * 0.30103f, kFlattest, kSteepest);
}

QRgb shadeOfLog(const std::array<QRgb, kShades>& table, float lg) {
  const float at = (lg - kLogLowest) * (kShades - 1) / (kLogHighest - kLogLowest);
  return table[static_cast<std::size_t>(std::clamp(at, 0.0f, kShades - 1.0f) + 0.5f)];
}

// The pieces of contour `level` (of log10 M) in the cell whose corners, in
// order top-left, top-right, bottom-right, bottom-left, hold `v`; `at(k, t)`
// is the point t of the way along edge k (top, right, bottom, left).
template <class At>
void marchCell(const std::array<float, 4>& v, float level, QVector<QLineF>& out, At at) {
  int state = 0;
  for (int k = 0; k < 4; ++k)
    if (v[k] > level) state |= 1 << k;
  if (state == 0 || state == 15) return;
  auto cross = [&](int edge) {
    const float a = v[edge], b = v[(edge + 1) % 4];
    return at(edge, (level - a) / (b - a));
  };
  // The edges a contour crosses are those whose two ends lie on either side.
  std::array<int, 4> edges{};
  int n = 0;
  for (int k = 0; k < 4; ++k)
    if (((state >> k) & 1) != ((state >> ((k + 1) % 4)) & 1)) edges[n++] = k;
  out.append(QLineF(cross(edges[0]), cross(edges[1])));
  if (n == 4) out.append(QLineF(cross(edges[2]), cross(edges[3])));
}

constexpr int kMostCores = 8;

// Runs work(from, to, core) over [0, count) cut into a band per core, the
// last band on this thread.
template <class Work>
void onEveryCore(int count, Work work) {
  const int cores = std::clamp(int(std::thread::hardware_concurrency()), 1, kMostCores);
  std::vector<std::thread> helpers;
  for (int c = 0; c + 1 < cores; ++c)
    helpers.emplace_back(work, count * c / cores, count * (c + 1) / cores, c);
  work(count * (cores - 1) / cores, count, cores - 1);
  for (auto& h : helpers) h.join();
}

}  // namespace

QRgb AccuracyMap::colour(double metres) {
  return shadeOfLog(shades(), logOf(metres));
}

bool AccuracyMap::Key::operator==(const Key& o) const {
  for (std::size_t i = 0; i < abc.size(); ++i)
    if (abc[i].x != o.abc[i].x || abc[i].y != o.abc[i].y) return false;
  return angleErrorSeconds == o.angleErrorSeconds && scale == o.scale && density == o.density &&
         corner.x == o.corner.x && corner.y == o.corner.y && target == o.target;
}

void AccuracyMap::paint(QPainter& painter, const Placement& where,
                        const std::array<MapPoint, 3>& abc, double angleErrorSeconds, double u,
                        bool rough) {
  const QRectF& target = where.target;
  if (target.isEmpty()) return;
  const double ratio =
      (painter.device() != nullptr ? painter.device()->devicePixelRatioF() : 1) / (rough ? 2 : 1);
  const Key key{abc,          angleErrorSeconds,
                where.scale,  std::min(ratio, kMostSamples / target.width()),
                where.corner, target};
  if (!made_ || !(key == key_)) compute(key);
  made_ = true;
  key_ = key;
  painter.save();
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(QRectF(target.topLeft(), QSizeF(image_.size()) / key.density), image_);
  QPen pen(QColor(60, 60, 60), u < 1.5 ? 1 : 0.8 * u);
  pen.setCosmetic(u < 1.5);
  painter.setPen(pen);
  for (const Contour& c : contours_) painter.drawLines(c.lines);
  painter.restore();
}

void AccuracyMap::compute(const Key& key) {
  const int columns = std::max(1, static_cast<int>(std::ceil(key.target.width() * key.density)));
  const int rows = std::max(1, static_cast<int>(std::ceil(key.target.height() * key.density)));
  const double step = 1 / key.density / key.scale;  // metres from one sample to the next
  const PlanePoint A{key.abc[0].x, key.abc[0].y}, B{key.abc[1].x, key.abc[1].y},
      C{key.abc[2].x, key.abc[2].y};
  std::array<float, kContours.size()> levels{};
  for (std::size_t k = 0; k < levels.size(); ++k) levels[k] = std::log10(float(kContours[k]));
  image_ = QImage(columns, rows, QImage::Format_RGB32);
  // The pixels are reached here, once: the image's non-const accessors
  // detach it and count that in its shared data, which no two cores may do
  // at once. Every core writes its own rows through this address.
  uchar* const pixels = image_.bits();
  const qsizetype bytesPerLine = image_.bytesPerLine();
  std::vector<float> logs(std::size_t(columns) * std::size_t(rows));
  std::vector<std::uint8_t> bands(logs.size());  // how many levels lie below each sample
  const auto& table = shades();
  onEveryCore(rows, [&](int from, int to, int) {
    for (int j = from; j < to; ++j) {
      auto* line = reinterpret_cast<QRgb*>(pixels + j * bytesPerLine);
      const double x = key.corner.x - (j + 0.5) * step;
      const std::size_t row = std::size_t(j) * std::size_t(columns);
      for (int i = 0; i < columns; ++i) {
        const double m =
            MeanSquareErrorAt({x, key.corner.y + (i + 0.5) * step}, A, B, C, key.angleErrorSeconds);
        const float lg = logOf(m);
        int band = 0;
        for (float level : levels) band += lg > level;
        logs[row + i] = lg;
        bands[row + i] = static_cast<std::uint8_t>(band);
        line[i] = shadeOfLog(table, lg);
      }
    }
  });

  // Marching squares over the cells between the samples, in log10 M: only
  // where a cell's corners lie in different bands does a contour cross it.
  const double unit = 1 / key.density;  // painter units from one sample to the next
  const QPointF origin = key.target.topLeft() + QPointF(unit / 2, unit / 2);
  using Pieces = std::array<QVector<QLineF>, kContours.size()>;
  std::vector<Pieces> pieces(kMostCores);
  onEveryCore(rows - 1, [&](int from, int to, int core) {
    for (int j = from; j < to; ++j) {
      const std::size_t top = std::size_t(j) * std::size_t(columns), bottom = top + columns;
      for (int i = 0; i + 1 < columns; ++i) {
        const std::array<std::uint8_t, 4> b{bands[top + i], bands[top + i + 1],
                                            bands[bottom + i + 1], bands[bottom + i]};
        if (b[0] == b[1] && b[1] == b[2] && b[2] == b[3]) continue;
        const std::array<float, 4> v{logs[top + i], logs[top + i + 1], logs[bottom + i + 1],
                                     logs[bottom + i]};
        const auto [low, high] = std::minmax({b[0], b[1], b[2], b[3]});
        for (int k = low; k < high; ++k) {
          marchCell(v, levels[std::size_t(k)], pieces[std::size_t(core)][std::size_t(k)],
                    [&](int edge, float t) {
                      static constexpr double kCorner[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
                      const double* p = kCorner[edge];
                      const double* q = kCorner[(edge + 1) % 4];
                      return origin +
                             QPointF(i + p[0] + (q[0] - p[0]) * t, j + p[1] + (q[1] - p[1]) * t) *
                                 unit;
                    });
        }
      }
    }
  });
  contours_.clear();
  for (std::size_t k = 0; k < kContours.size(); ++k) {
    Contour contour{kContours[k], {}};
    for (const Pieces& p : pieces) contour.lines += p[k];
    if (!contour.lines.isEmpty()) contours_.push_back(std::move(contour));
  }
}

void AccuracyMap::paintLegend(QPainter& painter, const QRectF& target, double u,
                              double angleErrorSeconds) {
  const double width = 170 * u, height = 9 * u;
  const QRectF bar(target.right() - 20 * u - width, target.bottom() - 20 * u - height, width,
                   height);
  painter.save();
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(255, 255, 255, 215));
  painter.drawRect(bar.adjusted(-10 * u, -38 * u, 12 * u, 8 * u));
  QImage scale(kShades, 1, QImage::Format_RGB32);
  for (int i = 0; i < kShades; ++i) scale.setPixel(i, 0, shades()[i]);
  painter.drawImage(bar, scale);
  painter.setPen(QPen(Qt::black, 0.8 * u));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(bar);
  QFont font = painter.font();
  font.setPixelSize(static_cast<int>(std::lround(11 * u)));
  painter.setFont(font);
  for (double level : kContours) {
    const double x =
        bar.left() + (std::log10(level) - kLogLowest) / (kLogHighest - kLogLowest) * width;
    painter.drawLine(QPointF(x, bar.top() - 3 * u), QPointF(x, bar.bottom()));
    painter.drawText(QRectF(x - 15 * u, bar.top() - 17 * u, 30 * u, 14 * u), Qt::AlignCenter,
                     QString::number(std::lround(level * 100)));
  }
  painter.drawText(QRectF(bar.left(), bar.top() - 34 * u, width, 15 * u), Qt::AlignLeft,
                   "M, см, при mβ = " +
                       QString::number(angleErrorSeconds, 'g', 3)
                           .replace(u'.', QString::fromStdString(desktopSeparator())) +
                       "″");
  painter.restore();
}

}  // namespace pothenot
