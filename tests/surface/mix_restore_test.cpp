// Properties every figure must keep: drawn twice with an inverting mix mode it leaves the
// picture as it was, and (apart from outlines that GDI also paints over their fill) it touches
// each pixel once.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>
#include <vector>

#include "support/pixel_picture.h"
#include "surface/bitmap.h"
#include "surface/canvas.h"

namespace {

const TPixelFormat kAllFormats[] = {pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit};

using Figure = std::function<void(TCanvas&)>;

// A random figure around a 48 x 40 picture, reaching over its edges; fills always.
struct FigureMaker {
  std::mt19937 rng;
  explicit FigureMaker(unsigned seed) : rng(seed) {}

  int coord(int size) { return std::uniform_int_distribution<int>(-12, size + 12)(rng); }
  TPoint point() { return Point(coord(48), coord(40)); }
  int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

  Figure Next(bool thinRectanglesOnly) {
    const TPoint a = point(), b = point();
    std::vector<TPoint> pts;
    for (int n = pick(3, 7); n > 0; --n) pts.push_back(point());
    const int cw = pick(-20, 20), ch = pick(-20, 20);
    switch (pick(0, thinRectanglesOnly ? 0 : 6)) {
      case 0: {
        const int l = pick(-5, 40), t = pick(-5, 32);
        return [=](TCanvas& c) { c.Rectangle(l, t, l + 2 + (b.X & 15), t + 2 + (b.Y & 15)); };
      }
      case 1: return [=](TCanvas& c) { c.MoveTo(a.X, a.Y); c.LineTo(b.X, b.Y); };
      case 2: return [=](TCanvas& c) { c.Polyline(pts); };
      case 3: return [=](TCanvas& c) { c.Ellipse(a.X, a.Y, b.X, b.Y); };
      case 4: return [=](TCanvas& c) { c.RoundRect(a.X, a.Y, b.X, b.Y, cw, ch); };
      case 5: return [=](TCanvas& c) { c.Polygon(pts, false); };
      default: return [=](TCanvas& c) { c.Polygon(pts, true); };
    }
  }
};

// Colourful starting content so that inverting shows on every bit.
void scribble(TBitmap& b, std::mt19937& rng) {
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) b.SetPixel(x, y, TColor(rng() & 0xFFFFFF));
}

std::vector<std::uint8_t> bytes(const TBitmap& b) { return {b.Bits(), b.Bits() + b.ByteSize()}; }

TEST(MixRestore, DrawingAnyFigureTwiceWithNotOrNotXorRestoresThePicture) {
  FigureMaker figures(2026);
  std::mt19937 rng(5);
  for (TPixelFormat f : kAllFormats) {
    for (int i = 0; i < 120; ++i) {
      TBitmap b(48, 40, f);
      scribble(b, rng);
      const std::vector<std::uint8_t> before = bytes(b);
      TCanvas& c = b.Canvas();
      c.Pen.Mode = i % 2 ? pmNot : pmNotXor;
      c.Pen.Width = figures.pick(1, 12);
      c.Pen.Color = TColor(rng() & 0xFFFFFF);
      c.Brush.Color = TColor(rng() & 0xFFFFFF);
      c.Brush.Style = i % 5 == 0 ? bsDiagCross : bsSolid;
      if (i % 7 == 0) c.SetClipRect(Rect(5, 3, 40, 30));
      const Figure figure = figures.Next(false);
      figure(c);
      figure(c);
      ASSERT_EQ(bytes(b), before) << "format " << f << ", figure " << i << ", pen " << c.Pen.Width;
    }
  }
}

TEST(MixRestore, EachPixelIsTouchedOnceByWideFiguresAndRectangles) {
  FigureMaker figures(77);
  for (int i = 0; i < 400; ++i) {
    const bool thin = i % 4 == 0;  // 1-px pens: only rectangles keep outline and fill apart
    const int width = thin ? 1 : figures.pick(2, 12);
    const Figure figure = figures.Next(thin);
    TBitmap inverted(48, 40), covered(48, 40);
    for (TBitmap* b : {&inverted, &covered}) {
      TCanvas& c = b->Canvas();
      c.Pen.Width = width;
      c.Pen.Mode = b == &inverted ? pmNot : pmCopy;
      c.Brush.Color = clBlack;
      figure(c);
    }
    ASSERT_EQ(PixelPicture(inverted), PixelPicture(covered)) << "figure " << i << ", pen " << width;
  }
}

}  // namespace
