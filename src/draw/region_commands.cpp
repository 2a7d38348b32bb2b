#include "draw/region_commands.h"

#include <algorithm>

#include "surface/canvas.h"

TRect RegionBetween(TPoint a, TPoint b) {
  return TRect{std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

void CopyRegion(TBitmap& picture, const TRect& region, TBitmap& buffer) {
  const int w = region.Right - region.Left, h = region.Bottom - region.Top;
  TBitmap copy(w, h, pf32bit);
  TCanvas& c = copy.Canvas();
  c.CopyMode = cmSrcCopy;
  c.CopyRect(TRect{0, 0, w, h}, picture.Canvas(), region);
  buffer.Swap(copy);
}

void WhitenRegion(TBitmap& picture, const TRect& region) {
  TCanvas& c = picture.Canvas();
  c.CopyMode = cmWhiteness;
  c.CopyRect(region, c, region);
  c.CopyMode = cmSrcCopy;
}

void LoadBrushPattern(TBitmap& picture, const TRect& region, TBitmap& pattern) {
  TCanvas& c = pattern.Canvas();
  c.CopyMode = cmSrcCopy;
  c.CopyRect(TRect{0, 0, 8, 8}, picture.Canvas(), region);
}

void RenderTextBuffer(const std::string& utf8, const TFont& font, TBitmap& buffer) {
  TBitmap text;
  text.Canvas().Font = font;
  const int w = text.Canvas().TextWidth(utf8), h = text.Canvas().TextHeight(utf8);
  text.SetSize(w, h);
  TCanvas& c = text.Canvas();
  c.Brush.Style = bsSolid;
  c.Brush.Color = clWhite;
  c.FillRect(TRect{0, 0, w, h});
  c.TextOut(0, 0, utf8);
  buffer.Swap(text);
}
