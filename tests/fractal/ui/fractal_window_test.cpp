// The fractal settings window on its own terms: every control inside the window on every page,
// the menu fpop only where it belongs, the hints of the spin boxes' edit fields, and a program
// that draws no random number before a click, a spray dot or a tree asks for one.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <functional>

#include "app/canvas_mouse.h"
#include "draw/point_figures.h"
#include "draw/program_random.h"
#include "draw/tool_table.h"
#include "draw/ui/bounded_value.h"
#include "draw/ui/pstate_panel.h"
#include "fractal/fractal_driver.h"
#include "fractal/ui/fractal_form.h"
#include "widgets/picture_box.h"
#include "widgets/up_down.h"

namespace {

class FractalWindowTest : public CanvasMouseTest {
 protected:
  TForm3& form3() { return *form1().FractalForm; }
  void ShowPage(int index) {
    form3().page->setCurrentIndex(index);
    QApplication::processEvents();
  }
  // The test platform sends a pointer move to the first window that holds the point, whatever
  // lies on top: the settings window moves where no other window is.
  void MoveClearOfTheOtherWindows() {
    int right = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w != &form3() && w->isVisible()) right = std::max(right, w->frameGeometry().right());
    form3().move(right + 10, 0);
    QApplication::processEvents();
  }
  static QWidget* EditField(QWidget* spinOrCombo) { return spinOrCombo->findChild<QLineEdit*>(); }
};

TEST_F(FractalWindowTest, EveryControlOfEveryPageLiesInsideTheWindow) {
  QTest::keyClick(&form1(), Qt::Key_F10);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form3()));
  EXPECT_TRUE(form3().rect().contains(form3().page->geometry()));
  for (int i = 0; i < form3().page->count(); ++i) {
    ShowPage(i);
    QWidget* tab = form3().page->widget(i);
    const QRect tabInWindow(tab->mapTo(&form3(), QPoint()), tab->size());
    EXPECT_TRUE(form3().rect().contains(tabInWindow)) << "page " << i;
    // Hidden controls too (the colour strips, the thinning box): they show on the same spot.
    for (QWidget* w : tab->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      EXPECT_TRUE(tab->rect().contains(w->geometry()))
          << "page " << i << ": " << w->metaObject()->className() << " " << w->objectName().toStdString() << " at "
          << w->x() << "," << w->y() << " " << w->width() << "x" << w->height() << " in " << tab->width() << "x"
          << tab->height();
  }
  // The edit page's strip takes a click on its bottom row, the brush colours.
  ShowPage(2);
  QTest::mouseClick(form3().acEbutton, Qt::LeftButton);
  ASSERT_TRUE(form3().autocolorE->isVisible());
  form1().PstatePanel->rightColor = clRed;
  QTest::mouseClick(form3().autocolorE, Qt::RightButton, {}, QPoint(55, 15));
  EXPECT_EQ(form1().FractalParams.levelColors[11], clRed);
  EXPECT_EQ(form3().autocolorE->Picture().GetPixel(55, 15), clRed);
}

TEST_F(FractalWindowTest, ThePopupMenuOpensOnItsControlsOnly) {
  QTest::keyClick(&form1(), Qt::Key_F10);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form3()));
  // Show the hidden controls: the strips and the thinning box.
  QTest::mouseClick(form3().acbutton, Qt::LeftButton);
  QTest::mouseClick(form3().anbutton, Qt::LeftButton);
  struct Case {
    const char* name;
    int page;
    std::function<QWidget*()> control;  // the part under the pointer
    bool opens;
  };
  TForm3& f = form3();
  const Case cases[] = {
      {"preview Imk", 0, [&] { return f.Imk; }, true},
      {"up-down udK", 0, [&] { return f.udK; }, true},
      {"an arrow of UdW", 0, [&] { return f.UdW->findChild<QWidget*>(); }, true},
      {"anedit's edit field", 0, [&] { return EditField(f.anedit); }, true},
      {"fcomb's edit field", 0, [&] { return EditField(f.fcomb); }, true},
      {"fcomb", 0, [&] { return f.fcomb; }, true},
      {"parebox", 2, [&] { return f.parebox; }, true},
      {"edmage", 2, [&] { return f.edmage; }, true},
      {"label X1", 3, [&] { return f.page->widget(3)->findChild<QLabel*>(); }, true},
      {"SpinEdit5's edit field", 3, [&] { return EditField(f.SpinEdit5); }, true},
      {"speed button acbutton", 0, [&] { return f.acbutton; }, false},
      {"speed button anbutton", 0, [&] { return f.anbutton; }, false},
      {"colour strip autocolor", 0, [&] { return f.autocolor; }, false},
      {"speed button acEbutton", 2, [&] { return f.acEbutton; }, false},
      {"child line button eb0", 2, [&] { return f.eb[0]; }, false},
      {"speed button acRbutton", 3, [&] { return f.acRbutton; }, false},
      {"colour strip autocolorR", 3, [&] { return f.autocolorR; }, false},
      {"the page itself", 1, [&] { return f.page->widget(1); }, false},
  };
  for (const Case& c : cases) {
    ShowPage(c.page);
    QWidget* w = c.control();
    ASSERT_NE(w, nullptr) << c.name;
    // A menu of the control's own would run its own event loop: it is closed and noted.
    bool ownMenu = false;
    QTimer::singleShot(10, [&] {
      QWidget* popup = QApplication::activePopupWidget();
      if (popup && popup != f.fpop) {
        ownMenu = true;
        popup->close();
      }
    });
    const QPoint at(2, 2);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, at, w->mapToGlobal(at));
    QApplication::sendEvent(w, &menu);
    QTest::qWait(20);
    EXPECT_EQ(f.fpop->isVisible(), c.opens) << c.name;
    EXPECT_FALSE(ownMenu) << c.name << ": a menu of the control's own";
    f.fpop->hide();
  }
}

TEST_F(FractalWindowTest, TheSpinBoxesEditFieldsShowTheirHints) {
  QTest::keyClick(&form1(), Qt::Key_F10);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form3()));
  MoveClearOfTheOtherWindows();
  QTest::mouseClick(form3().anbutton, Qt::LeftButton);  // shows anedit
  struct Case {
    int page;
    QSpinBox* spin;
    const char* hint;  // nullptr: the box has no hint, the readout keeps what it showed
  };
  TForm3& f = form3();
  const Case cases[] = {{0, f.anedit, "枝細程度"}, {3, f.sx1, "座標の変位"}, {3, f.sy1, "座標の変位"},
                        {3, f.sx2, "座標の変位"}, {3, f.sy2, "座標の変位"}, {3, f.SpinEdit5, nullptr}};
  for (const Case& c : cases) {
    ShowPage(c.page);
    form1().Label4()->setText(QStringLiteral("before"));
    QWidget* field = EditField(c.spin);
    ASSERT_NE(field, nullptr);
    QTest::mouseMove(field, QPoint(field->width() / 2, field->height() / 2));
    QApplication::processEvents();
    EXPECT_EQ(form1().Label4()->text(), c.hint ? QString::fromUtf8(c.hint) : QStringLiteral("before"))
        << c.spin->objectName().toStdString() << " on page " << c.page;
  }
}

// A program just started: the generator is at its first state, and the first spray dots and
// the first tree come from the sequence that starts there.
class FreshProgramTest : public FractalWindowTest {
 protected:
  void SetUp() override {
    SetRandomState(0);
    FractalWindowTest::SetUp();
  }
};

TEST_F(FreshProgramTest, TheFirstSprayDotsComeFromTheFirstNumbers) {
  EXPECT_EQ(RandomState(), 0u) << "building the windows drew random numbers";
  form1().PstatePanel->penwidth->SetPosition(10);
  form1().dtExecute(kToolSpray);
  Click(100, 100);
  TBitmap expected(200, 200);
  SetRandomState(0);
  expected.Canvas().Pen.Color = clBlack;
  SprayDots(expected.Canvas(), TPoint{100, 100}, 10);
  EXPECT_TRUE(SamePixels(picture(), expected));
}

TEST_F(FreshProgramTest, TheFirstTreeComesFromTheFirstNumbers) {
  EXPECT_EQ(RandomState(), 0u) << "building the windows drew random numbers";
  // Turning on applies the first set, whose randomness preview draws four numbers.
  QTest::keyClick(&form1(), Qt::Key_F10);
  form1().dtExecute(kToolLine);
  TwoClick({100, 199}, {100, 120});

  TBitmap expected(200, 200);
  expected.Canvas().MoveTo(100, 199);
  expected.Canvas().LineTo(100, 120);
  TBitmap before;
  before.Assign(expected);
  SetRandomState(0);
  for (int i = 0; i < 4; ++i) Random(2);
  TFractalParams params;
  params.levelCount = 4;
  params.branchCount = 2;
  params.ratio = 0.5f;
  params.randomness = 2;
  params.spreadAngle = 20;
  TFractalRun run;
  run.renderFigure = [](TPoint s, TPoint e, TCanvas& canvas, TPenMode) {
    canvas.MoveTo(s.X, s.Y);
    canvas.LineTo(e.X, e.Y);
  };
  TFractalWalk walk;
  walk.seg[1] = {100, 199, 100, 120};
  GenerateFractal(expected, before, walk, params, run);
  EXPECT_TRUE(SamePixels(picture(), expected));
}

}  // namespace
