// JPEG pictures: what the writer stores, what the reader makes of every kind of file libjpeg
// decodes, and how damaged, hostile and unsaveable pictures fail.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <unistd.h>

#include <jerror.h>

#include "document/jpeg_file.h"
#include "document/jpeg_test_file.h"
#include "surface/surface_error.h"
#include "support/error_message.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::uint8_t> encode(const TBitmap& bmp) {
  std::vector<std::uint8_t> file;
  WriteJpeg(bmp, [&file](const std::uint8_t* d, std::size_t n) { file.insert(file.end(), d, d + n); });
  return file;
}

std::string jpegError(int code) { return "JPEG エラー #" + std::to_string(code); }

// Smooth colour ramps: what a photograph's neighbourhoods look like.
void drawRamps(TBitmap& bmp, int w, int h, TPixelFormat f) {
  bmp.SetPixelFormat(pf32bit);
  bmp.SetSize(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) bmp.SetPixel(x, y, RGB(std::uint8_t(x * 255 / w), std::uint8_t(y * 255 / h), 128));
  bmp.SetPixelFormat(f);
}

// The largest difference of one colour component between two equally large pictures, and the
// mean difference per component.
struct Difference {
  int max = 0;
  double mean = 0;
};
Difference compare(const TBitmap& a, const TBitmap& b) {
  Difference d;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      for (int shift : {0, 8, 16}) {
        const int diff = std::abs(int((a.GetPixel(x, y) >> shift) & 0xFF) - int((b.GetPixel(x, y) >> shift) & 0xFF));
        d.max = std::max(d.max, diff);
        d.mean += diff;
      }
  d.mean /= 3.0 * a.Width() * a.Height();
  return d;
}

bool spareBytesZero(const TBitmap& bmp) {
  for (int y = 0; y < bmp.Height(); ++y)
    for (int x = 0; x < bmp.Width(); ++x)
      if (bmp.Row(y)[4 * x + 3] != 0) return false;
  return true;
}

// The frame header's marker byte and component count (SOF0 is baseline, SOF2 progressive).
std::pair<int, int> frameOf(const std::vector<std::uint8_t>& file) {
  for (std::size_t i = 2; i + 9 < file.size(); ++i)
    if (file[i] == 0xFF && (file[i + 1] == 0xC0 || file[i + 1] == 0xC2)) return {file[i + 1], file[i + 9]};
  return {0, 0};
}

TEST(JpegFile, EveryPixelFormatRoundTripsCloseToTheOriginalAsBaselineColour) {
  // Smooth ramps come back close everywhere.
  for (TPixelFormat f : {pf32bit, pfDevice, pf24bit}) {
    TBitmap original;
    drawRamps(original, 61, 37, f);  // sides that are no multiple of a block
    const std::vector<std::uint8_t> file = encode(original);
    EXPECT_EQ(frameOf(file), std::make_pair(0xC0, 3)) << f;  // baseline, three components

    TBitmap back(2, 2, pf8bit);
    ReadJpeg(file.data(), file.size(), back);
    ASSERT_EQ(back.Width(), 61);
    ASSERT_EQ(back.Height(), 37);
    EXPECT_EQ(back.PixelFormat(), pf32bit);
    EXPECT_TRUE(spareBytesZero(back)) << f;
    const Difference d = compare(original, back);
    EXPECT_LT(d.mean, 1.5) << f;
    EXPECT_LT(d.max, 12) << f;
  }
  // Every format's own colours, in flat blocks as large as the coder's units, come back.
  const TColor colours[] = {clBlack, clWhite, clRed, clBlue, clLime, RGB(200, 180, 40), clGray, RGB(30, 90, 160)};
  for (TPixelFormat f : {pf16bit, pf15bit, pf8bit, pf4bit, pf1bit}) {
    TBitmap original(64, 32, pf32bit);
    for (int i = 0; i < 8; ++i)
      for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) original.SetPixel(16 * (i % 4) + x, 16 * (i / 4) + y, colours[i]);
    original.SetPixelFormat(f);
    const std::vector<std::uint8_t> file = encode(original);
    EXPECT_EQ(frameOf(file), std::make_pair(0xC0, 3)) << f;
    TBitmap back;
    ReadJpeg(file.data(), file.size(), back);
    for (int i = 0; i < 8; ++i) {
      const TColor want = original.GetPixel(16 * (i % 4) + 8, 16 * (i / 4) + 8);
      const TColor got = back.GetPixel(16 * (i % 4) + 8, 16 * (i / 4) + 8);
      EXPECT_NEAR(GetRValue(got), GetRValue(want), 4) << f << " " << i;
      EXPECT_NEAR(GetGValue(got), GetGValue(want), 4) << f << " " << i;
      EXPECT_NEAR(GetBValue(got), GetBValue(want), 4) << f << " " << i;
    }
  }
  // Quality 90: the first luminance quantizer is 16 scaled to 20 per cent.
  TBitmap small;
  drawRamps(small, 8, 8, pf32bit);
  const std::vector<std::uint8_t> file = encode(small);
  for (std::size_t i = 2; i + 5 < file.size(); ++i)
    if (file[i] == 0xFF && file[i + 1] == 0xDB) {
      EXPECT_EQ(file[i + 5], 3);
      break;
    }
}

TEST(JpegFile, GreyscaleProgressiveAndInkFilesRead) {
  const int w = 24, h = 16;
  std::vector<std::uint8_t> grey, rgb, ink;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      grey.push_back(std::uint8_t(x * 10));
      rgb.insert(rgb.end(), {std::uint8_t(x * 10), std::uint8_t(y * 15), 200});
      ink.insert(ink.end(), {40, 120, 200, 220});  // stored values of a flat colour
    }
  TBitmap out;
  const std::vector<std::uint8_t> greyFile = EncodeTestJpeg({w, h, 1, JCS_GRAYSCALE, JCS_GRAYSCALE}, grey);
  EXPECT_EQ(frameOf(greyFile).second, 1);
  ReadJpeg(greyFile.data(), greyFile.size(), out);
  EXPECT_EQ(out.PixelFormat(), pf32bit);
  for (int x = 0; x < w; x += 5) {
    const int v = GetRValue(out.GetPixel(x, 7));
    EXPECT_NEAR(v, x * 10, 3);
    EXPECT_EQ(out.GetPixel(x, 7), RGB(v, v, v));
  }

  JpegRecipe progressive{w, h, 3, JCS_RGB, JCS_YCbCr, true};
  const std::vector<std::uint8_t> progressiveFile = EncodeTestJpeg(progressive, rgb);
  EXPECT_EQ(frameOf(progressiveFile).first, 0xC2);
  ReadJpeg(progressiveFile.data(), progressiveFile.size(), out);
  EXPECT_TRUE(spareBytesZero(out));
  for (int y = 0; y < h; y += 5)
    for (int x = 0; x < w; x += 5) {
      const TColor c = out.GetPixel(x, y);
      EXPECT_NEAR(GetRValue(c), x * 10, 8);
      EXPECT_NEAR(GetGValue(c), y * 15, 8);
      EXPECT_NEAR(GetBValue(c), 200, 8);
    }

  // Adobe's CMYK and YCCK store 255 minus the ink: the colour is the product with black.
  // Without the marker the values are the inks themselves.
  const TColor adobe = RGB(40 * 220 / 255, 120 * 220 / 255, 200 * 220 / 255);
  const TColor plain = RGB(215 * 35 / 255, 135 * 35 / 255, 55 * 35 / 255);
  const struct {
    J_COLOR_SPACE space;
    bool marker;
    TColor want;
  } inks[] = {{JCS_CMYK, true, adobe}, {JCS_YCCK, true, adobe}, {JCS_CMYK, false, plain}};
  for (const auto& c : inks) {
    JpegRecipe recipe{w, h, 4, JCS_CMYK, c.space};
    recipe.adobeMarker = c.marker;
    const std::vector<std::uint8_t> file = EncodeTestJpeg(recipe, ink);
    ReadJpeg(file.data(), file.size(), out);
    EXPECT_TRUE(spareBytesZero(out));
    const TColor got = out.GetPixel(w / 2, h / 2);
    EXPECT_NEAR(GetRValue(got), GetRValue(c.want), 3) << c.space << c.marker;
    EXPECT_NEAR(GetGValue(got), GetGValue(c.want), 3) << c.space << c.marker;
    EXPECT_NEAR(GetBValue(got), GetBValue(c.want), 3) << c.space << c.marker;
  }
}

TEST(JpegFile, DamagedFilesFailWithLibjpegsCodeAndLeaveThePictureAlone) {
  TBitmap out(3, 2, pf8bit);
  out.SetPixel(1, 1, clRed);
  TBitmap picture;
  drawRamps(picture, 160, 160, pf32bit);
  const std::vector<std::uint8_t> good = encode(picture);
  auto read = [&out](const std::vector<std::uint8_t>& file) {
    return ErrorMessageOf([&] { ReadJpeg(file.data(), file.size(), out); });
  };
  EXPECT_EQ(read({}), jpegError(JERR_INPUT_EMPTY));
  EXPECT_EQ(read({'B', 'M', 0, 0}), jpegError(JERR_NO_SOI));
  EXPECT_EQ(read(std::vector<std::uint8_t>(good.begin(), good.begin() + 40)), jpegError(JERR_NO_IMAGE));
  std::vector<std::uint8_t> badPrecision = good;
  for (std::size_t i = 2; i + 4 < badPrecision.size(); ++i)
    if (badPrecision[i] == 0xFF && badPrecision[i + 1] == 0xC0) badPrecision[i + 4] = 12;  // 12-bit samples
  EXPECT_EQ(read(badPrecision), jpegError(JERR_BAD_PRECISION));
  // Two components are no colour libjpeg can turn into blue, green and red.
  const std::vector<std::uint8_t> twoComponents =
      EncodeTestJpeg({8, 8, 2, JCS_UNKNOWN, JCS_UNKNOWN}, std::vector<std::uint8_t>(128, 90));
  EXPECT_EQ(read(twoComponents), jpegError(JERR_CONVERSION_NOTIMPL));
  EXPECT_EQ(out.PixelFormat(), pf8bit);
  EXPECT_EQ(out.Width(), 3);
  EXPECT_EQ(out.GetPixel(1, 1), clRed);

  // A file cut short inside its image data is only a warning: the picture is whole in size,
  // its top as it was written.
  const std::vector<std::uint8_t> cut(good.begin(), good.begin() + std::ptrdiff_t(good.size() * 2 / 3));
  EXPECT_EQ(read(cut), "no error");
  ASSERT_EQ(out.Width(), 160);
  EXPECT_EQ(out.Height(), 160);
  TBitmap whole;
  ReadJpeg(good.data(), good.size(), whole);
  EXPECT_EQ(out.GetPixel(5, 2), whole.GetPixel(5, 2));
}

// Sets the frame header's height and width.
std::vector<std::uint8_t> claimingSize(std::vector<std::uint8_t> file, int w, int h) {
  for (std::size_t i = 2; i + 8 < file.size(); ++i)
    if (file[i] == 0xFF && file[i + 1] == 0xC0) {
      file[i + 5] = std::uint8_t(h >> 8);
      file[i + 6] = std::uint8_t(h);
      file[i + 7] = std::uint8_t(w >> 8);
      file[i + 8] = std::uint8_t(w);
      break;
    }
  return file;
}

TEST(JpegFile, HostileFilesAreRefusedBeforeTheyCostMemoryOrTime) {
  TBitmap out(2, 2, pf24bit);
  TBitmap picture;
  drawRamps(picture, 16, 16, pf32bit);
  const std::vector<std::uint8_t> small = encode(picture);
  for (int side : {65000, 30000}) {
    const std::vector<std::uint8_t> huge = claimingSize(small, side, side);
    EXPECT_THROW(ReadJpeg(huge.data(), huge.size(), out), EOutOfResources) << side;
  }
  EXPECT_EQ(out.PixelFormat(), pf24bit);

  // A progressive script that sends every coefficient of every component alone, in three
  // steps of precision, has 1 + 3 * 63 * 3 scans; in two steps it stays below the limit.
  auto script = [](int steps) {
    std::vector<jpeg_scan_info> scans{{3, {0, 1, 2}, 0, 0, 0, 0}};
    for (int c = 0; c < 3; ++c)
      for (int k = 1; k < 64; ++k)
        for (int al = steps - 1, ah = 0; al >= 0; ah = al, --al) scans.push_back({1, {c}, k, k, ah, al});
    return scans;
  };
  JpegRecipe recipe{16, 16, 3, JCS_RGB, JCS_YCbCr, true};
  std::vector<std::uint8_t> rgb(16 * 16 * 3, 77);
  recipe.scans = script(2);
  const std::vector<std::uint8_t> many = EncodeTestJpeg(recipe, rgb);
  EXPECT_EQ(ErrorMessageOf([&] { ReadJpeg(many.data(), many.size(), out); }), "no error");
  EXPECT_NEAR(GetRValue(out.GetPixel(3, 3)), 77, 2);
  recipe.scans = script(3);
  ASSERT_GT(recipe.scans.size(), std::size_t(kMaxJpegScans));
  const std::vector<std::uint8_t> tooMany = EncodeTestJpeg(recipe, rgb);
  EXPECT_EQ(ErrorMessageOf([&] { ReadJpeg(tooMany.data(), tooMany.size(), out); }), jpegError(JERR_BAD_PROGRESSION));
}

std::vector<std::uint8_t> fileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(JpegFile, FilesSaveWholeOrNotAtAll) {
  const fs::path dir = fs::temp_directory_path() / ("zudozo-jpeg-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const std::string path = (dir / "picture.jpg").string();
  TBitmap picture;
  drawRamps(picture, 20, 10, pf24bit);
  SaveJpegFile(picture, path);
  EXPECT_EQ(fileBytes(path), encode(picture));
  TBitmap back, fromMemory;
  LoadJpegFile(path, back);
  const std::vector<std::uint8_t> bytes = encode(picture);
  ReadJpeg(bytes.data(), bytes.size(), fromMemory);
  EXPECT_EQ(compare(fromMemory, back).max, 0);

  // An empty picture is no JPEG: the old file stays, with no temporary file beside it.
  EXPECT_EQ(ErrorMessageOf([&] { SaveJpegFile(TBitmap(), path); }), jpegError(JERR_EMPTY_IMAGE));
  EXPECT_EQ(fileBytes(path), encode(picture));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 1);
  // A failing sink's own exception comes through libjpeg unchanged.
  EXPECT_THROW(WriteJpeg(picture, [](const std::uint8_t*, std::size_t) { throw std::length_error("full"); }),
               std::length_error);
  const std::string missing = (dir / "missing.jpg").string();
  EXPECT_EQ(ErrorMessageOf([&] { LoadJpegFile(missing, back); }), "ファイル " + missing + " は開けません");
  fs::remove_all(dir);
}

}  // namespace
