#pragma once
// The drawing surface of one bitmap: pen, brush, font, copy mode, pen position, and every
// drawing operation the program uses.
//
// Conventions: rectangles are left, top, right, bottom with right and bottom one past the last
// pixel. Lines leave out their end point. Filled figures cover x1..x2-1, y1..y2-1. Pens wider
// than 1 have round ends and joins centred on the path. No anti-aliasing. Everything is
// clipped to ClipRect.
#include <string>
#include <vector>

#include "surface/canvas_types.h"
#include "surface/geometry.h"

class TBitmap;

class TCanvas {
 public:
  explicit TCanvas(TBitmap& bitmap);

  TPen Pen;
  TBrush Brush;
  TFont Font;
  TCopyMode CopyMode = cmSrcCopy;
  TPoint PenPos;
  // Origin of the 8x8 cells of hatch and pattern brushes, relative to the bitmap.
  TPoint BrushOrigin;

  TBitmap& Bitmap() { return bitmap_; }
  const TBitmap& Bitmap() const { return bitmap_; }

  // The drawable area: the bitmap, narrowed by SetClipRect.
  TRect ClipRect() const;
  void SetClipRect(const TRect& r) { clip_ = r; clipped_ = true; }
  void ResetClipRect() { clipped_ = false; }

  // Lines with the pen: from PenPos to (x, y), not including (x, y); PenPos becomes (x, y).
  void MoveTo(int x, int y) { PenPos = TPoint{x, y}; }
  void LineTo(int x, int y);
  // Connected lines; the last point is not drawn. A wide polyline is one shape, so every
  // pixel is touched once even where it crosses itself.
  void Polyline(const std::vector<TPoint>& points);

  // Outline with the pen, inside with the brush.
  void Rectangle(int x1, int y1, int x2, int y2);
  void Ellipse(int x1, int y1, int x2, int y2);
  void RoundRect(int x1, int y1, int x2, int y2, int cornerW, int cornerH);
  // Filled with the alternate (even-odd) rule unless winding is asked for.
  void Polygon(const std::vector<TPoint>& points, bool winding = false);

  // The brush alone over the rectangle, no outline, always in copy mode.
  void FillRect(const TRect& r);

  // Fills with the brush the 4-connected area around (x, y) whose pixels have colour c.
  void FloodFill(int x, int y, TColor c);

  // Pixels read and written; outside the bitmap a read gives clInvalid and a write nothing.
  TColor GetPixel(int x, int y) const;
  void SetPixel(int x, int y, TColor c);

  // Copies source's sourceRect onto dest, scaled, through CopyMode. A destination with
  // Left > Right (or Top > Bottom) mirrors: the mirror of left..right-1 onto itself is
  // dest = (right-1, top, left-1, bottom). Source and this canvas may be the same.
  void CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect);
  // The whole bitmap 1:1 at (x, y) through CopyMode; with its Transparent flag set, its pixels
  // of TransparentColor leave the destination alone.
  void Draw(int x, int y, const TBitmap& graphic);
  // The whole bitmap scaled into rect by sampling; reversed corners mirror.
  void StretchDraw(const TRect& rect, const TBitmap& graphic);

  // Text in the font and font colour with its top-left at (x, y), on the brush colour unless
  // the brush is clear.
  void TextOut(int x, int y, const std::string& utf8);
  int TextWidth(const std::string& utf8);
  int TextHeight(const std::string& utf8);

 private:
  TBitmap& bitmap_;
  TRect clip_;
  bool clipped_ = false;
};
