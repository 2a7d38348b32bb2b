#include "draw/settings_pictures.h"

#include "draw/drawing_settings.h"
#include "surface/canvas.h"

namespace {

constexpr TColor kNavy = RGB(0, 0, 128);

void fillSolid(TCanvas& canvas, const TRect& r, TColor color) {
  canvas.Brush.Bitmap = nullptr;
  canvas.Brush.Style = bsSolid;
  canvas.Brush.Color = color;
  canvas.FillRect(r);
}

// The surface fill of the button faces: the area that has the seed's colour now.
void fillFace(TCanvas& canvas, int x, int y, TColor color) {
  canvas.Brush.Bitmap = nullptr;
  canvas.Brush.Style = bsSolid;
  canvas.Brush.Color = color;
  canvas.FloodFill(x, y, canvas.GetPixel(x, y));
}

}  // namespace

void PaintColorGrid(TBitmap& cgrid) {
  TCanvas& c = cgrid.Canvas();
  for (int i = 0; i < 16; ++i) fillSolid(c, Rect(8 * i, 0, 8 * i + 8, kColorGridHeight), kColorSamples[i]);
}

void DrawPenShape(TBitmap& penshape, const TBitmap& mouse, int colorSlot, TColor left, TColor right) {
  TCanvas& c = penshape.Canvas();
  if (colorSlot == 0 || colorSlot == 1) {
    c.CopyMode = cmSrcCopy;
    c.Draw(colorSlot == 0 ? 0 : -kPenShapeSide, 0, mouse);
  }
  fillFace(c, 20, 20, left);
  fillFace(c, 30, 20, right);
}

void DrawRGBBars(TBitmap& rgbimage, int red, int green, int blue) {
  TCanvas& c = rgbimage.Canvas();
  fillSolid(c, Rect(0, 0, 128, 16), RGB(255, 220, 220));
  fillSolid(c, Rect(0, 16, 128, 32), RGB(220, 255, 220));
  fillSolid(c, Rect(0, 32, 128, 48), RGB(220, 220, 255));
  fillSolid(c, Rect(0, 0, red / 2, 16), RGB(red, 0, 0));
  fillSolid(c, Rect(0, 16, green / 2, 32), RGB(0, green, 0));
  fillSolid(c, Rect(0, 32, blue / 2, 48), RGB(0, 0, blue));
}

void DrawPenWidth(TBitmap& penimage, const TBitmap& penSize, int width) {
  TCanvas& c = penimage.Canvas();
  c.CopyMode = cmSrcCopy;
  c.Draw(0, 0, penSize);
  c.Brush.Bitmap = nullptr;
  c.Brush.Style = bsSolid;
  c.Pen.Color = kNavy;
  c.Pen.Mode = pmNotXor;
  c.Pen.Width = width;
  c.MoveTo(width / 2, 0);
  c.LineTo(width / 2, kPenImageHeight);
}

void DrawFontSize(TBitmap& fontimage, int size, int ppi) {
  TCanvas& c = fontimage.Canvas();
  fillSolid(c, fontimage.BoundsRect(), clWhite);
  c.Font.Height = TextFontHeight(size, ppi);
  const int tw = c.TextWidth("A");
  const int th = c.TextHeight("A");
  c.TextOut(25 - tw / 2, 9 - th / 2, "A");
  c.Brush.Color = kNavy;
  c.Pen.Mode = pmNotXor;
  c.Rectangle(-1, -1, size / 2 + 1, kPenImageHeight);
}

void DrawFillSetting(TBitmap& brImage, int fillSetting, const TBitmap& brushPattern) {
  TCanvas& c = brImage.Canvas();
  fillSolid(c, brImage.BoundsRect(), clWhite);
  c.Brush.Color = kNavy;
  ApplyFillSetting(c, fillSetting, brushPattern);
  c.Rectangle(0, 0, kModeImageSide, kModeImageSide);
}

void DrawPenMode(TBitmap& pmimage, int penMode) {
  TCanvas& c = pmimage.Canvas();
  fillSolid(c, pmimage.BoundsRect(), clBtnFace);
  c.Brush.Color = RGB(0, 0, 255);
  c.Rectangle(0, 8, kModeImageSide, 16);
  c.Pen.Mode = PenModeOf(penMode);
  c.Brush.Color = RGB(255, 0, 0);
  c.Rectangle(8, 0, 16, kModeImageSide);
  c.Pen.Mode = pmCopy;
}
