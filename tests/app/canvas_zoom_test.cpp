// The canvas's zoom on the real window: strokes land on the same pixels at every zoom, zooming
// keeps the point under the pointer, the whole picture fits, and only what changed is repainted.
#include <QAction>
#include <QLabel>
#include <QPaintEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include "app_fixture.h"
#include "canvas_mouse.h"
#include "document/ui/new_bmp_form.h"
#include "draw/tool_table.h"

namespace {

class CanvasZoomTest : public AppTest {
 protected:
  TImageView* image() { return form1().Image; }
  TScrollBox* box() { return form1().ScrollBox1; }
  QAction* action(const char* name) { return form1().findChild<QAction*>(QLatin1String(name)); }
  QString shownZoom() { return form1().findChild<QLabel*>(QStringLiteral("Lzoom"))->text(); }
  void zoomTo(int level) {
    box()->ZoomAbout(level, QPointF());
    QApplication::processEvents();
  }
  // Where the pointer goes over picture pixel p: the middle of its block, or the top-left
  // screen pixel showing it when reduced.
  QPoint over(TPoint p) {
    const QPoint from = image()->ShownOffset(p), to = image()->ShownOffset(TPoint{p.X + 1, p.Y + 1});
    return (from + to - QPoint(1, 1)) / 2;
  }
  // A freehand stroke and a rectangle by the real mouse on the picture.
  void drawStrokes() {
    QTest::mousePress(image(), Qt::LeftButton, {}, over({10, 12}));
    for (TPoint p : {TPoint{14, 20}, TPoint{30, 22}, TPoint{44, 60}, TPoint{20, 64}})
      QTest::mouseMove(image(), over(p));
    QTest::mouseRelease(image(), Qt::LeftButton, {}, over({20, 64}));
    form1().dtExecute(kToolRectangle);
    QTest::mouseClick(image(), Qt::LeftButton, {}, over({60, 8}));
    QTest::mouseClick(image(), Qt::LeftButton, {}, over({96, 40}));
    form1().dtExecute(kToolFreehand);
    QTest::mouseClick(image(), Qt::RightButton, {}, over({100, 100}));
  }
  // The picture point shown at viewport position v, in picture pixels (fractional).
  QPointF pictureUnder(QPointF v) {
    const TRatio z = kZoomLevels[image()->ZoomLevel()];
    return (v - QPointF(image()->mapTo(box()->viewport(), QPoint()))) * double(z.den) / double(z.num);
  }
  void ctrlWheel(QPointF at, int notches) {
    QWheelEvent wheel(at, box()->viewport()->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(box()->viewport(), &wheel);
    QApplication::processEvents();
  }
};

TEST_F(CanvasZoomTest, StrokesAtEveryZoomGiveThePixelsOfTheStrokesAtOne) {
  drawStrokes();
  TBitmap atOne;
  atOne.Assign(picture());
  for (int level : {kZoomOne + 2, kZoomOne - 2, kZoomOne + 5}) {  // 3x, 1/2, 8x
    app().Document().ReplaceWithNewPicture(200, 200, pf32bit);
    form1().ResetDocumentView();
    zoomTo(level);
    drawStrokes();
    EXPECT_TRUE(SamePixels(picture(), atOne)) << level;
  }
}

// Zooming in and out with Ctrl+wheel keeps the picture point under the pointer within a
// screen pixel; Ctrl+0 comes back to 1:1; the status bar follows.
TEST_F(CanvasZoomTest, CtrlWheelZoomsAboutThePointer) {
  app().Document().ReplaceWithNewPicture(3000, 2000, pf24bit);
  form1().ResetDocumentView();
  form1().resize(700, 600);
  QApplication::processEvents();
  box()->horizontalScrollBar()->setValue(700);
  box()->verticalScrollBar()->setValue(500);
  const QPointF at(211, 143);
  const QPointF under = pictureUnder(at);
  EXPECT_EQ(shownZoom(), QStringLiteral("100%"));
  for (int notches : {1, 1, 2, -1, -3, -2, -1, 2}) {
    ctrlWheel(at, notches);
    const TRatio z = kZoomLevels[image()->ZoomLevel()];
    const double screenPixel = double(z.den) / double(z.num);
    EXPECT_NEAR(pictureUnder(at).x(), under.x(), screenPixel) << image()->ZoomLevel();
    EXPECT_NEAR(pictureUnder(at).y(), under.y(), screenPixel) << image()->ZoomLevel();
  }
  EXPECT_EQ(image()->ZoomLevel(), kZoomOne - 1);
  EXPECT_EQ(shownZoom(), QStringLiteral("66.67%"));
  action("AzoomOne")->trigger();
  EXPECT_EQ(image()->ZoomLevel(), kZoomOne);
  EXPECT_EQ(image()->size(), QSize(3000, 2000));
  EXPECT_EQ(shownZoom(), QStringLiteral("100%"));
  action("AzoomIn")->trigger();
  EXPECT_EQ(shownZoom(), QStringLiteral("200%"));
  action("AzoomOut")->trigger();
  action("AzoomOut")->trigger();
  EXPECT_EQ(shownZoom(), QStringLiteral("66.67%"));
}

// A picture narrower than the view, moved to its middle (Ctrl+arrows): Ctrl+wheel keeps the
// pixel under the pointer there too, by moving the picture, as long as the picture stays in the
// view; zoomed in until it is wider than the view it scrolls. Ctrl+9 puts it back at its place.
TEST_F(CanvasZoomTest, CtrlWheelOverANarrowPictureKeepsThePixelUnderThePointer) {
  form1().resize(1000, 700);
  QApplication::processEvents();
  box()->MovePicture(QPoint(300, 100));
  const QPointF at = QPointF(image()->mapTo(box()->viewport(), image()->ShownOffset(TPoint{50, 50}))) + QPointF(0.5, 0.5);
  int held = 0;
  for (int notches : {1, 1, 1, 1, -1, -1, -1, -1, -1, -1}) {
    const QPointF under = pictureUnder(at);
    ctrlWheel(at, notches);
    const TRatio z = kZoomLevels[image()->ZoomLevel()];
    const QSize room = box()->viewport()->size();
    // Where the picture's corner must be for the pixel to stay: can the view hold it there?
    const double left = at.x() - under.x() * double(z.num) / double(z.den);
    const double top = at.y() - under.y() * double(z.num) / double(z.den);
    if (left < 0 || top < 0 || left + image()->width() > room.width() || top + image()->height() > room.height())
      continue;
    ++held;
    const double screenPixel = double(z.den) / double(z.num);
    EXPECT_NEAR(pictureUnder(at).x(), under.x(), screenPixel) << image()->ZoomLevel();
    EXPECT_NEAR(pictureUnder(at).y(), under.y(), screenPixel) << image()->ZoomLevel();
  }
  EXPECT_GE(held, 4);
  // Drawing lands under the pointer after all that.
  ASSERT_EQ(image()->ZoomLevel(), kZoomOne - 2);
  const QPointF under = pictureUnder(at);
  QTest::mouseClick(image(), Qt::LeftButton, {}, image()->mapFrom(box()->viewport(), at.toPoint()));
  // At 1/2 a screen pixel shows two picture pixels: the dot is on one of them.
  int black = 0;
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx) black += picture().GetPixel(int(under.x()) + dx, int(under.y()) + dy) == clBlack;
  EXPECT_GT(black, 0) << under.x() << "," << under.y();
  action("Afit")->trigger();
  QApplication::processEvents();
  EXPECT_EQ(image()->pos(), QPoint(50, 50));
}

// A new picture of the largest size starts at its top-left corner, after a scrolled one too.
TEST_F(CanvasZoomTest, ANewPictureStartsAtItsTopLeft) {
  for (int i = 0; i < 2; ++i) {
    AnswerModal([](QWidget* modal) {
      auto* form = qobject_cast<TNewBMPForm*>(modal);
      form->widthedit->SetValue(9999);
      form->Heightedit->SetValue(9999);
      form->accept();
    });
    form1().Anew()->trigger();
    QApplication::processEvents();
    ASSERT_EQ(picture().Width(), 9999);
    EXPECT_EQ(box()->horizontalScrollBar()->value(), 0) << i;
    EXPECT_EQ(box()->verticalScrollBar()->value(), 0) << i;
    EXPECT_EQ(image()->pos(), QPoint(50, 50));
    EXPECT_EQ(pictureUnder(QPointF(50.5, 50.5)), QPointF(0.5, 0.5));
    box()->horizontalScrollBar()->setValue(box()->horizontalScrollBar()->maximum());
    box()->verticalScrollBar()->setValue(box()->verticalScrollBar()->maximum());
  }
}

TEST_F(CanvasZoomTest, WholePictureFitsTheViewAndStillDraws) {
  app().Document().ReplaceWithNewPicture(4000, 3000, pf32bit);
  form1().ResetDocumentView();
  QApplication::processEvents();
  action("Afit")->trigger();
  QApplication::processEvents();
  const QSize room = box()->viewport()->size();
  EXPECT_LE(50 + image()->width() + 30, room.width());
  EXPECT_LE(50 + image()->height() + 30, room.height());
  const TRatio next = kZoomLevels[image()->ZoomLevel() + 1];
  EXPECT_TRUE(50 + 4000 * next.num / next.den + 30 > room.width() || 50 + 3000 * next.num / next.den + 30 > room.height());
  EXPECT_EQ(box()->horizontalScrollBar()->value(), 0);
  EXPECT_EQ(box()->horizontalScrollBar()->maximum(), 0);
  // A click shows where it drew: the picture pixel under the pointer turns black on screen.
  QTest::mouseClick(image(), Qt::LeftButton, {}, QPoint(20, 30));
  const TRatio z = kZoomLevels[image()->ZoomLevel()];
  EXPECT_EQ(picture().GetPixel(20 * z.den / z.num, 30 * z.den / z.num), clBlack);
  EXPECT_LT(qGray(image()->grab().toImage().pixel(20, 30)), 255);
}

// Records the rectangles the view repaints.
class PaintSpy : public QObject {
 public:
  explicit PaintSpy(QWidget* w) { w->installEventFilter(this); }
  QRegion painted;

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(e)->region();
    return false;
  }
};

TEST_F(CanvasZoomTest, OnlyTheChangedRectangleIsRepainted) {
  struct Row {
    int level;
    QRect shown;  // the screen rectangle of picture pixels (10, 20) to (12, 21)
  };
  for (const Row& row : {Row{kZoomOne, QRect(10, 20, 2, 1)}, Row{kZoomOne + 2, QRect(30, 60, 6, 3)},
                         Row{kZoomOne - 2, QRect(5, 10, 1, 1)}, Row{kZoomOne - 3, QRect(3, 6, 1, 1)}, Row{kZoomOne + 5, QRect(80, 160, 16, 8)}}) {
    zoomTo(row.level);
    QTest::qWait(20);
    PaintSpy spy(image());
    picture().SetPixel(10, 20, clRed);
    picture().SetPixel(11, 20, clRed);
    form1().InvalidateDocument(TRect{10, 20, 12, 21});
    image()->repaint(image()->rect() & QRect(0, 0, 1000, 1000));  // flushes what was asked for
    spy.painted = QRegion();
    form1().InvalidateDocument(TRect{10, 20, 12, 21});
    QTest::qWait(50);
    // Reduced, one screen pixel more all round: the averaged boxes are not exactly scaled.
    const QRect room = row.level < kZoomOne ? row.shown.adjusted(-1, -1, 1, 1) : row.shown;
    EXPECT_TRUE(QRegion(row.shown).subtracted(spy.painted).isEmpty()) << row.level;
    EXPECT_EQ(spy.painted.subtracted(room), QRegion()) << row.level;
    // The red pair on screen; reduced, it shares its screen pixel with white ones.
    const QImage shown = image()->grab(room).toImage();
    int reddest = 255;
    for (int y = 0; y < shown.height(); ++y)
      for (int x = 0; x < shown.width(); ++x)
        if (qRed(shown.pixel(x, y)) == 255) reddest = std::min(reddest, qGreen(shown.pixel(x, y)));
    // At 1/2 two red of four pixels; at 1/3 the screen pixel's box here is 4 x 4: two of sixteen.
    EXPECT_EQ(reddest, row.level == kZoomOne - 3 ? 223 : row.level < kZoomOne ? 128 : 0) << row.level;
  }
}

// The grid at 4x and more: on, off and on again with Ctrl+G; Ctrl+arrows move by four picture
// pixels in screen pixels.
TEST_F(CanvasZoomTest, GridAndCtrlArrowsJourney) {
  zoomTo(kZoomOne + 3);  // 4x
  auto shownAt = [&](int x, int y) { return image()->grab().toImage().pixel(x, y); };
  EXPECT_EQ(shownAt(4, 4), qRgb(255, 255, 255));
  for (bool on : {true, false, true}) {
    QTest::keyClick(&form1(), Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(action("Agrid")->isChecked(), on);
    EXPECT_EQ(shownAt(4, 5) != qRgb(255, 255, 255), on);
    EXPECT_EQ(shownAt(5, 5), qRgb(255, 255, 255));
  }
  zoomTo(kZoomOne + 1);  // 2x: no grid below 4x, though switched on
  EXPECT_EQ(shownAt(4, 5), qRgb(255, 255, 255));
  const QPoint before = image()->pos();
  QTest::keyClick(&form1(), Qt::Key_Right, Qt::ControlModifier);
  EXPECT_EQ(image()->pos(), before + QPoint(8, 0));
  zoomTo(kZoomOne - 5);  // 1/8
  QTest::keyClick(&form1(), Qt::Key_Down, Qt::ControlModifier);
  EXPECT_EQ(image()->pos(), before + QPoint(8, 1));
  EXPECT_EQ(box()->verticalScrollBar()->singleStep(), 3);  // 20 picture pixels at 1/8
  zoomTo(kZoomOne);
  EXPECT_EQ(box()->verticalScrollBar()->singleStep(), 20);
}

}  // namespace
