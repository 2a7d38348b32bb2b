// Image data inflated in one go must decode exactly as when streamed row by row: the same
// pixels, padding, alpha mask, transparency and end position, or the same error, for whole,
// split, cut, damaged and overlong image data of several kinds. Also the vector row filters
// against the byte-by-byte ones.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "png/adam7.h"
#include "png/png_decoder.h"
#include "png/png_test_writer.h"
#include "png/png_unfilter.h"

namespace {

struct Outcome {
  std::string error;
  std::uint64_t position = 0;
  VIRAVIZ pic;
};

void decode(const PngBytes& file, bool wideRgb, bool inflateWhole, Outcome& out) {
  PngByteReader in(file.data(), file.size());
  try {
    PngDecoder(in, out.pic, wideRgb, inflateWhole).Run();
  } catch (const DEZOZIR& e) {
    out.error = e.what();
  }
  out.position = in.Position();
}

bool samePixels(const TBitmap& a, const TBitmap& b) {
  return a.PixelFormat() == b.PixelFormat() && a.Width() == b.Width() && a.Height() == b.Height() &&
         (a.Empty() || std::memcmp(a.Bits(), b.Bits(), a.ByteSize()) == 0);
}

void expectSameDecoding(const PngBytes& file, const std::string& name) {
  for (bool wideRgb : {false, true}) {
    Outcome whole, streamed;
    decode(file, wideRgb, true, whole);
    decode(file, wideRgb, false, streamed);
    ASSERT_EQ(whole.error, streamed.error) << name;
    if (!whole.error.empty()) continue;
    ASSERT_EQ(whole.position, streamed.position) << name;
    ASSERT_TRUE(samePixels(whole.pic.Image, streamed.pic.Image)) << name;
    ASSERT_EQ(whole.pic.HasAlpha, streamed.pic.HasAlpha) << name;
    if (whole.pic.HasAlpha) {
      ASSERT_TRUE(samePixels(whole.pic.AlphaMask, streamed.pic.AlphaMask)) << name;
    }
    ASSERT_EQ(whole.pic.Image.Transparent, streamed.pic.Image.Transparent) << name;
    ASSERT_EQ(whole.pic.TransparentColor, streamed.pic.TransparentColor) << name;
  }
}

struct Kind {
  int colorType, depth, channels;
  bool interlaced;
};

// The filtered rows of a random picture, each row (of each pass) with a random filter byte.
PngBytes randomRows(const Kind& kind, int width, int height, std::mt19937& rng) {
  const int bits = kind.depth * kind.channels, step = std::max(1, bits / 8);
  PngBytes data;
  const std::vector<TAdam7Pass> passes =
      kind.interlaced ? std::vector<TAdam7Pass>(kAdam7Passes.begin(), kAdam7Passes.end()) : std::vector{TAdam7Pass{0, 0, 1, 1}};
  for (const TAdam7Pass& pass : passes) {
    const int columns = pass.Columns(width);
    PngBytes prev;
    for (int y = 0; columns > 0 && y < pass.Rows(height); ++y) {
      PngBytes raw((std::size_t(columns) * bits + 7) / 8);
      for (std::uint8_t& b : raw) b = std::uint8_t(rng() % 4 == 0 ? rng() : 128);
      const PngBytes row = FilterRow(int(rng() % 5), raw, prev, step);
      data.insert(data.end(), row.begin(), row.end());
      prev = raw;
    }
  }
  return data;
}

// The file with its image data in IDAT chunks of at most pieceBytes bytes, and a grey or RGB key.
PngBytes fileOf(const Kind& kind, int width, int height, const PngBytes& zlib, std::size_t pieceBytes) {
  PngBytes f = PngSignature();
  PutChunk(f, "IHDR", IhdrData(width, height, kind.depth, kind.colorType, kind.interlaced));
  if (kind.colorType == 3) PutChunk(f, "PLTE", PngBytes(3 << kind.depth, 77));
  if (kind.colorType == 0) PutChunk(f, "tRNS", {0, 1});
  for (std::size_t at = 0; at < zlib.size(); at += pieceBytes)
    PutChunk(f, "IDAT", PngBytes(zlib.begin() + at, zlib.begin() + std::min(zlib.size(), at + pieceBytes)));
  PutChunk(f, "IEND", {});
  return f;
}

TEST(PngWholeInflate, DecodesExactlyAsStreamingWhateverTheData) {
  const std::vector<Kind> kinds = {{2, 8, 3, false}, {6, 8, 4, false}, {0, 1, 1, false},
                                   {3, 2, 1, false}, {0, 16, 1, true},  {2, 8, 3, true}};
  std::mt19937 rng(17);
  for (const Kind& kind : kinds) {
    const int width = 5 + int(rng() % 40), height = 3 + int(rng() % 20);
    const PngBytes rows = randomRows(kind, width, height, rng);
    const PngBytes zlib = Compress(rows);
    const std::string name = "type " + std::to_string(kind.colorType) + " depth " + std::to_string(kind.depth) +
                             (kind.interlaced ? " interlaced" : "");
    PngBytes overlong = rows;
    overlong.insert(overlong.end(), 5, 0);
    PngBytes badCheck = zlib;
    badCheck.back() ^= 1;
    PngBytes badFilter = rows;
    badFilter[rows.size() / 2] = 9;
    const std::vector<std::pair<std::string, PngBytes>> streams = {
        {"whole", zlib},
        {"overlong", Compress(overlong)},
        {"short", Compress(PngBytes(rows.begin(), rows.end() - 3))},
        {"check", badCheck},
        {"no check", PngBytes(zlib.begin(), zlib.end() - 4)},
        {"filter", Compress(badFilter)}};
    for (const auto& [what, stream] : streams) {
      for (std::size_t piece : {std::size_t(100000), std::size_t(7)}) {
        const PngBytes file = fileOf(kind, width, height, stream, piece);
        expectSameDecoding(file, name + " " + what + " in pieces of " + std::to_string(piece));
        if (what != "whole") continue;
        for (std::size_t cut = 40; cut < file.size(); cut += 1 + file.size() / 23)
          expectSameDecoding(PngBytes(file.begin(), file.begin() + cut), name + " cut at " + std::to_string(cut));
        for (std::size_t at = 60; at < file.size() - 12; at += 1 + file.size() / 17) {
          PngBytes damaged = file;
          damaged[at] ^= 0x5A;
          expectSameDecoding(damaged, name + " damaged at " + std::to_string(at));
        }
      }
    }
  }
}

TEST(PngUnfilter, VectorPathsMatchTheByteByByteOne) {
  std::mt19937 rng(5);
  // Bytes near the ends of the range and equal neighbours tie the Paeth predictor's choices.
  const std::uint8_t edgy[] = {0, 1, 2, 127, 128, 129, 253, 254, 255};
  for (int filter = 0; filter <= 4; ++filter) {
    for (int step : {1, 2, 3, 4, 6, 8}) {
      for (int round = 0; round < 40; ++round) {
        const std::size_t bytes = std::size_t(step) * (round < 3 ? std::size_t(round) : 1 + rng() % 300);
        PngBytes row(bytes), prev(bytes);
        for (std::size_t i = 0; i < bytes; ++i) {
          row[i] = round % 2 ? edgy[rng() % 9] : std::uint8_t(rng());
          prev[i] = round % 2 ? edgy[rng() % 9] : std::uint8_t(rng());
        }
        PngBytes fast = row, plain = row;
        ASSERT_TRUE(UnfilterPngRow(std::uint8_t(filter), fast.data(), prev.data(), bytes, step));
        ASSERT_TRUE(UnfilterPngRowScalar(std::uint8_t(filter), plain.data(), prev.data(), bytes, step));
        ASSERT_EQ(fast, plain) << "filter " << filter << " step " << step << " bytes " << bytes;
      }
    }
  }
  PngBytes row(6, 1), prev(6, 2);
  EXPECT_FALSE(UnfilterPngRow(5, row.data(), prev.data(), 6, 3));
  EXPECT_EQ(row, PngBytes(6, 1));
}

}  // namespace
