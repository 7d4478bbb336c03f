// SPDX-License-Identifier: GPL-3.0-or-later
// The accuracy map's threads under ThreadSanitizer: the map worked on every
// core, in full and rough, its colours against the engine's M in each core's
// band of rows. Built only in build-tsan, with the engine and the map alone.
#include <QImage>
#include <QPainter>
#include <QTest>

#include "calc/design.h"
#include "ui/drawing/AccuracyMap.h"

// Qt is not built for the thread checker, so it cannot see what the image's
// non-const accessors do to the image's shared data: detach it and count
// the detaching. These stand-ins do the same in code that it checks, so that
// a call from the map's threads is the race it is.
namespace {
int detachings = 0;
}
uchar* QImage::bits() {
  detach();
  ++detachings;
  return const_cast<uchar*>(constBits());
}
uchar* QImage::scanLine(int i) {
  detach();
  ++detachings;
  return const_cast<uchar*>(constScanLine(i));
}

using pothenot::AccuracyMap;

class TestAccuracyMap : public QObject {
  Q_OBJECT

 private slots:
  // A map of 301 × 257 samples at 10 m each (an odd count of rows, shared
  // unevenly between the cores); in full, at one sample per pixel, every
  // row shows the colour of M at its samples but where a contour crosses.
  void everyCoresRowsShowM() {
    const std::array<pothenot::MapPoint, 3> abc{{{500, 200}, {1500, 1200}, {300, 2300}}};
    const AccuracyMap::Placement where{QRectF(0, 0, 301, 257), {2000, -500}, 0.1};
    AccuracyMap map;
    QImage image(301, 257, QImage::Format_RGB32);
    for (const bool rough : {true, false}) {
      QPainter painter(&image);
      map.paint(painter, where, abc, 20, 1, rough);
    }
    QVERIFY(!map.contours().empty());
    int shown = 0, samples = 0;
    for (int j = 0; j < image.height(); j += 3) {
      for (int i = 5; i < image.width(); i += 50, ++samples) {
        const double M = pothenot::MeanSquareErrorAt({2000 - (j + 0.5) * 10, -500 + (i + 0.5) * 10},
                                                     {500, 200}, {1500, 1200}, {300, 2300}, 20);
        shown += image.pixel(i, j) == AccuracyMap::colour(M);
      }
    }
    QVERIFY2(shown > samples * 95 / 100,
             qPrintable(QStringLiteral("%1 of %2").arg(shown).arg(samples)));
  }
};

QTEST_GUILESS_MAIN(TestAccuracyMap)
#include "accuracy_map_test.moc"
