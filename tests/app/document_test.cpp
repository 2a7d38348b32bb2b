#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>

#include "app_fixture.h"
#include "document/pixel_format_names.h"
#include "document/ui/new_bmp_form.h"

namespace {

TEST_F(AppTest, UndoExchangesWithTheSnapshotAndTwiceRestores) {
  app().Document().TakeSnapshot();
  picture().SetPixel(3, 4, clRed);
  QTest::keyClick(&form1(), Qt::Key_F5);
  EXPECT_EQ(picture().GetPixel(3, 4), clWhite);
  QTest::keyClick(&form1(), Qt::Key_F5);
  EXPECT_EQ(picture().GetPixel(3, 4), clRed);

  // A snapshot of another size comes back with its size, and the view follows it.
  app().Document().UndoSnapshot().SetSize(40, 30);
  form1().Aretrun()->trigger();
  EXPECT_EQ(picture().Width(), 40);
  EXPECT_EQ(form1().Image->size(), QSize(40, 30));
  EXPECT_EQ(form1().windowTitle(), QStringLiteral("Zudozo  :32bit"));  // Undo keeps the caption
}

// Opens New with F1 and lets dialog act on the open dialog.
void RunNew(TForm1& form1, std::function<void(TNewBMPForm*)> dialog) {
  AppTest::AnswerModal([dialog](QWidget* modal) { dialog(qobject_cast<TNewBMPForm*>(modal)); });
  form1.activateWindow();  // as the user comes back to it after a dialog
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form1));
  QTest::keyClick(&form1, Qt::Key_F1);
}

TEST_F(AppTest, NewMakesAWhitePictureInEveryFormatWithItsCaption) {
  for (int position = 0; position < kPixelFormatPositions; ++position) {
    picture().SetPixel(0, 0, clBlack);
    RunNew(form1(), [&](TNewBMPForm* dialog) {
      ASSERT_NE(dialog, nullptr);
      EXPECT_EQ(dialog->widthedit->Value(), picture().Width());  // offers the present size
      dialog->ScrollBar1->setValue(position);
      dialog->widthedit->SetValue(31 + position);
      dialog->Heightedit->SetValue(9);
      QTest::mouseClick(dialog->OKBtn, Qt::LeftButton);
    });
    const TPixelFormat f = PixelFormatAt(position);
    EXPECT_EQ(picture().PixelFormat(), f);
    EXPECT_EQ(picture().Width(), 31 + position);
    EXPECT_EQ(picture().Height(), 9);
    EXPECT_TRUE(AllPixels(picture(), clWhite)) << position;
    EXPECT_EQ(form1().windowTitle(), QString::fromStdString("Zudozo  :" + PixelFormatText(f)));
    EXPECT_EQ(form1().Image->size(), QSize(31 + position, 9));
  }
  EXPECT_EQ(form1().windowTitle(), QStringLiteral("Zudozo  :32bit"));
  // The picture before New cannot be brought back.
  form1().Aretrun()->trigger();
  EXPECT_EQ(picture().Width(), 38);
}

TEST_F(AppTest, NewDialogKeysAndLettersInTheWidth) {
  RunNew(form1(), [](TNewBMPForm* dialog) {
    EXPECT_TRUE(dialog->widthedit->hasFocus());
    QTest::keyClick(dialog->widthedit, Qt::Key_H);
    EXPECT_TRUE(dialog->Heightedit->hasFocus());
    QTest::keyClick(dialog->Heightedit, Qt::Key_P);
    EXPECT_TRUE(dialog->ScrollBar1->hasFocus());
    QTest::keyClick(dialog->ScrollBar1, Qt::Key_Right);  // 32bit stays at the end
    QTest::keyClick(dialog->ScrollBar1, Qt::Key_Left);
    QTest::keyClick(dialog->ScrollBar1, Qt::Key_W);
    EXPECT_TRUE(dialog->widthedit->hasFocus());
    QTest::keyClick(dialog->widthedit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(dialog->widthedit, QStringLiteral("abc"));
    QTest::keyClick(dialog->widthedit, Qt::Key_Return);
  });
  EXPECT_EQ(picture().Width(), 1);
  EXPECT_EQ(picture().Height(), 200);
  EXPECT_EQ(picture().PixelFormat(), pf24bit);
  EXPECT_EQ(form1().windowTitle(), QStringLiteral("Zudozo  :24bit"));
}

TEST_F(AppTest, MovingTheFormatBarThenCancellingKeepsTheChoiceButNotThePicture) {
  RunNew(form1(), [](TNewBMPForm* dialog) {
    dialog->ScrollBar1->setValue(1);
    QTest::mouseClick(dialog->CancelBtn, Qt::LeftButton);
  });
  EXPECT_EQ(picture().PixelFormat(), pf32bit);
  EXPECT_EQ(app().Document().ChosenFormat, pf1bit);
  EXPECT_EQ(app().NewBMPForm().Lpf->text(), QStringLiteral("白黒"));
  EXPECT_EQ(form1().windowTitle(), QStringLiteral("Zudozo  :32bit"));
  // Opening the dialog again brings the bar back to the picture's format.
  RunNew(form1(), [](TNewBMPForm* dialog) {
    EXPECT_EQ(dialog->ScrollBar1->value(), 7);
    EXPECT_EQ(dialog->Lpf->text(), QStringLiteral("32bit"));
    QTest::keyClick(dialog, Qt::Key_Escape);
  });
}

TEST_F(AppTest, ASizeTooLargeShowsTheErrorBoxAndKeepsThePicture) {
  picture().SetPixel(2, 2, clRed);
  QString shown;
  RunNew(form1(), [&](TNewBMPForm* dialog) {
    AnswerModal([&](QWidget* box) {
      shown = qobject_cast<QMessageBox*>(box)->text();
      box->close();
    });
    dialog->widthedit->SetValue(70000);  // typed, and confirmed before the box clamps it
    QTest::keyClick(dialog->widthedit, Qt::Key_Enter);
  });
  EXPECT_TRUE(shown.startsWith(QStringLiteral("ビットマップが大きすぎます"))) << shown.toStdString();
  EXPECT_EQ(picture().Width(), 200);
  EXPECT_EQ(picture().GetPixel(2, 2), clRed);
}

TEST_F(AppTest, TheDialogsSaveButtonRunsSaveAndStaysOpen) {
  // The picture has no file name yet, so Save goes straight to the save dialog.
  QString asked;
  RunNew(form1(), [&](TNewBMPForm* dialog) {
    AnswerModal([&](QWidget* saveDialog) {
      asked = saveDialog->objectName();
      qobject_cast<QDialog*>(saveDialog)->reject();
    });
    QTest::mouseClick(dialog->savebutton, Qt::LeftButton);
    EXPECT_TRUE(dialog->isVisible());
    dialog->reject();
  });
  EXPECT_EQ(asked, QStringLiteral("SaveDialog"));
}

}  // namespace
