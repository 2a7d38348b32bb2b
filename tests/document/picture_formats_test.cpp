// WebP, TIFF, GIF and TGA files: round trips of every pixel format, files written by
// ImageMagick read to the same pixels ImageMagick decodes, damaged and cut files refused with
// the picture left as it was, and GIF's refusal of pictures of more than 256 colours.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "document/gif_file.h"
#include "document/picture_loader.h"
#include "document/picture_saver.h"
#include "document/tga_file.h"
#include "document/tiff_file.h"
#include "document/webp_file.h"
#include "fileio/picture_file_io.h"
#include "surface/surface_error.h"
#include "support/error_message.h"

namespace fs = std::filesystem;

namespace {

class PictureFormats : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("zudozo-formats-" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string path(const std::string& name) const { return (dir_ / name).string(); }
  fs::path dir_;
};

std::vector<std::uint8_t> bytesOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

bool haveImageMagick() { return std::system("convert -version > /dev/null 2>&1") == 0; }

// A picture of the format with colours in every row and column; at most `colours` distinct
// colours for the true-colour formats.
void fillPattern(TBitmap& bmp, int colours) {
  for (int y = 0; y < bmp.Height(); ++y)
    for (int x = 0; x < bmp.Width(); ++x) {
      const int i = (x * 7 + y * 13) % colours;
      bmp.SetPixel(x, y, RGB(std::uint8_t(i * 37), std::uint8_t(255 - i * 11), std::uint8_t(i * 5)));
    }
}

// Every pixel's colour, row by row.
std::vector<TColor> coloursOf(const TBitmap& bmp) {
  std::vector<TColor> c;
  for (int y = 0; y < bmp.Height(); ++y)
    for (int x = 0; x < bmp.Width(); ++x) c.push_back(bmp.GetPixel(x, y));
  return c;
}

// ImageMagick's decoding of a file as 8-bit red, green, blue rows.
std::vector<std::uint8_t> imageMagickRgb(const std::string& file, const std::string& raw) {
  EXPECT_EQ(std::system(("convert '" + file + "[0]' -depth 8 rgb:'" + raw + "'").c_str()), 0) << file;
  return bytesOf(raw);
}

std::vector<std::uint8_t> rgbOf(const TBitmap& bmp) {
  std::vector<std::uint8_t> rgb;
  for (const TColor c : coloursOf(bmp)) rgb.insert(rgb.end(), {GetRValue(c), GetGValue(c), GetBValue(c)});
  return rgb;
}

int largestDifference(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
  if (a.size() != b.size()) return 256;
  int most = 0;
  for (std::size_t i = 0; i < a.size(); ++i) most = std::max(most, std::abs(int(a[i]) - int(b[i])));
  return most;
}

const std::function<bool(VIRAVIZ&)> noPng = [](VIRAVIZ&) { return false; };

}  // namespace

TEST_F(PictureFormats, EveryPixelFormatComesBackExactInTheFormatThatHoldsIt) {
  struct Case {
    TPixelFormat saved;
    const char* name;
    TPixelFormat opened;
  };
  const Case cases[] = {
      {pf1bit, "a.webp", pf32bit}, {pf8bit, "b.webp", pf32bit},  {pf15bit, "c.webp", pf32bit},
      {pf24bit, "d.webp", pf32bit}, {pf32bit, "e.webp", pf32bit},
      {pf1bit, "a.tif", pf1bit},   {pf4bit, "b.tiff", pf4bit},   {pf8bit, "c.tif", pf8bit},
      {pf16bit, "d.tif", pf32bit}, {pf24bit, "e.tif", pf32bit},  {pf32bit, "f.tif", pf32bit},
      {pf1bit, "a.gif", pf1bit},   {pf4bit, "b.gif", pf4bit},    {pf8bit, "c.gif", pf8bit},
      {pf32bit, "d.gif", pf8bit},  // 200 colours in a 32-bit picture
  };
  for (const Case& c : cases) {
    TBitmap picture(37, 23, c.saved);
    fillPattern(picture, 200);
    ASSERT_TRUE(SavePictureFile(picture, path(c.name), noPng)) << c.name;
    TBitmap back;
    LoadPicture(path(c.name), back);
    EXPECT_EQ(back.PixelFormat(), c.opened) << c.name;
    EXPECT_EQ(coloursOf(back), coloursOf(picture)) << c.name;
    if (BitsPerPixel(c.saved) <= 8 && c.opened == c.saved) {
      EXPECT_EQ(back.Palette(), picture.Palette()) << c.name;
    }
  }
}

TEST_F(PictureFormats, LossyWebpIsSmallerAndNearTheColours) {
  TBitmap picture(64, 64, pf32bit);
  fillPattern(picture, 3);
  SaveWebpFile(picture, path("lossless.webp"));
  SaveWebpFile(picture, path("lossy.webp"), 40);
  TBitmap back;
  LoadWebpFile(path("lossy.webp"), back);
  EXPECT_EQ(back.Width(), 64);
  EXPECT_NE(coloursOf(back), coloursOf(picture));  // lossy indeed
  EXPECT_LT(largestDifference(rgbOf(back), rgbOf(picture)), 128);
  LoadWebpFile(path("lossless.webp"), back);
  EXPECT_EQ(coloursOf(back), coloursOf(picture));
}

TEST_F(PictureFormats, GifRefusesMoreThan256ColoursAndLeavesTheOldFile) {
  TBitmap few(20, 20, pf32bit);
  fillPattern(few, 256);
  ASSERT_TRUE(SavePictureFile(few, path("p.gif"), noPng));
  const std::vector<std::uint8_t> before = bytesOf(path("p.gif"));
  TBitmap many(20, 20, pf24bit);
  for (int i = 0; i < 400; ++i) many.SetPixel(i % 20, i / 20, RGB(std::uint8_t(i), std::uint8_t(i >> 8), 0));
  many.SetPixel(19, 19, many.GetPixel(0, 0));
  for (int i = 257; i < 399; ++i) many.SetPixel(i % 20, i / 20, many.GetPixel(1, 0));  // 257 colours
  EXPECT_EQ(ErrorMessageOf([&] { SavePictureFile(many, path("p.gif"), noPng); }),
            "この絵は 257 色を使っているので GIF に保存できません (GIF は 256 色まで)");
  EXPECT_EQ(bytesOf(path("p.gif")), before);
  EXPECT_EQ(fs::directory_iterator(dir_)->path().filename(), "p.gif");  // no temporary file left
  TBitmap back;
  LoadPicture(path("p.gif"), back);
  EXPECT_EQ(coloursOf(back), coloursOf(few));
}

TEST_F(PictureFormats, TransparentColourSurvivesGif) {
  TBitmap picture(8, 8, pf8bit);
  fillPattern(picture, 10);
  picture.Transparent = true;
  picture.TransparentColor = picture.GetPixel(3, 3);
  SaveGifFile(picture, path("t.gif"));
  TBitmap back;
  LoadGifFile(path("t.gif"), back);
  EXPECT_TRUE(back.Transparent);
  EXPECT_EQ(back.TransparentColor, picture.TransparentColor);
}

TEST_F(PictureFormats, FilesFromImageMagickReadAsImageMagickDecodesThem) {
  if (!haveImageMagick()) GTEST_SKIP() << "ImageMagick's convert is not installed";
  // A picture of 250 colours of 8 bits, so that every kind below holds it exactly (ImageMagick's
  // own colour reduction makes 16-bit palettes, which it then rounds differently).
  const std::string source = path("source.png");
  ASSERT_EQ(std::system(("convert -size 61x43 -seed 7 plasma:fractal -colors 250 -depth 8 '" + source + "'").c_str()), 0);
  struct Case {
    const char* name;
    const char* options;  // ImageMagick's options for writing the file
    TPixelFormat format;
    int tolerance;        // 0: lossless, pixels identical to ImageMagick's
  };
  const Case cases[] = {
      {"lossless.webp", "-type TrueColor -define webp:lossless=true", pf32bit, 0},
      {"alpha.webp", "-alpha set -channel A -fx 'i/w' +channel -define webp:lossless=true -define webp:exact=true", pf32bit, 0},
      {"lossy.webp", "-quality 75", pf32bit, 1},
      {"lossy-alpha.webp", "-alpha set -channel A -fx 'j/h' +channel -quality 75", pf32bit, 1},
      {"rgb8.tif", "-type TrueColor -compress lzw", pf32bit, 0},
      {"rgb8-planes.tif", "-type TrueColor -interlace plane -compress zip", pf32bit, 0},
      {"rgba8.tif", "-alpha set -channel A -fx 'i/w' +channel", pf32bit, 0},
      {"rgb16.tif", "-type TrueColor -depth 16", pf32bit, 1},
      {"tiled.tif", "-type TrueColor -define tiff:tile-geometry=16x16", pf32bit, 0},
      {"palette.tif", "-type Palette", pf8bit, 0},
      {"palette4.tif", "-colors 16 -type Palette -depth 4", pf4bit, 1},
      {"grey.tif", "-colorspace Gray", pf8bit, 0},
      {"grey16.tif", "-colorspace Gray -depth 16", pf8bit, 1},
      {"bilevel.tif", "-monochrome -compress Group4", pf1bit, 0},
      {"pages.tif", "-type TrueColor '(' -clone 0 -negate ')'", pf32bit, 0},
      {"frame.gif", "", pf8bit, 0},
      {"interlaced.gif", "-interlace GIF", pf8bit, 0},
      {"two.gif", "-monochrome", pf1bit, 0},
      {"animated.gif", "'(' -clone 0 -negate ')' -loop 0", pf8bit, 0},
      {"top.tga", "-type TrueColor -orient TopLeft", pf32bit, 0},
      {"runs.tga", "-type TrueColor -orient TopLeft -compress RLE", pf32bit, 0},
      {"mapped.tga", "-orient TopLeft -type Palette", pf8bit, 0},
  };
  for (const Case& c : cases) {
    const std::string file = path(c.name);
    ASSERT_EQ(std::system(("convert '" + source + "' " + c.options + " '" + file + "'").c_str()), 0) << c.name;
    TBitmap picture;
    LoadPicture(file, picture);
    EXPECT_EQ(picture.PixelFormat(), c.format) << c.name;
    const int difference = largestDifference(rgbOf(picture), imageMagickRgb(file, path("raw")));
    EXPECT_LE(difference, c.tolerance) << c.name;
  }
}

TEST(TgaFiles, BottomUpRightToLeftAndRunsAcrossRows) {
  // A 3 x 2 true-colour picture stored from the bottom, right to left, as runs that cross rows.
  std::vector<std::uint8_t> file(18, 0);
  file[2] = 10;  // run-length true colour
  file[12] = 3, file[14] = 2, file[16] = 24, file[17] = 0x10;
  const auto pixel = [&file](std::uint8_t b, std::uint8_t g, std::uint8_t r) { file.insert(file.end(), {b, g, r}); };
  file.push_back(0x83), pixel(0, 0, 255);  // four red: the bottom row and one of the top
  file.push_back(0x01), pixel(0, 255, 0), pixel(255, 0, 0);
  TBitmap bmp;
  ReadTga(file.data(), file.size(), bmp);
  EXPECT_EQ(bmp.PixelFormat(), pf32bit);
  EXPECT_EQ(coloursOf(bmp), (std::vector<TColor>{clBlue, clLime, clRed, clRed, clRed, clRed}));

  // Colour-mapped 15-bit entries from index 2: two entries, so 1 bit a pixel.
  std::vector<std::uint8_t> mapped(18, 0);
  mapped[1] = 1, mapped[2] = 1, mapped[3] = 2, mapped[5] = 2, mapped[7] = 15;
  mapped[12] = 2, mapped[14] = 1, mapped[16] = 8, mapped[17] = 0x20;
  mapped.insert(mapped.end(), {0x00, 0x7C, 0x1F, 0x00, 3, 2});  // red, blue; pixels 3 and 2
  ReadTga(mapped.data(), mapped.size(), bmp);
  EXPECT_EQ(bmp.PixelFormat(), pf1bit);
  EXPECT_EQ(coloursOf(bmp), (std::vector<TColor>{clBlue, clRed}));
}

TEST_F(PictureFormats, DamagedAndCutFilesAreRefusedAndThePictureStays) {
  TBitmap picture(40, 30, pf8bit);
  fillPattern(picture, 60);
  SaveWebpFile(picture, path("p.webp"));
  SaveTiffFile(picture, path("p.tif"));
  SaveGifFile(picture, path("p.gif"));
  if (haveImageMagick()) {
    ASSERT_EQ(std::system(("convert '" + path("p.gif") + "' -orient TopLeft -compress RLE '" + path("p.tga") + "'").c_str()), 0);
  }
  for (const char* name : {"p.webp", "p.tif", "p.gif", "p.tga"}) {
    if (!fs::exists(path(name))) continue;
    const std::vector<std::uint8_t> whole = bytesOf(path(name));
    const std::string ext = ExtensionOf(name);
    int refused = 0;
    // Cut at many lengths, and a run of bytes overwritten at many places.
    for (std::size_t n = 0; n < whole.size(); n += 1 + whole.size() / 40) {
      std::vector<std::uint8_t> bytes(whole.begin(), whole.begin() + std::ptrdiff_t(n));
      writeBytes(path("cut" + ext), bytes);
      bytes = whole;
      for (std::size_t i = n; i < std::min(n + 8, bytes.size()); ++i) bytes[i] ^= 0xA5;
      writeBytes(path("bad" + ext), bytes);
      for (const char* damaged : {"cut", "bad"}) {
        TBitmap out(3, 2, pf24bit);
        out.SetPixel(1, 1, clRed);
        try {
          LoadPicture(path(damaged + ext), out);
          continue;  // a change the format does not notice still gives a picture
        } catch (const ESurfaceError& e) {
          EXPECT_FALSE(std::string(e.what()).empty());
          ++refused;
        }
        EXPECT_EQ(out.Width(), 3) << name;
        EXPECT_EQ(out.PixelFormat(), pf24bit) << name;
        EXPECT_EQ(out.GetPixel(1, 1), clRed) << name;
      }
    }
    EXPECT_GT(refused, 30) << name;
  }
}

TEST_F(PictureFormats, HeadersBeyondTheLimitsAreRefusedAsTooLarge) {
  // TIFF: 100000 x 100000 in a few bytes, written by libtiff from a 1 x 1 picture and patched.
  TBitmap tiny(1, 1, pf24bit);
  std::vector<std::uint8_t> tiff;
  WriteTiff(tiny, [&tiff](const std::uint8_t* d, std::size_t n) { tiff.insert(tiff.end(), d, d + n); });
  // The directory holds ImageWidth (256) and ImageLength (257) as SHORT or LONG entries.
  const std::uint32_t ifd = tiff[4] | (tiff[5] << 8) | (tiff[6] << 16) | (std::uint32_t(tiff[7]) << 24);
  const int entries = tiff[ifd] | (tiff[ifd + 1] << 8);
  for (int e = 0; e < entries; ++e) {
    std::uint8_t* entry = &tiff[ifd + 2 + 12 * std::size_t(e)];
    const int tag = entry[0] | (entry[1] << 8);
    if (tag != 256 && tag != 257) continue;
    entry[2] = 4, entry[3] = 0;  // LONG
    entry[8] = 0xA0, entry[9] = 0x86, entry[10] = 0x01, entry[11] = 0;  // 100000
  }
  // GIF: a logical screen of 65535 x 65535 with a 256-colour table.
  std::vector<std::uint8_t> gif{'G', 'I', 'F', '8', '9', 'a', 0xFF, 0xFF, 0xFF, 0xFF, 0xF7, 0, 0};
  gif.resize(gif.size() + 768, 0);
  gif.insert(gif.end(), {',', 0, 0, 0, 0, 1, 0, 1, 0, 0, 8, 2, 0x00, 0x01, 0, ';'});
  // TGA: 65535 x 65535 at 32 bits.
  std::vector<std::uint8_t> tga(18, 0);
  tga[2] = 2, tga[12] = 0xFF, tga[13] = 0xFF, tga[14] = 0xFF, tga[15] = 0xFF, tga[16] = 32;
  struct Case {
    const char* name;
    const std::vector<std::uint8_t>& bytes;
    const char* message;
  };
  for (const Case& c : {Case{"huge.tif", tiff, "ビットマップが大きすぎます (100000 x 100000)"},
                        Case{"huge.gif", gif, "ビットマップが大きすぎます (65535 x 65535)"},
                        Case{"huge.tga", tga, "ビットマップが大きすぎます (65535 x 65535)"}}) {
    writeBytes(path(c.name), c.bytes);
    TBitmap out;
    bool tooLarge = false;
    try {
      LoadPicture(path(c.name), out);
    } catch (const EOutOfResources& e) {
      tooLarge = true;
      EXPECT_EQ(std::string(e.what()), c.message) << c.name;
    }
    EXPECT_TRUE(tooLarge) << c.name;
    EXPECT_TRUE(out.Empty()) << c.name;
  }
}

TEST(PictureFormatNames, NewExtensionsOpenInAnyCaseAndSaveOnlyInLowerCase) {
  EXPECT_EQ(SaveFormatOf("a.webp"), TSaveFormat::Webp);
  EXPECT_EQ(SaveFormatOf("a.tif"), TSaveFormat::Tiff);
  EXPECT_EQ(SaveFormatOf("a.tiff"), TSaveFormat::Tiff);
  EXPECT_EQ(SaveFormatOf("a.gif"), TSaveFormat::Gif);
  for (const char* name : {"a.WEBP", "a.Tif", "a.GIF", "a.tga", "a.TGA"}) EXPECT_EQ(SaveFormatOf(name), TSaveFormat::None) << name;
  TBitmap out;
  for (const char* name : {"/nowhere/a.WEBP", "/nowhere/a.Tiff", "/nowhere/a.GIF", "/nowhere/a.Tga"})
    EXPECT_EQ(ErrorMessageOf([&] { LoadPicture(name, out); }), "ファイル " + std::string(name) + " は開けません");
}
