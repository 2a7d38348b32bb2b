#pragma once
// What the bitmap fuzz target checks for one input, shared with the test that replays the saved
// corpus: reading never fails other than with the codec's error, and whatever reads writes back
// to a file that reads to the same picture.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "document/bmp_file.h"
#include "document/bmp_header.h"
#include "surface/surface_error.h"

// Run-length files may legitimately claim up to a gigabyte of pixels in a few bytes; the fuzzer
// skips those above this many pixels so that it spends its time on the decoder, not on memset.
constexpr std::uint64_t kBmpFuzzMaxRlePixels = std::uint64_t(1) << 22;

// False when the round trip changes the picture; other faults surface as crashes or exceptions.
inline bool BmpRoundTripHolds(const std::uint8_t* data, std::size_t size) {
  TBitmap bmp;
  try {
    const BmpHeader header = ParseBmpHeader(data, size);
    const bool rle = header.compression == BmpCompression::kRle8 || header.compression == BmpCompression::kRle4;
    if (rle && std::uint64_t(header.width) * std::uint64_t(header.height) > kBmpFuzzMaxRlePixels) return true;
    ReadBmp(data, size, bmp);
  } catch (const ESurfaceError&) {
    return true;  // refused cleanly
  }
  const std::vector<std::uint8_t> file = WriteBmp(bmp);
  TBitmap back;
  ReadBmp(file.data(), file.size(), back);
  if (back.Width() != bmp.Width() || back.Height() != bmp.Height() || back.PixelFormat() != bmp.PixelFormat() ||
      !(back.Palette() == bmp.Palette()))
    return false;
  // Rows travel as they are, padding included, so the whole pixel memory must match.
  return bmp.ByteSize() == 0 || std::memcmp(back.Bits(), bmp.Bits(), bmp.ByteSize()) == 0;
}
