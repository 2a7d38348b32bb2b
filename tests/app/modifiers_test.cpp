// Tool selection and the drawing modifiers: origin lock, continuous drawing, point symmetry
// and the fixed angle, driven through the real actions, keys and canvas events.
#include <QComboBox>
#include <QLabel>
#include <QScrollBar>
#include <QToolButton>

#include "app_fixture.h"
#include "draw/ui/pstate_panel.h"
#include "surface/canvas.h"

namespace {

class ModifierTest : public AppTest {
 protected:
  void Mouse(TCanvasMouse::Kind kind, int button, TPoint p) {
    TCanvasMouse m;
    m.kind = kind;
    m.Button = button;
    m.X = p.X;
    m.Y = p.Y;
    emit form1().ImageMouse(m);
  }
  void Click(TPoint p) {
    Mouse(TCanvasMouse::Down, 0, p);
    Mouse(TCanvasMouse::Up, 0, p);
  }
  void Move(TPoint p) { Mouse(TCanvasMouse::Move, 0, p); }
  // A two-click stroke: press at a, pointer to b, press at b.
  void Stroke(TPoint a, TPoint b) {
    Click(a);
    Move(b);
    Click(b);
  }
  // A white picture with the black 1-pixel lines between the points drawn directly.
  std::unique_ptr<TBitmap> Lines(std::initializer_list<std::pair<TPoint, TPoint>> lines) {
    auto b = std::make_unique<TBitmap>(200, 200);
    b->Canvas().FillRect(b->BoundsRect());
    for (const auto& [s, e] : lines) {
      b->Canvas().MoveTo(s.X, s.Y);
      b->Canvas().LineTo(e.X, e.Y);
    }
    return b;
  }
  bool PictureIs(const TBitmap& expected) {
    for (int y = 0; y < 200; ++y)
      for (int x = 0; x < 200; ++x)
        if (picture().GetPixel(x, y) != expected.GetPixel(x, y)) return false;
    return true;
  }
  bool Down(QAction* a) { return a->isChecked(); }
};

TEST_F(ModifierTest, SelectingAToolSetsItsFigureCursorIconHintAndModifiers) {
  QToolButton paletteButton;
  paletteButton.setCheckable(true);
  form1().toolButtons[3] = &paletteButton;
  form1().dtExecute(3);
  EXPECT_TRUE(paletteButton.isChecked());
  EXPECT_EQ(form1().ToolNumber, 3);
  EXPECT_EQ(form1().FigureChoice.figure, 3);
  EXPECT_EQ(form1().Image->cursor().pixmap().toImage(), form1().Cursors().Slot(3).pixmap().toImage());
  EXPECT_EQ(form1().ScrollBox1->cursor().pixmap().toImage(), form1().Cursors().Slot(3).pixmap().toImage());
  EXPECT_EQ(form1().AtoolP->icon().pixmap(16, 16).toImage(), ToolbarIcon(14).pixmap(16, 16).toImage());
  EXPECT_EQ(form1().Image->statusTip(), QStringLiteral("楕円(3)"));
  form1().toolButtons[3] = nullptr;

  for (int tool = 1; tool <= kToolCount; ++tool) {
    form1().dtExecute(tool);
    const bool takes = (tool >= 2 && tool <= 8) || tool == 12 || tool == 15 || tool == 16 || tool == 18;
    EXPECT_EQ(form1().Aorigin->isEnabled(), takes) << tool;
    EXPECT_EQ(form1().Asym->isEnabled(), takes) << tool;
  }

  // Typing in the font box leaves the tool alone.
  form1().PstatePanel->fcom->setFocus();
  form1().dtExecute(5);
  EXPECT_EQ(form1().ToolNumber, kToolCount);
}

TEST_F(ModifierTest, F6TogglesOriginLockOnlyForToolsThatTakeModifiers) {
  form1().dtExecute(3);
  form1().AoriginExecute(2);
  EXPECT_TRUE(Down(form1().Apoly));
  QTest::keyClick(&form1(), Qt::Key_F6);
  EXPECT_TRUE(Down(form1().Aorigin));
  EXPECT_FALSE(Down(form1().Apoly));
  EXPECT_FALSE(Down(form1().Asym));
  QTest::keyClick(&form1(), Qt::Key_F6);
  EXPECT_FALSE(Down(form1().Aorigin));

  form1().AoriginExecute(3);
  form1().dtExecute(1);  // the freehand tool releases and disables all three
  EXPECT_FALSE(Down(form1().Asym));
  QTest::keyClick(&form1(), Qt::Key_F6);
  form1().AoriginExecute(1);
  EXPECT_FALSE(Down(form1().Aorigin));
  EXPECT_FALSE(Down(form1().Apoly));
  EXPECT_FALSE(Down(form1().Asym));
}

TEST_F(ModifierTest, OriginLockDrawsAFanFromTheLastCompletedStart) {
  form1().dtExecute(2);
  Stroke(TPoint{10, 10}, TPoint{50, 10});
  form1().AoriginExecute(1);
  Stroke(TPoint{100, 100}, TPoint{60, 80});
  Stroke(TPoint{150, 150}, TPoint{30, 190});
  EXPECT_TRUE(PictureIs(*Lines({{{10, 10}, {50, 10}}, {{10, 10}, {60, 80}}, {{10, 10}, {30, 190}}})));
}

TEST_F(ModifierTest, ContinuousDrawingMakesAPolyline) {
  form1().dtExecute(2);
  Stroke(TPoint{20, 20}, TPoint{60, 20});
  form1().AoriginExecute(2);
  Stroke(TPoint{150, 150}, TPoint{60, 70});
  Stroke(TPoint{3, 3}, TPoint{20, 70});
  EXPECT_TRUE(PictureIs(*Lines({{{20, 20}, {60, 20}}, {{60, 20}, {60, 70}}, {{60, 70}, {20, 70}}})));
}

TEST_F(ModifierTest, PointSymmetryMirrorsTheStartThroughTheFirstPress) {
  form1().dtExecute(2);
  form1().AoriginExecute(3);
  Click(TPoint{100, 100});
  Move(TPoint{130, 90});
  // The preview is the inverted line from the mirror point (70, 110) to the pointer.
  auto preview = Lines({});
  preview->Canvas().Pen.Mode = pmNot;
  preview->Canvas().MoveTo(70, 110);
  preview->Canvas().LineTo(130, 90);
  EXPECT_TRUE(PictureIs(*preview));
  Click(TPoint{130, 90});
  EXPECT_TRUE(PictureIs(*Lines({{{70, 110}, {130, 90}}})));
}

TEST_F(ModifierTest, TheFixedAngleMovesThePointerOntoTheDiagonal) {
  EXPECT_FALSE(form1().dxdrop->isChecked());
  EXPECT_EQ(form1().Ladx->text(), QStringLiteral("45"));
  form1().updx->setValue(30);
  EXPECT_EQ(form1().Ladx->text(), QStringLiteral("30"));
  form1().updx->setValue(45);
  form1().dxdrop->click();
  form1().dtExecute(2);
  Click(TPoint{50, 50});
  Move(TPoint{80, 53});
  EXPECT_EQ(form1().Label1->text(), QStringLiteral("80,80"));
  EXPECT_EQ(form1().Label3->text(), QStringLiteral("315度"));
  Click(TPoint{80, 53});
  EXPECT_TRUE(PictureIs(*Lines({{{50, 50}, {80, 80}}})));
}

}  // namespace
