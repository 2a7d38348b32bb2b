#pragma once
// What the WebP, TIFF, GIF and TGA fuzz targets check for one input, shared with the test that
// replays their saved corpora: reading never fails other than with the program's errors, and
// whatever reads writes back (in the same format, TGA as TIFF) to a file that reads to a
// picture of the same size and colours.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "document/gif_file.h"
#include "document/tga_file.h"
#include "document/tiff_file.h"
#include "document/webp_file.h"
#include "surface/surface_error.h"

enum class TFuzzedFormat { Webp, Tiff, Gif, Tga };

// A file of a few bytes may declare a picture of billions of pixels, which reads (the rows are
// cleared, not decoded) but takes minutes to write and compare; pictures beyond this size are
// read and not written back.
constexpr std::int64_t kMaxRoundTripPixels = std::int64_t(1) << 24;

// False when the round trip changes the picture; other faults surface as crashes or exceptions.
inline bool PictureRoundTripHolds(TFuzzedFormat format, const std::uint8_t* data, std::size_t size) {
  TBitmap bmp;
  try {
    switch (format) {
      case TFuzzedFormat::Webp: ReadWebp(data, size, bmp); break;
      case TFuzzedFormat::Tiff: ReadTiff(data, size, bmp); break;
      case TFuzzedFormat::Gif: ReadGif(data, size, bmp); break;
      case TFuzzedFormat::Tga: ReadTga(data, size, bmp); break;
    }
  } catch (const ESurfaceError&) {
    return true;  // refused cleanly
  }
  if (std::int64_t(bmp.Width()) * bmp.Height() > kMaxRoundTripPixels) return true;
  std::vector<std::uint8_t> file;
  const ByteSink sink = [&file](const std::uint8_t* d, std::size_t n) { file.insert(file.end(), d, d + n); };
  TBitmap back;
  switch (format) {
    case TFuzzedFormat::Webp: WriteWebp(bmp, kWebpLossless, sink), ReadWebp(file.data(), file.size(), back); break;
    case TFuzzedFormat::Gif: WriteGif(bmp, sink), ReadGif(file.data(), file.size(), back); break;
    case TFuzzedFormat::Tiff:
    case TFuzzedFormat::Tga: WriteTiff(bmp, sink), ReadTiff(file.data(), file.size(), back); break;
  }
  if (back.Width() != bmp.Width() || back.Height() != bmp.Height()) return false;
  for (int y = 0; y < bmp.Height(); ++y)
    for (int x = 0; x < bmp.Width(); ++x)
      if (back.GetPixel(x, y) != bmp.GetPixel(x, y)) return false;
  return true;
}
