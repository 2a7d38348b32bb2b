#pragma once
// Indexed pictures read from files with colour tables (GIF, TIFF, TGA): the format that holds a
// table and the bitmap's full table, and the reverse for writers that need one.
#include <optional>
#include <unordered_map>
#include <vector>

#include "surface/bitmap.h"

// The indexed format that holds a colour table of count entries without loss: pf1bit for 2 or
// fewer, pf4bit up to 16, pf8bit up to 256.
TPixelFormat IndexedFormatFor(int count);

// A colour table of the format's full size: entries first (those beyond it dropped), black
// after, so that every index a file may store names a colour.
TPalette FullPalette(std::vector<TColor> entries, TPixelFormat f);

// levels greys evenly from black to white (2 for 1 bit, 16 for 4 bits, 256 for 8 bits).
std::vector<TColor> GreyRamp(int levels);

// The picture as indices into a table of at most 256 colours: an indexed bitmap as it is (its
// raw values, its palette), any other the distinct colours it uses in the order they first
// appear. Rows are converted one at a time, so that a writer holds no byte-per-pixel copy of a
// large picture.
class TIndexedRows {
 public:
  // Nothing when the picture uses more than 256 colours; colourCount then tells how many.
  static std::optional<TIndexedRows> Of(const TBitmap& bitmap, int& colourCount);

  const std::vector<TColor>& Palette() const { return palette_; }
  // How many table entries the stored indices need: the palette's size, or more where an
  // indexed bitmap stores indices past the end of its palette.
  int IndexCount() const { return indexCount_; }
  // Row y's Width() indices, top-down.
  void ReadRow(int y, std::uint8_t* out) const;

 private:
  explicit TIndexedRows(const TBitmap& bitmap) : bitmap_(bitmap) {}
  const TBitmap& bitmap_;
  std::vector<TColor> palette_;
  std::unordered_map<TColor, std::uint8_t> indexOf_;
  int indexCount_ = 0;
};
