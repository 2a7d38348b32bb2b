// The eight ready-made figures of tool 8. Products are taken on 64-bit values before the
// truncating division, so far-away points cannot overflow; results go back to coordinates.
#include "draw/other_shapes.h"

#include <cmath>
#include <cstdint>
#include <vector>

#include "draw/whole_pixels.h"

namespace {

using Wide = std::int64_t;

// a div b, truncating toward zero (b != 0).
int Div(Wide a, Wide b) { return int(a / b); }

// The point 1/c of the way from (x2, y2) toward (x1, y1): ((x1 + x2·(c-1)) div c, ...).
TPoint Towards(int x1, int y1, int x2, int y2, int c) {
  return TPoint{Div(x1 + Wide(x2) * (c - 1), c), Div(y1 + Wide(y2) * (c - 1), c)};
}

// The arrows' base point, two thirds of the way from (x1, y1) to (x2, y2).
TPoint ArrowBase(int x1, int y1, int x2, int y2) { return Towards(x1, y1, x2, y2, 3); }

// The inner box of the double figures: each corner 1/p of the way toward the opposite one.
TRect InnerBox(int x1, int y1, int x2, int y2, int p) {
  const TPoint a = Towards(x1, y1, x2, y2, p);  // near (x2, y2)
  const TPoint b = Towards(x2, y2, x1, y1, p);  // near (x1, y1)
  return TRect{b.X, b.Y, a.X, a.Y};
}

void Line(TCanvas& canvas, int x1, int y1, int x2, int y2) {
  canvas.MoveTo(x1, y1);
  canvas.LineTo(x2, y2);
}

}  // namespace

void DrawDoubleRect(int x1, int y1, int x2, int y2, TCanvas& canvas, int p) {
  canvas.Rectangle(x1, y1, x2, y2);
  const TRect in = InnerBox(x1, y1, x2, y2, p);
  canvas.Rectangle(in.Left, in.Top, in.Right, in.Bottom);
}

void DrawDoubleEllipse(int x1, int y1, int x2, int y2, TCanvas& canvas, int p) {
  canvas.Ellipse(x1, y1, x2, y2);
  const TRect in = InnerBox(x1, y1, x2, y2, p);
  canvas.Ellipse(in.Left, in.Top, in.Right, in.Bottom);
}

void DrawArrow(int x1, int y1, int x2, int y2, TCanvas& canvas, int p) {
  Line(canvas, x1, y1, x2, y2);
  const TPoint b = ArrowBase(x1, y1, x2, y2);
  const int e = Div(Wide(p) * (Wide(y2) - y1), 30);
  const int f = Div(Wide(p) * (Wide(x2) - x1), 30);
  canvas.LineTo(b.X + e, b.Y - f);  // from the tip, where the shaft left the pen
  Line(canvas, x2, y2, b.X - e, b.Y + f);
}

void DrawBlockArrow(int x1, int y1, int x2, int y2, TCanvas& canvas, int p) {
  const Wide dx = Wide(x2) - x1, dy = Wide(y2) - y1;
  const int a = Div(p * dx, 30), k = Div(p * dy, 30);
  const int s = Div(p * dy, 120), t = Div(p * dx, 120);
  const TPoint b = ArrowBase(x1, y1, x2, y2);
  canvas.Polygon({{x1 + s, y1 - t},
                  {b.X + s, b.Y - t},
                  {b.X + k, b.Y - a},
                  {x2, y2},
                  {b.X - k, b.Y + a},
                  {b.X - s, b.Y + t},
                  {x1 - s, y1 + t},
                  {x1 + s, y1 - t}});
}

void DrawResistor(int x1, int y1, int x2, int y2, TCanvas& canvas, int) {
  const int c = Div(Wide(x2) - x1, 7), r = Div(Wide(y2) - y1, 7);
  const int hc = c / 2, hr = r / 2;
  std::vector<TPoint> points{{x1, y1}, {x1 + hc, y1 + hr}};
  for (int k = 1; k <= 6; ++k) {
    // Odd corners step to one side of the axis, even ones to the other.
    const int side = k % 2 == 1 ? 1 : -1;
    points.push_back({int(x1 + Wide(k) * c + side * r), int(y1 + Wide(k) * r - side * c)});
  }
  points.push_back({x2 - hc, y2 - hr});
  points.push_back({x2, y2});
  canvas.Polyline(points);
}

void DrawLoupeCircle(int x1, int y1, int x2, int y2, TCanvas& canvas, int p) {
  const int c = 11 - p;
  const TPoint handleEnd = Towards(x1, y1, x2, y2, c);
  Line(canvas, x1, y1, handleEnd.X, handleEnd.Y);
  const int r = RoundToPixel(std::hypot((long double)x2 - x1, (long double)y2 - y1) / c);
  canvas.Ellipse(x2 - r, y2 - r, x2 + r, y2 + r);
}

void DrawLoupeSquare(int x1, int y1, int x2, int y2, TCanvas& canvas, int p) {
  const int c = 11 - p;
  const TPoint m = Towards(x1, y1, x2, y2, c);
  Line(canvas, x1, y1, m.X, m.Y);
  const int h = Div(Wide(x2) - x1, 2 * c), v = Div(Wide(y2) - y1, 2 * c);
  canvas.Polygon({{m.X + v, m.Y - h}, {x2 + v, y2 - h}, {x2 - v, y2 + h}, {m.X - v, m.Y + h}, {m.X + v, m.Y - h}});
}

void DrawCross(int x1, int y1, int x2, int y2, TCanvas& canvas, int p) {
  const int c = Div(Wide(p) * (Wide(y2) - y1), 18), d = Div(Wide(p) * (Wide(x2) - x1), 18);
  Line(canvas, x1 - c, y1 + d, x2 + c, y2 - d);
  Line(canvas, x1 + c, y1 - d, x2 - c, y2 + d);
}

void DrawOtherShape(int shape, int x1, int y1, int x2, int y2, TCanvas& canvas, int p) {
  using Routine = void (*)(int, int, int, int, TCanvas&, int);
  static constexpr Routine kRoutines[] = {DrawArrow,      DrawDoubleRect, DrawDoubleEllipse, DrawLoupeCircle,
                                          DrawLoupeSquare, DrawResistor,  DrawBlockArrow,    DrawCross};
  if (shape < osArrow || shape > osCross) return;
  kRoutines[shape](x1, y1, x2, y2, canvas, kOtherShapeParamRange.Clamp(p));
}
