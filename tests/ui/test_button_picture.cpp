// Button pictures: a 32 × 16 bitmap gives the enabled (left) and disabled
// (right) images, with the bottom-left pixel's colour transparent.
#include <QPushButton>
#include <QTest>

#include "ui/Application.h"
#include "ui/ButtonPicture.h"
#include "ui/Zadaha.h"

namespace {

constexpr QRgb kOlive = qRgb(128, 128, 0);
constexpr QRgb kPurple = qRgb(128, 0, 128);

QImage PixmapImage(const QIcon& icon, QIcon::Mode mode) {
  return icon.pixmap(QSize(16, 16), 1.0, mode).toImage().convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

class TestButtonPicture : public QObject {
  Q_OBJECT

 private slots:
  void halvesAndTransparency_data() {
    QTest::addColumn<QRgb>("background");
    QTest::addColumn<QImage::Format>("format");
    QTest::newRow("olive, 16 colours") << kOlive << QImage::Format_Indexed8;
    QTest::newRow("purple, true colour") << kPurple << QImage::Format_RGB32;
  }
  void halvesAndTransparency() {
    QFETCH(QRgb, background);
    QFETCH(QImage::Format, format);
    QImage bitmap(32, 16, QImage::Format_RGB32);
    bitmap.fill(background);
    bitmap.setPixel(3, 4, qRgb(255, 255, 0));         // enabled image
    bitmap.setPixel(16 + 3, 4, qRgb(128, 128, 128));  // disabled image
    bitmap.setPixel(15, 15, qRgb(0, 0, 0));           // enabled, bottom-right corner
    bitmap.setPixel(16, 0, qRgb(192, 192, 192));      // disabled, top-left corner
    if (format == QImage::Format_Indexed8)
      bitmap = bitmap.convertToFormat(format, Qt::ThresholdDither);

    const QIcon icon = pothenot::ButtonPicture(bitmap);
    const QImage normal = PixmapImage(icon, QIcon::Normal);
    const QImage disabled = PixmapImage(icon, QIcon::Disabled);
    QCOMPARE(normal.size(), QSize(16, 16));
    QCOMPARE(disabled.size(), QSize(16, 16));

    QCOMPARE(normal.pixel(3, 4), qRgba(255, 255, 0, 255));
    QCOMPARE(normal.pixel(15, 15), qRgba(0, 0, 0, 255));
    QCOMPARE(qAlpha(normal.pixel(0, 15)), 0);
    QCOMPARE(qAlpha(normal.pixel(8, 8)), 0);
    QCOMPARE(disabled.pixel(3, 4), qRgba(128, 128, 128, 255));
    QCOMPARE(disabled.pixel(0, 0), qRgba(192, 192, 192, 255));
    QCOMPARE(qAlpha(disabled.pixel(15, 15)), 0);
  }

  // The three pictures of the problem window's buttons, as the window uses them.
  void windowButtonsShowTheirPictures() {
    TForm2 form;
    for (const char* name : {"BitBtn1", "BitBtn2", "BitBtn3"}) {
      auto* button = form.findChild<QPushButton*>(name);
      QVERIFY(button != nullptr);
      QVERIFY2(!button->icon().isNull(), name);
      QCOMPARE(button->iconSize(), QSize(16, 16));
      const QImage normal = PixmapImage(button->icon(), QIcon::Normal);
      const QImage disabled = PixmapImage(button->icon(), QIcon::Disabled);
      QCOMPARE(qAlpha(normal.pixel(0, 15)), 0);
      QVERIFY2(normal != disabled, name);
      int opaque = 0;
      for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) opaque += qAlpha(normal.pixel(x, y)) == 255 ? 1 : 0;
      }
      QVERIFY2(opaque > 0 && opaque < 256, name);
    }
  }
};

int main(int argc, char** argv) {
  TApplication app(argc, argv);
  TestButtonPicture test;
  return QTest::qExec(&test, argc, argv);
}

#include "test_button_picture.moc"
