#pragma once
// Colour tables of the indexed formats and the mapping of colours to indices.
#include <array>
#include <cstdint>
#include <vector>

#include "surface/color.h"
#include "surface/pixel_format.h"

class TPalette {
 public:
  TPalette() = default;
  explicit TPalette(std::vector<TColor> entries);

  // The table a new bitmap of this format starts with: black and white for 1 bit, the 16
  // standard colours for 4 bits, and for 8 bits those 16, a 6x6x6 colour cube and 24 greys.
  static TPalette Default(TPixelFormat f);

  int Count() const { return int(entries_.size()); }
  TColor operator[](int i) const { return entries_[i]; }
  const std::vector<TColor>& Entries() const { return entries_; }

  // The index of the colour nearest by squared RGB distance; the lowest index wins a tie.
  int Nearest(TColor c) const;
  // The index holding exactly this colour, or -1.
  int Find(TColor c) const;

  friend bool operator==(const TPalette& a, const TPalette& b) { return a.entries_ == b.entries_; }

 private:
  std::vector<TColor> entries_;
  // Remembers recent look-ups: converting a picture asks for the same colours again and again.
  struct CacheSlot {
    TColor color = clInvalid;
    int index = 0;
  };
  mutable std::array<CacheSlot, 64> cache_{};
};
