// The fast path of wide lines: one segment scanned row by row, with the band's two long sides
// stepped incrementally between the round ends, where nothing else touches the row.
#include <algorithm>
#include <cstdint>

#include "surface/polygon_fill.h"
#include "surface/span_painter.h"
#include "surface/wide_pen.h"

namespace {

struct Interval {
  std::int64_t x0, x1;
};

// Orders the few values of one row (std::sort is overkill for at most four).
template <class T, class Less>
void sortFew(T* v, int n, Less less) {
  for (int i = 1; i < n; ++i)
    for (int j = i; j > 0 && less(v[j], v[j - 1]); --j) std::swap(v[j], v[j - 1]);
}

struct BandEdge {
  TPoint top, bottom;
  EdgeStepper stepper;
  bool started = false;

  bool Active(int y) const { return top.Y <= y && y < bottom.Y; }
  // The crossing at row y; rows must be asked in order, each once.
  std::int64_t Next(int y) {
    if (!started) {
      stepper.Start(top, bottom, y);
      started = true;
    }
    const std::int64_t x = stepper.x;
    stepper.Step();
    return x;
  }
};

class SegmentScan {
 public:
  SegmentScan(SpanPainter& painter, TPoint a, TPoint b, const PenDisc& disc, int width)
      : painter_(painter), a_(a), b_(b), disc_(disc), band_(SegmentBand(a, b, width)) {
    for (int i = 0; i < 4 && !band_.empty && !band_.isRect; ++i) {
      TPoint p = band_.quad[std::size_t(i)], q = band_.quad[std::size_t((i + 1) % 4)];
      if (p.Y > q.Y) std::swap(p, q);
      edges_[i].top = p;
      edges_[i].bottom = q;
    }
  }

  void Run();

 private:
  // Rows an end of the segment reaches (disc and the band's short side), inclusive.
  void endRows(TPoint p, int quadA, int quadB, int& lo, int& hi) const;
  void slowRow(int y);
  void middleRows(int y0, int y1);
  void emit(int y, std::int64_t x0, std::int64_t x1) {
    const TRect& c = painter_.Clip();
    painter_.Span(y, int(std::clamp<std::int64_t>(x0, c.Left, c.Right)),
                  int(std::clamp<std::int64_t>(x1, c.Left, c.Right)));
  }

  SpanPainter& painter_;
  TPoint a_, b_;
  const PenDisc& disc_;
  PenBand band_;
  BandEdge edges_[4];
};

void SegmentScan::endRows(TPoint p, int quadA, int quadB, int& lo, int& hi) const {
  lo = p.Y + disc_.Top();
  hi = p.Y + disc_.Bottom() - 1;
  if (band_.empty || band_.isRect) return;
  for (int i : {quadA, quadB}) {
    lo = std::min(lo, band_.quad[std::size_t(i)].Y);
    hi = std::max(hi, band_.quad[std::size_t(i)].Y);
  }
}

void SegmentScan::Run() {
  int aLo, aHi, bLo, bHi;
  endRows(a_, 0, 1, aLo, aHi);
  endRows(b_, 2, 3, bLo, bHi);
  const TRect& clip = painter_.Clip();
  const int top = std::max(std::min(aLo, bLo), clip.Top), end = std::min(std::max(aHi, bHi) + 1, clip.Bottom);
  // Rows strictly between the two ends see only the band's long sides.
  int midLo = end, midHi = end;
  if (aHi < bLo) midLo = aHi + 1, midHi = bLo;
  if (bHi < aLo) midLo = bHi + 1, midHi = aLo;
  midLo = std::clamp(midLo, top, std::max(top, end));
  midHi = std::clamp(midHi, midLo, std::max(top, end));
  for (int y = top; y < midLo; ++y) slowRow(y);
  middleRows(midLo, midHi);
  for (int y = midHi; y < end; ++y) slowRow(y);
}

void SegmentScan::middleRows(int y0, int y1) {
  if (y0 >= y1) return;
  if (band_.isRect) {
    for (int y = y0; y < y1; ++y) emit(y, band_.rect.Left, band_.rect.Right);
    return;
  }
  BandEdge& e1 = edges_[1];
  BandEdge& e3 = edges_[3];
  for (BandEdge* e : {&e1, &e3})
    if (!e->started) {
      e->stepper.Start(e->top, e->bottom, y0);
      e->started = true;
    }
  // Copies in locals, so that the compiler keeps them in registers across the calls.
  EdgeStepper p = e1.stepper, q = e3.stepper;
  const std::int64_t left = painter_.Clip().Left, right = painter_.Clip().Right;
  for (int y = y0; y < y1; ++y) {
    const std::int64_t x0 = std::clamp(p.x < q.x ? p.x : q.x, left, right);
    const std::int64_t x1 = std::clamp(p.x < q.x ? q.x : p.x, left, right);
    painter_.Span(y, int(x0), int(x1));
    p.Step();
    q.Step();
  }
  e1.stepper = p;
  e3.stepper = q;
}

void SegmentScan::slowRow(int y) {
  Interval parts[4];
  int n = 0;
  for (TPoint p : {a_, b_}) {
    const std::int64_t dy = std::int64_t(y) - p.Y;
    if (dy >= disc_.Top() && dy < disc_.Bottom())
      parts[n++] = Interval{std::int64_t(p.X) + disc_.Left(int(dy)), std::int64_t(p.X) + disc_.Right(int(dy))};
  }
  if (band_.isRect) {
    if (y >= band_.rect.Top && y < band_.rect.Bottom) parts[n++] = Interval{band_.rect.Left, band_.rect.Right};
  } else if (!band_.empty) {
    std::int64_t xs[4];
    int m = 0;
    for (BandEdge& e : edges_)
      if (e.Active(y)) xs[m++] = e.Next(y);
    sortFew(xs, m, [](std::int64_t u, std::int64_t v) { return u < v; });
    for (int i = 0; i + 1 < m; i += 2) parts[n++] = Interval{xs[i], xs[i + 1]};
  }
  sortFew(parts, n, [](const Interval& u, const Interval& v) { return u.x0 < v.x0; });
  for (int i = 0; i < n;) {
    Interval u = parts[i++];
    while (i < n && parts[i].x0 <= u.x1) u.x1 = std::max(u.x1, parts[i++].x1);
    if (u.x0 < u.x1) emit(y, u.x0, u.x1);
  }
}

}  // namespace

void PaintWideSegment(SpanPainter& painter, TPoint a, TPoint b, const PenDisc& disc, int width) {
  if (painter.Clip().IsEmpty()) return;
  SegmentScan(painter, a, b, disc, width).Run();
}
