// Filled figures of the canvas: Rectangle, Ellipse, RoundRect and Polygon.
//
// The brush fills with the pen's mix mode. With a 1-px pen the fill goes first and the outline
// is drawn over it (Ellipse, RoundRect and Polygon touch their outline pixels twice); with a
// wide pen the fill leaves out the pixels of the outline, so each pixel is touched once.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>

#include "surface/bitmap.h"
#include "surface/canvas.h"
#include "surface/ellipse_raster.h"
#include "surface/pen_stroke.h"
#include "surface/polygon_fill.h"
#include "surface/span_list.h"
#include "surface/span_painter.h"

namespace {

// Rounded figures keep their whole outline in memory; larger ones are not drawn.
constexpr std::int64_t kMaxRoundFigureSide = std::int64_t(1) << 20;

class FigurePainter {
 public:
  explicit FigurePainter(TCanvas& c) : c_(c), clip_(c.ClipRect()) {}

  const TRect& Clip() const { return clip_; }

  // Paints the fill given by rows (called with a function add(y, x0, x1) for each span of
  // the inside, spans not overlapping) and the closed outline through points.
  template <class Rows>
  void Paint(Rows rows, const std::vector<TPoint>& outline) {
    TBitmap& bmp = c_.Bitmap();
    const bool filled = c_.Brush.Bitmap || c_.Brush.Style != bsClear;
    const SpanInk brush = BrushInk(bmp, c_.Brush, c_.Pen.Mode, c_.BrushOrigin);
    if (!PenIsWide(c_.Pen)) {
      if (filled) {
        SpanPainter painter(bmp, clip_, brush);
        rows([&](int y, std::int64_t x0, std::int64_t x1) { painter.Span(y, clampX(x0), clampX(x1)); });
      }
      StrokePath(bmp, clip_, c_.Pen, outline, true);
      return;
    }
    SpanList stroke(clip_);
    AddWideStroke(stroke, c_.Pen, outline, true);
    if (filled) {
      SpanList inside(clip_);
      rows([&](int y, std::int64_t x0, std::int64_t x1) { inside.Add(y, x0, x1); });
      inside.Normalize();
      inside.Subtract(stroke);
      SpanPainter painter(bmp, clip_, brush);
      inside.Paint(painter);
    }
    const SpanInk pen = PenInk(bmp, c_.Pen);
    SpanPainter painter(bmp, clip_, pen);
    stroke.Paint(painter);
  }

  // Rows of an ordered rectangle within the clip.
  template <class Add>
  void RectRows(const TRect& r, Add add) const {
    const int end = std::min(r.Bottom, clip_.Bottom);
    for (int y = std::max(r.Top, clip_.Top); y < end; ++y) add(y, r.Left, r.Right);
  }

 private:
  int clampX(std::int64_t x) const { return int(std::clamp<std::int64_t>(x, clip_.Left, clip_.Right)); }

  TCanvas& c_;
  TRect clip_;
};

// The border path of a rectangle's outline: through the corner pixels, counter-clockwise
// from the top right.
std::vector<TPoint> rectOutline(const TRect& r) {
  return {TPoint{r.Right - 1, r.Top}, TPoint{r.Left, r.Top}, TPoint{r.Left, r.Bottom - 1},
          TPoint{r.Right - 1, r.Bottom - 1}};
}

}  // namespace

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  const TRect r = NormalizedRect(TRect{x1, y1, x2, y2});
  if (r.IsEmpty()) return;
  FigurePainter figure(*this);
  // The outline takes the pixels of the last column and row; a 1-px or clear pen's fill stays
  // inside its outline (a clear pen's fill is thus one pixel smaller than the figure).
  TRect inside{r.Left, r.Top, r.Right - 1, r.Bottom - 1};
  if (!PenIsWide(Pen)) {
    const int w = PenPixelWidth(Pen);
    inside = TRect{inside.Left + (w + 1) / 2, inside.Top + (w + 1) / 2, inside.Right - w / 2, inside.Bottom - w / 2};
  }
  figure.Paint([&](auto add) { figure.RectRows(inside, add); }, rectOutline(r));
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  // Corners as large as the figure: RoundRect clamps them to its size.
  RoundRect(x1, y1, x2, y2, INT_MAX, INT_MAX);
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int cornerW, int cornerH) {
  const std::int64_t width = std::llabs(std::int64_t(x2) - x1), height = std::llabs(std::int64_t(y2) - y1);
  if (width == 0 || height == 0 || width > kMaxRoundFigureSide || height > kMaxRoundFigureSide) return;
  const int ew = int(std::min<std::int64_t>(width, std::llabs(cornerW)));
  const int eh = int(std::min<std::int64_t>(height, std::llabs(cornerH)));
  if (ew <= 2 || eh <= 2) {
    Rectangle(x1, y1, x2, y2);
    return;
  }
  const TRect r = NormalizedRect(TRect{x1, y1, x2, y2});
  FigurePainter figure(*this);
  figure.Paint(
      [&](auto add) {
        const RoundRectShape shape(r, ew, eh);
        const int end = std::min(r.Bottom, figure.Clip().Bottom);
        for (int y = std::max(r.Top, figure.Clip().Top); y < end; ++y) add(y, shape.Left(y), shape.Right(y));
      },
      RoundRectOutline(r, ew, eh));
}

void TCanvas::Polygon(const std::vector<TPoint>& points, bool winding) {
  if (points.size() < 2) return;
  FigurePainter figure(*this);
  figure.Paint(
      [&](auto add) {
        SpanList inside(figure.Clip());
        AddPolygon(inside, points.data(), points.size(), winding);
        for (const RowSpan& s : inside.Spans()) add(s.y, s.x0, s.x1);
      },
      points);
}
