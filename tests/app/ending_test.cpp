#include <QAbstractButton>
#include <QMessageBox>
#include <QSignalSpy>

#include "app_fixture.h"

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
  int saves = 0;
  form1().SaveCommand = [&] { ++saves; };
  QSignalSpy closed(&form1(), &TForm1::Closed);
  EscapeAndAnswer(form1(), QMessageBox::No);
  EXPECT_FALSE(form1().isVisible());
  EXPECT_EQ(closed.count(), 1);
  EXPECT_EQ(saves, 0);
}

TEST_F(AppTest, EscYesSavesThenEndsEvenWhenSavingFails) {
  int saves = 0;
  form1().SaveCommand = [&] {
    ++saves;
    throw std::runtime_error("保存できません");
  };
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
  EXPECT_EQ(saves, 1);
  EXPECT_EQ(error, QStringLiteral("保存できません"));
  EXPECT_EQ(closed.count(), 1);
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
