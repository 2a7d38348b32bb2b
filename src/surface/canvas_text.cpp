// Text on the canvas: the font's glyphs in the font colour, on a cell of the brush colour.
#include <algorithm>
#include <cmath>
#include <limits>

#include "surface/bitmap.h"
#include "surface/canvas.h"
#include "surface/font_engine.h"
#include "surface/span_painter.h"

namespace {

// The text cell on the bitmap: its top-left corner and unit steps along the base line and
// down the cell. Both turn with the escapement; bitmap y runs down, so a counter-clockwise
// base line climbs the screen.
struct TextFrame {
  double x0, y0;
  double alongX, alongY;
  double downX, downY;
};

TextFrame frameOf(int x, int y, int escapement) {
  double c = 1, s = 0;
  EscapementCosSin(escapement, c, s);
  return TextFrame{double(x), double(y), c, -s, s, c};
}

// The step down to the base line of turned text, cut to whole pixels. A step that is whole but
// for the rounding error of the sine and cosine (14 * sin 30 degrees) counts as whole; the
// steps along the base line are cut without that allowance, as GDI cuts them.
double wholeDown(double v) { return std::floor(v + 1e-9); }

// Whole pixel nearest to v (ties to even), held where 64-bit arithmetic cannot overflow.
long long toPixel(double v) { return std::llround(std::clamp(std::nearbyint(v), -1e15, 1e15)); }

// Pixels whose centres lie inside the convex quadrilateral; a point on a left or top edge is
// inside, so a rectangle on whole-pixel corners covers exactly the pixels it encloses.
void fillQuad(SpanPainter& painter, const double xs[4], const double ys[4]) {
  const TRect& clip = painter.Clip();
  const double top = *std::min_element(ys, ys + 4), bottom = *std::max_element(ys, ys + 4);
  const int rowFrom = int(std::max<double>(clip.Top, std::ceil(top - 0.5)));
  const int rowTo = int(std::min<double>(clip.Bottom, std::ceil(bottom - 0.5)));
  for (int row = rowFrom; row < rowTo; ++row) {
    const double yc = row + 0.5;
    double left = std::numeric_limits<double>::infinity(), right = -left;
    for (int i = 0; i < 4; ++i) {
      const int j = (i + 1) % 4;
      const bool crosses = (ys[i] <= yc && yc < ys[j]) || (ys[j] <= yc && yc < ys[i]);
      if (!crosses) continue;
      const double x = xs[i] + (yc - ys[i]) * (xs[j] - xs[i]) / (ys[j] - ys[i]);
      left = std::min(left, x);
      right = std::max(right, x);
    }
    const double from = std::max<double>(clip.Left, std::ceil(left - 0.5));
    const double to = std::min<double>(clip.Right, std::ceil(right - 0.5));
    if (from < to) painter.Span(row, int(from), int(to));
  }
}

// The part of the cell from `along` to along + length on the base line's axis and from
// `down` to down + depth below the cell's top, turned with the text.
void fillBand(SpanPainter& painter, const TextFrame& f, double along, double length, double down, double depth) {
  const double a[4] = {along, along + length, along + length, along};
  const double d[4] = {down, down, down + depth, down + depth};
  double xs[4], ys[4];
  for (int i = 0; i < 4; ++i) {
    xs[i] = f.x0 + a[i] * f.alongX + d[i] * f.downX;
    ys[i] = f.y0 + a[i] * f.alongY + d[i] * f.downY;
  }
  fillQuad(painter, xs, ys);
}

// Paints the set bits of a glyph mask whose top-left lands on (left, top).
void paintMask(SpanPainter& painter, const TGlyphMask& mask, long long left, long long top) {
  const TRect& clip = painter.Clip();
  if (left >= clip.Right || top >= clip.Bottom || left + mask.Width <= clip.Left || top + mask.Height <= clip.Top)
    return;
  const int x = int(left), y = int(top);  // within a glyph's size of the clip now
  const int rowFrom = std::max(0, clip.Top - y), rowTo = std::min(mask.Height, clip.Bottom - y);
  for (int r = rowFrom; r < rowTo; ++r) {
    const std::uint8_t* bits = mask.Bits.data() + std::size_t(r) * mask.Pitch;
    int c = 0;
    while (c < mask.Width) {
      if ((c & 7) == 0 && bits[c >> 3] == 0) {
        c += 8;
        continue;
      }
      if (!mask.Ink(c, r)) {
        ++c;
        continue;
      }
      const int start = c;
      while (c < mask.Width && mask.Ink(c, r)) ++c;
      painter.Span(y + r, x + start, x + c);
    }
  }
}

SpanInk copyInk(const TBitmap& bitmap, TColor color) {
  return SpanInk::Solid(MixMasks(pmCopy, InkRaw(bitmap, color), RawMask(bitmap.PixelFormat())));
}

}  // namespace

void TCanvas::TextOut(int x, int y, const std::string& utf8) {
  const TTextRun run = LayoutText(Font, utf8);
  if (run.Glyphs.empty()) return;
  const TextFrame frame = frameOf(x, y, Font.Escapement);
  const TFontMetrics& m = run.Metrics;
  const TRect clip = ClipRect();
  // Hatches and patterns do not apply to text: any brush but a clear one is an opaque cell.
  if (Brush.Style != bsClear) {
    const SpanInk background = copyInk(bitmap_, Brush.Color);
    SpanPainter painter(bitmap_, clip, background);
    fillBand(painter, frame, 0, run.Width, 0, m.CellHeight());
  }
  const SpanInk ink = copyInk(bitmap_, Font.Color);
  SpanPainter painter(bitmap_, clip, ink);
  // Glyphs land where GDI puts them: the step from the cell's corner down to the base line
  // rounds down, and each glyph's step along the base line rounds toward zero.
  const double baseX = frame.x0 + wholeDown(m.Ascent * frame.downX);
  const double baseY = frame.y0 + wholeDown(m.Ascent * frame.downY);
  for (const TPlacedGlyph& glyph : run.Glyphs) {
    const long long penX = toPixel(baseX + std::trunc(glyph.PenAdvance * frame.alongX));
    const long long penY = toPixel(baseY + std::trunc(glyph.PenAdvance * frame.alongY));
    paintMask(painter, *glyph.Mask, penX + glyph.Mask->OffsetX, penY + glyph.Mask->OffsetY);
  }
  if (Font.Underline) fillBand(painter, frame, 0, run.Width, m.Ascent + m.UnderlineTop, m.UnderlineThickness);
  if (Font.StrikeOut) fillBand(painter, frame, 0, run.Width, m.Ascent + m.StrikeOutTop, m.StrikeOutThickness);
}

int TCanvas::TextWidth(const std::string& utf8) { return MeasureText(Font, utf8).Width; }

int TCanvas::TextHeight(const std::string& utf8) { return MeasureText(Font, utf8).Metrics.CellHeight(); }
