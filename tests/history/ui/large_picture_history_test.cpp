// A picture large enough that its copies share their pixels in blocks, through the real main
// window: strokes, F5 back and forth, a fractal tree, each undone and redone with the keys,
// every state compared pixel by pixel with a copy of its own.
#include <QLineEdit>
#include <QTemporaryDir>

#include <cstdlib>
#include <memory>

#include "app/canvas_mouse.h"
#include "draw/tool_table.h"
#include "fractal/ui/fractal_form.h"
#include "history/ui/history_commands.h"
#include "png/viraviz.h"
#include "surface/canvas.h"

namespace {

// 1600 x 1400 at 32 bits: about nine megabytes, seventy blocks.
constexpr int kWidth = 1600, kHeight = 1400;

class LargePictureHistoryTest : public CanvasMouseTest {
 protected:
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
    QTest::keyClick(&form1(), key, modifiers);
    QApplication::processEvents();
  }
  std::unique_ptr<TBitmap> Copy() {
    auto copy = std::make_unique<TBitmap>();
    copy->Assign(picture());
    copy->MutableBits();
    return copy;
  }
  void Freehand(int x, int y) {
    form1().dtExecute(kToolFreehand);
    Press(x, y);
    for (int i = 1; i <= 30; ++i) Move(x + i * 9, y + (i % 7) * 5);
    Release(x + 270, y);
    QApplication::processEvents();
  }
};

TEST_F(LargePictureHistoryTest, StrokesExchangesAndATreeAreUndoneAndRedoneExactly) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("large.png"));
  {
    TBitmap white(kWidth, kHeight);
    white.Canvas().Brush.Color = clWhite;
    white.Canvas().FillRect(white.BoundsRect());
    white.SetPixel(kWidth - 1, kHeight - 1, clBlue);
    VIRAVIZ png;
    png.Assign(white);
    png.SaveToFile(path.toStdString());
  }
  AnswerModal([](QWidget* dialog) {  // the open dialog comes with the dropped file's name
    QTest::keyClick(dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")), Qt::Key_Return);
  });
  form1().FilesDropped(QStringList{path});
  ASSERT_EQ(picture().Width(), kWidth);
  form1().activateWindow();  // as the user comes back to it after the dialog
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form1()));
  const auto opened = Copy();

  Freehand(40, 30);
  const auto afterTop = Copy();
  Freehand(900, 1300);
  const auto afterBoth = Copy();
  ASSERT_FALSE(SamePixels(*afterTop, *afterBoth));

  // F5 gives back the picture before the last stroke; F5 again the one after it; each is a
  // step that Ctrl+Z takes back.
  Key(Qt::Key_F5, Qt::NoModifier);
  EXPECT_TRUE(SamePixels(picture(), *afterTop));
  Key(Qt::Key_F5, Qt::NoModifier);
  EXPECT_TRUE(SamePixels(picture(), *afterBoth));
  Key(Qt::Key_Z);
  EXPECT_TRUE(SamePixels(picture(), *afterTop));
  Key(Qt::Key_Z);
  EXPECT_TRUE(SamePixels(picture(), *afterBoth));
  Key(Qt::Key_Y);
  EXPECT_TRUE(SamePixels(picture(), *afterTop));

  // A tree from a long vertical line: undone, the picture is as before the line; redone, the
  // tree is back.
  Key(Qt::Key_F10, Qt::NoModifier);
  form1().dtExecute(kToolLine);
  Click(800, kHeight - 1);
  Move(800, kHeight / 3);
  Click(800, kHeight / 3);
  QApplication::processEvents();
  const auto withTree = Copy();
  ASSERT_TRUE(form1().Afrac()->isChecked());
  int besideTheLine = 0;  // the branches
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) besideTheLine += std::abs(x - 800) > 2 && withTree->GetPixel(x, y) != clWhite;
  EXPECT_GT(besideTheLine, 1000);
  Key(Qt::Key_Z);
  EXPECT_TRUE(SamePixels(picture(), *afterTop));
  Key(Qt::Key_Y);
  EXPECT_TRUE(SamePixels(picture(), *withTree));

  // Everything undone, then everything redone: the tree again.
  const TPictureHistory& steps = form1().History->Steps();
  bool passedOpened = false;
  for (int undone = 0; steps.CanUndo(); ++undone) {
    ASSERT_LT(undone, 20);
    Key(Qt::Key_Z);
    passedOpened = passedOpened || SamePixels(picture(), *opened);
  }
  EXPECT_TRUE(passedOpened);
  for (int redone = 0; steps.CanRedo(); ++redone) {
    ASSERT_LT(redone, 20);
    Key(Qt::Key_Y);
  }
  EXPECT_TRUE(SamePixels(picture(), *withTree));
}

}  // namespace
