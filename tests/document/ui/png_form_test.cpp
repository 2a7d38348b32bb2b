#include "document/ui/png_form.h"

#include <QCheckBox>
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include "png/viraviz.h"
#include "surface/canvas.h"
#include "view/ui/image_view.h"

namespace {

// Makes picture a 4 x 3 image with a red pixel at (2, 1) on white.
void MakeRedDot(VIRAVIZ& picture) {
  TBitmap bitmap(4, 3, pf24bit);
  bitmap.Canvas().Brush.Color = clWhite;
  bitmap.Canvas().FillRect(TRect{0, 0, 4, 3});
  bitmap.SetPixel(2, 1, clRed);
  picture.Assign(bitmap);
}

TColor PaneltColor(const TForm7& form) {
  const QColor c = form.Panelt->palette().color(QPalette::Window);
  return RGB(c.red(), c.green(), c.blue());
}

// Shows the dialog for picture the way a save does, leaving it open.
void ShowFor(TForm7& form, VIRAVIZ& picture) {
  form.SetPicture(&picture);
  form.show();
}

TEST(PngForm, OptionsReachThePictureOnlyThroughTheCheckBoxes) {
  TForm7 form;
  VIRAVIZ untouched;
  MakeRedDot(untouched);
  ShowFor(form, untouched);
  form.ScrollBar1->setValue(2);  // the bar alone changes nothing
  form.hide();
  EXPECT_EQ(untouched.CompressionLevel, 1);
  EXPECT_FALSE(untouched.InterlaceOption);

  VIRAVIZ stored;
  MakeRedDot(stored);
  ShowFor(form, stored);
  form.ScrollBar1->setValue(0);
  QTest::mouseClick(form.cbI, Qt::LeftButton);
  EXPECT_EQ(stored.CompressionLevel, 0);
  EXPECT_TRUE(stored.InterlaceOption);
  form.hide();

  // That save ended with "インタレース" checked at position 0: opening the dialog again unchecks
  // the box, which hands level 0 to the new picture before the bar returns to 1.
  VIRAVIZ next;
  MakeRedDot(next);
  ShowFor(form, next);
  EXPECT_EQ(next.CompressionLevel, 0);
  EXPECT_FALSE(next.InterlaceOption);
  EXPECT_FALSE(form.cbI->isChecked());
  EXPECT_EQ(form.ScrollBar1->value(), 1);
  form.ScrollBar1->setValue(2);
  QTest::mouseClick(form.cbT, Qt::LeftButton);
  EXPECT_EQ(next.CompressionLevel, 3);
}

TEST(PngForm, TheLeftButtonPicksTheTransparentColourAndOthersOnlyUncheck) {
  TForm7 form;
  VIRAVIZ picture;
  MakeRedDot(picture);
  ShowFor(form, picture);
  EXPECT_EQ(PaneltColor(form), ColorToRGB(clBtnFace));
  QTest::mousePress(form.Image1, Qt::LeftButton, {}, QPoint(0, 0));
  QTest::mouseMove(form.Image1, QPoint(2, 1));
  QTest::mouseRelease(form.Image1, Qt::LeftButton, {}, QPoint(2, 1));
  EXPECT_TRUE(form.cbT->isChecked());
  EXPECT_EQ(PaneltColor(form), clRed);
  ASSERT_TRUE(picture.TransparentColor.has_value());
  EXPECT_EQ(*picture.TransparentColor, clRed);
  EXPECT_TRUE(picture.Image.Transparent);

  QTest::mousePress(form.Image1, Qt::RightButton, {}, QPoint(0, 0));
  QTest::mouseRelease(form.Image1, Qt::RightButton, {}, QPoint(0, 0));
  EXPECT_FALSE(form.cbT->isChecked());
  EXPECT_EQ(PaneltColor(form), clRed);
  // What is ticked at OK is what gets written: the box now unticked, no transparent colour.
  form.accept();
  EXPECT_FALSE(picture.TransparentColor.has_value());
  EXPECT_FALSE(picture.Image.Transparent);
}

TEST(PngForm, UntickingInterlacingInTheSameSessionTakesEffect) {
  TForm7 form;
  VIRAVIZ picture;
  MakeRedDot(picture);
  ShowFor(form, picture);
  QTest::mouseClick(form.cbI, Qt::LeftButton);
  EXPECT_TRUE(picture.InterlaceOption);
  QTest::mouseClick(form.cbI, Qt::LeftButton);
  form.accept();
  EXPECT_FALSE(picture.InterlaceOption);
}

}  // namespace
