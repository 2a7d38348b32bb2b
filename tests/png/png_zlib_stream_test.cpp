// Image data compressed whole and in bands must inflate, with any standard reader, to exactly
// what went in, under the header zlib itself writes for the level.
#include <gtest/gtest.h>
#include <zlib.h>

#include <random>
#include <vector>

#include "png/deflate_block_walk.h"
#include "png/png_zlib_stream.h"

namespace {

std::vector<std::uint8_t> Inflated(const std::vector<std::uint8_t>& stream, std::size_t expected) {
  std::vector<std::uint8_t> out(expected + 16);
  uLongf size = uLongf(out.size());
  EXPECT_EQ(uncompress(out.data(), &size, stream.data(), uLong(stream.size())), Z_OK);
  out.resize(size);
  return out;
}

// Kinds of data that make the compressor choose stored, fixed and dynamic blocks.
std::vector<std::uint8_t> Sample(int kind, std::size_t size) {
  std::vector<std::uint8_t> data(size);
  std::mt19937 random(unsigned(kind) + 1);
  for (std::size_t i = 0; i < size; ++i) {
    switch (kind) {
      case 0: data[i] = 0; break;                                   // one long run
      case 1: data[i] = std::uint8_t(random()); break;              // noise: stored blocks
      case 2: data[i] = std::uint8_t((i / 3 % 251) + random() % 5); break;  // photo-like rows
      default: data[i] = "the quick brown fox "[i % 20]; break;     // text-like
    }
  }
  return data;
}

}  // namespace

TEST(PngZlibStream, BandsJoinIntoOneStandardStreamAtEveryLevel) {
  for (int kind = 0; kind < 4; ++kind) {
    for (std::size_t size : {std::size_t(1), std::size_t(1000), std::size_t(700001)}) {
      const std::vector<std::uint8_t> data = Sample(kind, size);
      for (int level : {1, 6, 9}) {
        std::vector<std::uint8_t> reference(compressBound(uLong(size)));
        uLongf referenceSize = uLongf(reference.size());
        ASSERT_EQ(compress2(reference.data(), &referenceSize, data.data(), uLong(size), level), Z_OK);
        for (std::size_t bands : {1, 2, 3, 7}) {
          const std::vector<std::uint8_t> stream = CompressZlibStream(data.data(), size, level, bands);
          ASSERT_GE(stream.size(), 6u);
          EXPECT_EQ(stream[0], reference[0]) << "zlib's header";
          EXPECT_EQ(stream[1], reference[1]) << "with the level's bits";
          EXPECT_EQ(Inflated(stream, size), data)
              << "kind " << kind << " size " << size << " level " << level << " bands " << bands;
        }
      }
    }
  }
}

TEST(PngZlibStream, LastBlockFoundInStoredFixedAndDynamicStreams) {
  const std::vector<std::uint8_t> data = Sample(3, 300000);
  struct Case { int level, strategy; };
  for (const Case c : {Case{0, Z_DEFAULT_STRATEGY}, Case{6, Z_FIXED}, Case{6, Z_DEFAULT_STRATEGY},
                       Case{9, Z_HUFFMAN_ONLY}}) {
    z_stream z{};
    ASSERT_EQ(deflateInit2(&z, c.level, Z_DEFLATED, -15, 8, c.strategy), Z_OK);
    std::vector<std::uint8_t> raw(deflateBound(&z, uLong(data.size())));
    z.next_in = const_cast<Bytef*>(data.data());
    z.avail_in = uInt(data.size());
    z.next_out = raw.data();
    z.avail_out = uInt(raw.size());
    ASSERT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
    raw.resize(z.total_out);
    deflateEnd(&z);
    const auto block = FindLastDeflateBlock(raw.data(), raw.size());
    ASSERT_TRUE(block) << c.level;
    EXPECT_EQ((block->endBit + 7) / 8, raw.size()) << "the stream ends with its last block";
    EXPECT_NE(raw[block->headerBit / 8] & (1 << (block->headerBit % 8)), 0) << "the final mark";
    // A cut-off stream has no last block.
    EXPECT_FALSE(FindLastDeflateBlock(raw.data(), raw.size() / 2));
  }
}
