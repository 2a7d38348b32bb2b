// The image operations through the main window: the region menu's commands on the selected
// region, the colour conversion and resize dialogs, cancel and Undo.
#include <QLabel>
#include <QMenu>
#include <QPushButton>

#include "app_fixture.h"
#include "imageops/ui/color_change_form.h"
#include "imageops/ui/resize_form.h"
#include "widgets/picture_box.h"

namespace {

class ImageOpsTest : public AppTest {
 protected:
  // A picture with a red left half of the region rectangle (10,10)-(30,20), and that region
  // selected; the snapshot equals it.
  void SetUp() override {
    AppTest::SetUp();
    picture().Canvas().Brush.Color = clRed;
    picture().Canvas().FillRect(TRect{10, 10, 20, 20});
    app().Document().TakeSnapshot();
    form1().SelectedRegion = TRect{10, 10, 30, 20};
  }
  void Choose(const char* item) {
    QAction* action = form1().PopupMenu1()->findChild<QAction*>(QLatin1String(item), Qt::FindChildrenRecursively);
    ASSERT_NE(action, nullptr) << item;
    action->trigger();
  }
  // Runs the command that opens a dialog and lets answer act on it.
  template <class Dialog>
  void WithDialog(const std::function<void()>& command, const std::function<void(Dialog*)>& answer) {
    AnswerModal([answer](QWidget* modal) { answer(qobject_cast<Dialog*>(modal)); });
    command();
  }
};

TEST_F(ImageOpsTest, MirrorsGradientAndRecoveryWithUndo) {
  Choose("Mholizon");
  EXPECT_EQ(picture().GetPixel(10, 10), clWhite);
  EXPECT_EQ(picture().GetPixel(29, 19), clRed);
  EXPECT_EQ(picture().GetPixel(20, 15), clRed);
  form1().Aretrun()->trigger();  // Undo: the picture before the mirror
  EXPECT_EQ(picture().GetPixel(10, 10), clRed);
  EXPECT_EQ(picture().GetPixel(29, 19), clWhite);

  Choose("MgraV");  // left colour black to right colour white, by columns
  EXPECT_EQ(picture().GetPixel(10, 12), clBlack);
  EXPECT_EQ(picture().GetPixel(20, 12), RGB(128, 128, 128));
  EXPECT_EQ(picture().GetPixel(30, 19), clWhite);
  EXPECT_EQ(picture().GetPixel(30, 20), clWhite);

  // Recovery brings back the region from before the gradient, and the snapshot stays.
  form1().SelectedRegion = TRect{10, 10, 15, 20};
  Choose("Mprecover");
  EXPECT_EQ(picture().GetPixel(12, 12), clRed);
  EXPECT_EQ(picture().GetPixel(20, 12), RGB(128, 128, 128));
  EXPECT_EQ(app().Document().UndoSnapshot().GetPixel(20, 12), clWhite);
}

TEST_F(ImageOpsTest, ColorConversionDialogPicksARangeAndCancelChangesNothing) {
  auto convert = [&](const std::function<void(TCchangeform*)>& answer) {
    WithDialog<TCchangeform>([&] { Choose("Mcolor"); }, answer);
  };
  convert([](TCchangeform* dialog) {
    ASSERT_NE(dialog, nullptr);
    QTest::mouseClick(dialog->colrange, Qt::LeftButton, {}, QPoint(64, 5));  // red up to 128
    QTest::mouseClick(dialog->Button2, Qt::LeftButton);
  });
  EXPECT_EQ(picture().GetPixel(12, 12), clRed);
  EXPECT_EQ(form1().CchangeForm->Range().high[0], 128) << "the range stays for the next use";

  picture().SetPixel(0, 0, clBlue);  // changed after the snapshot: Undo must not bring it back
  app().Document().TakeSnapshot();
  convert([](TCchangeform* dialog) {
    // A drag on the red bar past the picker's edge takes the maximum to 255: every colour.
    QTest::mousePress(dialog->colrange, Qt::LeftButton, {}, QPoint(127, 5));
    QTest::mouseMove(dialog->colrange, QPoint(127, 50));
    EXPECT_EQ(dialog->Range().high[0], 254);
    QTest::mouseMove(dialog->colrange, QPoint(200, 50));
    QTest::mouseRelease(dialog->colrange, Qt::LeftButton, {}, QPoint(200, 50));
    EXPECT_EQ(dialog->Range().high[0], 255);
    EXPECT_EQ(dialog->Range().high[2], 255) << "the drag kept to the red bar";
    QTest::mouseClick(dialog->Button1, Qt::LeftButton);
  });
  EXPECT_EQ(picture().GetPixel(12, 12), clBlack);
  EXPECT_EQ(picture().GetPixel(30, 20), clBlack) << "the right column and bottom row too";
  EXPECT_EQ(picture().GetPixel(31, 20), clWhite);
  form1().Aretrun()->trigger();
  EXPECT_EQ(picture().GetPixel(12, 12), clRed);
  EXPECT_EQ(picture().GetPixel(0, 0), clBlue);
}

TEST_F(ImageOpsTest, ResizeShowsTheNewSizeAndUndoBringsBackTheOld) {
  auto resize = [&](const std::function<void(Tresizeform*)>& answer) {
    WithDialog<Tresizeform>([&] { form1().R1()->trigger(); }, answer);
  };
  resize([](Tresizeform* dialog) {
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->reST->text(), QStringLiteral("200x200→200x200"));
    dialog->resedit->SetValue(50);
    EXPECT_EQ(dialog->reST->text(), QStringLiteral("200x200→100x100"));
    QTest::mouseClick(dialog->Button2, Qt::LeftButton);
  });
  EXPECT_EQ(picture().Width(), 200);

  resize([](Tresizeform* dialog) {
    EXPECT_EQ(dialog->reST->text(), QStringLiteral("200x200→200x200")) << "100 % at each use";
    dialog->resedit->SetValue(50);
    QTest::mouseClick(dialog->Button1, Qt::LeftButton);
  });
  EXPECT_EQ(picture().Width(), 100);
  EXPECT_EQ(picture().GetPixel(6, 6), clRed);
  EXPECT_EQ(form1().Image->size(), QSize(100, 100));
  form1().Aretrun()->trigger();
  EXPECT_EQ(picture().Width(), 200);
}

// A percentage typed past 1000 shows the size it gives, and that is the size OK or Enter in the
// box makes; Undo brings back the picture before.
TEST_F(ImageOpsTest, APercentagePastTheRangeShowsTheSizeItGives) {
  const struct {
    const char* name;
    std::function<void(Tresizeform*)> confirm;
  } ways[] = {
      {"OK", [](Tresizeform* dialog) { QTest::mouseClick(dialog->Button1, Qt::LeftButton); }},
      {"Enter in the box", [](Tresizeform* dialog) { QTest::keyClick(dialog->resedit, Qt::Key_Return); }},
  };
  for (const auto& way : ways) {
    QString preview;
    WithDialog<Tresizeform>([&] { form1().R1()->trigger(); }, [&](Tresizeform* dialog) {
      dialog->resedit->setFocus();
      dialog->resedit->SetValue(9999);
      preview = dialog->reST->text();
      way.confirm(dialog);
    });
    EXPECT_EQ(preview, QStringLiteral("200x200→2000x2000")) << way.name;
    EXPECT_EQ(picture().Width(), 2000) << way.name;
    EXPECT_EQ(picture().GetPixel(150, 150), clRed) << way.name;
    form1().Aretrun()->trigger();
    EXPECT_EQ(picture().Width(), 200) << way.name;
  }
}

// The range picker's largest number, 255, is written whole at its place by the right edge.
TEST_F(ImageOpsTest, TheRangeNumbersFitThePicker) {
  TPictureBox* picker = form1().CchangeForm->colrange;
  TCanvas& canvas = picker->Picture().Canvas();
  EXPECT_LE(110 + canvas.TextWidth("255"), picker->Picture().Width());
  int ink = 0;  // the digits of the red maximum
  for (int y = 0; y < 20; ++y)
    for (int x = 110; x < picker->Picture().Width(); ++x) ink += picker->Picture().GetPixel(x, y) == clBlack;
  EXPECT_GT(ink, 20);
}

}  // namespace
