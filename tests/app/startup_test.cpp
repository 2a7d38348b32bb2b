#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include "app/cursor_slots.h"
#include "app_fixture.h"
#include "document/ui/new_bmp_form.h"
#include "draw/ui/pstate_panel.h"
#include "surface/canvas.h"
#include "widgets/toolbar_icons.h"

namespace {

TEST_F(AppTest, StartsWithAWhite32BitPictureAndTheNineWindowsInOrder) {
  EXPECT_EQ(form1().windowTitle(), QStringLiteral("Zudozo  :32bit"));
  EXPECT_EQ(picture().Width(), 200);
  EXPECT_EQ(picture().Height(), 200);
  EXPECT_EQ(picture().PixelFormat(), pf32bit);
  EXPECT_TRUE(AllPixels(picture(), clWhite));
  EXPECT_TRUE(AllPixels(app().Document().UndoSnapshot(), clWhite));
  EXPECT_EQ(app().NewBMPForm().Lpf->text(), QStringLiteral("32bit"));
  EXPECT_EQ(app().Document().ChosenFormat, pf32bit);

  const char* order[][2] = {{"TForm1", "Zudozo  :32bit"}, {"TForm3", "rir"},
                            {"TForm4", "Zoom"},           {"TForm5", "バージョン情報"},
                            {"TNewBMPForm", "新規作成"},  {"TForm2", "Tools"},
                            {"TForm7", "PNGの設定"},      {"Tresizeform", "拡大縮小"},
                            {"TCchangeform", "色変換"}};
  ASSERT_EQ(app().Windows().size(), 9u);
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(app().Windows()[i]->objectName(), QLatin1String(order[i][0]));
    EXPECT_EQ(app().Windows()[i]->windowTitle(), QString::fromUtf8(order[i][1]));
    // Only the main window and the tool palette are on screen at start.
    EXPECT_EQ(app().Windows()[i]->isVisible(), i == 0 || i == 5) << order[i][0];
  }
  EXPECT_TRUE(app().Windows()[1]->windowFlags() & Qt::WindowStaysOnTopHint);

  EXPECT_EQ(form1().Image->pos(), QPoint(50, 50));
  EXPECT_EQ(form1().Image->size(), QSize(200, 200));
  EXPECT_FALSE(form1().xyBar()->isVisible());
  EXPECT_EQ(form1().PstateHost()->height(), 91);
  EXPECT_EQ(form1().saveB()->toolTip(), QStringLiteral(" 「」に上書き保存"));
  EXPECT_EQ(form1().Label1()->text(), QStringLiteral("座標"));
  EXPECT_EQ(form1().Label4()->width(), 212);
  EXPECT_EQ(form1().width(), 501);
}

TEST_F(AppTest, ActionsCarryTheirTextsKeysTagsAndPictures) {
  EXPECT_EQ(form1().Aclosesave()->text(), QStringLiteral("終了(&X)"));
  EXPECT_EQ(form1().Aclosesave()->shortcut(), QKeySequence(Qt::Key_Escape));
  EXPECT_EQ(form1().Aclose()->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_Escape));
  EXPECT_EQ(form1().Aretrun()->statusTip(), QStringLiteral("１つ前の操作に戻します"));
  EXPECT_EQ(form1().Aretrun()->shortcut(), QKeySequence(Qt::Key_F5));
  EXPECT_EQ(form1().Acdown()->data().toInt(), 8);
  EXPECT_EQ(form1().Acdown()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Down));
  EXPECT_TRUE(form1().AtoolP()->isChecked());
  for (int tool = 1; tool <= kToolCount; ++tool) {
    EXPECT_EQ(form1().ToolActions[tool - 1]->data().toInt(), tool);
    EXPECT_FALSE(form1().ToolActions[tool - 1]->icon().isNull()) << tool;
  }
  EXPECT_EQ(form1().ToolActions[4]->objectName(), QStringLiteral("Arectangel"));
  EXPECT_EQ(form1().ToolActions[17]->statusTip(), QStringLiteral("任意角度テキスト(s)"));
  for (int i = 0; i < 30; ++i) EXPECT_FALSE(ToolbarIcon(i).pixmap(16, 16).isNull()) << i;

  const QStringList menus = {QStringLiteral("ファイル(&F)"), QStringLiteral("編集(&E)"),
                             QStringLiteral("表示(&V)"), QStringLiteral("ヘルプ(&H)")};
  QStringList shown;
  for (QAction* menu : form1().menuBar()->actions()) shown << menu->text();
  EXPECT_EQ(shown, menus);
  EXPECT_EQ(form1().PopupMenu1()->actions().size(), 10);
  EXPECT_EQ(form1().R1()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_R));
}

TEST_F(AppTest, AtMostOneDrawingModifierIsDownAndAllMayBeUp) {
  auto button = [&](const char* name) { return form1().ToolsBar()->findChild<QToolButton*>(name); };
  form1().ToolActions[1]->trigger();  // the line takes modifiers; tool 1, chosen at start, does not
  QTest::mouseClick(button("originB"), Qt::LeftButton);
  EXPECT_TRUE(form1().Aorigin()->isChecked());
  QTest::mouseClick(button("symB"), Qt::LeftButton);
  EXPECT_FALSE(form1().Aorigin()->isChecked());
  EXPECT_TRUE(form1().Asym()->isChecked());
  QTest::mouseClick(button("symB"), Qt::LeftButton);
  EXPECT_FALSE(form1().Aorigin()->isChecked());
  EXPECT_FALSE(form1().Apoly()->isChecked());
  EXPECT_FALSE(form1().Asym()->isChecked());
}

TEST(CursorSlots, EveryToolHasItsOwnCursorPicture) {
  TCursorSlots cursors;
  for (int slot = 1; slot <= kToolCount; ++slot) {
    const QPixmap picture = cursors.Slot(slot).pixmap();
    ASSERT_FALSE(picture.isNull()) << slot;
    EXPECT_EQ(picture.size(), QSize(32, 32));
  }
  EXPECT_STREQ(TCursorSlots::ResourceName(8), "copy");
  EXPECT_STREQ(TCursorSlots::ResourceName(12), "copy");
  EXPECT_EQ(cursors.Slot(1).hotSpot(), QPoint(1, 30));  // the pencil's tip
}

}  // namespace

namespace {

// The settings panel sits in the main window, and start-up prepared the document's canvas for
// a left-button stroke: a rectangle drawn now has a black 1-pixel outline and no fill.
TEST_F(AppTest, SettingsPanelIsInTheWindowAndStrokeSettingsAreApplied) {
  ASSERT_NE(form1().PstatePanel, nullptr);
  EXPECT_TRUE(form1().PstatePanel->isVisible());
  EXPECT_EQ(form1().PstatePanel->parentWidget(), form1().PstateHost());
  EXPECT_EQ(form1().PstatePanel->penshape->Picture().GetPixel(20, 20), clBlack);
  EXPECT_EQ(app().Document().PasteBuffer().TransparentColor, clWhite);

  TCanvas& canvas = picture().Canvas();
  form1().PstatePanel->ApplyFillSetting(canvas);
  canvas.Rectangle(10, 10, 20, 20);
  EXPECT_EQ(picture().GetPixel(10, 10), clBlack);
  EXPECT_EQ(picture().GetPixel(19, 15), clBlack);
  EXPECT_EQ(picture().GetPixel(15, 15), clWhite);
  EXPECT_EQ(picture().GetPixel(20, 20), clWhite);

  // Moving over a control of the panel shows its hint in the status bar.
  QWidget* penimage = form1().PstatePanel->penimage;
  QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), penimage->mapToGlobal(QPointF(5, 5)), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(penimage, &move);
  EXPECT_EQ(form1().Label4()->text(), QString::fromUtf8("ペンの大きさ(→　←)"));
}

}  // namespace
