// Whoever follows the picture through the main window's edit events hears every change, made
// by a stroke, the history's undo and redo or the one-level Undo, and the picture's return to
// a clean state; the canvas on screen follows the same events.
#include <QTest>

#include "canvas_mouse.h"
#include "draw/tool_table.h"
#include "session/edit_events.h"
#include "surface/canvas.h"

namespace {

class EditEventsJourneyTest : public CanvasMouseTest {
 protected:
  void SetUp() override {
    CanvasMouseTest::SetUp();
    follower_.changed = [this](const TRect& r) {
      ++changes;
      touched = changes == 1 ? r
                             : TRect{std::min(touched.Left, r.Left), std::min(touched.Top, r.Top),
                                     std::max(touched.Right, r.Right), std::max(touched.Bottom, r.Bottom)};
    };
    follower_.replaced = [this] { ++replacements; };
    follower_.clean = [this] { ++cleans; };
    form1().EditEvents().Subscribe(follower_);
  }
  void TearDown() override {
    form1().EditEvents().Unsubscribe(follower_);
    CanvasMouseTest::TearDown();
  }
  void Forget() { changes = replacements = cleans = 0; }
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
    QTest::keyClick(&form1(), key, modifiers);
  }
  bool White() { return AllPixels(picture(), clWhite); }
  int BlackPixels() {
    int n = 0;
    for (int y = 0; y < picture().Height(); ++y)
      for (int x = 0; x < picture().Width(); ++x) n += picture().GetPixel(x, y) == clBlack;
    return n;
  }

  int changes = 0, replacements = 0, cleans = 0;
  TRect touched;

 private:
  TEditFollower follower_;
};

TEST_F(EditEventsJourneyTest, AStrokeItsUndoAndRedoAndANewPictureAreAllTold) {
  form1().dtExecute(kToolLine);
  TwoClick({20, 30}, {150, 90});
  const int line = BlackPixels();
  ASSERT_GE(line, 130);  // one pixel in every column from 20 to 149
  ASSERT_EQ(picture().GetPixel(20, 30), clBlack);
  EXPECT_GT(changes, 0);
  EXPECT_LE(touched.Left, 20);
  EXPECT_LE(touched.Top, 30);
  EXPECT_GE(touched.Right, 150);
  EXPECT_GE(touched.Bottom, 90);
  EXPECT_TRUE(form1().PictureUnsaved());

  // The history's undo is a change like any other for the followers, and the history itself
  // finds the picture back at its file's state.
  Forget();
  Key(Qt::Key_Z);
  EXPECT_TRUE(White());
  EXPECT_EQ(changes + replacements, 1);
  EXPECT_FALSE(form1().PictureUnsaved());
  EXPECT_FALSE(form1().PictureModified());

  Forget();
  Key(Qt::Key_Y);
  EXPECT_EQ(BlackPixels(), line);
  EXPECT_EQ(changes + replacements, 1);
  EXPECT_TRUE(form1().PictureUnsaved());

  // The one-level Undo exchanges the picture with its snapshot: a replacement.
  Forget();
  Key(Qt::Key_F5, Qt::NoModifier);
  EXPECT_TRUE(White());
  EXPECT_EQ(replacements, 1);
  EXPECT_EQ(cleans, 0);

  // The view reset after New or Open makes the picture clean, after its replacement.
  Forget();
  form1().ResetDocumentView();
  EXPECT_EQ(replacements, 1);
  EXPECT_EQ(cleans, 1);

  // A cancelled stroke leaves the picture as it was, and the followers know of its previews
  // going again.
  Forget();
  form1().dtExecute(kToolLine);
  Click(10, 10);
  Move(100, 100);
  Press(100, 100, 1);
  EXPECT_TRUE(White());
  EXPECT_GT(changes + replacements, 0);
}

}  // namespace
