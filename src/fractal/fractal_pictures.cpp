#include "fractal/fractal_pictures.h"

#include <cmath>
#include <numbers>
#include <string>

#include "draw/program_random.h"
#include "draw/stroke_geometry.h"
#include "fractal/fractal_steps.h"
#include "language/translatable.h"
#include "surface/bitmap.h"

namespace {

// Clears the picture white and leaves its canvas ready for coloured 1-pixel lines.
TCanvas& Clear(TBitmap& picture) {
  TCanvas& c = picture.Canvas();
  c.Brush.Style = bsSolid;
  c.Brush.Color = clWhite;
  c.FillRect(picture.BoundsRect());
  c.Pen = TPen{};
  return c;
}

void Line(TCanvas& c, TColor color, int x0, int y0, int x1, int y1) {
  c.Pen.Color = color;
  c.MoveTo(x0, y0);
  c.LineTo(x1, y1);
}

// The value on the picture's own white brush: an opaque cell, so no line crosses the digits.
void Value(TCanvas& c, int x, int y, int v) {
  c.Font.Color = clBlack;
  c.TextOut(x, y, std::to_string(v));
}

double Radians(double degrees) { return degrees * std::numbers::pi / 180; }

// Four bars, each rise() steps of 5 pixels above the base.
template <typename Rise>
void RandomnessBars(TBitmap& picture, int r, Rise rise) {
  TCanvas& c = Clear(picture);
  for (int i = 1; i <= 4; ++i) Line(c, PreviewColor(i), 5 * i, 30, 5 * i, 25 - 5 * rise());
  Value(c, 2, 2, r);
}

}  // namespace

TColor PreviewColor(int n) {
  switch (n) {
    case 1: return RGB(255, 0, 0);
    case 2: return RGB(0, 128, 0);
    case 3: return RGB(128, 0, 0);
    case 4: return RGB(0, 0, 255);
    case 5: return RGB(128, 0, 128);
    case 6: return RGB(0, 0, 128);
    default: return clBlack;
  }
}

void DrawLevelPreview(TBitmap& picture, int n) {
  TCanvas& c = Clear(picture);
  for (int i = 1; i <= n; ++i) Line(c, PreviewColor(i), 4 * i, 30 - 4 * i, 30, 30 - 4 * i);
  Value(c, 2, 2, n);
}

void DrawBranchPreview(TBitmap& picture, int n) {
  TCanvas& c = Clear(picture);
  for (int i = 1; i <= n; ++i) Line(c, PreviewColor(i), 15, 30, 6 * (i - 1), 0);
  Value(c, 2, 16, n);
}

void DrawRatioPreview(TBitmap& picture, int n) {
  TCanvas& c = Clear(picture);
  Line(c, PreviewColor(1), 15, 25, 30, 25);
  Line(c, PreviewColor(2), 15, 15, 15 + NearestPixel(1.5 * n), 15);
  Value(c, 2, 2, n);
}

void DrawRandomnessPreview(TBitmap& picture, int r) {
  RandomnessBars(picture, r, [r] { return Random(r); });
}

void DrawStillRandomnessPreview(TBitmap& picture) {
  RandomnessBars(picture, 0, [] { return 0; });
}

void DrawAnglePreview(TBitmap& picture, int degrees) {
  TCanvas& c = Clear(picture);
  const int dx = NearestPixel(20 * std::sin(Radians(degrees))), dy = NearestPixel(20 * std::cos(Radians(degrees)));
  Line(c, clBlack, 15, 30, 15, 15);
  Line(c, PreviewColor(1), 15 - dx, 15 - dy, 15, 15);
  Line(c, PreviewColor(1), 15 + dx, 15 - dy, 15, 15);
  Value(c, 2, 16, degrees);
}

void DrawPeakHeightPreview(TBitmap& picture, int h) {
  TCanvas& c = Clear(picture);
  c.MoveTo(0, 25);
  c.Pen.Color = clBlack;
  c.LineTo(10, 25);
  c.Pen.Color = PreviewColor(1);
  c.LineTo(15, 25 - h);
  c.LineTo(20, 25);
  c.Pen.Color = clBlack;
  c.LineTo(30, 25);
  Value(c, 2, 2, h);
}

void DrawPeakWidthPreview(TBitmap& picture, int w) {
  TCanvas& c = Clear(picture);
  const int half = NearestPixel(1.5 * w);
  c.MoveTo(0, 25);
  c.Pen.Color = clBlack;
  c.LineTo(15 - half, 25);
  c.Pen.Color = PreviewColor(1);
  c.LineTo(15, 10);
  c.LineTo(15 + half, 25);
  c.Pen.Color = clBlack;
  c.LineTo(30, 25);
  Value(c, 2, 2, w);
}

void DrawColorStrip(TBitmap& picture, const std::array<TColor, 12>& levelColors) {
  TCanvas& c = picture.Canvas();
  c.Pen = TPen{};
  c.Brush.Style = bsSolid;
  for (int i = 1; i <= 6; ++i) {
    c.Brush.Color = levelColors[std::size_t(i - 1)];
    c.Rectangle(10 * (i - 1), 0, 10 * i, 10);
    c.Brush.Color = levelColors[std::size_t(i + 5)];
    c.Rectangle(10 * (i - 1), 10, 10 * i, 20);
  }
}

int StripCell(int x, int y) { return x / 10 + 1 + (y > 10 ? 6 : 0); }

const std::array<TParameterSet, 8> kParameterSets{{
    {TRANSLATABLE("ParameterSet", "単色ツリー（４Ｘ２）"), false, false, 4, 2, 5, 2, 20, false},
    {TRANSLATABLE("ParameterSet", "単色ツリー（６Ｘ２）"), false, false, 6, 2, 5, 2, 20, false},
    {TRANSLATABLE("ParameterSet", "単色ツリー（６Ｘ３）"), false, true, 6, 3, 5, 2, 15, false},
    {TRANSLATABLE("ParameterSet", "単色ツリー（６Ｘ４）"), false, true, 6, 4, 5, 2, 10, false},
    {TRANSLATABLE("ParameterSet", "変色ツリー（６Ｘ３）"), true, true, 6, 3, 5, 2, 15, true},
    {TRANSLATABLE("ParameterSet", "変色ツリー（６Ｘ４）"), true, true, 6, 4, 5, 2, 10, true},
    {TRANSLATABLE("ParameterSet", "雑草"), true, false, 6, 2, -10, 2, 10, true},
    {TRANSLATABLE("ParameterSet", "雪の結晶"), false, false, 4, 6, 5, 0, 30, false},
}};

const std::array<TColor, 12> kGreenRamp{RGB(128, 0, 0), RGB(128, 36, 0), RGB(128, 72, 0), RGB(0, 128, 0),
                                        RGB(0, 192, 0),  RGB(0, 255, 0),  clWhite,        clWhite,
                                        clWhite,         clWhite,         clWhite,        clWhite};

TPolarPoint MotifPointAt(int x, int y) {
  const double dx = x - kMotifOrigin.X, dy = y - kMotifOrigin.Y;
  return TPolarPoint{NearestPixel(std::sqrt(dx * dx + dy * dy)), AngleOf(kMotifOrigin, TPoint{x, y})};
}

void DrawMotifEditor(TBitmap& picture, std::array<TMotifLine, 6>& motif, int n) {
  TCanvas& c = Clear(picture);
  Line(c, clBlack, kMotifOrigin.X, kMotifOrigin.Y, kMotifOrigin.X + 100, kMotifOrigin.Y);
  for (int i = 0; i < n && i < int(motif.size()); ++i) {
    TMotifLine& l = motif[std::size_t(i)];
    l.startU = float(std::cos(-Radians(l.startAngle)) * l.startLen / 100);
    l.startV = float(std::sin(-Radians(l.startAngle)) * l.startLen / 100);
    l.endU = float(std::cos(-Radians(l.endAngle)) * l.endLen / 100);
    l.endV = float(std::sin(-Radians(l.endAngle)) * l.endLen / 100);
    Line(c, PreviewColor(i + 1), NearestPixel(l.startU * 100.0) + kMotifOrigin.X,
         NearestPixel(l.startV * 100.0) + kMotifOrigin.Y, NearestPixel(l.endU * 100.0) + kMotifOrigin.X,
         NearestPixel(l.endV * 100.0) + kMotifOrigin.Y);
  }
}
