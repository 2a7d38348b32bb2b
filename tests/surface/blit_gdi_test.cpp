// Copies compared with bitmaps that GDI itself drew (scripts in the gdi-oracle tool's examples:
// 10_bitblt_rops and 11_stretchblt); the pictures are kept in gdi_blit/.
#include <gtest/gtest.h>

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

TEST(BlitGdi, StretchesAndMirrorsAsGdiStretches) {
  TBitmap src, want;
  LoadBmpFile(kDir + "11_stretchblt_src.bmp", src);
  LoadBmpFile(kDir + "11_stretchblt.bmp", want);
  TBitmap dest(140, 60, pf24bit);
  struct Stretch {
    int x, y, w, h, sx, sy, sw, sh;
  };
  const Stretch stretches[] = {{2, 2, 16, 12, 0, 0, 16, 12},    {22, 2, 5, 4, 0, 0, 16, 12},
                               {31, 2, 7, 5, 0, 0, 16, 12},     {42, 2, 37, 29, 0, 0, 16, 12},
                               {32, 40, -16, 12, 0, 0, 16, 12}, {36, 51, 16, -12, 0, 0, 16, 12},
                               {71, 51, -16, -12, 0, 0, 16, 12}, {76, 40, 16, 12, 16, 0, -16, 12}};
  for (const Stretch& s : stretches)
    dest.Canvas().CopyRect(Rect(s.x, s.y, s.x + s.w, s.y + s.h), src.Canvas(),
                           Rect(s.sx, s.sy, s.sx + s.sw, s.sy + s.sh));
  EXPECT_EQ(CountDifferences(dest, want), 0);
}

}  // namespace
