// Flood fill: a scanline fill with a stack of row segments, so that no pixel costs a call frame
// and millions of pixels need only a small stack.
#include <cstdint>
#include <vector>

#include "surface/bitmap.h"
#include "surface/canvas.h"
#include "surface/color_match.h"
#include "surface/span_painter.h"

namespace {

// Pixels x0..x1 (inclusive) of row y - dy are filled; row y beside them is still to be looked at.
struct Segment {
  int y, x0, x1, dy;
};

// Fills the 4-connected area around (x, y), which must be inside. inside(x, y) tells whether a
// pixel belongs to the area and is not yet filled; fill(y, x0, x1) fills x0..x1-1 of row y, after
// which those pixels are no longer inside. Every filled run pushes the row beyond it, and the
// parts of the row it came from that its parent did not cover.
template <class Inside, class Fill>
void ScanlineFill(const TRect& clip, int x, int y, Inside inside, Fill fill) {
  int l = x, r = x;
  while (l > clip.Left && inside(l - 1, y)) --l;
  while (r + 1 < clip.Right && inside(r + 1, y)) ++r;
  fill(y, l, r + 1);
  std::vector<Segment> stack{{y + 1, l, r, 1}, {y - 1, l, r, -1}};
  while (!stack.empty()) {
    const Segment s = stack.back();
    stack.pop_back();
    if (s.y < clip.Top || s.y >= clip.Bottom) continue;
    for (int cx = s.x0; cx <= s.x1;) {
      while (cx <= s.x1 && !inside(cx, s.y)) ++cx;
      if (cx > s.x1) break;
      l = cx;
      if (cx == s.x0)  // only a run starting at the segment's left end can reach further left
        while (l > clip.Left && inside(l - 1, s.y)) --l;
      r = cx;
      while (r + 1 < clip.Right && inside(r + 1, s.y)) ++r;
      fill(s.y, l, r + 1);
      stack.push_back({s.y + s.dy, l, r, s.dy});
      // Pixels s.x0-1 and s.x1+1 of the row behind are known not to be inside.
      if (l < s.x0 - 1) stack.push_back({s.y - s.dy, l, s.x0 - 2, -s.dy});
      if (r > s.x1 + 1) stack.push_back({s.y - s.dy, s.x1 + 2, r, -s.dy});
      cx = r + 2;
    }
  }
}

// One bit per pixel of the clip rectangle: pixels already filled, for inks after which a pixel
// may still have the colour that is being filled.
class FilledMask {
 public:
  explicit FilledMask(const TRect& clip)
      : clip_(clip), width_(clip.Width()), bits_((std::size_t(width_) * clip.Height() + 63) / 64) {}
  bool Test(int x, int y) const {
    const std::size_t i = index(x, y);
    return (bits_[i >> 6] >> (i & 63)) & 1;
  }
  void SetRun(int y, int x0, int x1) {
    for (std::size_t i = index(x0, y), end = i + std::size_t(x1 - x0); i < end; ++i)
      bits_[i >> 6] |= std::uint64_t(1) << (i & 63);
  }

 private:
  std::size_t index(int x, int y) const { return std::size_t(y - clip_.Top) * width_ + std::size_t(x - clip_.Left); }
  TRect clip_;
  std::size_t width_;
  std::vector<std::uint64_t> bits_;
};

bool DrawsNothing(const SpanInk& ink) {
  for (std::uint8_t row : ink.drawn)
    if (row) return false;
  return true;
}

}  // namespace

void TCanvas::FloodFill(int x, int y, TColor c) {
  const TRect clip = ClipRect();
  if (x < clip.Left || x >= clip.Right || y < clip.Top || y >= clip.Bottom) return;
  const RawColorMatch match(bitmap_, c);
  if (!match(bitmap_.GetRaw(x, y))) return;
  const SpanInk ink = BrushInk(bitmap_, Brush, pmCopy, BrushOrigin);
  if (DrawsNothing(ink)) return;
  SpanPainter painter(bitmap_, clip, ink);
  const std::uint8_t* bits = bitmap_.MutableBits();
  const std::size_t stride = bitmap_.Stride();
  const int bpp = BitsPerPixel(bitmap_.PixelFormat());

  // A solid ink that does not have the colour itself marks filled pixels by filling them.
  if (ink.uniform && !match(ink.cell[0][0].xorMask)) {
    auto paint = [&](int row, int x0, int x1) { painter.Span(row, x0, x1); };
    if (bpp == 32) {
      const std::uint32_t key = match.Key();
      ScanlineFill(clip, x, y, [&](int px, int py) {
        return reinterpret_cast<const std::uint32_t*>(bits + std::size_t(py) * stride)[px] == key;
      }, paint);
    } else {
      ScanlineFill(clip, x, y, [&](int px, int py) { return match(ReadRaw(bits + std::size_t(py) * stride, px, bpp)); }, paint);
    }
    return;
  }
  // Hatches and patterns leave pixels of the colour behind: remember what was filled.
  FilledMask filled(clip);
  ScanlineFill(clip, x, y,
      [&](int px, int py) { return !filled.Test(px, py) && match(ReadRaw(bits + std::size_t(py) * stride, px, bpp)); },
      [&](int row, int x0, int x1) {
        filled.SetRun(row, x0, x1);
        painter.Span(row, x0, x1);
      });
}
