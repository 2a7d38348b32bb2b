#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QToolBar>
#include <QToolButton>

#include "app/app_fixture.h"
#include "widgets/picture_box.h"
#include "windows/zoom_form.h"

namespace {

const TColor kButtonFace = ColorToRGB(clBtnFace);

// The pointer moving over a widget with no button held, whatever window lies above it.
void Hover(QWidget* widget, QPoint at) {
  QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &move);
}

class ZoomTest : public AppTest {
 protected:
  TForm4& zoom() { return *form1().ZoomForm; }
  const TBitmap& view() { return zoom().zoomage->Picture(); }
  QToolButton* zoomB() { return form1().ToolsBar()->findChild<QToolButton*>(QStringLiteral("zoomB")); }
  void showZoom() {
    if (!zoom().isVisible()) QTest::keyClick(&form1(), Qt::Key_F9);
    ASSERT_TRUE(zoom().isVisible());
  }
};

TEST_F(ZoomTest, F9AndTheCloseBoxShowAndHideTheWindowWithTheToolbarButton) {
  EXPECT_FALSE(zoom().isVisible());
  EXPECT_EQ(zoom().size(), QSize(151, 253));
  EXPECT_EQ(zoom().pos(), QPoint(576, 110));
  EXPECT_TRUE(zoom().windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(zoom().redit->text(), QStringLiteral("2"));
  EXPECT_TRUE(zoom().stopbutton->isChecked());
  EXPECT_TRUE(zoom().timeSpeed->isChecked());
  for (QToolButton* toggle : {zoom().stopbutton, zoom().timeSpeed})
    for (QIcon::State state : {QIcon::On, QIcon::Off})
      EXPECT_FALSE(toggle->icon().pixmap(16, QIcon::Normal, state).isNull()) << toggle->objectName().toStdString();
  // The centre starts just past the bottom-right corner, and moves while hidden without
  // rendering the view.
  EXPECT_EQ(TPoint(zoom().zoomX, zoom().zoomY), (TPoint{200, 200}));
  zoom().SetZoomCenter(TPoint{0, 0});
  EXPECT_TRUE(AllPixels(view(), clWhite));

  for (int round = 0; round < 2; ++round) {
    QTest::keyClick(&form1(), Qt::Key_F9);
    EXPECT_TRUE(zoom().isVisible());
    EXPECT_TRUE(form1().Azoom()->isChecked());
    EXPECT_TRUE(zoomB()->isChecked());
    // Shown, it renders: the centre (0, 0) puts the picture in the lower-right quarter only.
    EXPECT_EQ(view().GetPixel(74, 74), kButtonFace);
    EXPECT_EQ(view().GetPixel(149, 74), kButtonFace);
    EXPECT_EQ(view().GetPixel(75, 75), clBlack);
    EXPECT_EQ(view().GetPixel(77, 77), clWhite);
    if (round == 0) QTest::keyClick(&form1(), Qt::Key_F9);
    else zoom().close();
    EXPECT_FALSE(zoom().isVisible());
    EXPECT_FALSE(form1().Azoom()->isChecked());
    EXPECT_FALSE(zoomB()->isChecked());
  }
}

// Strokes made on the magnified view land on the picture pixel the view shows under the
// pointer, at every magnification; the view shows them at once and Undo takes them away.
TEST_F(ZoomTest, DrawingOnTheViewDrawsOnThePictureUnderThePointer) {
  showZoom();
  form1().dtExecute(2);  // the line
  EXPECT_EQ(zoom().zoomage->cursor().pixmap().toImage(), form1().Image->cursor().pixmap().toImage());
  struct Case {
    int z;
    QPoint from, to;        // in the view
    TPoint pictureFrom, pictureTo;
  };
  const Case cases[] = {
      {1, {74, 74}, {84, 74}, {99, 99}, {109, 99}},
      {2, {74, 74}, {95, 74}, {99, 99}, {110, 99}},
      {25, {76, 98}, {149, 98}, {100, 100}, {102, 100}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.z);
    zoom().rebar->setValue(c.z);
    EXPECT_EQ(zoom().redit->text(), QString::number(c.z));
    zoom().SetZoomCenter(TPoint{100, 100});
    QTest::mouseClick(zoom().zoomage, Qt::LeftButton, {}, c.from);
    Hover(zoom().zoomage, c.to);
    QTest::mouseClick(zoom().zoomage, Qt::LeftButton, {}, c.to);

    for (int x = 95; x < 115; ++x)
      EXPECT_EQ(picture().GetPixel(x, c.pictureFrom.Y), x >= c.pictureFrom.X && x < c.pictureTo.X ? clBlack : clWhite) << x;
    // Events from the view never move the centre; the view shows the line's first pixel.
    EXPECT_EQ(TPoint(zoom().zoomX, zoom().zoomY), (TPoint{100, 100}));
    EXPECT_EQ(view().GetPixel(c.from.x(), c.from.y()), clBlack);

    QTest::keyClick(&form1(), Qt::Key_F5);
    EXPECT_TRUE(AllPixels(picture(), clWhite));
    EXPECT_EQ(view().GetPixel(c.from.x(), c.from.y()), clWhite);
  }
}

TEST_F(ZoomTest, TheCentreFollowsTheCanvasPointerThePanelAndTheArrows) {
  showZoom();
  // Tracking: the pointer over the canvas becomes the centre, and the view shows it.
  picture().SetPixel(29, 39, clRed);
  QTest::mouseMove(form1().Image, QPoint(30, 40));
  EXPECT_EQ(TPoint(zoom().zoomX, zoom().zoomY), (TPoint{30, 40}));
  EXPECT_EQ(view().GetPixel(73, 73), clRed);
  QTest::mouseClick(zoom().stopbutton, Qt::LeftButton);
  EXPECT_FALSE(zoom().stopbutton->isChecked());
  QTest::mouseMove(form1().Image, QPoint(60, 10));
  EXPECT_EQ(TPoint(zoom().zoomX, zoom().zoomY), (TPoint{30, 40}));

  // The position panel stands for the whole picture; the main window shows where it points.
  Hover(zoom().panel2, QPoint(15, 60));
  EXPECT_EQ(form1().Label1()->text(), QStringLiteral("40,160"));
  EXPECT_EQ(TPoint(zoom().zoomX, zoom().zoomY), (TPoint{30, 40}));  // no button held
  QTest::mousePress(zoom().panel2, Qt::LeftButton, {}, QPoint(37, 37));
  QTest::mouseMove(zoom().panel2, QPoint(15, 60));
  EXPECT_EQ(TPoint(zoom().zoomX, zoom().zoomY), (TPoint{40, 160}));
  QTest::mouseRelease(zoom().panel2, Qt::LeftButton, {}, QPoint(37, 37));
  EXPECT_EQ(TPoint(zoom().zoomX, zoom().zoomY), (TPoint{98, 98}));
  const TBitmap& panel = zoom().panel2->Picture();
  for (int i = 1; i < 74; ++i) {
    EXPECT_EQ(panel.GetPixel(36, i), clRed) << i;
    EXPECT_EQ(panel.GetPixel(i, 36), clRed) << i;
    if (i != 35 && i != 36) {
      EXPECT_EQ(panel.GetPixel(35, i), kButtonFace) << i;
    }
  }

  Hover(zoom().upbutton, QPoint(3, 3));
  EXPECT_EQ(form1().Label4()->text(), QStringLiteral("ズーム位置移動"));
  Hover(zoom().stopbutton, QPoint(3, 3));
  EXPECT_EQ(form1().Label4()->text(), QStringLiteral("追跡拡大ｏｎ／ｏｆｆ"));

  // A click steps one pixel; holding repeats every 10 ms (the fast speed of the start).
  const struct {
    QPushButton* button;
    TPoint step;
  } arrows[] = {{zoom().leftbutton, {-1, 0}}, {zoom().rightbutton, {1, 0}},
                {zoom().upbutton, {0, -1}},   {zoom().downbutton, {0, 1}}};
  for (const auto& a : arrows) {
    const TPoint before{zoom().zoomX, zoom().zoomY};
    QTest::mouseClick(a.button, Qt::LeftButton);
    EXPECT_EQ(TPoint(zoom().zoomX, zoom().zoomY), (TPoint{before.X + a.step.X, before.Y + a.step.Y}));
  }
  QTest::mousePress(zoom().upbutton, Qt::LeftButton);
  const int top = zoom().zoomY;
  QTest::qWait(600);
  QTest::mouseRelease(zoom().upbutton, Qt::LeftButton);
  EXPECT_LT(zoom().zoomY, top - 1);
  const int afterHold = zoom().zoomY;
  QTest::qWait(50);
  EXPECT_EQ(zoom().zoomY, afterHold);  // released, it stops
}

}  // namespace
