#pragma once
// What the JPEG fuzz target checks for one input, shared with the test that replays the saved
// corpus: reading never fails other than with the codec's errors, and whatever reads writes
// back to a JPEG that reads to a picture of the same size.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "document/jpeg_file.h"
#include "surface/surface_error.h"

// A few header bytes can claim up to a gigabyte of pixels, which libjpeg then fills as it can;
// the fuzzer skips pictures above this many pixels so that it spends its time on the decoder.
constexpr std::uint64_t kJpegFuzzMaxPixels = std::uint64_t(1) << 20;

// False when the round trip changes the picture's size or format; other faults surface as
// crashes or exceptions.
inline bool JpegRoundTripHolds(const std::uint8_t* data, std::size_t size) {
  TBitmap bmp;
  try {
    int width = 0, height = 0;
    if (PeekJpegSize(data, size, width, height) && std::uint64_t(width) * std::uint64_t(height) > kJpegFuzzMaxPixels)
      return true;
    ReadJpeg(data, size, bmp);
  } catch (const ESurfaceError&) {
    return true;  // refused cleanly
  }
  std::vector<std::uint8_t> file;
  WriteJpeg(bmp, [&file](const std::uint8_t* d, std::size_t n) { file.insert(file.end(), d, d + n); });
  TBitmap back;
  ReadJpeg(file.data(), file.size(), back);
  return back.Width() == bmp.Width() && back.Height() == bmp.Height() && bmp.PixelFormat() == pf32bit &&
         back.PixelFormat() == pf32bit;
}
