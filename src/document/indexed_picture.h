#pragma once
// Indexed pictures read from files with colour tables (GIF, TIFF, TGA): the format that holds a
// table and the bitmap's full table, and the reverse for writers that need one.
#include <optional>
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
// appear. Nothing when it uses more than 256 colours; colourCount then tells how many it uses.
struct TIndexedPixels {
  std::vector<TColor> palette;
  std::vector<std::uint8_t> indices;  // width x height, rows top-down
};
std::optional<TIndexedPixels> IndexedPixelsOf(const TBitmap& bitmap, int& colourCount);
