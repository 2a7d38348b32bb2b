#pragma once
// Raw pixels of one bitmap turned into raw values of another bitmap's format, by colour: the
// destination's ColorToRaw of the source pixel's colour (nearest palette entry for indexed
// destinations). Bitmaps with the same layout and palette pass raw values through unchanged.
#include <array>
#include <cstdint>

#include "surface/bitmap.h"

class RawConverter {
 public:
  // Both bitmaps must outlive the converter.
  RawConverter(const TBitmap& source, const TBitmap& dest);

  // True when raw values pass through unchanged (same layout, same palette).
  bool Identity() const { return identity_; }
  std::uint32_t operator()(std::uint32_t sourceRaw) const;

  // Reads the source pixels xs[0..n-1] of a source row (bpp bits each, as the source format) and
  // stores their destination raw values in out[0..n-1].
  void Gather(const std::uint8_t* row, const int* xs, int n, std::uint32_t* out) const;
  int SourceBpp() const { return sourceBpp_; }

 private:
  const TBitmap& source_;
  const TBitmap& dest_;
  int sourceBpp_;
  bool identity_;
  // Indexed sources convert through a table built once; the others remember the last value,
  // since pictures repeat colours along a row.
  bool useTable_;
  std::array<std::uint32_t, 256> table_{};
  mutable std::uint32_t lastIn_ = 0xFFFFFFFFu, lastOut_ = 0;
};

// True when two formats store pixels the same way (pfDevice is stored as pf32bit).
bool SameLayout(TPixelFormat a, TPixelFormat b);
