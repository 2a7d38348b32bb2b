#include "surface/span_list.h"

#include <algorithm>

#include "surface/span_painter.h"

void SpanList::Add(int y, RasterWide x0, RasterWide x1) {
  if (y < clip_.Top || y >= clip_.Bottom) return;
  const int a = ClampToInt(x0, clip_.Left, clip_.Right);
  const int b = ClampToInt(x1, clip_.Left, clip_.Right);
  if (a < b) spans_.push_back(RowSpan{y, a, b});
}

void SpanList::Normalize() {
  std::sort(spans_.begin(), spans_.end(), [](const RowSpan& a, const RowSpan& b) {
    return a.y != b.y ? a.y < b.y : a.x0 < b.x0;
  });
  std::size_t out = 0;
  for (const RowSpan& s : spans_) {
    if (out > 0 && spans_[out - 1].y == s.y && s.x0 <= spans_[out - 1].x1) {
      spans_[out - 1].x1 = std::max(spans_[out - 1].x1, s.x1);
    } else {
      spans_[out++] = s;
    }
  }
  spans_.resize(out);
}

void SpanList::Subtract(const SpanList& other) {
  std::vector<RowSpan> result;
  const std::vector<RowSpan>& cut = other.spans_;
  std::size_t c = 0;
  for (RowSpan s : spans_) {
    while (c < cut.size() && (cut[c].y < s.y || (cut[c].y == s.y && cut[c].x1 <= s.x0))) ++c;
    // Cuts of this row that start before the span ends; later spans of the row may share the
    // last of them, so the scan restarts from c for each span.
    for (std::size_t k = c; k < cut.size() && cut[k].y == s.y && cut[k].x0 < s.x1; ++k) {
      if (cut[k].x0 > s.x0) result.push_back(RowSpan{s.y, s.x0, cut[k].x0});
      s.x0 = std::max(s.x0, cut[k].x1);
    }
    if (s.x0 < s.x1) result.push_back(s);
  }
  spans_.swap(result);
}

void SpanList::Paint(SpanPainter& painter) const {
  for (const RowSpan& s : spans_) painter.Span(s.y, s.x0, s.x1);
}
