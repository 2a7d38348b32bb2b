// The coordinate bar: F11 shows it, the corner list fills the typed point, typing y lets go
// of the corner, and presses, moves and releases on its panel draw at the typed points.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QSpinBox>
#include <QToolBar>
#include <QToolButton>

#include "canvas_mouse.h"
#include "surface/canvas.h"

namespace {

class CoordinateBarTest : public CanvasMouseTest {
 protected:
  void SetUp() override {
    CanvasMouseTest::SetUp();
    QTest::keyClick(&form1(), Qt::Key_F11);
  }
  // Typed as the user types: the old number selected and replaced.
  void Type(QSpinBox* edit, int value) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, QString::number(value));
  }
  void TypePoint(TPoint p) {
    Type(form1().xedit(), p.X);
    Type(form1().yedit(), p.Y);
  }
  void ClickPanel() { QTest::mouseClick(form1().xyPanel(), Qt::LeftButton, {}, QPoint(20, 10)); }
  void ChooseCorner(int index) {
    QComboBox* box = form1().xBox();
    box->showPopup();
    QAbstractItemView* list = box->view();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(index, 0)).center());
  }
};

TEST_F(CoordinateBarTest, F11ShowsAndHidesTheBarWithItsButtonAndMenuCheck) {
  auto* pointB = form1().ToolsBar()->findChild<QToolButton*>(QStringLiteral("pointB"));
  for (bool shown : {true, false, true}) {
    EXPECT_EQ(!form1().xyBar()->isHidden(), shown);
    EXPECT_EQ(form1().Apoint()->isChecked(), shown);
    EXPECT_EQ(pointB->isChecked(), shown);
    QTest::keyClick(&form1(), Qt::Key_F11);
  }
  EXPECT_EQ(form1().xyPanel()->text(), QStringLiteral("Click"));
  EXPECT_EQ(form1().xBox()->currentText(), QStringLiteral("左上"));
}

TEST_F(CoordinateBarTest, CornersFillThePointAndTypingYLetsGoOfTheCorner) {
  picture().SetSize(200, 100);
  form1().DocumentReplaced();
  const struct {
    const char* item;
    TPoint point;
  } corners[] = {{"左上", {0, 0}},        {"右上(内)", {199, 0}},  {"右上(外)", {200, 0}},  {"左下(内）", {0, 99}},
                 {"左下(外）", {0, 100}}, {"右下(内)", {199, 99}}, {"右下(外)", {200, 100}}};
  for (int i = 6; i >= 0; --i) {
    ChooseCorner(i);
    EXPECT_EQ(form1().xBox()->currentText(), QString::fromUtf8(corners[i].item));
    EXPECT_EQ(form1().xedit()->value(), corners[i].point.X) << corners[i].item;
    EXPECT_EQ(form1().yedit()->value(), corners[i].point.Y) << corners[i].item;
  }
  Type(form1().xedit(), 17);
  EXPECT_EQ(form1().xBox()->currentText(), QStringLiteral("左上"));  // x alone keeps the corner's name
  Type(form1().yedit(), 7);
  EXPECT_EQ(form1().xBox()->currentText(), QString());
}

TEST_F(CoordinateBarTest, PanelEventsDrawAtTheTypedPoints) {
  const struct {
    Qt::Key toolKey;
    TPoint from, to;
    TPoint inked;  // a pixel the figure must draw
    void (*expected)(TCanvas&, TPoint, TPoint);
  } figures[] = {
      {Qt::Key_2, {10, 10}, {200, 50}, {10, 10},
       [](TCanvas& c, TPoint a, TPoint b) {
         c.MoveTo(a.X, a.Y);
         c.LineTo(b.X, b.Y);
       }},
      // From the top-left corner to one past the bottom-right one: the frame of the picture.
      {Qt::Key_5, {0, 0}, {200, 200}, {199, 199}, [](TCanvas& c, TPoint a, TPoint b) { c.Rectangle(a.X, a.Y, b.X, b.Y); }},
      {Qt::Key_3, {-40, 150}, {60, 250}, {10, 150}, [](TCanvas& c, TPoint a, TPoint b) { c.Ellipse(a.X, a.Y, b.X, b.Y); }},
  };
  for (const auto& f : figures) {
    picture().Canvas().Brush.Style = bsSolid;  // whatever the last figure left
    picture().Canvas().Brush.Color = clWhite;
    picture().Canvas().FillRect(picture().BoundsRect());
    QTest::mouseMove(form1().Image, QPoint(5, 5));
    QTest::keyClick(QApplication::focusWidget(), f.toolKey);
    TypePoint(f.from);
    ClickPanel();
    TypePoint(f.to);
    QTest::mouseMove(form1().xyPanel(), QPoint(21, 11));  // the preview at the typed point
    ClickPanel();

    TBitmap expected(200, 200);
    expected.Canvas().FillRect(expected.BoundsRect());
    expected.Canvas().Brush.Style = bsClear;
    f.expected(expected.Canvas(), f.from, f.to);
    const std::string tool = QKeySequence(f.toolKey).toString().toStdString();
    EXPECT_TRUE(SamePixels(picture(), expected)) << tool;
    EXPECT_EQ(picture().GetPixel(f.inked.X, f.inked.Y), clBlack) << tool;
    EXPECT_FALSE(form1().DrawingFlag());
  }
}

}  // namespace
