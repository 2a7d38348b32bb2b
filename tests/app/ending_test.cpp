#include <QAbstractButton>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "app_fixture.h"
#include "document/bmp_file.h"

namespace {

// Presses Esc and answers "絵を保存しますか" with the given button.
QString EscapeAndAnswer(TForm1& form1, QMessageBox::StandardButton answer) {
  QString question;
  AppTest::AnswerModal([&](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    question = box->text();
    box->button(answer)->click();
  });
  QTest::keyClick(&form1, Qt::Key_Escape);
  return question;
}

TEST_F(AppTest, EscAsksAndCancelKeepsTheProgramRunning) {
  picture().SetPixel(3, 4, clRed);  // only a changed picture is asked about
  QSignalSpy closed(&form1(), &TForm1::Closed);
  EXPECT_EQ(EscapeAndAnswer(form1(), QMessageBox::Cancel), QStringLiteral("絵を保存しますか"));
  EXPECT_TRUE(form1().isVisible());
  EXPECT_EQ(closed.count(), 0);
}

TEST_F(AppTest, EscNoEndsWithoutSaving) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("kept.bmp"));
  app().Document().FileName = path.toStdString();
  picture().SetPixel(3, 4, clRed);
  QSignalSpy closed(&form1(), &TForm1::Closed);
  EXPECT_EQ(EscapeAndAnswer(form1(), QMessageBox::No), QStringLiteral("絵を保存しますか"));
  EXPECT_FALSE(form1().isVisible());
  EXPECT_EQ(closed.count(), 1);
  EXPECT_FALSE(QFile::exists(path));
}

// The program ends only once the picture was written: a failed write or a cancelled save
// dialog after Yes leaves it open with the picture.
TEST_F(AppTest, EscYesStaysOpenWhenTheSaveFailsOrIsCancelled) {
  app().Document().FileName = "/nonexistent-folder/x.bmp";
  picture().SetPixel(3, 4, clRed);
  QSignalSpy closed(&form1(), &TForm1::Closed);
  QString error;
  AnswerModal([&](QWidget* modal) {
    AnswerModal([&](QWidget* box) {  // the error box of the failed save
      error = qobject_cast<QMessageBox*>(box)->text();
      box->close();
    });
    qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Yes)->click();
  });
  QTest::keyClick(&form1(), Qt::Key_Escape);
  EXPECT_EQ(error, QStringLiteral("ファイル /nonexistent-folder/x.bmp を作成できません"));
  EXPECT_EQ(closed.count(), 0);
  EXPECT_TRUE(form1().isVisible());

  app().Document().FileName.clear();
  AnswerModal([&](QWidget* modal) {
    AnswerModal([](QWidget* saveDialog) { qobject_cast<QDialog*>(saveDialog)->reject(); });
    qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Yes)->click();
  });
  QTest::keyClick(&form1(), Qt::Key_Escape);
  EXPECT_EQ(closed.count(), 0);
  EXPECT_EQ(picture().GetPixel(3, 4), clRed);
}

// The window's close box asks as Esc does.
TEST_F(AppTest, TheCloseBoxAsksLikeEsc) {
  picture().SetPixel(3, 4, clRed);
  QSignalSpy closed(&form1(), &TForm1::Closed);
  QString question;
  for (const auto answer : {QMessageBox::Cancel, QMessageBox::No}) {
    AnswerModal([&question, answer](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      question = box->text();
      box->button(answer)->click();
    });
    form1().close();
    EXPECT_EQ(question, QStringLiteral("絵を保存しますか"));
    EXPECT_EQ(closed.count(), answer == QMessageBox::No ? 1 : 0);
  }
  EXPECT_FALSE(form1().isVisible());
}

// Back and forward buttons do not draw; the left button does.
TEST_F(AppTest, OnlyLeftRightAndMiddleButtonsDraw) {
  for (const Qt::MouseButton button : {Qt::BackButton, Qt::ForwardButton, Qt::LeftButton}) {
    QTest::mousePress(form1().Image, button, {}, QPoint(10, 10));
    QTest::mouseRelease(form1().Image, button, {}, QPoint(10, 10));
    EXPECT_EQ(picture().GetPixel(10, 10), button == Qt::LeftButton ? clBlack : clWhite) << button;
  }
}

TEST_F(AppTest, EscYesWritesTheFileBeforeEnding) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("saved.bmp"));
  app().Document().FileName = path.toStdString();
  picture().SetPixel(3, 4, clRed);
  EscapeAndAnswer(form1(), QMessageBox::Yes);
  TBitmap written;
  LoadBmpFile(path.toStdString(), written);
  EXPECT_EQ(written.GetPixel(3, 4), clRed);
  EXPECT_FALSE(form1().isVisible());
}

TEST_F(AppTest, ShiftEscEndsWithoutAsking) {
  QSignalSpy closed(&form1(), &TForm1::Closed);
  bool asked = false;
  QTimer guard;  // a question, if one came, would block the key press: close it and fail
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [&] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      asked = true;
      modal->close();
    }
  });
  guard.start(300);
  QTest::keyClick(&form1(), Qt::Key_Escape, Qt::ShiftModifier);
  EXPECT_FALSE(asked);
  EXPECT_EQ(closed.count(), 1);
  EXPECT_FALSE(form1().isVisible());
}

}  // namespace
