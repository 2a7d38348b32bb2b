// Replays the bitmap fuzz target's saved corpus, and the BMP Suite files, without libFuzzer:
// inputs that once broke the reader stay tested on every run.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "../../fuzz/bmp_fuzz_entry.h"

namespace {

void replayFolder(const std::filesystem::path& folder, int& count) {
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_TRUE(BmpRoundTripHolds(bytes.data(), bytes.size())) << entry.path();
    ++count;
  }
}

TEST(BmpCorpus, EverySavedInputReadsOrFailsCleanlyAndRoundTrips) {
  int corpus = 0, suite = 0;
  replayFolder(std::filesystem::path(ZUDOZO_TESTS_DIR) / "../fuzz/corpus/bmp", corpus);
  replayFolder(std::filesystem::path(ZUDOZO_TESTDATA) / "bmpsuite", suite);
  EXPECT_GT(corpus, 5);
  EXPECT_GT(suite, 80);
}

}  // namespace
