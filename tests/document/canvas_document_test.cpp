#include "document/canvas_document.h"

#include <gtest/gtest.h>

#include "document/pixel_format_names.h"
#include "surface/canvas.h"
#include "surface/surface_error.h"

namespace {

bool AllPixels(const TBitmap& b, TColor c) {
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (b.GetPixel(x, y) != c) return false;
  return true;
}

TEST(CanvasDocument, StartsWhite200By200With32BitsAndAnEqualSnapshot) {
  TCanvasDocument doc;
  EXPECT_EQ(doc.Picture().Width(), 200);
  EXPECT_EQ(doc.Picture().Height(), 200);
  EXPECT_EQ(doc.Picture().PixelFormat(), pf32bit);
  EXPECT_TRUE(AllPixels(doc.Picture(), clWhite));
  EXPECT_EQ(doc.UndoSnapshot().Width(), 200);
  EXPECT_TRUE(AllPixels(doc.UndoSnapshot(), clWhite));
  EXPECT_EQ(doc.ChosenFormat, pf32bit);
  EXPECT_TRUE(doc.FileName.empty());
}

TEST(CanvasDocument, UndoExchangesAndASecondUndoRestores) {
  TCanvasDocument doc;
  doc.TakeSnapshot();
  doc.Picture().SetPixel(5, 6, clRed);  // a stroke after its snapshot
  doc.ExchangeWithSnapshot();
  EXPECT_EQ(doc.Picture().GetPixel(5, 6), clWhite);
  EXPECT_EQ(doc.UndoSnapshot().GetPixel(5, 6), clRed);
  doc.ExchangeWithSnapshot();
  EXPECT_EQ(doc.Picture().GetPixel(5, 6), clRed);
  EXPECT_EQ(doc.UndoSnapshot().GetPixel(5, 6), clWhite);

  // The snapshot keeps its own size and format: undo brings them back.
  doc.TakeSnapshot();
  doc.Picture().SetPixelFormat(pf8bit);
  doc.Picture().SetSize(30, 40);
  doc.ExchangeWithSnapshot();
  EXPECT_EQ(doc.Picture().Width(), 200);
  EXPECT_EQ(doc.Picture().PixelFormat(), pf32bit);
  EXPECT_EQ(doc.Picture().GetPixel(5, 6), clRed);
  // Drawing on the picture after undo leaves the exchanged snapshot alone.
  doc.Picture().SetPixel(0, 0, clBlue);
  EXPECT_EQ(doc.UndoSnapshot().Width(), 30);
  EXPECT_EQ(doc.UndoSnapshot().PixelFormat(), pf8bit);
}

TEST(CanvasDocument, NewMakesAWhitePictureOfEveryFormatAndForgetsTheOldOne) {
  for (int position = 0; position < kPixelFormatPositions; ++position) {
    TCanvasDocument doc;
    doc.FileName = "/tmp/a.bmp";
    doc.Picture().SetPixel(0, 0, clBlack);
    const TPixelFormat f = PixelFormatAt(position);
    doc.ReplaceWithNewPicture(13, 7, f);
    EXPECT_EQ(doc.Picture().PixelFormat(), f) << position;
    EXPECT_EQ(doc.Picture().Width(), 13);
    EXPECT_EQ(doc.Picture().Height(), 7);
    EXPECT_TRUE(AllPixels(doc.Picture(), clWhite)) << position;
    EXPECT_TRUE(AllPixels(doc.UndoSnapshot(), clWhite)) << position;
    EXPECT_EQ(doc.UndoSnapshot().PixelFormat(), f);
    EXPECT_TRUE(doc.FileName.empty());
  }
}

TEST(CanvasDocument, NewRefusesWhatCannotBeHeldAndKeepsThePicture) {
  TCanvasDocument doc;
  doc.Picture().SetPixel(1, 1, clRed);
  EXPECT_THROW(doc.ReplaceWithNewPicture(70000, 10, pf32bit), EOutOfResources);
  EXPECT_EQ(doc.Picture().Width(), 200);
  EXPECT_EQ(doc.Picture().GetPixel(1, 1), clRed);
  doc.ReplaceWithNewPicture(0, -5, pf24bit);
  EXPECT_EQ(doc.Picture().Width(), 1);
  EXPECT_EQ(doc.Picture().Height(), 1);
}

TEST(CanvasDocument, FormatTableAndTexts) {
  const char* texts[] = {"Device依存", "白黒", "16色", "256色", "15bit", "16bit", "24bit", "32bit"};
  for (int position = 0; position < kPixelFormatPositions; ++position) {
    EXPECT_EQ(PixelFormatText(PixelFormatAt(position)), texts[position]);
    EXPECT_EQ(PixelFormatPosition(PixelFormatAt(position)), position);
  }
  EXPECT_EQ(MainCaption("", "32bit"), "Zudozo  :32bit");
  EXPECT_EQ(MainCaption(FileNamePart("/home/u/pics/b.png"), "白黒"), "Zudozo  b.png:白黒");
  EXPECT_EQ(SaveHint("/x/y/b.png").Filled(), " 「b.png」に上書き保存");
  EXPECT_EQ(SaveHint("").Filled(), " 「」に上書き保存");
}

}  // namespace
