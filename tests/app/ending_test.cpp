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
  QSignalSpy closed(&form1(), &TForm1::Closed);
  EXPECT_EQ(EscapeAndAnswer(form1(), QMessageBox::Cancel), QStringLiteral("絵を保存しますか"));
  EXPECT_TRUE(form1().isVisible());
  EXPECT_EQ(closed.count(), 0);
}

TEST_F(AppTest, EscNoEndsWithoutSaving) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("kept.bmp"));
  app().Document().FileName = path.toStdString();
  QSignalSpy closed(&form1(), &TForm1::Closed);
  EscapeAndAnswer(form1(), QMessageBox::No);
  EXPECT_FALSE(form1().isVisible());
  EXPECT_EQ(closed.count(), 1);
  EXPECT_FALSE(QFile::exists(path));
}

TEST_F(AppTest, EscYesSavesThenEndsEvenWhenSavingFails) {
  app().Document().FileName = "/nonexistent-folder/x.bmp";
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
  EXPECT_EQ(closed.count(), 1);
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
