// Tool selection and the drawing modifiers: origin lock, continuous drawing, point symmetry
// and the fixed angle, driven through the real actions, keys and canvas events.
#include <QComboBox>
#include <QLabel>
#include <QScrollBar>
#include <QToolButton>

#include "canvas_mouse.h"
#include "draw/ui/pstate_panel.h"
#include "surface/canvas.h"
#include "widgets/toolbar_icons.h"

namespace {

class ModifierTest : public CanvasMouseTest {
 protected:
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
};

TEST_F(ModifierTest, SelectingAToolSetsItsFigureCursorIconHintAndModifiers) {
  QToolButton paletteButton;
  paletteButton.setCheckable(true);
  form1().toolButtons[3] = &paletteButton;
  form1().dtExecute(3);
  EXPECT_TRUE(paletteButton.isChecked());
  EXPECT_EQ(form1().ToolNumber(), 3);
  EXPECT_EQ(form1().FigureChoice().figure, 3);
  EXPECT_EQ(form1().Image->cursor().pixmap().toImage(), form1().Cursors().Slot(3).pixmap().toImage());
  EXPECT_EQ(form1().ScrollBox1->cursor().pixmap().toImage(), form1().Cursors().Slot(3).pixmap().toImage());
  EXPECT_EQ(form1().AtoolP()->icon().pixmap(16, 16).toImage(), ToolbarIcon(14).pixmap(16, 16).toImage());
  EXPECT_EQ(form1().Image->statusTip(), QStringLiteral("楕円(3)"));
  form1().toolButtons[3] = nullptr;

  for (int tool = 1; tool <= kToolCount; ++tool) {
    form1().dtExecute(tool);
    const bool takes = (tool >= 2 && tool <= 8) || tool == 12 || tool == 15 || tool == 16 || tool == 18;
    EXPECT_EQ(form1().Aorigin()->isEnabled(), takes) << tool;
    EXPECT_EQ(form1().Asym()->isEnabled(), takes) << tool;
  }

  // Typing in the font box leaves the tool alone.
  form1().PstatePanel->fcom->setFocus();
  form1().dtExecute(5);
  EXPECT_EQ(form1().ToolNumber(), kToolCount);
}

TEST_F(ModifierTest, F6TogglesOriginLockOnlyForToolsThatTakeModifiers) {
  form1().dtExecute(3);
  form1().AoriginExecute(2);
  EXPECT_TRUE(form1().Apoly()->isChecked());
  QTest::keyClick(&form1(), Qt::Key_F6);
  EXPECT_TRUE(form1().Aorigin()->isChecked());
  EXPECT_FALSE(form1().Apoly()->isChecked());
  EXPECT_FALSE(form1().Asym()->isChecked());
  QTest::keyClick(&form1(), Qt::Key_F6);
  EXPECT_FALSE(form1().Aorigin()->isChecked());

  form1().AoriginExecute(3);
  form1().dtExecute(1);  // the freehand tool releases and disables all three
  EXPECT_FALSE(form1().Asym()->isChecked());
  QTest::keyClick(&form1(), Qt::Key_F6);
  form1().AoriginExecute(1);
  EXPECT_FALSE(form1().Aorigin()->isChecked());
  EXPECT_FALSE(form1().Apoly()->isChecked());
  EXPECT_FALSE(form1().Asym()->isChecked());
}

TEST_F(ModifierTest, OriginLockDrawsAFanFromTheLastCompletedStart) {
  form1().dtExecute(2);
  TwoClick(TPoint{10, 10}, TPoint{50, 10});
  form1().AoriginExecute(1);
  TwoClick(TPoint{100, 100}, TPoint{60, 80});
  TwoClick(TPoint{150, 150}, TPoint{30, 190});
  EXPECT_TRUE(SamePixels(picture(), *Lines({{{10, 10}, {50, 10}}, {{10, 10}, {60, 80}}, {{10, 10}, {30, 190}}})));
}

TEST_F(ModifierTest, ContinuousDrawingMakesAPolyline) {
  form1().dtExecute(2);
  TwoClick(TPoint{20, 20}, TPoint{60, 20});
  form1().AoriginExecute(2);
  TwoClick(TPoint{150, 150}, TPoint{60, 70});
  TwoClick(TPoint{3, 3}, TPoint{20, 70});
  EXPECT_TRUE(SamePixels(picture(), *Lines({{{20, 20}, {60, 20}}, {{60, 20}, {60, 70}}, {{60, 70}, {20, 70}}})));
}

TEST_F(ModifierTest, PointSymmetryMirrorsTheStartThroughTheFirstPress) {
  form1().dtExecute(2);
  form1().AoriginExecute(3);
  Click(100, 100);
  Move(130, 90);
  // The preview is the inverted line from the mirror point (70, 110) to the pointer.
  auto preview = Lines({});
  preview->Canvas().Pen.Mode = pmNot;
  preview->Canvas().MoveTo(70, 110);
  preview->Canvas().LineTo(130, 90);
  EXPECT_TRUE(SamePixels(picture(), *preview));
  Click(130, 90);
  EXPECT_TRUE(SamePixels(picture(), *Lines({{{70, 110}, {130, 90}}})));
}

TEST_F(ModifierTest, TheFixedAngleMovesThePointerOntoTheDiagonal) {
  EXPECT_FALSE(form1().dxdrop()->isChecked());
  EXPECT_EQ(form1().Ladx()->text(), QStringLiteral("45"));
  form1().updx()->setValue(30);
  EXPECT_EQ(form1().Ladx()->text(), QStringLiteral("30"));
  form1().updx()->setValue(45);
  form1().dxdrop()->click();
  form1().dtExecute(2);
  Click(50, 50);
  Move(80, 53);
  EXPECT_EQ(form1().Label1()->text(), QStringLiteral("80,80"));
  EXPECT_EQ(form1().Label3()->text(), QStringLiteral("315度"));
  Click(80, 53);
  EXPECT_TRUE(SamePixels(picture(), *Lines({{{50, 50}, {80, 80}}})));
}

}  // namespace
