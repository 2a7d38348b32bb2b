#include "document/indexed_picture.h"

#include <unordered_map>

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

std::optional<TIndexedPixels> IndexedPixelsOf(const TBitmap& bitmap, int& colourCount) {
  const int bpp = BitsPerPixel(bitmap.PixelFormat());
  const bool indexed = bpp <= 8;
  TIndexedPixels out;
  out.indices.resize(std::size_t(bitmap.Width()) * std::size_t(bitmap.Height()));
  if (indexed) out.palette = bitmap.Palette().Entries();
  std::unordered_map<TColor, std::uint8_t> indexOf;
  std::size_t i = 0;
  for (int y = 0; y < bitmap.Height(); ++y) {
    const std::uint8_t* row = bitmap.Row(y);
    for (int x = 0; x < bitmap.Width(); ++x, ++i) {
      const std::uint32_t raw = ReadRaw(row, x, bpp);
      if (indexed) {
        out.indices[i] = std::uint8_t(raw);
        continue;
      }
      const TColor c = bitmap.RawToColor(raw);
      auto found = indexOf.find(c);
      if (found == indexOf.end()) {
        if (int(out.palette.size()) == kMaxIndexedColours) {
          colourCount = countColours(bitmap);
          return std::nullopt;
        }
        found = indexOf.emplace(c, std::uint8_t(out.palette.size())).first;
        out.palette.push_back(c);
      }
      out.indices[i] = found->second;
    }
  }
  colourCount = int(out.palette.size());
  return out;
}
