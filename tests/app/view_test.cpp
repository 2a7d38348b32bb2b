#include <QFileDialog>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>

#include "app/open_filter.h"
#include "app_fixture.h"

namespace {

QRgb ShownAt(QWidget* image, int x, int y) { return image->grab().toImage().pixel(x, y); }

TEST_F(AppTest, TheViewShowsThePictureAndRepaintsWhatChanged) {
  picture().SetPixel(10, 20, clRed);
  form1().InvalidateDocument(TRect{10, 20, 11, 21});
  EXPECT_EQ(ShownAt(form1().Image, 10, 20), qRgb(255, 0, 0));
  EXPECT_EQ(ShownAt(form1().Image, 11, 20), qRgb(255, 255, 255));

  // A palette picture shows its colours too.
  app().Document().ReplaceWithNewPicture(30, 30, pf4bit);
  form1().ResetDocumentView();
  picture().SetPixel(29, 29, clBlue);
  form1().InvalidateDocument(picture().BoundsRect());
  EXPECT_EQ(form1().Image->size(), QSize(30, 30));
  EXPECT_EQ(ShownAt(form1().Image, 29, 29), qRgb(0, 0, 255));
  EXPECT_EQ(ShownAt(form1().Image, 0, 0), qRgb(255, 255, 255));
}

TEST_F(AppTest, MouseEventsComeInPictureCoordinatesAlsoBesideThePicture) {
  QSignalSpy spy(&form1(), &TForm1::ImageMouse);
  QTest::mousePress(form1().Image, Qt::RightButton, Qt::ShiftModifier, QPoint(5, 6));
  QTest::mouseRelease(form1().Image, Qt::RightButton, Qt::ShiftModifier, QPoint(5, 6));
  QWidget* stage = form1().ScrollBox1->widget();
  QTest::mousePress(stage, Qt::LeftButton, {}, QPoint(10, 300));
  ASSERT_EQ(spy.count(), 3);
  auto event = [&](int i) { return spy.at(i).at(0).value<TCanvasMouse>(); };
  EXPECT_EQ(event(0).kind, TCanvasMouse::Down);
  EXPECT_EQ(event(0).Button, 1);
  EXPECT_TRUE(event(0).Shift);
  EXPECT_EQ(event(0).X, 5);
  EXPECT_EQ(event(0).Y, 6);
  EXPECT_EQ(event(1).kind, TCanvasMouse::Up);
  EXPECT_EQ(event(2).Button, 0);
  EXPECT_EQ(event(2).X, -40);
  EXPECT_EQ(event(2).Y, 250);
}

TEST_F(AppTest, ABigPictureScrollsAndResetPutsItBackAtTheCorner) {
  app().Document().ReplaceWithNewPicture(3000, 2000, pf8bit);
  form1().ResetDocumentView();
  QScrollBar* bar = form1().ScrollBox1->horizontalScrollBar();
  QTest::qWait(10);
  EXPECT_EQ(bar->maximum() + form1().ScrollBox1->viewport()->width(), 50 + 3000 + 30);
  bar->setValue(1500);
  picture().SetPixel(1600, 10, clRed);
  form1().InvalidateDocument(TRect{1600, 10, 1601, 11});
  EXPECT_EQ(ShownAt(form1().Image, 1600, 10), qRgb(255, 0, 0));
  form1().ResetDocumentView();
  EXPECT_EQ(bar->value(), 0);
  EXPECT_EQ(form1().Image->pos(), QPoint(50, 50));
}

TEST_F(AppTest, DroppedFilesOfferTheFirstInTheOpenDialog) {
  QString offered, filters;
  AnswerModal([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    offered = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
    filters = dialog->nameFilters().join(QStringLiteral(";;"));
    dialog->reject();
  });
  picture().SetPixel(0, 0, clRed);
  form1().FilesDropped({QStringLiteral("/tmp/first.bmp"), QStringLiteral("/tmp/second.png")});
  EXPECT_EQ(offered, QStringLiteral("first.bmp"));
  EXPECT_TRUE(filters.startsWith(QStringLiteral(
      "Bitmap , JPEG ,PNG ,WebP ,TIFF ,GIF ,TGA (*.bmp *.jpg *.jpeg *.png *.webp *.tif *.tiff *.gif *.tga)")));
  EXPECT_TRUE(filters.contains(QStringLiteral("WebP (*.webp);;TIFF (*.tif *.tiff);;GIF (*.gif);;TGA (*.tga)")));
  EXPECT_EQ(picture().GetPixel(0, 0), clRed);
  EXPECT_EQ(form1().windowTitle(), QStringLiteral("Zudozo  :32bit"));
}

TEST(OpenFilter, PairsBecomeQtFilters) {
  EXPECT_EQ(QtFileFilter(QStringLiteral("Bitmap|*.bmp|JPEG|*.jpg;*.jpeg|すべてのファイル|*.*")),
            QStringLiteral("Bitmap (*.bmp);;JPEG (*.jpg *.jpeg);;すべてのファイル (*.*)"));
}

}  // namespace
