#include "draw/rotated_paste.h"

#include <cmath>
#include <cstdint>
#include <numbers>

#include "draw/stroke_geometry.h"
#include "surface/canvas.h"

namespace {

// Nearest integer, ties to even (the default rounding mode).
int Round(double v) { return int(std::lrint(v)); }

// The buffer's pixels in the target format, so that sampling copies raw values.
void InFormat(const TBitmap& buffer, TPixelFormat format, TBitmap& out) {
  out.Assign(buffer);
  out.Transparent = false;
  if (out.PixelFormat() != format) out.SetPixelFormat(format);
}

// Every pixel of out takes the source pixel its centre turns back to; out and source share a
// pixel format and palette.
void Sample(const TBitmap& source, double sn, double cs, const TRotatedBounds& b, TBitmap& out) {
  const int w = source.Width(), h = source.Height();
  const std::uint32_t black = out.ColorToRaw(clBlack);
  const bool words = BitsPerPixel(out.PixelFormat()) == 32;
  for (int j = 0; j < out.Height(); ++j) {
    const double u = b.top + j;
    auto* row = reinterpret_cast<std::uint32_t*>(out.MutableRow(j));
    for (int i = 0; i < out.Width(); ++i) {
      const double t = b.left + i;
      const int x = Round(cs * t - sn * u), y = Round(cs * u + sn * t);
      const bool inside = x >= 0 && x < w && y >= 0 && y < h;
      if (words)
        row[i] = inside ? reinterpret_cast<const std::uint32_t*>(source.Row(y))[x] : black;
      else
        out.SetRaw(i, j, inside ? source.GetRaw(x, y) : black);
    }
  }
}

// The black corners outside the turned rectangle (and black of the picture touching them)
// take the wedge colour, which the drawing then leaves out.
void FillWedges(TBitmap& out, TColor wedgeColor) {
  TCanvas& c = out.Canvas();
  c.Brush.Style = bsSolid;
  c.Brush.Color = wedgeColor;
  const int r = out.Width() - 1, b = out.Height() - 1;
  for (const TPoint p : {TPoint{0, 0}, TPoint{0, b}, TPoint{r, 0}, TPoint{r, b}}) c.FloodFill(p.X, p.Y, clBlack);
  out.Transparent = true;
  out.TransparentColor = wedgeColor;
}

}  // namespace

TRotatedBounds RotatedBounds(int theta, int w, int h) {
  const double radians = theta * std::numbers::pi / 180;
  const double sn = std::sin(radians), cs = std::cos(radians);
  const double a = (w - 1) * cs, b = (h - 1) * sn, k = (h - 1) * cs, d = (w - 1) * sn;
  if (theta < 90 || theta >= 360) return {0, Round(a + b), Round(-d), Round(k)};
  if (theta < 180) return {Round(a), Round(b), Round(k - d), 0};
  if (theta < 270) return {Round(a + b), 0, Round(k), Round(-d)};
  return {Round(b), Round(a), 0, Round(k - d)};
}

void RotatePicture(const TBitmap& buffer, int theta, TPixelFormat format, TColor wedgeColor, TBitmap& out,
                   TRotatedBounds& bounds) {
  bounds = RotatedBounds(theta, buffer.Width(), buffer.Height());
  if (bounds.Width() <= 0 || bounds.Height() <= 0) {
    TBitmap none;
    out.Swap(none);
    return;
  }
  TBitmap source;
  InFormat(buffer, format, source);
  TBitmap turned(bounds.Width(), bounds.Height(), format);
  turned.SetPalette(source.Palette());
  const double radians = theta * std::numbers::pi / 180;
  Sample(source, std::sin(radians), std::cos(radians), bounds, turned);
  FillWedges(turned, wedgeColor);
  out.Swap(turned);
}

TRect RotatedPaste(TCanvas& canvas, const TBitmap& buffer, TPoint s, TPoint q, TColor wedgeColor) {
  if (buffer.Empty()) return TRect{};
  TBitmap turned;
  TRotatedBounds at;
  RotatePicture(buffer, AngleOf(s, q), canvas.Bitmap().PixelFormat(), wedgeColor, turned, at);
  if (turned.Empty()) return TRect{};
  canvas.Draw(s.X + at.left, s.Y + at.top, turned);
  return TRect{s.X + at.left, s.Y + at.top, s.X + at.right, s.Y + at.bottom};
}
