// Flood fill: a scanline fill over queued row segments, so that no pixel costs a call frame and
// millions of pixels need little memory.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
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

// Segments waiting to be looked at, kept by row so that the fill can sweep the picture row after
// row: the pixels are then read nearly in memory order instead of jumping between distant rows.
class PendingRows {
 public:
  PendingRows(int top, int bottom) : top_(top), rows_(std::size_t(bottom - top)) {}
  bool Empty() const { return count_ == 0; }
  void Push(const Segment& s) {
    if (s.y < top_ || s.y >= top_ + int(rows_.size())) return;
    rows_[s.y - top_].push_back(s);
    ++count_;
    lo_ = std::min(lo_, s.y);
    hi_ = std::max(hi_, s.y);
  }
  // Moves the segments of row y into out (emptied first).
  void Take(int y, std::vector<Segment>& out) {
    out.clear();
    out.swap(rows_[y - top_]);
    count_ -= out.size();
  }
  // The rows that may hold segments, first narrowed to the nearest non-empty ones. Requires !Empty().
  int Lo() {
    while (rows_[lo_ - top_].empty()) ++lo_;
    return lo_;
  }
  int Hi() {
    while (rows_[hi_ - top_].empty()) --hi_;
    return hi_;
  }

 private:
  int top_;
  std::vector<std::vector<Segment>> rows_;
  std::size_t count_ = 0;
  int lo_ = INT_MAX, hi_ = INT_MIN;
};

// The first of x..end-1 that is not inside (end if all are), and the first that is inside.
template <class Area>
int RunEnd(const Area& area, int y, int x, int end) {
  while (x < end && area.Inside(x, y)) ++x;
  return x;
}
template <class Area>
int NextInside(const Area& area, int y, int x, int end) {
  while (x < end && !area.Inside(x, y)) ++x;
  return x;
}

// Fills the 4-connected area around (x, y), which must be inside. area.Inside(x, y) tells whether
// a pixel belongs to the area and is not yet filled; area.Fill(y, x0, x1) fills x0..x1-1 of row y,
// after which those pixels are no longer inside; area.Prefetch(y, x0, x1) asks for pixels that
// will be read soon. Every filled run queues the row beyond it and the parts of the row it came
// from that its parent did not cover; rows are swept down, then up, and so on until nothing is
// left. Runs are scanned with RunEnd and NextInside, which an area may do faster.
template <class Area>
void ScanlineFill(const TRect& clip, int x, int y, Area& area) {
  auto inside = [&area](int px, int py) { return area.Inside(px, py); };
  int l = x;
  while (l > clip.Left && inside(l - 1, y)) --l;
  const int r = RunEnd(area, y, x + 1, clip.Right) - 1;
  area.Fill(y, l, r + 1);
  PendingRows pending(clip.Top, clip.Bottom);
  pending.Push({y + 1, l, r, 1});
  pending.Push({y - 1, l, r, -1});
  std::vector<Segment> row;
  auto explore = [&](const Segment& s) {
    for (int cx = s.x0; cx <= s.x1;) {
      cx = NextInside(area, s.y, cx, s.x1 + 1);
      if (cx > s.x1) break;
      int a = cx;
      if (cx == s.x0)  // only a run starting at the segment's left end can reach further left
        while (a > clip.Left && inside(a - 1, s.y)) --a;
      const int b = RunEnd(area, s.y, cx + 1, clip.Right) - 1;
      area.Fill(s.y, a, b + 1);
      pending.Push({s.y + s.dy, a, b, s.dy});
      if (s.y + s.dy >= clip.Top && s.y + s.dy < clip.Bottom) area.Prefetch(s.y + s.dy, a, b + 1);
      // Pixels s.x0-1 and s.x1+1 of the row behind are known not to be inside.
      if (a < s.x0 - 1) pending.Push({s.y - s.dy, a, s.x0 - 2, -s.dy});
      if (b > s.x1 + 1) pending.Push({s.y - s.dy, s.x1 + 2, b, -s.dy});
      cx = b + 2;
    }
  };
  // Each sweep takes the rows in order, including those that fill up ahead of it, and leaves the
  // rows behind it to the next sweep, which runs the other way.
  for (bool down = true; !pending.Empty(); down = !down) {
    for (int ry = down ? pending.Lo() : pending.Hi();; ry += down ? 1 : -1) {
      pending.Take(ry, row);
      for (const Segment& s : row) explore(s);
      if (pending.Empty() || (down ? ry >= pending.Hi() : ry <= pending.Lo())) break;
    }
  }
}

// One bit per pixel of the clip rectangle.
class FilledMask {
 public:
  explicit FilledMask(const TRect& clip)
      : clip_(clip), width_(std::size_t(clip.Width())), bits_((width_ * std::size_t(clip.Height()) + 63) / 64) {}
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

// The pixels of a bitmap being filled with an ink, and the colour being filled.
class FillTarget {
 public:
  FillTarget(TBitmap& bmp, const TRect& clip, const SpanInk& ink, const RawColorMatch& match)
      : painter_(bmp, clip, ink),
        bits_(bmp.MutableBits()),
        stride_(bmp.Stride()),
        bpp_(BitsPerPixel(bmp.PixelFormat())),
        match_(match) {}
  void Fill(int y, int x0, int x1) { painter_.Span(y, x0, x1); }
  void Prefetch(int y, int x0, int x1) const {
    const std::uint8_t* row = Row(y);
    const std::size_t end = std::size_t(x1) * bpp_ / 8;
    for (std::size_t i = std::size_t(x0) * bpp_ / 8 & ~std::size_t(63); i < end; i += 64) __builtin_prefetch(row + i);
  }

 protected:
  const std::uint8_t* Row(int y) const { return bits_ + std::size_t(y) * stride_; }
  bool Matches(int x, int y) const { return match_(ReadRaw(Row(y), x, bpp_)); }

  SpanPainter painter_;
  const std::uint8_t* bits_;
  std::size_t stride_;
  int bpp_;
  const RawColorMatch& match_;
};

// A solid ink without the colour: filled pixels stop matching by themselves.
class SolidFill : public FillTarget {
 public:
  using FillTarget::FillTarget;
  bool Inside(int x, int y) const { return Matches(x, y); }
};

// The same on 32-bit pixels, one word compare each (the spare byte is always zero), and runs
// scanned four pixels at a time.
class SolidFill32 : public FillTarget {
 public:
  using FillTarget::FillTarget;
  const std::uint32_t* Words(int y) const { return reinterpret_cast<const std::uint32_t*>(Row(y)); }
  bool Inside(int x, int y) const { return Words(y)[x] == match_.Key(); }
  std::uint32_t Key() const { return match_.Key(); }
};

// Four pixels in vector registers (GCC and Clang vector extensions).
using Words4 = std::uint32_t __attribute__((vector_size(16)));

// Whether any of the four words at p equals (wantEqual) or differs from key.
bool AnyOf4(const std::uint32_t* p, std::uint32_t key, bool wantEqual) {
  Words4 v;
  std::memcpy(&v, p, sizeof v);
  const Words4 hits = wantEqual ? Words4(v == key) : Words4(v != key);
  std::uint64_t halves[2];
  std::memcpy(halves, &hits, sizeof halves);
  return (halves[0] | halves[1]) != 0;
}

int RunEnd(const SolidFill32& area, int y, int x, int end) {
  const std::uint32_t* row = area.Words(y);
  const std::uint32_t key = area.Key();
  while (x + 4 <= end && !AnyOf4(row + x, key, false)) x += 4;
  while (x < end && row[x] == key) ++x;
  return x;
}

int NextInside(const SolidFill32& area, int y, int x, int end) {
  const std::uint32_t* row = area.Words(y);
  const std::uint32_t key = area.Key();
  while (x + 4 <= end && !AnyOf4(row + x, key, true)) x += 4;
  while (x < end && row[x] != key) ++x;
  return x;
}

// Hatches, patterns and inks of the colour itself leave pixels of the colour behind, so filled
// pixels are remembered.
class MarkedFill : public FillTarget {
 public:
  MarkedFill(TBitmap& bmp, const TRect& clip, const SpanInk& ink, const RawColorMatch& match)
      : FillTarget(bmp, clip, ink, match), filled_(clip) {}
  bool Inside(int x, int y) const { return !filled_.Test(x, y) && Matches(x, y); }
  void Fill(int y, int x0, int x1) {
    filled_.SetRun(y, x0, x1);
    FillTarget::Fill(y, x0, x1);
  }

 private:
  FilledMask filled_;
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
  // Where the fill goes is known only once it is done, and it often covers much of the picture:
  // the pages are taken in one go rather than copied at each first write.
  bitmap_.PrepareToWrite(clip);
  if (!ink.uniform || match(ink.cell[0][0].xorMask)) {
    MarkedFill area(bitmap_, clip, ink, match);
    ScanlineFill(clip, x, y, area);
  } else if (BitsPerPixel(bitmap_.PixelFormat()) == 32) {
    SolidFill32 area(bitmap_, clip, ink, match);
    ScanlineFill(clip, x, y, area);
  } else {
    SolidFill area(bitmap_, clip, ink, match);
    ScanlineFill(clip, x, y, area);
  }
}
