// The text tools in the window: the palette memo's lines written at a click, following a drag,
// at the text angle, along a two-click direction, in the stroke button's colour on a clear or
// opaque background; another button's release takes the text back.
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QToolButton>

#include "canvas_mouse.h"
#include "draw/ui/pstate_panel.h"
#include "surface/canvas.h"
#include "windows/tool_palette.h"

namespace {

constexpr TColor kGround = RGB(0, 128, 0);

class TextToolTest : public CanvasMouseTest {
 public:
  // For the strokes of the case table.
  using CanvasMouseTest::Click;
  using CanvasMouseTest::Move;
  using CanvasMouseTest::Press;
  using CanvasMouseTest::Release;
  using CanvasMouseTest::TwoClick;
  using CanvasMouseTest::form1;

 protected:
  void SetUp() override {
    CanvasMouseTest::SetUp();
    QPlainTextEdit* memo = form1().ToolPalette->edit7;
    memo->setFocus();
    memo->selectAll();
    QTest::keyClicks(memo, QStringLiteral("AB"));
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, QStringLiteral("CD"));
    Paint(kGround);
  }
  // The whole picture in one colour, whatever brush the last stroke left.
  void Paint(TColor c) {
    picture().Canvas().Brush.Style = bsSolid;
    picture().Canvas().Brush.Bitmap = nullptr;
    picture().Canvas().Brush.Color = c;
    picture().Canvas().FillRect(picture().BoundsRect());
  }
  void Key(Qt::Key key) {
    QTest::mouseMove(form1().Image, QPoint(5, 5));  // single keys work once the pointer was here
    QTest::keyClick(QApplication::focusWidget(), key);
  }
};

struct TextCase {
  const char* what;
  Qt::Key toolKey;
  int escapement;
  int fillSetting;
  int button;
  std::function<void(TextToolTest&)> stroke;
  int angle;             // of the written lines
  TPoint first, second;  // where "AB" and "CD" land; none when equal to (-1, -1)
};

TEST_F(TextToolTest, TheMemoIsWrittenWhereTheStrokeEnds) {
  const TPoint none{-1, -1};
  const TextCase cases[] = {
      {"a click", Qt::Key_A, 0, 0, 0, [](TextToolTest& t) { t.Click(10, 10); }, 0, {10, 10}, {10, 22}},
      {"a click at 90 degrees", Qt::Key_A, 90, 0, 0, [](TextToolTest& t) { t.Click(10, 100); }, 90, {10, 100},
       {22, 100}},
      {"a drag", Qt::Key_A, 0, 0, 0,
       [](TextToolTest& t) {
         t.Press(10, 10);
         for (int i = 1; i <= 5; ++i) t.Move(10 + 10 * i, 10 + 14 * i);
         t.Release(60, 80);
       },
       0, {60, 80}, {60, 92}},
      {"a right click on the hatch fill, which is opaque", Qt::Key_A, 0, 5, 1, [](TextToolTest& t) { t.Click(30, 40, 1); }, 0,
       {30, 40}, {30, 52}},
      {"a release with the other button", Qt::Key_A, 0, 0, 0,
       [](TextToolTest& t) {
         t.Press(10, 10);
         t.Move(40, 40);
         t.Release(40, 40, 1);
       },
       0, none, none},
      {"angled text at 45 degrees", Qt::Key_S, 0, 0, 0,
       [](TextToolTest& t) { t.TwoClick(TPoint{0, 100}, TPoint{100, 0}); }, 45, {0, 100}, {8, 108}},
      {"angled text straight down on the pattern fill", Qt::Key_S, 30, 8, 0,
       [](TextToolTest& t) { t.TwoClick(TPoint{100, 20}, TPoint{100, 180}); }, 270, {100, 20}, {88, 20}},
      // Point symmetry turns the text about the press point: it starts at the pointer's mirror.
      {"angled text with point symmetry", Qt::Key_S, 0, 0, 0,
       [](TextToolTest& t) {
         QTest::keyClick(&t.form1(), Qt::Key_F8);
         t.TwoClick(TPoint{100, 100}, TPoint{150, 50});
         QTest::keyClick(&t.form1(), Qt::Key_F8);
       },
       45, {50, 150}, {58, 158}},
      // The fixed angle of 45 degrees snaps a flatter drag onto the diagonal.
      {"angled text at the fixed angle", Qt::Key_S, 0, 0, 0,
       [](TextToolTest& t) {
         t.form1().dxdrop()->setChecked(true);
         t.TwoClick(TPoint{0, 100}, TPoint{100, 30});
         t.form1().dxdrop()->setChecked(false);
       },
       45, {0, 100}, {8, 108}},
  };
  for (const TextCase& c : cases) {
    Paint(kGround);
    form1().PstatePanel->escapement->setValue(c.escapement);
    form1().PstatePanel->brbar->SetPosition(c.fillSetting);
    Key(c.toolKey);
    c.stroke(*this);

    TBitmap expected(200, 200);
    TCanvas& e = expected.Canvas();
    e.Brush.Color = kGround;
    e.FillRect(expected.BoundsRect());
    if (c.first.X >= 0) {
      MakeTextFont(e, TTextFontSettings{}, c.angle);
      e.Font.Color = c.button == 0 ? clBlack : clWhite;
      e.Brush.Color = c.button == 0 ? clWhite : clBlack;
      e.Brush.Style = c.fillSetting ? bsSolid : bsClear;
      e.TextOut(c.first.X, c.first.Y, "AB");
      e.TextOut(c.second.X, c.second.Y, "CD");
    }
    EXPECT_TRUE(SamePixels(picture(), expected)) << c.what;
    EXPECT_FALSE(form1().DrawingFlag()) << c.what;
  }
}

TEST_F(TextToolTest, AnEmptyMemoWritesNothingButTheStrokeStillTakesItsSnapshot) {
  form1().ToolPalette->edit7->clear();
  for (Qt::Key tool : {Qt::Key_A, Qt::Key_S}) {
    Key(tool);
    TwoClick(TPoint{10, 10}, TPoint{120, 60});
    EXPECT_TRUE(AllPixels(picture(), kGround));
    EXPECT_TRUE(AllPixels(app().Document().UndoSnapshot(), kGround));
  }
}

}  // namespace
