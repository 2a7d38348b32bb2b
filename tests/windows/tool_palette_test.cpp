#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>

#include "app/app_fixture.h"
#include "app/help_window.h"
#include "document/bmp_file.h"
#include "draw/other_shapes.h"
#include "draw/ui/pstate_panel.h"
#include "windows/tool_palette.h"

namespace {

class PaletteTest : public AppTest {
 protected:
  TForm2& palette() { return *form1().ToolPalette; }
  QAbstractButton* toolButton(int tool) { return form1().toolButtons[tool]; }
  // Clicks the menu item with this caption in an open pop-up menu.
  static void choose(QMenu* menu, const QString& caption) {
    for (QAction* item : menu->actions()) {
      if (item->text() == caption) {
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
      }
    }
  }
};

// What the window system sends for a right-button press on a control.
void requestMenu(QWidget* control) {
  const QPoint at(3, 3);
  QContextMenuEvent event(QContextMenuEvent::Mouse, at, control->mapToGlobal(at));
  QApplication::sendEvent(control, &event);
}

// What the pointer resting over a widget sends.
void requestToolTip(QWidget* widget, QPoint at = QPoint(3, 3)) {
  QHelpEvent event(QEvent::ToolTip, at, widget->mapToGlobal(at));
  QApplication::sendEvent(widget, &event);
}

// Counts the pixels of a widget's picture that have exactly this colour.
int CountColour(QWidget* widget, QColor colour) {
  const QImage image = widget->grab().toImage();
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) count += image.pixelColor(x, y) == colour;
  return count;
}

TEST_F(PaletteTest, StartsWithToolOneTheButtonTableAndTheMemo) {
  EXPECT_EQ(palette().windowTitle(), QStringLiteral("Tools"));
  EXPECT_TRUE(palette().isVisible());
  EXPECT_TRUE(palette().windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(palette().windowFlags() & Qt::WindowType_Mask, Qt::Tool);
  // Size, place and limits count the frame (the offscreen platform draws a thin one).
  EXPECT_EQ(palette().frameGeometry(), QRect(30, 284, 217, 122));
  const QSize frame = palette().frameGeometry().size() - palette().size();
  EXPECT_EQ(palette().minimumSize() + frame, QSize(210, 93));
  EXPECT_EQ(palette().maximumSize() + frame, QSize(350, 700));

  EXPECT_EQ(form1().ToolNumber(), 1);
  EXPECT_TRUE(palette().curvebutton->isChecked());
  EXPECT_EQ(palette().toolGroup->checkedButton(), palette().curvebutton);
  EXPECT_EQ(palette().polybutton->text(), QStringLiteral("6"));
  const QPoint places[] = {{-2, 0},  {20, 0},  {42, 0},  {64, 0},   {86, 0},   {108, 0},
                           {130, 0}, {166, 0}, {7, 22},  {29, 22},  {51, 22},  {73, 22},
                           {95, 22}, {117, 22}, {138, 22}, {160, 22}, {18, 44}, {40, 44}};
  for (int tool = 1; tool <= kToolCount; ++tool) {
    QAbstractButton* button = toolButton(tool);
    ASSERT_NE(button, nullptr) << tool;
    EXPECT_EQ(button->property("Tag").toInt(), tool);
    EXPECT_EQ(button->geometry(), QRect(places[tool - 1], QSize(23, 23))) << tool;
    EXPECT_EQ(button->window(), &palette());
    EXPECT_TRUE(button->isCheckable());
    EXPECT_FALSE(button->icon().isNull()) << tool;
    EXPECT_TRUE(button->toolTip().isEmpty());
    EXPECT_EQ(button->statusTip(), form1().ToolActions[tool - 1]->statusTip());
  }
  EXPECT_EQ(toolButton(8)->objectName(), QStringLiteral("etcButton"));

  EXPECT_EQ(palette().edit7->toPlainText(), QStringLiteral("ABCDEF"));
  EXPECT_EQ(palette().edit7->property("Tag").toInt(), 99);
  EXPECT_EQ(palette().edit7->font().pixelSize(), 16);
  EXPECT_EQ(palette().edit7->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(palette().edit7->lineWrapMode(), QPlainTextEdit::NoWrap);
  EXPECT_EQ(palette().focusWidget(), palette().edit7);
  EXPECT_EQ(palette().etcUD->Position(), 5);
  EXPECT_EQ(palette().poldit->Position(), 6);
}

TEST_F(PaletteTest, AToolButtonSelectsItsToolButNotDuringAStroke) {
  QTest::mouseClick(toolButton(12), Qt::LeftButton);
  EXPECT_EQ(form1().ToolNumber(), 12);
  EXPECT_TRUE(toolButton(12)->isChecked());
  EXPECT_FALSE(palette().curvebutton->isChecked());

  // A stroke under way keeps its tool, and its button stays down.
  form1().ImageMouseDown(form1().Image, 0, 10, 10);
  ASSERT_TRUE(form1().DrawingFlag());
  QTest::mouseClick(toolButton(5), Qt::LeftButton);
  EXPECT_EQ(form1().ToolNumber(), 12);
  EXPECT_TRUE(toolButton(12)->isChecked());
  EXPECT_FALSE(toolButton(5)->isChecked());
  QTest::mouseClick(palette().poldit->NextButton(), Qt::LeftButton);
  EXPECT_EQ(form1().ToolNumber(), 12);
  EXPECT_TRUE(toolButton(12)->isChecked());
  EXPECT_EQ(palette().polybutton->text(), QStringLiteral("7"));  // N changes all the same
  form1().CancelStroke();
  EXPECT_FALSE(form1().DrawingFlag());
}

TEST(PaletteStart, APictureNamedOnTheCommandLineIsLoadedBeforeToolOneIsSelected) {
  QTemporaryDir dir;
  TBitmap sample(9, 4, pf24bit);
  sample.SetPixel(8, 3, clBlue);
  const QString path = dir.filePath(QStringLiteral("start.bmp"));
  SaveBmpFile(sample, path.toStdString());
  TZudozoApp app({path});
  EXPECT_EQ(app.Document().Picture().Width(), 9);
  EXPECT_EQ(app.Document().Picture().GetPixel(8, 3), clBlue);
  EXPECT_EQ(app.Form1().ToolNumber(), 1);
  EXPECT_TRUE(app.Form1().ToolPalette->curvebutton->isChecked());
}

TEST_F(PaletteTest, PolditWrapsSelectsTheNGonAndWritesNOverItsGlyph) {
  TUpDown* poldit = palette().poldit;
  EXPECT_LT(poldit->NextButton()->y(), poldit->PrevButton()->y());  // up arrow on top
  const int yellowAtSix = CountColour(palette().polybutton, Qt::yellow);
  EXPECT_GT(yellowAtSix, 0);
  for (int n = 7; n <= 10; ++n) QTest::mouseClick(poldit->NextButton(), Qt::LeftButton);
  EXPECT_EQ(palette().polybutton->text(), QStringLiteral("10"));
  EXPECT_GT(CountColour(palette().polybutton, Qt::yellow), yellowAtSix);  // two digits
  QTest::mouseClick(poldit->NextButton(), Qt::LeftButton);
  EXPECT_EQ(poldit->Position(), 3);
  EXPECT_EQ(palette().polybutton->text(), QStringLiteral("3"));
  EXPECT_EQ(form1().FigureChoice().polygonCorners, 3);
  EXPECT_EQ(form1().ToolNumber(), 7);
  EXPECT_TRUE(palette().polybutton->isChecked());
  EXPECT_FALSE(palette().curvebutton->isChecked());
  QTest::mouseClick(poldit->PrevButton(), Qt::LeftButton);
  EXPECT_EQ(palette().polybutton->text(), QStringLiteral("10"));
  EXPECT_EQ(form1().FigureChoice().polygonCorners, 10);
}

TEST_F(PaletteTest, TheShapeMenuSelectsToolEightAndThenOnlyTheShape) {
  QMenu* menu = palette().editmenu;
  const QStringList captions = {"二重四角 回", "二十円 ◎",  "矢印 →",    "矢印 ⇒",
                                "抵抗 /Ｗ",    "ルーペ ―○", "ルーペ ―□", "十字 ×"};
  const int tags[] = {1, 2, 0, 6, 5, 3, 4, 7};
  ASSERT_EQ(menu->actions().size(), 8);
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(menu->actions()[i]->text(), captions[i]);
    EXPECT_EQ(menu->actions()[i]->data().toInt(), tags[i]);
    EXPECT_FALSE(menu->actions()[i]->isCheckable());
  }
  EXPECT_EQ(form1().FigureChoice().otherShape, osDoubleEllipse);

  QTest::mouseClick(palette().etcSelectB, Qt::LeftButton);
  EXPECT_TRUE(menu->isVisible());
  EXPECT_EQ(form1().ToolNumber(), 8);
  EXPECT_TRUE(palette().etcButton->isChecked());
  const TFigureChoice before = form1().FigureChoice();
  choose(menu, QStringLiteral("抵抗 /Ｗ"));
  EXPECT_FALSE(menu->isVisible());
  EXPECT_EQ(form1().FigureChoice().otherShape, osResistor);
  EXPECT_EQ(form1().FigureChoice().figure, before.figure);
  EXPECT_EQ(form1().FigureChoice().polygonCorners, before.polygonCorners);
  EXPECT_EQ(form1().FigureChoice().otherShapeParam, before.otherShapeParam);
  EXPECT_EQ(form1().ToolNumber(), 8);

  // Chosen while another tool is selected, the shape still changes and the tool stays.
  form1().dtExecute(2);
  menu->popup(palette().mapToGlobal(QPoint(0, 0)));
  choose(menu, QStringLiteral("十字 ×"));
  EXPECT_EQ(form1().FigureChoice().otherShape, osCross);
  EXPECT_EQ(form1().ToolNumber(), 2);
  EXPECT_TRUE(toolButton(2)->isChecked());
}

TEST_F(PaletteTest, EtcUDStopsAtItsEndsAndShowsItsValueInItsHint) {
  form1().move(palette().frameGeometry().topRight() + QPoint(10, 0));
  TUpDown* ud = palette().etcUD;
  EXPECT_EQ(ud->toolTip(), QStringLiteral("パラメータ"));
  QTest::mouseMove(ud->NextButton());
  EXPECT_EQ(form1().Label4()->text(), QStringLiteral("パラメータ"));
  for (int i = 0; i < 6; ++i) QTest::mouseClick(ud->NextButton(), Qt::LeftButton);
  EXPECT_EQ(ud->Position(), 9);
  EXPECT_EQ(form1().FigureChoice().otherShapeParam, 9);
  EXPECT_EQ(ud->toolTip(), QStringLiteral("パラメータ：9"));
  for (int i = 0; i < 10; ++i) QTest::mouseClick(ud->PrevButton(), Qt::LeftButton);
  EXPECT_EQ(ud->Position(), 1);
  EXPECT_EQ(form1().FigureChoice().otherShapeParam, 1);
  QTest::mouseMove(ud->PrevButton());
  EXPECT_EQ(form1().Label4()->text(), QStringLiteral("パラメータ：1"));
  EXPECT_EQ(form1().ToolNumber(), 1);  // the parameter is no tool choice
}

TEST_F(PaletteTest, ControlsShowTheirHintsAndOfferHelp) {
  // The pointer finds the palette only where no other window covers it.
  form1().move(palette().frameGeometry().topRight() + QPoint(10, 0));
  QTest::mouseMove(toolButton(2));
  EXPECT_EQ(form1().Label4()->text(), QStringLiteral("直線(2)"));
  QTest::mouseMove(toolButton(18));
  EXPECT_EQ(form1().Label4()->text(), QStringLiteral("任意角度テキスト(s)"));
  QTest::mouseMove(palette().poldit->PrevButton());
  EXPECT_EQ(form1().Label4()->text(), QStringLiteral("Ｎ角形のＮ"));
  QTest::mouseMove(palette().etcSelectB);
  EXPECT_EQ(form1().Label4()->text(), QStringLiteral("図形選択"));
  EXPECT_EQ(palette().etcSelectB->text(), QStringLiteral("↓"));
  // The window's tool tip shows over its free area only, not over buttons without one.
  requestToolTip(toolButton(16));
  EXPECT_FALSE(QToolTip::isVisible());
  requestToolTip(palette().poldit->NextButton());
  EXPECT_FALSE(QToolTip::isVisible());
  const QPoint freeArea = toolButton(16)->geometry().topRight() + QPoint(8, 8);
  ASSERT_EQ(palette().childAt(freeArea), nullptr);
  requestToolTip(&palette(), freeArea);
  EXPECT_TRUE(QToolTip::isVisible());
  EXPECT_EQ(QToolTip::text(), QStringLiteral("ツールパレット(各ボタンはキーボードに対応）"));

  requestMenu(toolButton(8));
  EXPECT_FALSE(palette().Tpalhelp->isVisible());
  requestMenu(palette().poldit->PrevButton());
  EXPECT_TRUE(palette().Tpalhelp->isVisible());
  palette().Tpalhelp->hide();
  requestMenu(toolButton(3));
  ASSERT_TRUE(palette().Tpalhelp->isVisible());
  choose(palette().Tpalhelp, QStringLiteral("ヘルプ"));
  THelpWindow& help = app().HelpWindow();
  EXPECT_TRUE(help.isVisible());
  EXPECT_EQ(help.Browser()->source().toString(), QStringLiteral("qrc:/help/palette.html"));
  EXPECT_TRUE(help.Browser()->toPlainText().contains(QStringLiteral("ツールパレット")));
}

TEST_F(PaletteTest, TypingInTheMemoEntersTextAndKeepsTheTool) {
  QPlainTextEdit* memo = palette().edit7;
  memo->moveCursor(QTextCursor::End);
  QTest::keyClicks(memo, QStringLiteral("2qa"));
  QTest::keyClick(memo, Qt::Key_Return);
  QTest::keyClicks(memo, QStringLiteral("s9"));
  EXPECT_EQ(memo->toPlainText(), QStringLiteral("ABCDEF2qa\ns9"));
  EXPECT_EQ(form1().ToolNumber(), 1);
  EXPECT_TRUE(palette().curvebutton->isChecked());
}

TEST_F(PaletteTest, ResizingKeepsTheStaircaseAndStretchesTheMemo) {
  // The memo reaches the right and bottom sides of the client area.
  auto expectMemoStretched = [&] {
    EXPECT_EQ(palette().edit7->geometry(),
              QRect(63, 44, palette().width() - 63, palette().height() - 44));
  };
  auto expectStaircase = [&](int w, int h) {
    const QRegion mask = palette().mask();
    // The steps follow the rows of buttons at 22 and 44 of the client area (the corners
    // move by the frame's size: 2 pixels either way with no frame or a thin one).
    for (QPoint inside : {QPoint(5, 10), QPoint(15, 30), QPoint(25, 50), QPoint(40, h - 2),
                          QPoint(w - 2, h - 2), QPoint(w - 2, 1)})
      EXPECT_TRUE(mask.contains(inside)) << inside.x() << "," << inside.y();
    for (QPoint outside : {QPoint(5, 30), QPoint(15, 50), QPoint(25, 70), QPoint(2, h - 2)})
      EXPECT_FALSE(mask.contains(outside)) << outside.x() << "," << outside.y();
  };
  expectStaircase(palette().width(), palette().height());
  expectMemoStretched();

  palette().resize(320, 260);
  expectStaircase(320, 260);
  expectMemoStretched();
  palette().resize(500, 50);  // held to the limits
  EXPECT_EQ(palette().frameGeometry().size(), QSize(350, 93));
  expectStaircase(palette().width(), palette().height());
  expectMemoStretched();
}

TEST_F(PaletteTest, ClosedPaletteComesBackWithF12) {
  QToolButton* toolshow = form1().ToolsBar()->findChild<QToolButton*>(QStringLiteral("Toolshow"));
  ASSERT_NE(toolshow, nullptr);
  EXPECT_TRUE(toolshow->isChecked());
  palette().close();
  EXPECT_FALSE(palette().isVisible());
  EXPECT_FALSE(form1().AtoolP()->isChecked());
  EXPECT_FALSE(toolshow->isChecked());
  ASSERT_EQ(form1().ToolPalette, &palette());  // hidden, not destroyed

  QTest::keyClick(&form1(), Qt::Key_F12);
  EXPECT_TRUE(palette().isVisible());
  EXPECT_TRUE(form1().AtoolP()->isChecked());
  QTest::mouseClick(toolshow, Qt::LeftButton);
  EXPECT_FALSE(palette().isVisible());
  EXPECT_FALSE(toolshow->isChecked());
  QTest::keyClick(&form1(), Qt::Key_F12);
  EXPECT_TRUE(palette().isVisible());
  EXPECT_TRUE(toolshow->isChecked());
}

TEST_F(PaletteTest, TheMemoTakesTheTextFontsStyleAtSizeTwelve) {
  QTest::mouseClick(form1().PstatePanel->bold, Qt::LeftButton);
  const QFont font = palette().edit7->font();
  EXPECT_TRUE(font.bold());
  EXPECT_FALSE(font.italic());
  EXPECT_EQ(font.pointSize(), 12);
  EXPECT_EQ(font.family().toStdString(), picture().Canvas().Font.Name);
  EXPECT_EQ(palette().edit7->palette().color(QPalette::Text), QColor(Qt::black));
  QTest::mouseClick(form1().PstatePanel->italic, Qt::LeftButton);
  EXPECT_TRUE(palette().edit7->font().italic());
}

}  // namespace
