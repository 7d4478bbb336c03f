// SPDX-License-Identifier: GPL-3.0-or-later
// The accuracy map's threads under ThreadSanitizer: the map worked on every
// core, rough and in full. Built only in build-tsan, with the engine and the
// map alone.
#include <QImage>
#include <QPainter>

#include "ui/drawing/AccuracyMap.h"

// Qt is not built for the thread checker, so it cannot see what the image's
// non-const scanLine does to the image's shared data: detach it and count
// the detaching. This stand-in does the same in code that it checks, so that
// a call from the map's threads is the race it is.
uchar* QImage::scanLine(int i) {
  static int detachings = 0;
  detach();
  ++detachings;
  return const_cast<uchar*>(constScanLine(i));
}

// A map of 301 × 257 samples (an odd count of rows, shared unevenly between
// the cores), rough and then in full. Its colours against M are the drawing's
// own test's.
int main() {
  pothenot::AccuracyMap map;
  QImage image(301, 257, QImage::Format_RGB32);
  for (const bool rough : {true, false}) {
    QPainter painter(&image);
    map.paint(painter, {QRectF(0, 0, 301, 257), {2000, -500}, 0.1},
              {{{500, 200}, {1500, 1200}, {300, 2300}}}, 20, 1, rough);
  }
  return map.contours().empty() ? 1 : 0;
}
