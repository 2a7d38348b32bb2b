// Replays the PNG fuzz target's saved corpus, and PngSuite, without libFuzzer: inputs that once
// broke the decoder stay tested on every run.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "../../fuzz/png_fuzz_entry.h"

namespace {

void replayFolder(const std::filesystem::path& folder, int& count) {
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_TRUE(PngDecodeHolds(bytes.data(), bytes.size())) << entry.path();
    // The same input down the other path: the last byte picks it.
    if (!bytes.empty()) bytes.push_back(std::uint8_t(bytes.back() ^ 1));
    EXPECT_TRUE(PngDecodeHolds(bytes.data(), bytes.size())) << entry.path() << " (other path)";
    ++count;
  }
}

TEST(PngCorpus, EverySavedInputDecodesOrFailsCleanlyAndRoundTrips) {
  int corpus = 0, suite = 0;
  replayFolder(std::filesystem::path(ZUDOZO_TESTS_DIR) / "../fuzz/corpus/png", corpus);
  replayFolder(std::filesystem::path(ZUDOZO_TESTDATA) / "pngsuite", suite);
  EXPECT_GT(corpus, 5);
  EXPECT_GT(suite, 150);
}

}  // namespace
