// PngSuite: every valid file decodes to libpng's pixels in the bitmap format its colour type
// and depth call for; the corrupt x*.png files are refused with the decoder's messages, or
// load where the damage is one the decoder does not look at (CRCs, a missing image).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "png/png_libpng_reference.h"
#include "png/png_picture_check.h"
#include "png/viraviz.h"

namespace {

const std::filesystem::path kSuite = std::filesystem::path(ZUDOZO_TESTDATA) / "pngsuite";

std::vector<std::uint8_t> fileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The suite's names end in colour type and depth ("...n3p02"): the bitmap format they become.
TPixelFormat expectedFormat(const std::string& stem) {
  const char type = stem[stem.size() - 4];
  const int depth = std::stoi(stem.substr(stem.size() - 2));
  if (type == '2' || type == '6') return pf24bit;
  return depth == 1 ? pf1bit : depth <= 4 ? pf4bit : pf8bit;
}

TEST(PngSuite, ValidFilesMatchLibpngInTheirFormat) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(kSuite)) {
    const std::string stem = entry.path().stem().string();
    if (entry.path().extension() != ".png" || stem[0] == 'x') continue;
    const std::vector<std::uint8_t> bytes = fileBytes(entry.path());
    LibpngImage ref;
    ASSERT_TRUE(ReadLibpngReference(bytes, ref)) << stem;
    VIRAVIZ pic;
    try {
      EXPECT_EQ(pic.LoadFromStream(bytes.data(), bytes.size()), bytes.size()) << stem;
    } catch (const ESurfaceError& e) {
      ADD_FAILURE() << stem << ": " << e.what();
      continue;
    }
    EXPECT_EQ(pic.Image.PixelFormat(), expectedFormat(stem)) << stem;
    EXPECT_EQ(pic.InterlaceOption, stem[3] == 'i') << stem;
    ExpectPictureMatches(pic, ref, stem);
    ++count;
  }
  EXPECT_GT(count, 150);
}

TEST(PngSuite, CorruptFilesAreRefusedOrLoadAsTheDecoderReadsThem) {
  const std::vector<std::pair<std::string, std::string>> refused = {
      {"xc1n0g08", "Read Header(PNG): Error ColorType"},  // colour type 1
      {"xc9n2c08", "Read Header(PNG): Error ColorType"},  // 9: no type of the format
      {"xdtn0g01", "Read Image (PNG): Read Error"},       // no image data: no picture
      {"xcrn0g04", "PNG LoadStream: Not PNG Format"},     // signature bytes changed in transit
      {"xlfn0g04", "PNG LoadStream: Not PNG Format"},
      {"xs1n0g01", "PNG LoadStream: Not PNG Format"},
      {"xs2n0g01", "PNG LoadStream: Not PNG Format"},
      {"xs4n0g01", "PNG LoadStream: Not PNG Format"},
      {"xs7n0g01", "PNG LoadStream: Not PNG Format"},
      {"xd0n2c08", "Read Header(PNG): Error BitDepth"},  // RGB at 0, 3 and 99 bits
      {"xd3n2c08", "Read Header(PNG): Error BitDepth"},
      {"xd9n2c08", "Read Header(PNG): Error BitDepth"},
  };
  for (const auto& [stem, message] : refused) {
    const std::vector<std::uint8_t> bytes = fileBytes(kSuite / (stem + ".png"));
    VIRAVIZ pic;
    try {
      pic.LoadFromStream(bytes.data(), bytes.size());
      ADD_FAILURE() << stem << " loaded";
    } catch (const DEZOZIR& e) {
      EXPECT_EQ(std::string(e.what()), message) << stem;
    }
  }

  // Wrong CRCs are not checked: these load as the files they were damaged from.
  for (const auto& [stem, original] : {std::pair{"xcsn0g01", "basn0g01"}, {"xhdn0g08", "basn0g08"}}) {
    const std::vector<std::uint8_t> bytes = fileBytes(kSuite / (std::string(stem) + ".png"));
    LibpngImage ref;
    ASSERT_TRUE(ReadLibpngReference(fileBytes(kSuite / (std::string(original) + ".png")), ref));
    VIRAVIZ pic;
    pic.LoadFromStream(bytes.data(), bytes.size());
    ExpectPictureMatches(pic, ref, stem);
  }
}

}  // namespace
