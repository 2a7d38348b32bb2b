// The keyboard as the user meets it: after the pointer has crossed the canvas, single keys
// select tools and step the settings; text entries keep their keys; a stroke keeps its tool;
// Ctrl and the arrows move the picture; the hint area shows the hint of what the pointer is on.
#include <QApplication>
#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <functional>
#include <vector>

#include "canvas_mouse.h"
#include "draw/tool_table.h"
#include "draw/ui/pstate_panel.h"
#include "windows/tool_palette.h"

namespace {

class KeyboardTest : public CanvasMouseTest {
 protected:
  void SetUp() override {
    CanvasMouseTest::SetUp();
    QTest::mouseMove(form1().Image, QPoint(30, 30));  // single keys work once the pointer was here
  }
  // A key as the keyboard gives it: to the control that has the focus.
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QTest::keyClick(focus, key, modifiers);
  }
  TPstatePanel& panel() { return *form1().PstatePanel; }

  // The text entries of the palette and the coordinate bar (shown by pointClick), each with
  // its text.
  struct TTextEntry {
    QWidget* entry;
    std::function<QString()> text;
  };
  std::vector<TTextEntry> MemoAndCoordinates() {
    QPlainTextEdit* memo = form1().ToolPalette->edit7;
    return {{memo, [memo] { return memo->toPlainText(); }},
            {form1().xedit(), [this] { return form1().xedit()->text(); }},
            {form1().yedit(), [this] { return form1().yedit()->text(); }}};
  }
};

TEST_F(KeyboardTest, ToolKeysSelectTheirToolsWithTheirPaletteButtons) {
  const struct {
    Qt::Key key;
    int tool;
  } keys[] = {{Qt::Key_2, 2},  {Qt::Key_3, 3},  {Qt::Key_4, 4},  {Qt::Key_5, 5},  {Qt::Key_6, 6},
              {Qt::Key_7, 7},  {Qt::Key_8, 8},  {Qt::Key_1, 1},  {Qt::Key_Q, 9},  {Qt::Key_W, 10},
              {Qt::Key_E, 11}, {Qt::Key_R, 12}, {Qt::Key_T, 13}, {Qt::Key_Y, 14}, {Qt::Key_U, 15},
              {Qt::Key_I, 16}, {Qt::Key_A, 17}, {Qt::Key_S, 18}, {Qt::Key_Space, 1}, {Qt::Key_Space, 2}};
  for (const auto& k : keys) {
    Key(k.key);
    EXPECT_EQ(form1().ToolNumber(), k.tool) << QKeySequence(k.key).toString().toStdString();
    EXPECT_EQ(form1().FigureChoice().figure, k.tool);
    EXPECT_TRUE(form1().toolButtons[k.tool]->isChecked()) << k.tool;
  }
  // Letters whatever Shift says; the digits of the number pad are no tool keys.
  Key(Qt::Key_A, Qt::ShiftModifier);
  EXPECT_EQ(form1().ToolNumber(), 17);
  Key(Qt::Key_3, Qt::KeypadModifier);
  EXPECT_EQ(form1().ToolNumber(), 17);
}

TEST_F(KeyboardTest, SettingKeysStepFillPenModeWidthAndSizeAndRedrawTheirPictures) {
  const struct {
    Qt::Key key;
    int fill, mode, width, size;
  } steps[] = {
      {Qt::Key_X, 1, 0, 1, 9},  {Qt::Key_Z, 0, 0, 1, 9},   {Qt::Key_Z, 8, 0, 1, 9},  {Qt::Key_X, 0, 0, 1, 9},
      {Qt::Key_C, 0, 3, 1, 9},  {Qt::Key_V, 0, 0, 1, 9},   {Qt::Key_V, 0, 1, 1, 9},  {Qt::Key_Left, 0, 1, 1, 9},
      {Qt::Key_Right, 0, 1, 2, 9}, {Qt::Key_Up, 0, 1, 2, 10}, {Qt::Key_Down, 0, 1, 2, 9}, {Qt::Key_F, 0, 1, 2, 9},
  };
  for (const auto& s : steps) {
    form1().Label4()->setText(QStringLiteral("x"));
    form1().Image->setCursor(Qt::ForbiddenCursor);
    Key(s.key);
    const std::string key = QKeySequence(s.key).toString().toStdString();
    EXPECT_EQ(panel().brbar->Position(), s.fill) << key;
    EXPECT_EQ(panel().pmbar->Position(), s.mode) << key;
    EXPECT_EQ(panel().penwidth->Position(), s.width) << key;
    EXPECT_EQ(panel().Fsize->Position(), s.size) << key;
    EXPECT_EQ(panel().pstext->text(), QStringLiteral("Pen:%1").arg(s.width));
    EXPECT_EQ(panel().Fstext->text(), QStringLiteral("Font:%1").arg(s.size));
    // The fill square is solid navy only with fill setting 1; the tool is selected again.
    EXPECT_EQ(panel().brImage->Picture().GetPixel(12, 12) == RGB(0, 0, 128), s.fill == 1) << key;
    EXPECT_EQ(form1().Label4()->text(), QString()) << key;
    EXPECT_NE(form1().Image->cursor().shape(), Qt::ForbiddenCursor) << key;
  }
}

TEST_F(KeyboardTest, TextEntriesKeepTheirKeysAndAStrokeKeepsItsTool) {
  form1().pointClick();
  QLineEdit* fontName = panel().fcom->lineEdit();
  std::vector<TTextEntry> entries = MemoAndCoordinates();
  entries.push_back({fontName, [fontName] { return fontName->text(); }});
  for (const auto& e : entries) {
    e.entry->setFocus();
    QTest::keyClick(e.entry, Qt::Key_End);
    QTest::keyClicks(e.entry, QStringLiteral("23"));
    EXPECT_TRUE(e.text().endsWith(QStringLiteral("23"))) << e.entry->objectName().toStdString();
    EXPECT_EQ(form1().ToolNumber(), 1) << e.entry->objectName().toStdString();
  }

  QTest::mouseMove(form1().Image, QPoint(30, 30));
  Key(Qt::Key_2);
  Click(10, 10);  // a line is under way
  Key(Qt::Key_3);
  Key(Qt::Key_Space);
  Key(Qt::Key_X);
  Key(Qt::Key_Right);
  Key(Qt::Key_Up);
  EXPECT_EQ(form1().ToolNumber(), 2);
  EXPECT_EQ(panel().brbar->Position(), 0);
  EXPECT_EQ(panel().penwidth->Position(), 2);
  EXPECT_EQ(panel().Fsize->Position(), 10);
  Move(100, 10);
  Click(100, 10);
  int inked = 0;  // drawn with the widened pen
  for (int y = 0; y < 20; ++y) inked += picture().GetPixel(50, y) == clBlack;
  EXPECT_EQ(inked, 2);
}

// After typing in the palette's memo or the coordinate bar, a press on the canvas or on the
// status area (which take no keys themselves) gives the keys back to the main window without
// the pointer having moved there: the entry keeps its text and single keys choose tools again.
TEST_F(KeyboardTest, APressOnTheMainWindowGivesTheKeysBackFromTheMemoAndTheCoordinates) {
  form1().pointClick();
  for (const auto& e : MemoAndCoordinates()) {
    for (QWidget* pressed : {static_cast<QWidget*>(form1().Image), static_cast<QWidget*>(form1().Label1())}) {
      const std::string where = e.entry->objectName().toStdString() + " then " + pressed->objectName().toStdString();
      e.entry->window()->activateWindow();
      e.entry->setFocus();
      ASSERT_TRUE(QTest::qWaitFor([&] { return e.entry->hasFocus(); }, 5000)) << where;
      QTest::keyClick(e.entry, Qt::Key_End);
      QTest::keyClicks(e.entry, QStringLiteral("1"));
      form1().dtExecute(kToolFreehand);  // a press with it ends its stroke at once
      QTest::mouseClick(pressed, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
      EXPECT_TRUE(QTest::qWaitFor([&] { return !e.entry->hasFocus() && form1().isActiveWindow(); }, 5000)) << where;
      const QString typed = e.text();
      Key(Qt::Key_2);
      EXPECT_EQ(form1().ToolNumber(), kToolLine) << where;
      Key(Qt::Key_3);
      EXPECT_EQ(form1().ToolNumber(), kToolEllipse) << where;
      EXPECT_EQ(e.text(), typed) << where;
    }
  }
}

TEST_F(KeyboardTest, CtrlArrowsMoveThePictureInsideTheScrollBox) {
  const QPoint start = form1().Image->pos();
  const struct {
    Qt::Key key;
    QPoint moved;
  } moves[] = {{Qt::Key_Left, {-4, 0}}, {Qt::Key_Left, {-8, 0}}, {Qt::Key_Down, {-8, 4}},
               {Qt::Key_Right, {-4, 4}}, {Qt::Key_Up, {-4, 0}}};
  for (const auto& m : moves) {
    Key(m.key, Qt::ControlModifier);
    EXPECT_EQ(form1().Image->pos() - start, m.moved);
  }
  EXPECT_EQ(panel().penwidth->Position(), 1);  // not taken for the pen-width keys
  EXPECT_EQ(panel().Fsize->Position(), 9);
}

TEST_F(KeyboardTest, TheHintAreaShowsTheHintOfWhatThePointerIsOnWithoutPopUps) {
  form1().pointClick();
  auto toolbarButton = [this](const char* name) { return form1().ToolsBar()->findChild<QWidget*>(QLatin1String(name)); };
  const struct {
    QWidget* control;
    const char* hint;
  } hints[] = {
      {form1().Label1(), "座標"},          {form1().Label2(), "移動距離"},
      {form1().Label3(), "角度"},          {form1().Label4(), "ヒント"},
      {form1().xedit(), "X座標"},          {form1().yedit(), "Ｙ座標"},
      {form1().dxdrop(), "角度固定"},      {form1().Ladx(), "固定角度"},
      {toolbarButton("newB"), "キャンバスを新しくします"}, {toolbarButton("originB"), "始点ロック"},
      {toolbarButton("pointB"), "座標パネルの表示／非表示"}, {toolbarButton("Toolshow"), "ツールパレットの表示／非表示"},
  };
  for (const auto& h : hints) {
    ASSERT_NE(h.control, nullptr) << h.hint;
    QTest::mouseMove(h.control, QPoint(3, 3));
    EXPECT_EQ(form1().Label4()->text(), QString::fromUtf8(h.hint));
    QHelpEvent popUp(QEvent::ToolTip, QPoint(3, 3), h.control->mapToGlobal(QPoint(3, 3)));
    QApplication::sendEvent(h.control, &popUp);
    EXPECT_FALSE(QToolTip::isVisible()) << h.hint;
  }
}

}  // namespace
