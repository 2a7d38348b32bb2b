// Strokes on the canvas, driven as the mouse drives them: events in picture coordinates
// through the window's ImageMouse signal (or real mouse events on the widgets), asserting on
// the document's pixels and the status texts.
#include <QLabel>
#include <QMenu>
#include <QToolBar>

#include "canvas_mouse.h"
#include "draw/ui/pstate_panel.h"
#include "surface/canvas.h"

namespace {

class StrokeTest : public CanvasMouseTest {
 protected:
  void SetUp() override {
    CanvasMouseTest::SetUp();
    // Something to draw over, so that an inverted preview left behind would show.
    TCanvas& canvas = picture().Canvas();
    canvas.Brush.Color = RGB(0, 160, 80);
    canvas.FillRect(TRect{0, 0, 200, 70});
    canvas.Brush.Color = RGB(200, 40, 220);
    canvas.FillRect(TRect{60, 60, 140, 200});
    form1().PstatePanel->penwidth->SetPosition(3);
  }

  // A copy of the picture as it is now, with a canvas set up as a left-button stroke with
  // pen width 3 and no fill.
  std::unique_ptr<TBitmap> Expected(const TBitmap& from) {
    auto copy = std::make_unique<TBitmap>();
    copy->Assign(from);
    copy->Canvas().Pen.Width = 3;
    copy->Canvas().Brush.Style = bsClear;
    return copy;
  }
  const TBitmap& Snapshot() { return app().Document().UndoSnapshot(); }
  QString Text(QLabel* label) { return label->text(); }
};

TEST_F(StrokeTest, PreviewsLeaveNoTraceOnlyTheFinishedFigure) {
  for (int tool : {2, 3, 5, 7}) {
    form1().dtExecute(tool);
    TwoClick(TPoint{20, 30}, TPoint{150, 120});
    auto expected = Expected(Snapshot());
    TCanvas& c = expected->Canvas();
    if (tool == 2) {
      c.MoveTo(20, 30);
      c.LineTo(150, 120);
    } else if (tool == 3) {
      c.Ellipse(20, 30, 150, 120);
    } else if (tool == 5) {
      c.Rectangle(20, 30, 150, 120);
    } else {
      const TPolygonVertices v = RegularPolygon(TPoint{20, 30}, TPoint{150, 120}, 6);
      c.Polygon(std::vector<TPoint>(v.begin(), v.end()));
    }
    EXPECT_TRUE(SamePixels(picture(), *expected)) << "tool " << tool;
    EXPECT_FALSE(form1().DrawingFlag());
  }
  // The view shows the finished figure.
  EXPECT_EQ(form1().Image->grab().toImage().pixel(20, 30), qRgb(0, 0, 0));
}

TEST_F(StrokeTest, ThePasteFollowsThePointerAndStaysOnceWhereReleased) {
  TBitmap& buffer = app().Document().PasteBuffer();
  buffer.SetSize(6, 4);
  buffer.Canvas().Brush.Color = clRed;
  buffer.Canvas().FillRect(buffer.BoundsRect());
  form1().dtExecute(13);
  Press(10, 10);
  for (int i = 1; i <= 8; ++i) Move(10 + 15 * i, 10 + 12 * i);
  EXPECT_EQ(picture().GetPixel(130, 106), clRed);  // the preview at the pointer
  Release(40, 150);
  auto expected = Expected(Snapshot());
  expected->Canvas().Draw(40, 150, buffer);
  EXPECT_TRUE(SamePixels(picture(), *expected));
}

TEST_F(StrokeTest, AnotherButtonCancelsTheStrokeThroughUndo) {
  auto before = Expected(picture());
  form1().dtExecute(2);
  Click(30, 40);
  Move(120, 90);
  Click(120, 90, 1);  // the right button while the stroke began with the left
  EXPECT_TRUE(SamePixels(picture(), *before));
  EXPECT_FALSE(form1().DrawingFlag());
  // Undo again brings the cancelled line back.
  form1().returnbuttonClick();
  EXPECT_EQ(picture().GetPixel(30, 40), clBlack);

  // A drag tool cancelled by the other button.
  before = Expected(picture());
  form1().dtExecute(1);
  Press(10, 10);
  Move(50, 60);
  Press(50, 60, 1);
  Release(50, 60, 1);
  Release(50, 60);
  EXPECT_TRUE(SamePixels(picture(), *before));
}

TEST_F(StrokeTest, AFreehandClickSetsOnePixelInTheLeftColour) {
  form1().PstatePanel->leftColor = clRed;
  auto expected = Expected(picture());
  form1().dtExecute(1);
  Click(100, 20);
  expected->SetPixel(100, 20, clRed);
  EXPECT_TRUE(SamePixels(picture(), *expected));

  // A drag draws the segments with the pen, and a right-button stroke in the right colour.
  Press(10, 10, 1);
  Move(40, 10);
  Release(40, 10, 1);
  EXPECT_EQ(picture().GetPixel(25, 10), clWhite);
  EXPECT_EQ(picture().GetPixel(40, 10), clWhite);
  EXPECT_EQ(form1().PstatePanel->colorSlot, 1);  // the active colour follows the button
}

TEST_F(StrokeTest, APressInTheMarginStartsTheStrokeOutsideThePicture) {
  form1().dtExecute(1);
  QWidget* stage = form1().ScrollBox1->widget();
  QTest::mousePress(stage, Qt::LeftButton, {}, QPoint(40, 100));  // 10 left of the picture
  EXPECT_TRUE(form1().DrawingFlag());
  QTest::mouseMove(stage, QPoint(45, 100));
  EXPECT_EQ(Text(form1().Label1()), QStringLiteral("-5,50"));
  QTest::mouseMove(form1().Image, QPoint(30, 50));
  QTest::mouseRelease(form1().Image, Qt::LeftButton, {}, QPoint(30, 50));
  EXPECT_FALSE(form1().DrawingFlag());
  for (int x = 0; x <= 30; ++x) EXPECT_EQ(picture().GetPixel(x, 50), clBlack) << x;
}

TEST_F(StrokeTest, StatusTextsFollowThePointerAndToolsAreInertDuringAStroke) {
  form1().dtExecute(2);
  Move(10, 12);
  EXPECT_EQ(Text(form1().Label1()), QStringLiteral("10,12"));
  EXPECT_EQ(Text(form1().Label4()), QStringLiteral("直線(2)"));
  EXPECT_EQ(QApplication::focusWidget(), form1().PstatePanel->pstext);

  Click(100, 100);
  Move(150, 100);
  EXPECT_EQ(Text(form1().Label3()), QStringLiteral("0度"));
  EXPECT_EQ(Text(form1().Label2()), QStringLiteral("50,0"));
  EXPECT_EQ(Text(form1().Label4()), QStringLiteral("描画中"));
  EXPECT_FALSE(form1().ToolsBar()->isEnabled());
  Move(100, 40);
  EXPECT_EQ(Text(form1().Label3()), QStringLiteral("90度"));
  EXPECT_EQ(Text(form1().Label2()), QStringLiteral("0,-60"));
  EXPECT_EQ(Text(form1().Label1()), QStringLiteral("100,40"));

  form1().dtExecute(5);
  form1().ToolActions[2]->trigger();
  EXPECT_EQ(form1().ToolNumber(), 2);
  EXPECT_EQ(form1().FigureChoice().figure, 2);

  Click(100, 40);
  EXPECT_EQ(Text(form1().Label2()), QStringLiteral("移動距離"));
  EXPECT_EQ(Text(form1().Label3()), QStringLiteral("角度"));
  Move(0, 0);
  EXPECT_TRUE(form1().ToolsBar()->isEnabled());
  form1().ToolActions[2]->trigger();
  EXPECT_EQ(form1().ToolNumber(), 3);
}

TEST_F(StrokeTest, FractalDrawingTakesOverAfterTheFigureAndTheZoomHearsEveryEvent) {
  struct HandOff {
    TPoint start, previous;
    bool generate;
    TColor onFigure;
  };
  std::vector<HandOff> handOffs;
  form1().FractalHandOff = [&](TPoint start, TPoint previous, bool generate) {
    handOffs.push_back({start, previous, generate, picture().GetPixel(20, 75)});
  };
  std::vector<QObject*> senders;
  form1().ZoomNotification = [&](QObject* sender, TPoint) { senders.push_back(sender); };

  form1().dtExecute(3);
  TwoClick(TPoint{20, 30}, TPoint{150, 120});
  ASSERT_EQ(handOffs.size(), 1u);
  EXPECT_EQ(handOffs[0].start, (TPoint{20, 30}));
  EXPECT_EQ(handOffs[0].previous, (TPoint{150, 120}));
  EXPECT_TRUE(handOffs[0].generate);
  EXPECT_EQ(handOffs[0].onFigure, clBlack);  // the ellipse is drawn when the driver starts
  EXPECT_EQ(senders.size(), 7u);  // two clicks and three moves
  EXPECT_EQ(senders[0], form1().Image);

  // Cancelled by the other button, and a region, generate nothing.
  Click(20, 30);
  Move(150, 120);
  Click(150, 120, 1);
  form1().dtExecute(12);
  TwoClick(TPoint{20, 30}, TPoint{150, 120});
  ASSERT_EQ(handOffs.size(), 3u);
  EXPECT_FALSE(handOffs[1].generate);
  EXPECT_FALSE(handOffs[2].generate);

  form1().PopupMenu1()->hide();  // the region's menu
  QTest::mouseMove(form1().ScrollBox1->widget(), QPoint(10, 10));
  EXPECT_EQ(senders.back(), form1().ScrollBox1);
}

TEST_F(StrokeTest, OnlyToolsThatChangeThePictureTakeTheSnapshot) {
  picture().SetPixel(0, 199, clBlue);  // differs from the snapshot now
  for (int tool : {10, 12}) {
    form1().dtExecute(tool);
    Click(5, 5);
    Click(20, 20);
    EXPECT_NE(Snapshot().GetPixel(0, 199), clBlue) << tool;
  }
  form1().dtExecute(2);
  Press(5, 5);
  EXPECT_EQ(Snapshot().GetPixel(0, 199), clBlue);
}

}  // namespace
