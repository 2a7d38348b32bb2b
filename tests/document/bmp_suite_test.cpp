// The BMP Suite pictures: good files load to their reference pixels, questionable ones load or
// fail as this reader decides, bad ones fail with the codec's error.
#include <gtest/gtest.h>

#include <map>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "document/bmp_file.h"
#include "document/bmp_png_reference.h"
#include "surface/surface_error.h"

namespace {

const std::string kSuite = std::string(ZUDOZO_TESTDATA) + "/bmpsuite/";

std::vector<std::uint8_t> fileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct SuiteCase {
  const char* file;       // under the suite folder
  const char* reference;  // PNG under reference/, or nullptr: loads, pixels not compared
  TPixelFormat format;
  int tolerance = 0;      // per colour component
};

// 15 and 16-bit pixels widen to 8 bits by repeating their top bits, the reference by rounding:
// the two differ by one in a few levels (5-bit 3 is 24 here, 25 there).
int tolerance(const SuiteCase& c) {
  return std::max(c.tolerance, c.format == pf15bit || c.format == pf16bit ? 1 : 0);
}

bool near(TColor a, TColor b, int tol) {
  for (int shift = 0; shift < 24; shift += 8)
    if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > tol) return false;
  return true;
}

void expectMatchesReference(const TBitmap& bmp, const SuiteCase& c) {
  PngReference ref;
  ASSERT_TRUE(ReadPngReference(kSuite + "reference/" + c.reference, ref)) << c.reference;
  ASSERT_EQ(bmp.Width(), ref.width) << c.file;
  ASSERT_EQ(bmp.Height(), ref.height) << c.file;
  int wrong = 0;
  for (int y = 0; y < ref.height; ++y)
    for (int x = 0; x < ref.width; ++x)
      if (!near(bmp.GetPixel(x, y), ref.At(x, y), tolerance(c)) && wrong++ < 3)
        ADD_FAILURE() << c.file << " at " << x << "," << y << ": " << std::hex << bmp.GetPixel(x, y)
                      << " expected " << ref.At(x, y);
  EXPECT_EQ(wrong, 0) << c.file;
}

void expectLoads(const SuiteCase& c) {
  const std::vector<std::uint8_t> bytes = fileBytes(kSuite + c.file);
  ASSERT_FALSE(bytes.empty()) << c.file;
  TBitmap bmp;
  try {
    ReadBmp(bytes.data(), bytes.size(), bmp);
  } catch (const ESurfaceError& e) {
    ADD_FAILURE() << c.file << ": " << e.what();
    return;
  }
  EXPECT_EQ(bmp.PixelFormat(), c.format) << c.file;
  if (c.reference) expectMatchesReference(bmp, c);
}

void expectFails(const std::string& file) {
  const std::vector<std::uint8_t> bytes = fileBytes(kSuite + file);
  ASSERT_FALSE(bytes.empty()) << file;
  TBitmap bmp(3, 2, pf24bit);
  bmp.SetPixel(1, 1, clRed);
  try {
    ReadBmp(bytes.data(), bytes.size(), bmp);
    ADD_FAILURE() << file << " loaded";
  } catch (const EInvalidGraphic& e) {
    EXPECT_STREQ(e.what(), "ビットマップイメージが不正です") << file;
  }
  // The bitmap is untouched by the failure.
  EXPECT_EQ(bmp.Width(), 3);
  EXPECT_EQ(bmp.PixelFormat(), pf24bit);
  EXPECT_EQ(bmp.GetPixel(1, 1), clRed);
}

TEST(BmpSuite, GoodFilesLoadToTheirReferencePixelsInTheirOwnFormat) {
  const SuiteCase cases[] = {
      {"g/pal1.bmp", "pal1.png", pf1bit},           {"g/pal1wb.bmp", "pal1.png", pf1bit},
      {"g/pal1bg.bmp", "pal1bg.png", pf1bit},       {"g/pal4.bmp", "pal4.png", pf4bit},
      {"g/pal4gs.bmp", "pal4gs.png", pf4bit},       {"g/pal4rle.bmp", "pal4.png", pf4bit},
      {"g/pal8.bmp", "pal8.png", pf8bit},           {"g/pal8-0.bmp", "pal8.png", pf8bit},
      {"g/pal8gs.bmp", "pal8gs.png", pf8bit},       {"g/pal8rle.bmp", "pal8.png", pf8bit},
      {"g/pal8w126.bmp", "pal8w126.png", pf8bit},   {"g/pal8w125.bmp", "pal8w125.png", pf8bit},
      {"g/pal8w124.bmp", "pal8w124.png", pf8bit},   {"g/pal8topdown.bmp", "pal8.png", pf8bit},
      {"g/pal8nonsquare.bmp", "pal8nonsquare-e.png", pf8bit},
      {"g/pal8os2.bmp", "pal8.png", pf8bit},        {"g/pal8v4.bmp", "pal8.png", pf8bit},
      {"g/pal8v5.bmp", "pal8.png", pf8bit},         {"g/rgb16.bmp", "rgb16.png", pf15bit},
      {"g/rgb16bfdef.bmp", "rgb16.png", pf15bit},   {"g/rgb16-565.bmp", "rgb16-565.png", pf16bit},
      {"g/rgb16-565pal.bmp", "rgb16-565.png", pf16bit},
      {"g/rgb24.bmp", "rgb24.png", pf24bit},        {"g/rgb24pal.bmp", "rgb24.png", pf24bit},
      {"g/rgb32.bmp", "rgb24.png", pf32bit},        {"g/rgb32bfdef.bmp", "rgb24.png", pf32bit},
      {"g/rgb32bf.bmp", "rgb24.png", pf32bit},
  };
  for (const SuiteCase& c : cases) expectLoads(c);
  // Every good file is listed above.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(kSuite + "g"), {}), std::ssize(cases));
}

// Questionable files: what this reader makes of each. RLE pixels that the runs skip are index 0
// (the "-0" references); alpha and unused bits are dropped; colour profiles are ignored.
// Masks of other widths scale to 8 bits with rounding; one 11-bit red level of rgb32-111110
// lies just past a half step and rounds one above its reference.
TEST(BmpSuite, QuestionableFilesLoadOrFailAsDecided) {
  const SuiteCase loads[] = {
      {"q/pal1p1.bmp", "pal1p1.png", pf1bit},             // one-colour palette
      {"q/pal2.bmp", "pal2.png", pf4bit},                 // 2-bit indices widen to 4 bits
      {"q/pal2color.bmp", "pal2color.png", pf4bit},
      {"q/pal4rletrns.bmp", "pal4rletrns-0.png", pf4bit}, {"q/pal4rlecut.bmp", "pal4rlecut-0.png", pf4bit},
      {"q/pal8rletrns.bmp", "pal8rletrns-0.png", pf8bit}, {"q/pal8rlecut.bmp", "pal8rlecut-0.png", pf8bit},
      {"q/pal8offs.bmp", "pal8.png", pf8bit},             {"q/pal8oversizepal.bmp", "pal8.png", pf8bit},
      {"q/pal8os2-hs.bmp", "pal8.png", pf8bit},           {"q/pal8os2-sz.bmp", "pal8.png", pf8bit},
      {"q/pal8os2sp.bmp", "pal8.png", pf8bit},            {"q/pal8os2v2.bmp", "pal8.png", pf8bit},
      {"q/pal8os2v2-16.bmp", "pal8.png", pf8bit},         {"q/pal8os2v2-sz.bmp", "pal8.png", pf8bit},
      {"q/pal8os2v2-40sz.bmp", "pal8.png", pf8bit},       {"q/rgb16faketrns.bmp", "rgb16.png", pf15bit},
      {"q/rgb16-231.bmp", "rgb16-231.png", pf32bit},      {"q/rgb16-3103.bmp", "rgb16-3103.png", pf32bit},
      {"q/rgba16-4444.bmp", nullptr, pf32bit},            {"q/rgba16-5551.bmp", nullptr, pf15bit},
      {"q/rgba16-1924.bmp", nullptr, pf32bit},            {"q/rgb24largepal.bmp", "rgb24.png", pf24bit},
      {"q/rgb24prof.bmp", "rgb24.png", pf24bit},          {"q/rgb24lprof.bmp", "rgb24.png", pf24bit},
      {"q/rgb24prof2.bmp", nullptr, pf24bit},             {"q/rgb32fakealpha.bmp", "rgb24.png", pf32bit},
      {"q/rgb32-111110.bmp", "rgb24.png", pf32bit, 1},     {"q/rgb32-7187.bmp", "rgb32-7187.png", pf32bit},
      {"q/rgb32-xbgr.bmp", "rgb24.png", pf32bit},         {"q/rgb32h52.bmp", "rgb24.png", pf32bit},
      {"q/rgba32-1.bmp", nullptr, pf32bit},               {"q/rgba32-2.bmp", nullptr, pf32bit},
      {"q/rgba32-1010102.bmp", nullptr, pf32bit},         {"q/rgba32-81284.bmp", nullptr, pf32bit},
      {"q/rgba32-61754.bmp", nullptr, pf32bit},           {"q/rgba32abf.bmp", nullptr, pf32bit},
      {"q/rgba32h56.bmp", nullptr, pf32bit},
  };
  for (const SuiteCase& c : loads) expectLoads(c);
  // Compressions and depths this reader does not decode.
  const char* fails[] = {"q/pal1huffmsb.bmp", "q/rgb24rle24.bmp", "q/rgb24jpeg.bmp", "q/rgb24png.bmp",
                         "q/rgba64.bmp"};
  for (const char* f : fails) expectFails(f);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(kSuite + "q"), {}),
            std::ssize(loads) + std::ssize(fails));
}

TEST(BmpSuite, BadFilesFailWithTheCodecsErrorAndLeaveTheBitmapAlone) {
  // Damaged only in fields the reader does not need (sizes, resolution), or with rows running
  // past the picture's width: these open, as they do in mainstream readers.
  const std::map<std::string, TPixelFormat> opened = {
      {"badbitssize.bmp", pf1bit}, {"badfilesize.bmp", pf1bit}, {"baddens1.bmp", pf1bit}, {"baddens2.bmp", pf1bit}, {"badrle4bis.bmp", pf4bit}, {"badrlebis.bmp", pf8bit}};
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(kSuite + "b")) {
    const std::string name = entry.path().filename().string();
    if (opened.count(name)) {
      const std::string file = "b/" + name;
      expectLoads(SuiteCase{file.c_str(), nullptr, opened.at(name)});
    } else {
      expectFails("b/" + name);
    }
    ++count;
  }
  EXPECT_EQ(count, 20);
}

}  // namespace
