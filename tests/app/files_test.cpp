#include <QDir>
#include <QFileDialog>
#include <QAction>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QToolButton>

#include "app_fixture.h"
#include "history/ui/history_commands.h"
#include "document/bmp_file.h"

namespace {

// A 7 x 5 8-bit picture with a red corner, written as a BMP file in dir.
QString WriteSample(const QTemporaryDir& dir) {
  TBitmap sample(7, 5, pf8bit);
  sample.SetPixel(0, 0, clRed);
  const QString path = dir.filePath(QStringLiteral("b.bmp"));
  SaveBmpFile(sample, path.toStdString());
  return path;
}

// Types a path into the open dialog and confirms it with Enter.
void TypeFileName(QWidget* dialog, const QString& path) {
  auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  edit->setText(path);
  QTest::keyClick(edit, Qt::Key_Return);
}

TEST(CommandLine, OpensTheFileAndUndoShowsTheWhiteStartPicture) {
  QTemporaryDir dir;
  const QString path = WriteSample(dir);
  TZudozoApp app({path});
  EXPECT_EQ(app.Form1().windowTitle(), QStringLiteral("Zudozo  ") + path + QStringLiteral(":32bit"));
  TBitmap& picture = app.Document().Picture();
  EXPECT_EQ(picture.Width(), 7);
  EXPECT_EQ(picture.GetPixel(0, 0), clRed);
  EXPECT_EQ(app.Document().FileName, path.toStdString());
  app.Form1().returnbuttonClick();
  EXPECT_EQ(picture.Width(), 200);
  EXPECT_TRUE(AllPixels(picture, clWhite));
  EXPECT_EQ(app.Form1().Image->size(), QSize(200, 200));
  app.Form1().returnbuttonClick();
  EXPECT_EQ(picture.GetPixel(0, 0), clRed);
}

// A name relative to the working folder is recorded by its full path.
TEST(CommandLine, ARelativeNameIsRecordedByItsFullPath) {
  QTemporaryDir dir;
  const QString path = WriteSample(dir);
  const QString before = QDir::currentPath();
  QDir::setCurrent(dir.path());
  TZudozoApp app({QFileInfo(path).fileName()});
  QDir::setCurrent(before);
  EXPECT_EQ(app.Document().FileName, QFileInfo(path).absoluteFilePath().toStdString());
  EXPECT_EQ(app.Document().Picture().Width(), 7);
}

TEST_F(AppTest, OpenReadsTheChosenFileAndResetsTheView) {
  QTemporaryDir dir;
  const QString path = WriteSample(dir);
  AnswerModal([&](QWidget* modal) {
    TypeFileName(modal, path);
  });
  QTest::keyClick(&form1(), Qt::Key_F2);
  EXPECT_EQ(picture().Width(), 7);
  EXPECT_EQ(picture().PixelFormat(), pf8bit);
  EXPECT_EQ(form1().windowTitle(), QStringLiteral("Zudozo  b.bmp:256色"));
  EXPECT_EQ(form1().saveB()->toolTip(), QStringLiteral(" 「b.bmp」に上書き保存"));
  form1().returnbuttonClick();  // the snapshot is the opened picture
  EXPECT_EQ(picture().GetPixel(0, 0), clRed);
  EXPECT_EQ(picture().Width(), 7);
}

// Open asks nothing; over a changed picture it is a step: Ctrl+Z brings back the drawing with
// its size, format and file name (the caption follows), Ctrl+Y the opened file. Over an
// unchanged picture the history begins anew.
TEST_F(AppTest, OpenOverAChangedPictureIsAStepOfTheHistory) {
  QTemporaryDir dir;
  const QString path = WriteSample(dir);
  app().Document().ReplaceWithNewPicture(120, 90, pf24bit);
  app().Document().FileName = dir.filePath(QStringLiteral("first.bmp")).toStdString();
  form1().ResetDocumentView();
  form1().StartHistory();
  QTest::mouseClick(form1().Image, Qt::LeftButton, {}, QPoint(10, 10));
  ASSERT_EQ(picture().GetPixel(10, 10), clBlack);
  for (int i = 0; i < 2; ++i) {
    AnswerModal([&](QWidget* modal) { TypeFileName(modal, path); });
    form1().Aopen()->trigger();
    ASSERT_EQ(picture().Width(), 7);
    EXPECT_EQ(form1().windowTitle(), QStringLiteral("Zudozo  b.bmp:256色"));
    EXPECT_FALSE(form1().PictureUnsaved());
    if (i == 1) break;
    // The Edit menu's items (where the keyboard goes after the file dialog is the window's own
    // matter, not this test's).
    ASSERT_TRUE(form1().History->Aundo->isEnabled());
    form1().History->Aundo->trigger();
    EXPECT_EQ(picture().Width(), 120);
    EXPECT_EQ(picture().PixelFormat(), pf24bit);
    EXPECT_EQ(picture().GetPixel(10, 10), clBlack);
    EXPECT_EQ(form1().windowTitle(), QStringLiteral("Zudozo  first.bmp:24bit"));
    EXPECT_EQ(form1().saveB()->toolTip(), QStringLiteral(" 「first.bmp」に上書き保存"));
    EXPECT_TRUE(form1().PictureUnsaved());
    form1().History->Aredo->trigger();
    EXPECT_EQ(picture().Width(), 7);
    EXPECT_EQ(picture().PixelFormat(), pf8bit);
    EXPECT_EQ(app().Document().FileName, path.toStdString());
  }
  // The second Open came over the unchanged file: nothing to go back to.
  EXPECT_FALSE(form1().History->Aundo->isEnabled());
}

TEST_F(AppTest, AFileThatCannotBeReadShowsTheErrorAndKeepsThePicture) {
  QTemporaryDir dir;
  QFile broken(dir.filePath(QStringLiteral("broken.bmp")));
  ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
  broken.write("BM not really");
  broken.close();
  QString error;
  AnswerModal([&](QWidget* modal) {
    AnswerModal([&](QWidget* box) {
      error = qobject_cast<QMessageBox*>(box)->text();
      box->close();
    });
    TypeFileName(modal, broken.fileName());
  });
  form1().Aopen()->trigger();
  EXPECT_EQ(error, QStringLiteral("ビットマップイメージが不正です"));
  EXPECT_EQ(picture().Width(), 200);
  EXPECT_EQ(form1().windowTitle(), QStringLiteral("Zudozo  :32bit"));
}

}  // namespace
