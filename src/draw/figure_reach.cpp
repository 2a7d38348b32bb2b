#include "draw/figure_reach.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "draw/tool_table.h"
#include "surface/bitmap.h"

namespace {

// Bounds in 64 bits, so that wide margins around far points cannot overflow before clipping.
struct Box {
  long long left, top, right, bottom;  // right and bottom exclusive

  Box Inflated(long long by) const { return Box{left - by, top - by, right + by, bottom + by}; }
  TRect ClippedTo(const TRect& whole) const {
    const TRect r{int(std::clamp<long long>(left, whole.Left, whole.Right)),
                  int(std::clamp<long long>(top, whole.Top, whole.Bottom)),
                  int(std::clamp<long long>(right, whole.Left, whole.Right)),
                  int(std::clamp<long long>(bottom, whole.Top, whole.Bottom))};
    return r.IsEmpty() ? TRect{} : r;
  }
};

// The pixels of both points and everything between them.
Box Between(TPoint s, TPoint e) {
  return Box{std::min(s.X, e.X), std::min(s.Y, e.Y), std::max<long long>(s.X, e.X) + 1,
             std::max<long long>(s.Y, e.Y) + 1};
}

// The N-gon lies on the circle whose diameter is S-E.
Box AroundCircle(TPoint s, TPoint e) {
  const double dx = double(e.X) - s.X, dy = double(e.Y) - s.Y;
  const long long radius = (long long)std::ceil(std::sqrt(dx * dx + dy * dy) / 2) + 1;
  const long long cx = ((long long)s.X + e.X) / 2, cy = ((long long)s.Y + e.Y) / 2;
  return Box{cx - radius, cy - radius, cx + radius + 1, cy + radius + 1};
}

// The text cells as written, and around them room for glyphs that reach past their cells
// (italics, overhanging letters).
Box TextAt(const TFigureChoice& choice, TPoint s, TPoint e) {
  const auto extent = TextFigureExtent(choice.figure == kToolAngledText, s, e, choice.text);
  if (!extent) return Box{0, 0, 0, 0};
  auto whole = [](double v) { return (long long)std::clamp(v, -1e15, 1e15); };
  const long long margin = std::abs(extent->fontHeight) / 2 + 2;
  return Box{whole(std::floor(extent->left)), whole(std::floor(extent->top)), whole(std::ceil(extent->right)) + 1,
             whole(std::ceil(extent->bottom)) + 1}
      .Inflated(margin);
}

Box PasteAt(TPoint e, const TBitmap* buffer) {
  if (!buffer) return Box{0, 0, 0, 0};
  return Box{e.X, e.Y, (long long)e.X + buffer->Width(), (long long)e.Y + buffer->Height()};
}

}  // namespace

TRect FigureReach(const TFigureChoice& choice, TPoint s, TPoint e, int penWidth, const TRect& whole) {
  // A wide pen is centred on the outline; one more pixel covers the rounding of its ends.
  const long long pen = penWidth / 2 + 2;
  // The other shapes stay within half of |dx| + |dy| (at least the length / 2) of the S-E box:
  // the loupe's circle has a radius of at most half the length, arrow heads and cross ends less.
  const long long sideways = (std::llabs((long long)e.X - s.X) + std::llabs((long long)e.Y - s.Y)) / 2 + 2;
  switch (choice.figure) {
    case kToolFreehand: case kToolLine: case kToolEllipse: case kToolTriangle: case kToolRectangle:
    case kToolRoundRect:
      return Between(s, e).Inflated(pen).ClippedTo(whole);
    case kToolPolygon: return AroundCircle(s, e).Inflated(pen).ClippedTo(whole);
    case kToolOtherShape: return Between(s, e).Inflated(sideways + pen).ClippedTo(whole);
    case kToolAreaFill: return whole;
    case kToolText: case kToolAngledText: return TextAt(choice, s, e).ClippedTo(whole);
    // The spray's dots fall in the square of side 2 * width around E.
    case kToolSpray: return Between(e, e).Inflated(penWidth + 1).ClippedTo(whole);
    case kToolRegion: case kToolAngledPaste: return Between(s, e).Inflated(2).ClippedTo(whole);
    case kToolPaste: case kToolRepeatedPaste: return PasteAt(e, choice.pasteBuffer).ClippedTo(whole);
    case kToolSizedPaste: return Between(s, e).ClippedTo(whole);
    default: return TRect{};
  }
}

TRect UnionOfRects(const TRect& a, const TRect& b) {
  if (a.IsEmpty()) return b;
  if (b.IsEmpty()) return a;
  return TRect{std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
               std::max(a.Bottom, b.Bottom)};
}
