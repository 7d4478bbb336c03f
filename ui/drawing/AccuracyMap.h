// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QLineF>
#include <QRectF>
#include <QVector>
#include <array>
#include <vector>

#include "ui/drawing/Figure.h"

class QPainter;

namespace pothenot {

/// The map of the station's accuracy: the plane coloured by M, the mean square
/// error a station there would have for the chosen m_β (MeanSquareErrorAt),
/// with contour lines at round values and a legend in centimetres. M depends
/// only on A, B and C and m_β, so the station itself may move without a new
/// map. The danger circle shows as the ridge where M grows without bound.
///
/// Colours: a logarithmic scale from kLowest to kHighest, lightness falling
/// evenly from pale yellow (a well fixed station) through teal to deep blue
/// (a poor one), laid out in a perceptual colour space so that equal steps of
/// log M look equal, read by colour-blind eyes by lightness and blue against
/// yellow, and keep their order printed in grey.
///
/// Painted into any painter: one sample per device pixel on screen (at most
/// kMostSamples across on a page or a large picture), worked on every
/// processor core. The last map is kept and painted again as long as the
/// points, m_β, the view and the target are the same.
class AccuracyMap {
 public:
  /// The contour levels, metres: 1, 2, 5, 10, 20, 50 cm and 1 m.
  static constexpr std::array<double, 7> kContours{0.01, 0.02, 0.05, 0.1, 0.2, 0.5, 1.0};
  /// The ends of the colour scale, metres; M beyond them takes the end's colour.
  static constexpr double kLowest = 0.005;
  static constexpr double kHighest = 2;
  static constexpr int kMostSamples = 1600;

  /// The colour of M (metres, ≥ 0 or +∞).
  static QRgb colour(double metres);

  /// Where a map goes: the painter's rectangle, the map point at its top-left
  /// corner and the painter's units per metre (X north up, Y east right).
  struct Placement {
    QRectF target;
    MapPoint corner;
    double scale;
  };
  /// One contour: its level in metres and its pieces in the painter's units.
  struct Contour {
    double level;
    QVector<QLineF> lines;
  };

  /// Paints the map of A, B and C for m_β (arc seconds) into `where.target`,
  /// its contours over it. `u` is the size of a mark (1 at the window's usual
  /// size): a contour is a hairline on screen, thicker on larger targets.
  /// `rough`: one sample per two device pixels each way, a quarter of the
  /// work, while the view or the figure moves under the user's hand.
  void paint(QPainter& painter, const Placement& where, const std::array<MapPoint, 3>& abc,
             double angleErrorSeconds, double u, bool rough = false);
  /// The legend, bottom right of `target`: the colour scale with the contour
  /// levels in centimetres and the m_β it was made for.
  static void paintLegend(QPainter& painter, const QRectF& target, double u,
                          double angleErrorSeconds);

  /// The contours of the last map painted, one per level that it reaches.
  const std::vector<Contour>& contours() const { return contours_; }

 private:
  struct Key {
    std::array<MapPoint, 3> abc;
    double angleErrorSeconds, scale, density;
    MapPoint corner;
    QRectF target;
    bool operator==(const Key& other) const;
  };
  void compute(const Key& key);

  Key key_{};
  bool made_ = false;
  QImage image_;
  std::vector<Contour> contours_;
};

}  // namespace pothenot
