#include "fractal/fractal_steps.h"

#include <cmath>
#include <numbers>

#include "draw/program_random.h"

namespace {

void draw(const TFractalRun& run, TCanvas& canvas, const TFractalSegment& q) {
  run.renderFigure(TPoint{q.x0, q.y0}, TPoint{q.x1, q.y1}, canvas, run.penMode);
}

// The level's colours from the strip; a brush colour makes the brush solid, so the fill setting
// is applied again.
void applyLevelColors(const TFractalParams& params, const TFractalRun& run, TCanvas& canvas, int d) {
  canvas.Pen.Color = params.levelColors[std::size_t(d - 1)];
  canvas.Brush.Color = params.levelColors[std::size_t(d + 5)];
  if (run.applyFill) run.applyFill(canvas);
}

std::uint8_t Mix(int a, int b, double t) { return std::uint8_t(NearestPixel((1 - t) * a + t * b)); }

TColor MixColor(TColor a, TColor b, double t) {
  a = ColorToRGB(a);
  b = ColorToRGB(b);
  return RGB(Mix(GetRValue(a), GetRValue(b), t), Mix(GetGValue(a), GetGValue(b), t), Mix(GetBValue(a), GetBValue(b), t));
}

}  // namespace

int NearestPixel(double v) { return int(std::nearbyint(v)); }

void TreeBranch(TFractalWalk& walk, const TFractalParams& params, const TFractalRun& run, TCanvas& canvas,
                float offset) {
  const int d = walk.level;
  const TFractalSegment& p = walk.seg[std::size_t(d)];
  TFractalSegment& q = walk.seg[std::size_t(d + 1)];
  const double s = params.ratio;
  const int r = params.randomness;
  // The scales and the angle are kept as 32-bit floats, as the program always has.
  const float sx = float((Random(r) * 0.1 + s) * (p.x1 - p.x0));
  const float sy = float((Random(r) * 0.1 + s) * (p.y1 - p.y0));
  const float a = float((Random(r) * 0.1 + params.spreadAngle * std::numbers::pi / 180) * (double(offset) * 2.0));
  // cos and sin of the stored angle in double precision: many end points lie on a tie of the
  // rounding, and single precision would move them by a pixel.
  const double ca = std::cos(double(a)), sa = std::sin(double(a));
  q.x0 = p.x1;
  q.y0 = p.y1;
  q.x1 = NearestPixel(ca * double(sx) - sa * double(sy) + q.x0);
  q.y1 = NearestPixel(ca * double(sy) + sa * double(sx) + q.y0);
  if (run.autoColor) applyLevelColors(params, run, canvas, d);
  if (run.autoThin && run.penWidth > 1) canvas.Pen.Width = NearestPixel(run.thinDegree * run.penWidth / (d * 10.0));
  draw(run, canvas, q);
}

void KochChild(TFractalWalk& walk, TFractalParams& params, const TFractalRun& run, TCanvas& canvas, int c) {
  params.branchCount = 4;
  const int d = walk.level;
  const TFractalSegment& p = walk.seg[std::size_t(d)];
  TFractalSegment& q = walk.seg[std::size_t(d + 1)];
  const double w = params.ratio, h = params.peakHeight;
  const TPoint a{NearestPixel(((1 + w) * p.x0 + (1 - w) * p.x1) / 2), NearestPixel(((1 + w) * p.y0 + (1 - w) * p.y1) / 2)};
  const TPoint b{NearestPixel(((1 - w) * p.x0 + (1 + w) * p.x1) / 2), NearestPixel(((1 - w) * p.y0 + (1 + w) * p.y1) / 2)};
  const TPoint m{NearestPixel((p.x0 + p.x1) / 2.0 + h * (p.y1 - p.y0)), NearestPixel((p.y0 + p.y1) / 2.0 - h * (p.x1 - p.x0))};
  switch (c) {
    case 0: q = {p.x0, p.y0, a.X, a.Y}; break;
    case 1: q = {a.X, a.Y, m.X, m.Y}; break;
    case 2: q = {m.X, m.Y, b.X, b.Y}; break;
    case 3: q = {b.X, b.Y, p.x1, p.y1}; break;
    default: break;  // other children leave the segment as it was
  }
  if (d == params.levelCount) draw(run, canvas, q);
}

void MotifChild(TFractalWalk& walk, const TFractalParams& params, const TFractalRun& run, TCanvas& canvas, int c) {
  const int d = walk.level;
  const TFractalSegment& p = walk.seg[std::size_t(d)];
  TFractalSegment& q = walk.seg[std::size_t(d + 1)];
  const TMotifLine& l = run.motif[std::size_t(c) % run.motif.size()];
  if (run.autoColor) applyLevelColors(params, run, canvas, d);
  const double dx = p.x1 - p.x0, dy = p.y1 - p.y0;
  // The offsets are made whole before the parent's start is added.
  q.x0 = NearestPixel(dx * l.startU - dy * l.startV) + p.x0;
  q.y0 = NearestPixel(dx * l.startV + dy * l.startU) + p.y0;
  q.x1 = NearestPixel(dx * l.endU - dy * l.endV) + p.x0;
  q.y1 = NearestPixel(dx * l.endV + dy * l.endU) + p.y0;
  if (run.drawParent || d == params.levelCount) draw(run, canvas, q);
}

void RepeatStroke(const TFractalWalk& walk, const TFractalParams& params, const TFractalRun& run, TCanvas& canvas) {
  const TFractalSegment& s = walk.seg[1];
  const TColor pen0 = canvas.Pen.Color, brush0 = canvas.Brush.Color;
  const TRepetition& r = run.repetition;
  for (int i = 1; i <= r.copies; ++i) {
    const double t = double(i) / r.copies;
    canvas.Pen.Color = MixColor(pen0, params.levelColors[0], t);
    canvas.Brush.Color = MixColor(brush0, params.levelColors[6], t);
    if (run.applyFill) run.applyFill(canvas);
    run.renderFigure(TPoint{s.x0 + i * r.sx1, s.y0 + i * r.sy1}, TPoint{s.x1 + i * r.sx2, s.y1 + i * r.sy2}, canvas,
                     run.penMode);
  }
}
