// Copies compared with bitmaps that GDI itself drew (scripts in the gdi-oracle tool's examples:
// 10_bitblt_rops and 11_stretchblt, and gdi_blit/stretch_mix.gdi); the pictures are kept in
// gdi_blit/.
#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "document/bmp_file.h"
#include "surface/bitmap.h"
#include "surface/canvas.h"

namespace {

const std::string kDir = std::string(ZUDOZO_TESTS_DIR) + "/surface/gdi_blit/";

// The scripts write colours as 0xRRGGBB.
TColor Rgb(std::uint32_t v) { return RGB(std::uint8_t(v >> 16), std::uint8_t(v >> 8), std::uint8_t(v)); }

int CountDifferences(const TBitmap& got, const TBitmap& want) {
  int differences = 0;
  for (int y = 0; y < want.Height(); ++y)
    for (int x = 0; x < want.Width(); ++x) differences += got.GetPixel(x, y) != want.GetPixel(x, y);
  return differences;
}

TEST(BlitGdi, EveryNamedRasterOperationAsGdiBlitsIt) {
  TBitmap src, want;
  LoadBmpFile(kDir + "10_bitblt_src.bmp", src);
  LoadBmpFile(kDir + "10_bitblt_rops.bmp", want);
  TBitmap dest(160, 160, pf24bit);
  TCanvas& c = dest.Canvas();
  c.Brush.Color = clBlack;
  c.FillRect(dest.BoundsRect());
  const std::uint32_t stripes[] = {0xffffff, 0x3366cc, 0xcc9933};
  for (int x = 0; x < 160; x += 40)
    for (int i = 0; i < 3; ++i) {
      c.Brush.Color = Rgb(stripes[i]);
      c.FillRect(Rect(x + 10 * (i + 1), 0, x + 10 * (i + 2), 160));
    }
  // GDI's green diagonal-cross hatch on its grey background colour, as a pattern brush.
  TBitmap hatch(8, 8, pf24bit);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) hatch.SetPixel(x, y, x == y || x + y == 7 ? Rgb(0x00ff00) : Rgb(0x808080));
  c.Brush.Bitmap = &hatch;
  const TCopyMode modes[16] = {cmSrcCopy,     cmSrcPaint,  cmSrcAnd,    cmSrcInvert, cmSrcErase, cmNotSrcCopy,
                               cmNotSrcErase, cmMergeCopy, cmMergePaint, cmPatCopy,  cmPatPaint, cmPatInvert,
                               cmDstInvert,   cmBlackness, cmWhiteness, 0x00AA0029};
  for (int i = 0; i < 16; ++i) {
    c.CopyMode = modes[i];
    const int x = 4 + 40 * (i % 4), y = 4 + 40 * (i / 4);
    c.CopyRect(Rect(x, y, x + 32, y + 32), src.Canvas(), Rect(0, 0, 32, 32));
  }
  c.Brush.Bitmap = nullptr;
  EXPECT_EQ(CountDifferences(dest, want), 0);
}

struct Stretch {
  int x, y, w, h, sx, sy, sw, sh;
};

void ApplyStretches(TBitmap& dest, TBitmap& src, const Stretch* stretches, int n) {
  for (int i = 0; i < n; ++i) {
    const Stretch& s = stretches[i];
    dest.Canvas().CopyRect(Rect(s.x, s.y, s.x + s.w, s.y + s.h), src.Canvas(),
                           Rect(s.sx, s.sy, s.sx + s.sw, s.sy + s.sh));
  }
}

TEST(BlitGdi, StretchesAndMirrorsAsGdiStretches) {
  TBitmap src, want;
  LoadBmpFile(kDir + "11_stretchblt_src.bmp", src);
  LoadBmpFile(kDir + "11_stretchblt.bmp", want);
  TBitmap dest(140, 60, pf24bit);
  const Stretch stretches[] = {{2, 2, 16, 12, 0, 0, 16, 12},    {22, 2, 5, 4, 0, 0, 16, 12},
                               {31, 2, 7, 5, 0, 0, 16, 12},     {42, 2, 37, 29, 0, 0, 16, 12},
                               {32, 40, -16, 12, 0, 0, 16, 12}, {36, 51, 16, -12, 0, 0, 16, 12},
                               {71, 51, -16, -12, 0, 0, 16, 12}, {76, 40, 16, 12, 16, 0, -16, 12}};
  ApplyStretches(dest, src, stretches, int(std::size(stretches)));
  EXPECT_EQ(CountDifferences(dest, want), 0);

  // Random sizes, mirrored either way, partly outside the destination.
  const Stretch mixed[] = {
      {110, 60, -56, -29, 8, 7, 7, 3},   {3, 53, 29, -10, 6, 1, 2, 10},    {-4, -8, 40, 34, 14, 3, 2, 4},
      {39, 22, -29, 34, 0, 7, 16, 1},    {38, 50, 46, -21, 0, 9, 10, 1},   {-20, 12, -25, 2, 7, 6, 7, -1},
      {66, -4, 37, 18, 0, 8, 10, -6},    {-5, 44, 46, 1, 0, 7, 16, 3},     {81, 38, 27, -8, 10, 9, -7, 1},
      {5, -10, 12, -39, 11, 4, -5, 4},   {3, 11, -25, 5, 5, 5, 8, -1},     {26, 4, -54, 25, 6, 6, 10, -4},
      {0, 38, 44, -31, 1, 1, 2, -2},     {105, 22, -17, -39, 6, 0, -6, 12}, {-16, -7, 18, 14, 15, 7, -9, -7},
      {72, 2, -34, 6, 14, 9, -15, -6},   {-15, -6, -45, -3, 15, 6, -16, -2}, {13, 28, -35, -3, 3, 1, 12, 2},
      {-17, 33, 56, -37, 12, 11, -13, -10}, {79, 59, 17, -22, 15, 4, -15, 8}, {-15, 14, 20, 31, 12, 4, 4, 8},
      {31, 51, 24, -10, 10, 8, 6, -6},   {90, 10, -43, -13, 3, 10, 7, -7}, {-4, 20, 32, -3, 12, 8, -6, -2}};
  TBitmap mixedWant, mixedDest(100, 60, pf24bit);
  LoadBmpFile(kDir + "stretch_mix.bmp", mixedWant);
  ApplyStretches(mixedDest, src, mixed, int(std::size(mixed)));
  EXPECT_EQ(CountDifferences(mixedDest, mixedWant), 0);
}

}  // namespace
