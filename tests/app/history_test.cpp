// The history of many steps through the real main window: every kind of change undone with
// Ctrl+Z and redone with Ctrl+Y and Ctrl+Shift+Z, and a session with the menu, the caption's
// mark, saving, cancelled strokes, F5 and the question on exit.
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QAbstractButton>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>

#include "canvas_mouse.h"
#include "draw/tool_table.h"
#include "fractal/ui/fractal_form.h"
#include "history/ui/history_commands.h"
#include "imageops/ui/resize_form.h"
#include "surface/canvas.h"

namespace {

class HistoryTest : public CanvasMouseTest {
 protected:
  THistoryCommands& history() { return *form1().History; }
  // A key on the main window, made active again as the user comes back from a dialog.
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
    if (!form1().isActiveWindow()) {
      form1().activateWindow();
      ASSERT_TRUE(QTest::qWaitForWindowActive(&form1()));
    }
    QTest::keyClick(&form1(), key, modifiers);
  }
  void Choose(const char* item) {
    form1().PopupMenu1()->findChild<QAction*>(QLatin1String(item), Qt::FindChildrenRecursively)->trigger();
  }
  // A copy with pixels of its own.
  std::unique_ptr<TBitmap> Copy() {
    auto copy = std::make_unique<TBitmap>();
    copy->Assign(picture());
    copy->MutableBits();
    return copy;
  }
  ::testing::AssertionResult ShowsPicture(const TBitmap& expected) {
    if (picture().PixelFormat() != expected.PixelFormat())
      return ::testing::AssertionFailure() << "format " << picture().PixelFormat();
    if (!SamePixels(picture(), expected))
      return ::testing::AssertionFailure() << "pixels or size " << picture().Width() << "x" << picture().Height();
    if (form1().Image->size() != QSize(expected.Width(), expected.Height()))
      return ::testing::AssertionFailure() << "the view's size";
    return ::testing::AssertionSuccess();
  }
};

struct StepKind {
  const char* name;
  std::function<void()> prepare;  // may itself leave steps
  std::function<void()> change;   // exactly one step
};

TEST_F(HistoryTest, EveryKindOfStepIsUndoneAndRedoneWithTheKeys) {
  const StepKind kinds[] = {
      {"line stroke", [this] { form1().dtExecute(kToolLine); },
       [this] { TwoClick({10, 10}, {150, 90}); }},
      {"freehand stroke", [this] { form1().dtExecute(kToolFreehand); },
       [this] {
         Press(20, 150);
         Move(60, 170);
         Move(90, 120);
         Release(90, 120);
       }},
      {"stroke with its fractal",
       [this] {
         Key(Qt::Key_F10, Qt::NoModifier);
         form1().FractalForm->SetTreeParams(2, 2, 5, 0, 20);
         form1().dtExecute(kToolLine);
       },
       [this] {
         TwoClick({100, 199}, {100, 120});
         Key(Qt::Key_F10, Qt::NoModifier);  // off again: turning it off is no step
       }},
      {"paste tool",
       [this] {
         form1().SelectedRegion = TRect{0, 0, 60, 40};
         Choose("Mmcopy");
         form1().dtExecute(kToolPaste);
       },
       [this] {
         Press(100, 100);
         Move(120, 130);
         Release(120, 130);
       }},
      {"region cut", [this] { form1().SelectedRegion = TRect{5, 5, 120, 100}; },
       [this] { Choose("Mmcut"); }},
      {"region mirror", [this] { form1().SelectedRegion = TRect{0, 0, 200, 130}; },
       [this] { Choose("Mholizon"); }},
      {"gradient", [this] { form1().SelectedRegion = TRect{30, 30, 190, 60}; },
       [this] { Choose("MgraV"); }},
      {"partial recovery",
       [this] {
         app().Document().UndoSnapshot().Canvas().Brush.Color = clBlue;
         app().Document().UndoSnapshot().Canvas().FillRect(TRect{0, 0, 200, 200});
         form1().SelectedRegion = TRect{50, 50, 90, 80};
       },
       [this] { Choose("Mprecover"); }},
      {"whole cut", [] {}, [this] { form1().Mcut()->trigger(); }},
      {"whole paste in another format",
       [this] {
         form1().dtExecute(kToolLine);
         TwoClick({0, 0}, {199, 199});
         form1().Mcopy()->trigger();
         form1().Mcut()->trigger();
         app().Document().ChosenFormat = pf8bit;
       },
       [this] { form1().MPaste()->trigger(); }},
      {"resize",
       [this] {
         AppTest::AnswerModal([](QWidget* modal) {
           auto* dialog = qobject_cast<Tresizeform*>(modal);
           dialog->resedit->SetValue(50);
           QTest::mouseClick(dialog->Button1, Qt::LeftButton);
         });
       },
       [this] { form1().R1()->trigger(); }},
      {"typed points",
       [this] {
         form1().dtExecute(kToolRectangle);
         if (form1().xyBar()->isHidden()) Key(Qt::Key_F11, Qt::NoModifier);
       },
       [this] {
         form1().xedit()->setValue(3);
         form1().yedit()->setValue(4);
         form1().xyPanelMouseDown(0);
         form1().xyPanelMouseUp(0);
         form1().xedit()->setValue(60);
         form1().yedit()->setValue(44);
         form1().xyPanelMouseMove();
         form1().xyPanelMouseDown(0);
         form1().xyPanelMouseUp(0);
       }},
      {"F5 exchange",
       [this] {
         form1().dtExecute(kToolEllipse);
         TwoClick({20, 20}, {80, 70});
       },
       [this] { Key(Qt::Key_F5, Qt::NoModifier); }},
  };
  for (const StepKind& kind : kinds) {
    SCOPED_TRACE(kind.name);
    kind.prepare();
    QApplication::processEvents();
    const std::size_t position = history().Steps().Position();
    const auto before = Copy();
    kind.change();
    QApplication::processEvents();
    const auto after = Copy();
    ASSERT_FALSE(SamePixels(*before, *after) && before->PixelFormat() == after->PixelFormat());
    EXPECT_EQ(history().Steps().Position(), position + 1) << "one step";
    EXPECT_TRUE(history().Aundo->isEnabled());
    EXPECT_FALSE(history().Aredo->isEnabled());

    Key(Qt::Key_Z);
    EXPECT_TRUE(ShowsPicture(*before));
    EXPECT_TRUE(history().Aredo->isEnabled());
    Key(Qt::Key_Y);
    EXPECT_TRUE(ShowsPicture(*after));
    Key(Qt::Key_Z);
    EXPECT_TRUE(ShowsPicture(*before));
    Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(ShowsPicture(*after));
    EXPECT_FALSE(history().Aredo->isEnabled());
  }
  // All the way back to the white start picture, and forward again to the last.
  const auto last = Copy();
  while (history().Aundo->isEnabled()) Key(Qt::Key_Z);
  EXPECT_EQ(picture().Width(), 200);
  EXPECT_TRUE(AllPixels(picture(), clWhite));
  EXPECT_EQ(form1().windowTitle(), QStringLiteral("Zudozo  :32bit"));
  while (history().Aredo->isEnabled()) Key(Qt::Key_Y);
  EXPECT_TRUE(ShowsPicture(*last));
}

// A session as a user has it: the menu and its hints, dots drawn and taken back, a save, a
// stroke cancelled, Ctrl+Z refused during a stroke, F5, New, and ending with and without the
// question.
TEST_F(HistoryTest, ASessionWithTheKeysTheMenuTheCaptionAndTheExit) {
  QAction* undo = history().Aundo;
  QAction* redo = history().Aredo;
  QMenu* edit = form1().menuBar()->findChildren<QMenu*>().at(1);
  ASSERT_EQ(edit->title(), QStringLiteral("編集(&E)"));
  ASSERT_GE(edit->actions().size(), 3);
  EXPECT_EQ(edit->actions().mid(0, 3), (QList<QAction*>{form1().Aretrun(), undo, redo}));
  EXPECT_EQ(undo->text(), QStringLiteral("元に戻す(&Z)"));
  EXPECT_EQ(redo->text(), QStringLiteral("やり直し(&Y)"));
  undo->hover();
  EXPECT_EQ(form1().Label4()->text(), undo->statusTip());
  EXPECT_FALSE(undo->isEnabled());
  EXPECT_FALSE(redo->isEnabled());

  // Two dots with the real mouse on the view; the caption stays as New, Open and Save wrote it.
  EXPECT_EQ(form1().Lchanged()->text(), QString());
  QTest::mouseClick(form1().Image, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(form1().windowTitle(), QStringLiteral("Zudozo  :32bit"));
  QTRY_COMPARE(form1().Lchanged()->text(), QStringLiteral("変更あり"));  // the status area marks it
  QTest::mouseClick(form1().Image, Qt::LeftButton, {}, QPoint(30, 10));
  EXPECT_TRUE(undo->isEnabled());
  Key(Qt::Key_Z);
  EXPECT_EQ(picture().GetPixel(30, 10), clWhite);
  EXPECT_EQ(picture().GetPixel(10, 10), clBlack);
  EXPECT_TRUE(redo->isEnabled());
  Key(Qt::Key_Z);
  EXPECT_TRUE(AllPixels(picture(), clWhite));
  EXPECT_EQ(form1().windowTitle(), QStringLiteral("Zudozo  :32bit"));  // as it started
  EXPECT_EQ(form1().Lchanged()->text(), QString());
  EXPECT_FALSE(undo->isEnabled());
  Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  Key(Qt::Key_Y);
  EXPECT_EQ(picture().GetPixel(30, 10), clBlack);
  EXPECT_FALSE(redo->isEnabled());

  // Saved: the caption names the file, and keeps it through an undo and redo.
  QTemporaryDir dir;
  app().Document().FileName = dir.filePath(QStringLiteral("j.bmp")).toStdString();
  Key(Qt::Key_F3, Qt::NoModifier);
  EXPECT_EQ(form1().windowTitle(), QStringLiteral("Zudozo  j.bmp:32bit"));
  EXPECT_TRUE(undo->isEnabled()) << "saving keeps the history";
  Key(Qt::Key_Z);
  EXPECT_EQ(form1().windowTitle(), QStringLiteral("Zudozo  j.bmp:32bit"));
  EXPECT_TRUE(form1().PictureUnsaved());
  EXPECT_EQ(form1().Lchanged()->text(), QStringLiteral("変更あり"));
  Key(Qt::Key_Y);
  EXPECT_FALSE(form1().PictureUnsaved());
  EXPECT_EQ(form1().windowTitle(), QStringLiteral("Zudozo  j.bmp:32bit"));

  // A line cancelled with the other button leaves no step; Ctrl+Z waits while one is drawn.
  const std::size_t steps = history().Steps().Position();
  form1().dtExecute(kToolLine);
  TwoClick({0, 100}, {199, 100}, 0);
  Click(0, 150);
  Move(150, 190);
  Click(150, 190, 1);
  EXPECT_EQ(picture().GetPixel(100, 170), clWhite);
  EXPECT_EQ(history().Steps().Position(), steps + 1) << "the first line only";
  Click(0, 150);
  Move(150, 190);
  Key(Qt::Key_Z);
  EXPECT_EQ(history().Steps().Position(), steps + 1);
  Click(150, 190);
  EXPECT_EQ(history().Steps().Position(), steps + 2);

  // A new change after an undo drops what could be redone.
  Key(Qt::Key_Z);
  EXPECT_TRUE(redo->isEnabled());
  form1().dtExecute(kToolFreehand);
  QTest::mouseClick(form1().Image, Qt::LeftButton, {}, QPoint(5, 190));
  EXPECT_FALSE(redo->isEnabled());

  // F5 is a step of its own: Ctrl+Z after it undoes the exchange.
  const TColor atLine = picture().GetPixel(100, 100);
  Key(Qt::Key_F5, Qt::NoModifier);
  Key(Qt::Key_Z);
  EXPECT_EQ(picture().GetPixel(100, 100), atLine);
  EXPECT_EQ(picture().GetPixel(5, 190), clBlack);

  // New over the changed picture is a step: Ctrl+Z brings back the picture and its file name.
  const auto beforeNew = Copy();
  AnswerModal([](QWidget* modal) { static_cast<QDialog*>(modal)->accept(); });
  Key(Qt::Key_F1, Qt::NoModifier);
  EXPECT_TRUE(undo->isEnabled());
  EXPECT_FALSE(redo->isEnabled());
  EXPECT_EQ(form1().windowTitle(), QStringLiteral("Zudozo  :32bit"));
  EXPECT_FALSE(form1().PictureUnsaved());
  Key(Qt::Key_Z);
  EXPECT_TRUE(ShowsPicture(*beforeNew));
  EXPECT_EQ(form1().windowTitle(), QStringLiteral("Zudozo  j.bmp:32bit"));
  Key(Qt::Key_Y);
  EXPECT_EQ(form1().windowTitle(), QStringLiteral("Zudozo  :32bit"));
  EXPECT_TRUE(app().Document().FileName.empty());

  // Esc asks, changed picture or not.
  for (const bool changed : {true, false}) {
    if (changed) QTest::mouseClick(form1().Image, Qt::LeftButton, {}, QPoint(10, 10));
    else Key(Qt::Key_Z);
    EXPECT_EQ(form1().PictureUnsaved(), changed);
    bool asked = false;
    AnswerModal([&asked](QWidget* modal) {
      asked = true;
      qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Cancel)->click();
    });
    Key(Qt::Key_Escape, Qt::NoModifier);
    EXPECT_TRUE(asked) << changed;
    EXPECT_TRUE(form1().isVisible());
  }
  AnswerModal([](QWidget* modal) { qobject_cast<QMessageBox*>(modal)->button(QMessageBox::No)->click(); });
  Key(Qt::Key_Escape, Qt::NoModifier);
  EXPECT_FALSE(form1().isVisible());
}

}  // namespace

