#include "draw/drawing_settings.h"

#include <gtest/gtest.h>

#include "surface/bitmap.h"

namespace {

TDrawingSettings redOnBlue() {
  TDrawingSettings s;
  s.leftColor = RGB(200, 0, 0);
  s.rightColor = RGB(0, 0, 200);
  s.penWidth = 7;
  s.textAngle = 45;
  s.font = {"DejaVu Sans", true, true, false, true, 12};
  return s;
}

TEST(DrawingSettings, StrokeSettingsTakeColoursByButtonAndKeepThemForOthers) {
  TBitmap doc(10, 10), paste(4, 4);
  TCanvas& c = doc.Canvas();
  c.Pen.Style = psClear;
  const TDrawingSettings s = redOnBlue();

  ApplyStrokeSettings(c, 0, s, paste);
  EXPECT_EQ(c.Pen.Color, s.leftColor);
  EXPECT_EQ(c.Font.Color, s.leftColor);
  EXPECT_EQ(c.Pen.Width, 7);
  EXPECT_EQ(c.Pen.Style, psSolid);
  EXPECT_EQ(paste.TransparentColor, s.rightColor);
  c.FillRect(Rect(0, 0, 10, 10));
  EXPECT_EQ(doc.GetPixel(5, 5), s.rightColor);

  ApplyStrokeSettings(c, 1, s, paste);
  EXPECT_EQ(c.Pen.Color, s.rightColor);
  EXPECT_EQ(c.Font.Color, s.rightColor);
  EXPECT_EQ(paste.TransparentColor, s.leftColor);

  // The middle button keeps the right button's colours but still takes width, style and font.
  TDrawingSettings other = s;
  other.leftColor = clLime;
  other.penWidth = 2;
  c.Pen.Style = psDot;
  ApplyStrokeSettings(c, 2, other, paste);
  EXPECT_EQ(c.Pen.Color, s.rightColor);
  EXPECT_EQ(c.Brush.Color, s.leftColor);
  EXPECT_EQ(c.Pen.Width, 2);
  EXPECT_EQ(c.Pen.Style, psSolid);
  EXPECT_EQ(paste.TransparentColor, s.leftColor);
  c.FillRect(Rect(0, 0, 10, 10));
  EXPECT_EQ(doc.GetPixel(0, 0), s.leftColor);
}

TEST(DrawingSettings, StrokeFontIsBuiltFromTheSettingsAtTheTextAngle) {
  TBitmap doc(4, 4), paste;
  TCanvas& c = doc.Canvas();
  ApplyStrokeSettings(c, 0, redOnBlue(), paste);
  EXPECT_EQ(c.Font.Name, "DejaVu Sans");
  EXPECT_EQ(c.Font.Height, -16);
  EXPECT_EQ(c.Font.Escapement, 450);
  EXPECT_EQ(c.Font.Weight, 700);
  EXPECT_TRUE(c.Font.Italic);
  EXPECT_FALSE(c.Font.Underline);
  EXPECT_TRUE(c.Font.StrikeOut);

  // A font change between strokes keeps the colour and draws upright again.
  c.Font.Color = clLime;
  MakeTextFont(c, TTextFontSettings{}, 0);
  EXPECT_EQ(c.Font.Color, clLime);
  EXPECT_EQ(c.Font.Escapement, 0);
  EXPECT_EQ(c.Font.Weight, 400);
  EXPECT_EQ(c.Font.Name, "");
  EXPECT_EQ(c.Font.Height, -12);
  MakeTextFont(c, TTextFontSettings{}, -180);
  EXPECT_EQ(c.Font.Escapement, -1800);
}

TEST(DrawingSettings, FontHeightsRoundToNearestWithTiesToEven) {
  EXPECT_EQ(TextFontHeight(9, 96), -12);
  EXPECT_EQ(TextFontHeight(1, 96), -1);    // 1.33
  EXPECT_EQ(TextFontHeight(2, 96), -3);    // 2.67
  EXPECT_EQ(TextFontHeight(99, 96), -132);
  EXPECT_EQ(TextFontHeight(9, 100), -12);  // 12.5 goes to the even 12
  EXPECT_EQ(TextFontHeight(27, 100), -38); // 37.5 goes to the even 38
  EXPECT_EQ(TextFontHeight(1, 36), 0);     // 0.5 goes to 0
  EXPECT_EQ(TextFontHeight(3, 36), -2);    // 1.5 goes to 2
}

TEST(DrawingSettings, PenModeTableAndPasteBufferTransparency) {
  TBitmap paste(2, 2);
  const TPenMode modes[] = {pmCopy, pmNotXor, pmMerge, pmMask};
  const TCopyMode copies[] = {cmSrcCopy, cmSrcInvert, cmSrcPaint, cmSrcAnd};
  for (int position : {1, 0, 2, 0, 3}) {
    paste.Transparent = position != 0;  // the opposite of what it must become
    EXPECT_EQ(PenModeOf(position), modes[position]);
    EXPECT_EQ(CopyModeOf(position, paste), copies[position]);
    EXPECT_EQ(paste.Transparent, position == 0) << "position " << position;
  }
}

TEST(DrawingSettings, FillSettingsPaintTheirBrushes) {
  TBitmap pattern(8, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) pattern.SetPixel(x, y, (x + y) % 2 ? clRed : clBlue);
  TBitmap target(16, 16);
  TCanvas& c = target.Canvas();
  auto fill = [&](int setting) {
    c.Brush.Color = clWhite;
    c.Brush.Style = bsSolid;
    c.Brush.Bitmap = nullptr;
    c.FillRect(Rect(0, 0, 16, 16));
    c.Brush.Color = clBlack;
    ApplyFillSetting(c, setting, pattern);
    c.FillRect(Rect(0, 0, 16, 16));
  };
  auto count = [&](TColor color) {
    int n = 0;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) n += target.GetPixel(x, y) == color;
    return n;
  };
  fill(0);
  EXPECT_EQ(count(clBlack), 0);
  fill(1);
  EXPECT_EQ(count(clBlack), 256);
  fill(2);
  EXPECT_EQ(count(clBlack), 32);  // one row in eight
  fill(7);
  EXPECT_EQ(count(clBlack), 64);  // two diagonals in every 8x8 cell
  fill(8);
  EXPECT_EQ(target.GetPixel(0, 0), clBlue);
  EXPECT_EQ(target.GetPixel(1, 0), clRed);
  EXPECT_EQ(count(clBlack), 0);
  // Leaving the pattern brings back the colour brush.
  fill(1);
  EXPECT_EQ(count(clBlack), 256);
}

TEST(RepeatStepper, KindsByTextAndButtonAndOnlyThePenTextRestartsTheCounter) {
  TRepeatStepper r;
  r.repeatTicks = 7;
  r.Press(stBlue, 1);
  EXPECT_EQ(r.repeatKind, 10);
  EXPECT_EQ(r.repeatTicks, 7);
  r.Press(stGreen, 2);  // middle button: kind unchanged
  EXPECT_EQ(r.repeatKind, 10);
  r.Press(stFontSize, 1);
  EXPECT_EQ(r.repeatKind, 4);
  r.Press(stRed, 0);
  EXPECT_EQ(r.repeatKind, 5);
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(r.Tick());
  auto step = r.Tick();  // the eleventh tick since the counter was 7
  ASSERT_TRUE(step);
  EXPECT_EQ(step->text, stRed);
  EXPECT_EQ(step->delta, +1);
  r.Press(stPenWidth, 1);
  EXPECT_EQ(r.repeatKind, 2);
  EXPECT_EQ(r.repeatTicks, 0);
  EXPECT_EQ(r.Release()->delta, -1);
  EXPECT_FALSE(r.Release());
  // Without a kind the counter runs back to zero once it passes 10.
  r.repeatTicks = 10;
  EXPECT_FALSE(r.Tick());
  EXPECT_EQ(r.repeatTicks, 0);
}

}  // namespace
