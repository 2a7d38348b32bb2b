// Replays the JPEG fuzz target's saved corpus without libFuzzer: inputs that once broke the
// reader stay tested on every run.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "../../fuzz/jpeg_fuzz_entry.h"

namespace {

TEST(JpegCorpus, EverySavedInputReadsOrFailsCleanlyAndRoundTrips) {
  int count = 0;
  for (const auto& entry :
       std::filesystem::recursive_directory_iterator(std::filesystem::path(ZUDOZO_TESTS_DIR) / "../fuzz/corpus/jpeg")) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_TRUE(JpegRoundTripHolds(bytes.data(), bytes.size())) << entry.path();
    ++count;
  }
  EXPECT_GE(count, 6);
}

}  // namespace
