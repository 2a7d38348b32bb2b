#include "surface/pen_stroke.h"

#include <algorithm>
#include <optional>

#include "surface/line_raster.h"
#include "surface/span_list.h"
#include "surface/span_painter.h"
#include "surface/wide_pen.h"

int PenPixelWidth(const TPen& pen) {
  if (pen.Style == psClear) return 0;
  return std::clamp(pen.Width, 1, kMaxPenWidth);
}

namespace {

// The disc of the last width used: lines drawn one after another mostly share their pen.
const PenDisc& discFor(int width) {
  thread_local std::optional<PenDisc> disc;
  thread_local int discWidth = 0;
  if (!disc || discWidth != width) {
    disc.emplace(width);
    discWidth = width;
  }
  return *disc;
}

// Wide pens work on points within this distance of the origin (far beyond any bitmap); points
// farther out are moved onto the limit, so that offsets by the pen width cannot overflow.
constexpr int kWidePenReach = 1 << 30;

std::vector<TPoint> withinReach(const std::vector<TPoint>& points) {
  std::vector<TPoint> near(points);
  for (TPoint& p : near) {
    p.X = std::clamp(p.X, -kWidePenReach, kWidePenReach);
    p.Y = std::clamp(p.Y, -kWidePenReach, kWidePenReach);
  }
  return near;
}

void strokeThin(TBitmap& bmp, const TRect& clip, const TPen& pen, const std::vector<TPoint>& pts, bool closed) {
  const SpanInk ink = PenInk(bmp, pen);
  ThinLinePainter lines(bmp, clip, ink);
  const std::size_t segments = closed ? pts.size() : pts.size() - 1;
  int phase = 0;
  for (std::size_t i = 0; i < segments; ++i) {
    const TPoint a = pts[i], b = pts[(i + 1) % pts.size()];
    if (pen.Style == psDot)
      lines.DottedLine(a, b, phase);
    else
      lines.Line(a, b);
  }
}

}  // namespace

void StrokePath(TBitmap& bmp, const TRect& clip, const TPen& pen, const std::vector<TPoint>& points, bool closed) {
  const int width = PenPixelWidth(pen);
  if (width == 0 || points.size() < 2) return;
  if (width == 1) {
    strokeThin(bmp, clip, pen, points, closed);
    return;
  }
  const SpanInk ink = PenInk(bmp, pen);
  SpanPainter painter(bmp, clip, ink);
  const PenDisc& disc = discFor(width);
  const std::vector<TPoint> near = withinReach(points);
  if (near.size() == 2 && !closed) {
    PaintWideSegment(painter, near[0], near[1], disc, width);
    return;
  }
  SpanList spans(painter.Clip());
  AddWidePath(spans, near, closed, disc, width);
  spans.Normalize();
  spans.Paint(painter);
}

void AddWideStroke(SpanList& out, const TPen& pen, const std::vector<TPoint>& points, bool closed) {
  const int width = PenPixelWidth(pen);
  AddWidePath(out, withinReach(points), closed, discFor(width), width);
  out.Normalize();
}
