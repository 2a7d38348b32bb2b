// Fractal drawing through the real windows: the switch, the parameter sets and page presets of
// the settings window, its colour strip and wrap-around, and a stroke that grows a tree.
#include <QAbstractItemView>
#include <QComboBox>
#include <QCheckBox>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <functional>

#include "canvas_mouse.h"
#include "draw/tool_table.h"
#include "draw/ui/pstate_panel.h"
#include "fractal/fractal_driver.h"
#include "fractal/fractal_pictures.h"
#include "fractal/ui/fractal_form.h"
#include "surface/canvas.h"
#include "widgets/picture_box.h"
#include "widgets/up_down.h"

namespace {

class FractalTest : public CanvasMouseTest {
 protected:
  TForm3& form3() { return *form1().FractalForm; }
  const TFractalParams& params() { return form1().FractalParams; }
};

TEST_F(FractalTest, TheSwitchTheSetsAndThePagePresets) {
  QTest::keyClick(&form1(), Qt::Key_F10);
  EXPECT_TRUE(form3().isVisible());
  EXPECT_TRUE(form1().Afrac()->isChecked());
  EXPECT_EQ(params().levelCount, 4);
  EXPECT_EQ(params().branchCount, 2);
  EXPECT_FLOAT_EQ(params().ratio, 0.5f);
  EXPECT_EQ(params().randomness, 2);
  EXPECT_EQ(params().spreadAngle, 20);
  EXPECT_FALSE(form3().autocolor->isVisible());

  // "雑草": backward branches, the colour strip shown, the green ramp's first colours drawn with.
  form3().fcomb->setCurrentIndex(6);
  form3().fcombChange();
  EXPECT_FLOAT_EQ(params().ratio, -1.0f);
  EXPECT_TRUE(form3().autocolor->isVisible());
  EXPECT_EQ(form1().PstatePanel->leftColor, RGB(128, 0, 0));
  EXPECT_EQ(form1().PstatePanel->rightColor, clWhite);
  // A left click on the strip's first cell takes the left colour; a right one on the last the right.
  form1().PstatePanel->leftColor = clBlue;
  QTest::mouseClick(form3().autocolor, Qt::LeftButton, {}, QPoint(0, 10));
  QTest::mouseClick(form3().autocolor, Qt::RightButton, {}, QPoint(59, 19));
  EXPECT_EQ(params().levelColors[0], clBlue);
  EXPECT_EQ(params().levelColors[11], clWhite);
  EXPECT_EQ(form3().autocolor->Picture().GetPixel(5, 5), clBlue);

  form3().page->setCurrentIndex(1);  // Koch
  EXPECT_EQ(params().levelCount, 4);
  EXPECT_NEAR(params().peakHeight, 10 * 0.02886751346, 1e-6);
  EXPECT_FLOAT_EQ(params().ratio, 3 / 9.0f);
  EXPECT_FALSE(form3().parebox->isChecked());
  form3().udh->SetPosition(20);
  form3().udh->Step(TUpDown::btNext);  // wraps round to 1
  EXPECT_EQ(form3().udh->Position(), 1);
  form3().udbe->SetPosition(5);
  form3().page->setCurrentIndex(2);  // edit
  EXPECT_EQ(params().branchCount, 5);
  form3().page->setCurrentIndex(0);
  EXPECT_FLOAT_EQ(params().ratio, 0.5f);
  EXPECT_TRUE(form3().parebox->isChecked());

  // The close box turns fractal drawing off.
  form3().close();
  EXPECT_FALSE(form3().isVisible());
  EXPECT_FALSE(form1().Afrac()->isChecked());
  EXPECT_EQ(params().levelCount, 0);
}

TEST_F(FractalTest, AStrokeGrowsATreeAndUndoTakesItAway) {
  QTest::keyClick(&form1(), Qt::Key_F10);
  form3().SetTreeParams(1, 2, 5, 0, 20);
  form1().dtExecute(2);  // line
  TwoClick({100, 199}, {100, 100});
  // The stroke and its two children, drawn independently on a white picture.
  TBitmap expected(200, 200);
  TCanvas& c = expected.Canvas();
  for (const auto& [a, b] : {std::pair{TPoint{100, 199}, TPoint{100, 100}}, {TPoint{100, 100}, TPoint{83, 53}},
                             {TPoint{100, 100}, TPoint{117, 53}}}) {
    c.MoveTo(a.X, a.Y);
    c.LineTo(b.X, b.Y);
  }
  EXPECT_TRUE(SamePixels(picture(), expected));

  EXPECT_TRUE(form3().windowTitle().startsWith(QStringLiteral("rir（描画時間")));
  form1().returnbuttonClick();
  EXPECT_TRUE(AllPixels(picture(), clWhite));
}

// The motif editor driven with the mouse: two releases place a child line, the next line is
// selected after each end point, the parent box and the number of lines change what is drawn.
TEST_F(FractalTest, TheMotifEditorPlacesChildLines) {
  QTest::keyClick(&form1(), Qt::Key_F10);
  form3().page->setCurrentIndex(2);
  EXPECT_FALSE(form3().parebox->isChecked());
  QWidget* editor = form3().edmage;
  const auto release = [editor](int x, int y, Qt::MouseButton b = Qt::LeftButton) {
    QTest::mouseMove(editor, QPoint(x, y));
    QTest::mouseRelease(editor, b, {}, QPoint(x, y));
  };
  release(75, 40);
  EXPECT_TRUE(form3().endPending);
  release(25, 15);
  const TMotifLine& first = form3().motif[0];
  EXPECT_EQ(first.startLen, 50);
  EXPECT_FLOAT_EQ(first.startU, 0.5f);
  EXPECT_NEAR(first.endV, -0.25f, 1e-6);
  EXPECT_EQ(form3().childNo, 1);
  EXPECT_TRUE(form3().eb[1]->isChecked());
  release(10, 10, Qt::RightButton);  // other buttons change nothing
  EXPECT_FALSE(form3().endPending);
  // The line is drawn in the editor in its preview colour (red for line 1).
  EXPECT_EQ(form3().edmage->Picture().GetPixel(75, 40), PreviewColor(1));

  // With one child line the stroke becomes that line, carried onto the stroke.
  form3().udbe->SetPosition(1);
  emit form3().udbe->Click(TUpDown::btNext);
  EXPECT_FALSE(form3().eb[1]->isEnabled());
  form3().udke->SetPosition(1);
  emit form3().udke->Click(TUpDown::btNext);
  form1().dtExecute(2);
  TwoClick({0, 100}, {200, 100});
  TBitmap expected(200, 200);
  expected.Canvas().MoveTo(100, 100);
  expected.Canvas().LineTo(0, 50);
  EXPECT_TRUE(SamePixels(picture(), expected)) << "the parent is left out on the edit page";
}

// A user's evening with the switch: a set chosen from the list, the thinning button and its
// box touched (which clear the list's text), then fractal drawing turned off and on by F10, the
// close box and the toolbar button, a stroke after each. Every stroke made while on grows the
// chosen set's figure; every stroke made while off is the plain line.
TEST_F(FractalTest, TheChosenSetGrowsAfterEveryWayOfTurningOnAgain) {
  const int kSnowCrystal = 7;
  QTest::keyClick(&form1(), Qt::Key_F10);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form3()));
  QComboBox* list = form3().fcomb;
  list->showPopup();
  QAbstractItemView* items = list->view();
  QTest::mouseClick(items->viewport(), Qt::LeftButton, {},
                    items->visualRect(items->model()->index(kSnowCrystal, 0)).center());
  EXPECT_EQ(list->currentIndex(), kSnowCrystal);
  EXPECT_EQ(list->currentText(), QString()) << "the set's text is cleared once applied";
  QTest::mouseClick(form3().anbutton, Qt::LeftButton);
  QTest::keyClick(form3().anedit, Qt::Key_Up);
  QTest::mouseClick(form3().anbutton, Qt::LeftButton);
  EXPECT_EQ(form3().anedit->value(), 5);
  EXPECT_EQ(list->currentText(), QString());
  EXPECT_EQ(list->currentIndex(), kSnowCrystal) << "clearing the text keeps the chosen set";

  // The snow crystal grown from the stroke, drawn independently of the windows.
  const TPoint from{100, 150}, to{100, 100};
  const auto drawLine = [&](TBitmap& b) {
    b.Canvas().MoveTo(from.X, from.Y);
    b.Canvas().LineTo(to.X, to.Y);
  };
  TBitmap line(200, 200), crystal(200, 200);
  drawLine(line);
  drawLine(crystal);
  {
    const TParameterSet& set = kParameterSets[kSnowCrystal];
    TFractalParams params;
    params.levelCount = std::int8_t(set.levels);
    params.branchCount = std::int8_t(set.branches);
    params.ratio = float(set.ratioPosition * 0.1);
    params.spreadAngle = std::int8_t(set.angle);
    TFractalRun run;
    run.renderFigure = [](TPoint s, TPoint e, TCanvas& canvas, TPenMode) {
      canvas.MoveTo(s.X, s.Y);
      canvas.LineTo(e.X, e.Y);
    };
    TFractalWalk walk;
    walk.seg[1] = {from.X, from.Y, to.X, to.Y};
    GenerateFractal(crystal, line, walk, params, run);
  }

  QToolButton* zudozoB = form1().findChild<QToolButton*>(QStringLiteral("zudozoB"));
  ASSERT_NE(zudozoB, nullptr);
  struct Step {
    const char* what;
    std::function<void()> act;  // nothing: the stroke follows the step before
    bool on;
  };
  const Step steps[] = {
      {"on with F10", [] {}, true},
      {"off with F10", [&] { QTest::keyClick(&form1(), Qt::Key_F10); }, false},
      {"on with F10 again", [&] { QTest::keyClick(&form1(), Qt::Key_F10); }, true},
      {"off with the close box", [&] { form3().close(); }, false},
      {"on with the toolbar button", [&] { QTest::mouseClick(zudozoB, Qt::LeftButton); }, true},
      {"off with the toolbar button", [&] { QTest::mouseClick(zudozoB, Qt::LeftButton); }, false},
      {"on with the toolbar button again", [&] { QTest::mouseClick(zudozoB, Qt::LeftButton); }, true},
  };
  form1().dtExecute(kToolLine);
  for (const Step& step : steps) {
    step.act();
    EXPECT_EQ(form3().isVisible(), step.on) << step.what;
    EXPECT_EQ(form1().Afrac()->isChecked(), step.on) << step.what;
    EXPECT_EQ(zudozoB->isChecked(), step.on) << step.what;
    EXPECT_EQ(params().levelCount, step.on ? 4 : 0) << step.what;
    EXPECT_EQ(form3().udK->Position(), step.on ? 4 : 0) << step.what;
    TwoClick(from, to);
    EXPECT_TRUE(SamePixels(picture(), step.on ? crystal : line)) << step.what;
    form1().returnbuttonClick();
    ASSERT_TRUE(AllPixels(picture(), clWhite)) << step.what;
    Move(150, 50);  // on the way to the toolbar
  }
}

}  // namespace
