// Large pictures that share their pixels in blocks: every copy keeps exactly the pixels it had
// whoever writes, through rows and through the canvas, over several rounds of copies, writes
// and releases; a copy that cannot get its memory changes nothing.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <set>
#include <vector>

#include "support/failing_allocations.h"
#include "surface/bitmap.h"
#include "surface/canvas.h"
#include "surface/pixel_memory.h"
#include "surface/pixel_pool.h"
#include "surface/surface_error.h"

namespace {

// 1501 x 1203 at 32 bits is a little over 55 blocks, its last one partly used.
constexpr int kWidth = 1501, kHeight = 1203;

void fillPattern(TBitmap& b) {
  for (int y = 0; y < b.Height(); ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(b.MutableRow(y));
    for (int x = 0; x < b.Width(); ++x) row[x] = std::uint32_t(x * 7 + y * 131) & 0xFFFFFF;
  }
}

// The same picture drawn on memory nobody shares.
struct TSide {
  TBitmap shared, alone;
};

void expectSame(const TSide& side, const char* name) {
  ASSERT_EQ(side.shared.Height(), side.alone.Height()) << name;
  for (int y = 0; y < side.alone.Height(); ++y) {
    ASSERT_EQ(std::memcmp(side.shared.Row(y), side.alone.Row(y), side.alone.Stride()), 0) << name << " row " << y;
  }
}

// Every run of bytes two bitmaps claim to share holds the same bytes in both. Returns how many
// of the rows' bytes were claimed.
std::size_t expectSameWhereShared(const TBitmap& a, const TBitmap& b) {
  const TSamePages same = a.SamePagesAs(b);
  std::size_t claimed = 0;
  constexpr std::size_t kPiece = 512;
  for (std::size_t from = 0; from < a.ByteSize(); from += kPiece) {
    const std::size_t to = std::min(from + kPiece, a.ByteSize());
    if (!same.Same(from, to)) continue;
    claimed += to - from;
    EXPECT_EQ(std::memcmp(a.Bits() + from, b.Bits() + from, to - from), 0) << "bytes from " << from;
  }
  return claimed;
}

void copyInto(TSide& to, const TSide& from) {
  to.shared.Assign(from.shared);
  to.alone.SetSize(kWidth, kHeight);
  for (int y = 0; y < kHeight; ++y) std::memcpy(to.alone.MutableRow(y), from.alone.Row(y), from.alone.Stride());
}

// A filled rectangle or band through the canvas, or single pixels through the rows, on both
// sides.
void draw(TSide& side, std::mt19937& rng) {
  const int x = int(rng() % kWidth), y = int(rng() % kHeight);
  const TColor c = TColor(rng() & 0xFFFFFF);
  const int kind = int(rng() % 4);
  if (kind > 0) {
    // Wide bands take their pages in one go (in huge pages) before they are filled.
    const TRect r = kind == 3 ? TRect{0, y, kWidth, y + int(rng() % 700)}
                              : TRect{x, y, x + int(rng() % 300), y + int(rng() % 300)};
    for (TBitmap* b : {&side.shared, &side.alone}) {
      b->Canvas().Brush.Color = c;
      b->Canvas().FillRect(r);
    }
  } else {
    side.shared.SetPixel(x, y, c);
    side.alone.SetPixel(x, y, c);
  }
}

TEST(PixelMemory, CopiesKeepTheirPixelsThroughRoundsOfWritesCopiesAndReleases) {
  TSide sides[4];
  for (TBitmap* b : {&sides[0].shared, &sides[0].alone}) {
    b->SetSize(kWidth, kHeight);
    fillPattern(*b);
  }
  std::mt19937 rng(31);
  for (int round = 0; round < 40; ++round) {
    TSide& to = sides[rng() % 4];
    const TSide& from = sides[rng() % 4];
    if (&to != &from && !from.shared.Empty()) copyInto(to, from);
    for (int n = int(rng() % 4); n > 0; --n) {
      TSide& written = sides[rng() % 4];
      if (!written.shared.Empty()) draw(written, rng);
    }
    if (rng() % 7 == 0) {  // one side lets its pixels go
      TSide& dropped = sides[1 + rng() % 3];
      dropped.shared.Assign(TBitmap());
      dropped.alone.Assign(TBitmap());
    }
    for (const TSide& side : sides) {
      if (!side.shared.Empty()) expectSame(side, ("round " + std::to_string(round)).c_str());
      for (const TSide& other : sides)
        if (&side != &other && !side.shared.Empty() && !other.shared.Empty())
          expectSameWhereShared(side.shared, other.shared);
    }
  }
}

TEST(PixelMemory, CopiesKnowThePagesNeitherHasWrittenSince) {
  TBitmap picture(kWidth, kHeight), copy, small(100, 100), smallCopy;
  fillPattern(picture);
  copy.Assign(picture);
  copy.SetPixel(700, 600, clBlack);  // the copy takes its blocks; one page becomes its own
  const std::size_t page = std::size_t(sysconf(_SC_PAGESIZE));
  EXPECT_GE(expectSameWhereShared(picture, copy), picture.ByteSize() - 2 * page);
  const std::size_t written = 600 * picture.Stride() + 700 * 4;
  EXPECT_FALSE(picture.SamePagesAs(copy).Same(written, written + 4));
  // A band written on the original: its pages are not the same any more, the rest still are.
  picture.Canvas().Brush.Color = clRed;
  picture.Canvas().FillRect(TRect{0, 100, kWidth, 300});
  const TSamePages same = picture.SamePagesAs(copy);
  EXPECT_FALSE(same.Same(150 * picture.Stride(), 151 * picture.Stride()));
  EXPECT_TRUE(same.Same(900 * picture.Stride(), 901 * picture.Stride()));
  expectSameWhereShared(picture, copy);
  // Small pictures and different layouts know nothing.
  smallCopy.Assign(small);
  smallCopy.SetPixel(0, 0, clBlack);
  EXPECT_TRUE(small.SamePagesAs(smallCopy).None());
  TBitmap other(kWidth + 1, kHeight);
  EXPECT_TRUE(picture.SamePagesAs(other).None());
}

void expectSameRows(const TBitmap& a, const TBitmap& b, const char* name) {
  for (int y = 0; y < a.Height(); ++y) ASSERT_EQ(std::memcmp(a.Row(y), b.Row(y), a.Stride()), 0) << name << " row " << y;
}

// Each copy of a picture that was written in a few pages carries those pages instead of
// putting their blocks into the pool again; a copy of a copy pools them, so no page travels on;
// past a sixteenth of the picture in such pages every written block is pooled. The pool's own
// count of slots tells which happened.
TEST(PixelMemory, ACopyCarriesAFewWrittenPagesOnceAndPoolsTheBlocksOtherwise) {
  const std::size_t before = PixelSlotsHeld();
  {
    TBitmap picture(kWidth, kHeight), expected(kWidth, kHeight);
    fillPattern(picture);
    fillPattern(expected);
    const std::size_t blocks = (picture.ByteSize() + kPixelBlock - 1) / kPixelBlock;
    TBitmap first;
    first.Assign(picture);
    first.MutableBits();
    EXPECT_EQ(PixelSlotsHeld(), before + blocks) << "every block pooled once, for both";

    std::set<std::size_t> writtenBlocks;
    const auto write = [&](int x, int y, TColor c) {
      picture.SetPixel(x, y, c);
      writtenBlocks.insert((std::size_t(y) * picture.Stride() + std::size_t(x) * 4) / kPixelBlock);
    };
    for (const int y : {100, 500, 900}) write(10, y, clRed);
    TBitmap second;
    second.Assign(picture);
    second.MutableBits();
    EXPECT_EQ(PixelSlotsHeld(), before + blocks) << "three pages carried, nothing pooled";
    expectSameRows(second, picture, "second");
    expectSameRows(first, expected, "first");

    second.SetPixel(11, 500, clBlue);
    TBitmap third;
    third.Assign(second);
    third.MutableBits();
    EXPECT_EQ(PixelSlotsHeld(), before + blocks + 3) << "the carried blocks pooled, not carried on";
    expectSameRows(third, second, "third");
    EXPECT_EQ(third.GetPixel(11, 500), clBlue);
    EXPECT_EQ(third.GetPixel(10, 900), clRed);

    // A pixel every fourth row: about five pages in each block, a sixth of the picture.
    for (int y = 0; y < kHeight; y += 4) write(1 + y % 1000, y, clLime);
    TBitmap fourth;
    fourth.Assign(picture);
    fourth.MutableBits();
    EXPECT_EQ(PixelSlotsHeld(), before + blocks + 3 + writtenBlocks.size());
    expectSameRows(fourth, picture, "fourth");
    expectSameRows(first, expected, "first at the end");
    EXPECT_EQ(third.GetPixel(1, 0), expected.GetPixel(1, 0));
  }
  EXPECT_EQ(PixelSlotsHeld(), before) << "every slot given back";
}

TEST(PixelMemory, AWriteAfterACopyWithoutMemoryChangesNothing) {
  TBitmap picture(kWidth, kHeight), copy;
  fillPattern(picture);
  copy.Assign(picture);
  TBitmap expected(kWidth, kHeight);
  fillPattern(expected);
  copy.Canvas().Brush.Color = clBlack;
  for (const bool throughCanvas : {false, true}) {
    FailAllocations(1);
    if (throughCanvas) {
      EXPECT_THROW(copy.Canvas().FillRect(TRect{0, 0, 100, 100}), EOutOfResources);
    } else {
      EXPECT_THROW(copy.SetPixel(3, 3, clBlack), EOutOfResources);
    }
    FailAllocations(0);
    EXPECT_TRUE(copy.SharesPixelsWith(picture));
  }
  // With memory again the write goes through and the picture keeps its pixels.
  copy.SetPixel(3, 3, clBlack);
  EXPECT_EQ(copy.GetPixel(3, 3), clBlack);
  for (int y = 0; y < kHeight; ++y) ASSERT_EQ(std::memcmp(picture.Row(y), expected.Row(y), expected.Stride()), 0);
}

}  // namespace
