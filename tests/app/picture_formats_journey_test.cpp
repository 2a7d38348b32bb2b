// A user's way through the new picture formats on the real main window: open a WebP, draw,
// save as GIF and TIFF, be refused a GIF of too many colours, and open the files again.
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>

#include "canvas_mouse.h"
#include "document/picture_loader.h"
#include "document/webp_file.h"

namespace {

void TypeFileName(QWidget* dialog, const QString& path) {
  auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  edit->setText(path);
  QTest::keyClick(edit, Qt::Key_Return);
}

class PictureFormatsJourney : public CanvasMouseTest {
 protected:
  // Answers the next file dialog with path; an error box that follows is read and closed.
  void ChooseFile(const QString& path, QString* error = nullptr) {
    AnswerModal([path, error](QWidget* dialog) {
      if (error) {
        AnswerModal([error](QWidget* box) {
          *error = qobject_cast<QMessageBox*>(box)->text();
          box->close();
        });
      }
      TypeFileName(dialog, path);
    });
  }
};

TEST_F(PictureFormatsJourney, OpenAWebpDrawSaveAsGifAndTiffAndOpenThemAgain) {
  QTemporaryDir dir;
  const QString webp = dir.filePath(QStringLiteral("photo.webp"));
  const QString gif = dir.filePath(QStringLiteral("photo.gif"));
  const QString tif = dir.filePath(QStringLiteral("photo.tif"));
  TBitmap start(60, 40, pf32bit);
  start.Canvas().Brush.Color = clRed;
  start.Canvas().FillRect(TRect{10, 10, 30, 30});
  SaveWebpFile(start, webp.toStdString());

  ChooseFile(webp);
  QTest::keyClick(&form1(), Qt::Key_F2);
  ASSERT_EQ(picture().Width(), 60);
  EXPECT_EQ(picture().PixelFormat(), pf32bit);
  EXPECT_EQ(picture().GetPixel(15, 15), clRed);
  EXPECT_EQ(form1().windowTitle(), QStringLiteral("Zudozo  photo.webp:32bit"));

  // A freehand line in black across the picture.
  Press(2, 35);
  for (int x = 3; x < 58; ++x) Move(x, 35);
  Release(58, 35);
  EXPECT_EQ(picture().GetPixel(20, 35), clBlack);
  TBitmap drawn;
  drawn.Assign(picture());

  // Three colours: the GIF holds them exactly, and the document becomes the file's 16 colours.
  ChooseFile(gif);
  form1().Asaveas()->trigger();
  ASSERT_TRUE(QFile::exists(gif));
  EXPECT_EQ(picture().PixelFormat(), pf4bit);
  EXPECT_TRUE(SamePixels(picture(), drawn));
  EXPECT_EQ(form1().windowTitle(), QStringLiteral("Zudozo  photo.gif:16色"));

  ChooseFile(tif);
  form1().Asaveas()->trigger();
  EXPECT_EQ(picture().PixelFormat(), pf4bit);  // TIFF keeps the picture's own kind
  EXPECT_TRUE(SamePixels(picture(), drawn));

  // Back to the WebP (white and red), painted with 300 colours more: GIF refuses it, at Save As
  // and at Save, and no
  // file is made.
  ChooseFile(webp);
  form1().Aopen()->trigger();
  for (int i = 0; i < 300; ++i) picture().SetPixel(i % 60, i / 60, RGB(std::uint8_t(i), std::uint8_t(i >> 8), 7));
  const QString many = dir.filePath(QStringLiteral("many.gif"));
  QString error;
  ChooseFile(many, &error);
  form1().Asaveas()->trigger();
  const QString refusal = QStringLiteral("この絵は 302 色を使っているので GIF に保存できません (GIF は 256 色まで)");
  EXPECT_EQ(error, refusal);
  error.clear();
  AnswerModal([&error](QWidget* box) {
    error = qobject_cast<QMessageBox*>(box)->text();
    box->close();
  });
  form1().Asave()->trigger();
  EXPECT_EQ(error, refusal);
  EXPECT_FALSE(QFile::exists(many));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3);  // no temporary file left
  EXPECT_EQ(picture().GetPixel(299 % 60, 299 / 60), RGB(43, 1, 7));  // the document is as it was

  // The TIFF and the GIF open again with the drawing, dropped on the window: the open dialog
  // comes with the dropped file's name in it.
  for (const QString& file : {tif, gif}) {
    AnswerModal([](QWidget* dialog) {
      QTest::keyClick(dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")), Qt::Key_Return);
    });
    form1().FilesDropped({file});
    EXPECT_TRUE(SamePixels(picture(), drawn)) << file.toStdString();
    EXPECT_EQ(picture().PixelFormat(), pf4bit);
    EXPECT_EQ(form1().windowTitle(), QStringLiteral("Zudozo  ") + QFileInfo(file).fileName() + QStringLiteral(":16色"));
  }
}

}  // namespace
