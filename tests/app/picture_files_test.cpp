#include <QApplication>
#include <QClipboard>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "app_fixture.h"
#include "document/bmp_file.h"
#include "document/ui/png_form.h"
#include "png/viraviz.h"

namespace {

// Types a path into the file dialog that is open and confirms it with Enter.
void TypeFileName(QWidget* dialog, const QString& path) {
  auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  edit->setText(path);
  QTest::keyClick(edit, Qt::Key_Return);
}

// Answers the next save dialogs with the given names in turn, then cancels; counts them.
void AnswerSaveDialogs(QStringList names, int* shown) {
  AppTest::AnswerModal([names, shown](QWidget* dialog) mutable {
    ++*shown;
    if (names.isEmpty()) {
      qobject_cast<QDialog*>(dialog)->reject();
      return;
    }
    const QString name = names.takeFirst();
    AnswerSaveDialogs(names, shown);
    TypeFileName(dialog, name);
  });
}

TEST_F(AppTest, SaveAsWithACapitalExtensionWritesNothingAndAsksAgain) {
  QTemporaryDir dir;
  const QString capital = dir.filePath(QStringLiteral("x.BMP"));
  int shown = 0;
  AnswerSaveDialogs({capital}, &shown);
  form1().Asaveas()->trigger();
  EXPECT_EQ(shown, 2);
  EXPECT_FALSE(QFile::exists(capital));
  // The name stays the last one chosen although nothing was written there.
  EXPECT_EQ(app().Document().FileName, capital.toStdString());
}

TEST_F(AppTest, SaveAsWritesTheFileReadsItBackAndSaveOverwrites) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("pic"));  // the chosen type adds ".bmp"
  picture().SetPixel(1, 2, clBlue);
  int shown = 0;
  AnswerModal([&](QWidget* dialog) {
    ++shown;
    auto* files = qobject_cast<QFileDialog*>(dialog);
    EXPECT_EQ(files->defaultSuffix(), QStringLiteral("png")) << "the first type";
    // The user picks the second file type in the dialog's type box.
    auto* types = files->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    ASSERT_NE(types, nullptr);
    QTest::keyClick(types, Qt::Key_Down);
    EXPECT_EQ(files->defaultSuffix(), QStringLiteral("bmp"));
    TypeFileName(dialog, path);
  });
  QTest::keyClick(&form1(), Qt::Key_F4);
  EXPECT_EQ(shown, 1);
  const QString written = path + QStringLiteral(".bmp");
  EXPECT_EQ(app().Document().FileName, written.toStdString());
  EXPECT_EQ(form1().windowTitle(), QStringLiteral("Zudozo  pic.bmp:32bit"));

  picture().SetPixel(5, 5, clRed);
  form1().Asave()->trigger();  // Save asks nothing now
  TBitmap onDisk;
  LoadBmpFile(written.toStdString(), onDisk);
  EXPECT_EQ(onDisk.GetPixel(1, 2), clBlue);
  EXPECT_EQ(onDisk.GetPixel(5, 5), clRed);
  form1().returnbuttonClick();  // the read-back retook the snapshot
  EXPECT_EQ(picture().GetPixel(5, 5), clRed);
}

TEST_F(AppTest, SavingAJpegReplacesTheDocumentByTheFileAt32Bits) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("photo.jpg"));
  app().Document().FileName = path.toStdString();
  picture().SetPixelFormat(pf8bit);
  picture().Canvas().Brush.Color = clRed;
  picture().Canvas().FillRect(TRect{0, 0, 100, 100});
  form1().savebuttonClick();
  EXPECT_EQ(picture().PixelFormat(), pf32bit);
  EXPECT_TRUE(form1().windowTitle().endsWith(QStringLiteral(":32bit")));
  const TColor c = picture().GetPixel(50, 50);  // JPEG keeps the colour nearly
  EXPECT_GT(GetRValue(c), 240);
  EXPECT_LT(GetGValue(c), 16);
}

TEST_F(AppTest, APngSaveGoesThroughTheSettingsDialog) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("p.png"));
  app().Document().FileName = path.toStdString();
  picture().SetPixel(1, 1, clRed);
  // Closing the dialog without OK writes nothing and brings the save dialog.
  int saveDialogs = 0;
  AnswerModal([&](QWidget* png) {
    EXPECT_EQ(png->objectName(), QStringLiteral("TForm7"));
    AnswerSaveDialogs({}, &saveDialogs);
    png->close();
  });
  form1().savebuttonClick();
  EXPECT_FALSE(QFile::exists(path));
  EXPECT_EQ(saveDialogs, 1);

  // Picking red in the preview and confirming writes red as the transparent colour.
  AnswerModal([&](QWidget* png) {
    auto* form = qobject_cast<TForm7*>(png);
    QTest::mouseClick(form->Image1, Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_TRUE(form->cbT->isChecked());
    form->Button1->click();
  });
  form1().savebuttonClick();
  VIRAVIZ written;
  written.LoadFromFile(path.toStdString());
  EXPECT_EQ(written.Image.GetPixel(1, 1), clRed);
  ASSERT_TRUE(written.TransparentColor.has_value());
  EXPECT_EQ(*written.TransparentColor, clRed);
  EXPECT_EQ(picture().PixelFormat(), pf32bit);
  EXPECT_TRUE(picture().Transparent);
}

TEST_F(AppTest, SavePartShowsTheRegionInThePngDialogAndCancelWritesNothing) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("part.png"));
  form1().SelectedRegion = TRect{10, 20, 40, 30};
  picture().SetPixel(10, 20, clRed);
  QSize previewed;
  TColor corner = clInvalid;
  int pngDialogs = 0;
  AnswerModal([&](QWidget* saveDialog) {
    AnswerModal([&](QWidget* png) {
      ++pngDialogs;
      auto* form = qobject_cast<TForm7*>(png);
      previewed = QSize(form->Picture()->Width(), form->Picture()->Height());
      corner = form->Picture()->Image.GetPixel(0, 0);
      png->close();
    });
    TypeFileName(saveDialog, path);
  });
  form1().MpsaveClick();
  EXPECT_EQ(pngDialogs, 1);
  EXPECT_EQ(previewed, QSize(30, 10));
  EXPECT_EQ(corner, clRed);
  EXPECT_FALSE(QFile::exists(path));
  EXPECT_TRUE(app().Document().FileName.empty());
}

TEST_F(AppTest, SavePartWritesTheRegionOnlyAndKeepsTheDocument) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("part.bmp"));
  form1().SelectedRegion = TRect{5, 5, 12, 9};
  picture().SetPixel(6, 7, clBlue);
  AnswerModal([&](QWidget* saveDialog) { TypeFileName(saveDialog, path); });
  form1().MpsaveClick();
  TBitmap part;
  LoadBmpFile(path.toStdString(), part);
  EXPECT_EQ(part.Width(), 7);
  EXPECT_EQ(part.Height(), 4);
  EXPECT_EQ(part.GetPixel(1, 2), clBlue);
  EXPECT_TRUE(app().Document().FileName.empty());
  EXPECT_EQ(picture().Width(), 200);
}

TEST_F(AppTest, PasteFromFileCancelledStillTakesUpThePasteTool) {
  TBitmap old(3, 2, pf24bit);
  old.SetPixel(1, 1, RGB(0, 128, 0));
  app().Document().PasteBuffer().Assign(old);
  const int tool = form1().ToolNumber();
  AnswerModal([](QWidget* open) { qobject_cast<QDialog*>(open)->reject(); });
  QTest::keySequence(&form1(), QKeySequence(Qt::CTRL | Qt::Key_F));
  EXPECT_EQ(form1().FigureChoice().figure, 13);
  EXPECT_EQ(form1().ToolNumber(), tool);
  EXPECT_EQ(form1().Image->cursor().pixmap().toImage(), app().Cursors().Slot(13).pixmap().toImage());
  const QImage clip = QApplication::clipboard()->image();
  EXPECT_EQ(clip.size(), QSize(3, 2));
  EXPECT_EQ(clip.pixel(1, 1) & 0xFFFFFF, 0x008000u);
}

TEST_F(AppTest, PasteFromFileLoadsThePasteBufferAndLeavesTheName) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("paste.bmp"));
  TBitmap sample(6, 4, pf8bit);
  sample.SetPixel(2, 3, clRed);
  SaveBmpFile(sample, path.toStdString());
  AnswerModal([&](QWidget* open) { TypeFileName(open, path); });
  form1().MpastefileClick();
  EXPECT_EQ(app().Document().PasteBuffer().Width(), 6);
  EXPECT_EQ(app().Document().PasteBuffer().GetPixel(2, 3), clRed);
  EXPECT_TRUE(app().Document().FileName.empty());
  EXPECT_EQ(picture().Width(), 200);
}

}  // namespace
