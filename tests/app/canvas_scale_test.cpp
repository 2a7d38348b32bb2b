// The canvas on a screen of any device pixel ratio (ctest runs this family again with
// QT_SCALE_FACTOR 1.5 and 2): a click at every device pixel over a picture pixel draws into the
// picture pixel shown there, and at a whole factor every picture pixel is factor x factor
// device pixels.
#include <QWindow>
#include <cmath>

#include "app_fixture.h"

namespace {

class CanvasDeviceScaleTest : public AppTest {
 protected:
  // A left click at device pixel d of the main window, given to the window as the platform
  // gives it: in logical pixels, with their fraction.
  void clickAtDevicePixel(QPoint d) {
    QWindow* window = form1().windowHandle();
    const QPointF local = QPointF(d) / form1().devicePixelRatioF();
    const QPointF global = window->mapToGlobal(local);
    qt_handleMouseEvent(window, local, global, Qt::LeftButton, Qt::LeftButton, QEvent::MouseButtonPress, {}, ++time_);
    qt_handleMouseEvent(window, local, global, Qt::NoButton, Qt::LeftButton, QEvent::MouseButtonRelease, {}, time_ += 500);
    QApplication::processEvents();
  }
  // The black pixels of the picture.
  std::vector<TPoint> blackPixels() {
    std::vector<TPoint> found;
    for (int y = 0; y < picture().Height(); ++y)
      for (int x = 0; x < picture().Width(); ++x)
        if (picture().GetPixel(x, y) == clBlack) found.push_back(TPoint{x, y});
    return found;
  }
  int time_ = 1000;
};

TEST_F(CanvasDeviceScaleTest, ClicksAtEveryDevicePixelLandInThePicturePixelShownThere) {
  const double ratio = form1().devicePixelRatioF();
  for (int level : {kZoomOne, kZoomOne + 2, kZoomOne - 2}) {
    form1().ScrollBox1->ZoomAbout(level, QPointF());
    QTest::qWait(20);
    const QPoint corner = form1().Image->mapTo(&form1(), QPoint());
    const QPoint first(int(std::floor(corner.x() * ratio + 0.5)), int(std::floor(corner.y() * ratio + 0.5)));
    // Three picture pixels' worth of device pixels across and down, every phase.
    const int span = int(std::ceil(3 * ratio * kZoomLevels[level].num / kZoomLevels[level].den));
    for (int dy = 0; dy < span; ++dy)
      for (int dx = 0; dx < span; ++dx) {
        for (const TPoint& p : blackPixels()) picture().SetPixel(p.X, p.Y, clWhite);
        form1().InvalidateDocument(picture().BoundsRect());
        const QPoint d = first + QPoint(41 + dx, 57 + dy);
        clickAtDevicePixel(d);
        const std::vector<TPoint> black = blackPixels();
        ASSERT_EQ(black.size(), 1u) << level << " at " << dx << "," << dy;
        // What the screen shows under the pointer is the pixel drawn (reduced: among the ones
        // averaged there).
        const QImage shown = form1().grab().toImage();
        const int expectedGray = level < kZoomOne ? 255 : 1;
        ASSERT_LT(qGray(shown.pixel(d)), expectedGray) << "ratio " << ratio << " level " << level << " at " << dx << "," << dy
                                                 << " drew " << black[0].X << "," << black[0].Y;
        if (level == kZoomOne && ratio == std::floor(ratio)) {
          int blackShown = 0;
          for (int y = d.y() - 4; y <= d.y() + 4; ++y)
            for (int x = d.x() - 4; x <= d.x() + 4; ++x) blackShown += shown.pixel(x, y) == qRgb(0, 0, 0);
          ASSERT_EQ(blackShown, int(ratio * ratio));
        }
      }
  }
}

}  // namespace
