// Replays the WebP, TIFF, GIF and TGA fuzz targets' saved corpora without libFuzzer: the seed
// files of every kind the readers take, and inputs that once broke a reader, on every run.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "../../fuzz/picture_formats_fuzz_entry.h"

namespace {

TEST(PictureFormatsCorpus, EverySavedInputReadsOrFailsCleanlyAndRoundTrips) {
  struct Corpus {
    const char* folder;
    TFuzzedFormat format;
    int atLeast;
  };
  for (const Corpus c : {Corpus{"webp", TFuzzedFormat::Webp, 4}, Corpus{"tiff", TFuzzedFormat::Tiff, 13},
                         Corpus{"gif", TFuzzedFormat::Gif, 5}, Corpus{"tga", TFuzzedFormat::Tga, 6}}) {
    int count = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(ZUDOZO_TESTS_DIR) / "../fuzz/corpus" / c.folder)) {
      std::ifstream in(entry.path(), std::ios::binary);
      const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
      EXPECT_TRUE(PictureRoundTripHolds(c.format, bytes.data(), bytes.size())) << entry.path();
      ++count;
    }
    EXPECT_GE(count, c.atLeast) << c.folder;
  }
}

}  // namespace
