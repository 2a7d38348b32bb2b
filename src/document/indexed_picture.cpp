#include "document/indexed_picture.h"

#include <algorithm>

#include "surface/span_painter.h"

TPixelFormat IndexedFormatFor(int count) { return count <= 2 ? pf1bit : count <= 16 ? pf4bit : pf8bit; }

TPalette FullPalette(std::vector<TColor> entries, TPixelFormat f) {
  entries.resize(std::size_t(1) << BitsPerPixel(f), RGB(0, 0, 0));
  return TPalette(std::move(entries));
}

std::vector<TColor> GreyRamp(int levels) {
  std::vector<TColor> greys(std::size_t(levels > 0 ? levels : 0));
  for (int i = 0; i < levels; ++i) {
    const auto v = std::uint8_t(levels > 1 ? i * 255 / (levels - 1) : 0);
    greys[std::size_t(i)] = RGB(v, v, v);
  }
  return greys;
}

namespace {

constexpr int kMaxIndexedColours = 256;

// Every distinct colour of a non-indexed picture is counted, so that a refusal can say how many
// there are; a bit for each of the 2^24 colours.
int countColours(const TBitmap& bitmap) {
  std::vector<std::uint64_t> seen(std::size_t(1) << 18);
  int count = 0;
  const int bpp = BitsPerPixel(bitmap.PixelFormat());
  for (int y = 0; y < bitmap.Height(); ++y) {
    const std::uint8_t* row = bitmap.Row(y);
    for (int x = 0; x < bitmap.Width(); ++x) {
      const TColor c = bitmap.RawToColor(ReadRaw(row, x, bpp)) & 0xFFFFFF;
      std::uint64_t& word = seen[c >> 6];
      const std::uint64_t bit = std::uint64_t(1) << (c & 63);
      if (!(word & bit)) ++count;
      word |= bit;
    }
  }
  return count;
}

}  // namespace

std::optional<TIndexedRows> TIndexedRows::Of(const TBitmap& bitmap, int& colourCount) {
  const int bpp = BitsPerPixel(bitmap.PixelFormat());
  TIndexedRows out(bitmap);
  if (bpp <= 8) {
    out.palette_ = bitmap.Palette().Entries();
    std::uint32_t highest = 0;
    for (int y = 0; y < bitmap.Height(); ++y) {
      const std::uint8_t* row = bitmap.Row(y);
      for (int x = 0; x < bitmap.Width(); ++x) highest = std::max(highest, ReadRaw(row, x, bpp));
    }
    out.indexCount_ = std::max(int(out.palette_.size()), int(highest) + 1);
    colourCount = int(out.palette_.size());
    return out;
  }
  for (int y = 0; y < bitmap.Height(); ++y) {
    const std::uint8_t* row = bitmap.Row(y);
    for (int x = 0; x < bitmap.Width(); ++x) {
      const TColor c = bitmap.RawToColor(ReadRaw(row, x, bpp));
      if (out.indexOf_.count(c)) continue;
      if (int(out.palette_.size()) == kMaxIndexedColours) {
        colourCount = countColours(bitmap);
        return std::nullopt;
      }
      out.indexOf_.emplace(c, std::uint8_t(out.palette_.size()));
      out.palette_.push_back(c);
    }
  }
  out.indexCount_ = int(out.palette_.size());
  colourCount = out.indexCount_;
  return out;
}

void TIndexedRows::ReadRow(int y, std::uint8_t* out) const {
  const int bpp = BitsPerPixel(bitmap_.PixelFormat());
  const std::uint8_t* row = bitmap_.Row(y);
  for (int x = 0; x < bitmap_.Width(); ++x) {
    const std::uint32_t raw = ReadRaw(row, x, bpp);
    out[x] = bpp <= 8 ? std::uint8_t(raw) : indexOf_.at(bitmap_.RawToColor(raw));
  }
}
