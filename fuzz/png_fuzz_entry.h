#pragma once
// What the PNG fuzz target checks for one input, shared with the test that replays the saved
// corpus: decoding never fails other than with the codec's error, inflating the image data in
// one go gives the same error, or the same pixels, mask, transparency and end, as streaming
// them, the consumed byte count stays within the input, the alpha mask matches the image, and
// a decoded picture written by the encoder reads back to the same colours. The last input byte's low bit picks the picture
// loader's path (RGB straight into 32-bit pixels) instead of the picture's own.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "png/png_decoder.h"
#include "surface/surface_error.h"

// A header may claim up to a gigabyte of pixels in a few bytes, which the decoder then fills;
// the fuzzer skips those above this many pixels so that it spends its time on the decoder.
constexpr std::uint64_t kPngFuzzMaxPixels = std::uint64_t(1) << 22;

// True when some IHDR chunk of the file (walked by chunk lengths, with or without a 128-byte
// header in front) claims more than kPngFuzzMaxPixels pixels.
inline bool PngClaimsHugePicture(const std::uint8_t* data, std::size_t size) {
  auto be32 = [&](std::size_t at) {
    return (std::uint32_t(data[at]) << 24) | (std::uint32_t(data[at + 1]) << 16) | (std::uint32_t(data[at + 2]) << 8) |
           data[at + 3];
  };
  for (std::size_t start : {std::size_t(0), std::size_t(128)}) {
    for (std::size_t at = start + 8; at + 16 <= size; at += 12 + std::size_t(be32(at))) {
      if (be32(at + 4) == 0x49484452 && std::uint64_t(be32(at + 8)) * be32(at + 12) > kPngFuzzMaxPixels) return true;
      if (be32(at) > size) break;
    }
  }
  return false;
}

inline bool SameColours(const TBitmap& a, const TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.GetPixel(x, y) != b.GetPixel(x, y)) return false;
  return true;
}

inline bool SameBytes(const TBitmap& a, const TBitmap& b) {
  return a.PixelFormat() == b.PixelFormat() && a.Width() == b.Width() && a.Height() == b.Height() &&
         (a.Empty() || std::memcmp(a.Bits(), b.Bits(), a.ByteSize()) == 0);
}

// One decoding of the input, with the image data inflated in one go where the decoder can, or
// always streamed.
struct PngFuzzDecoding {
  VIRAVIZ pic;
  std::string error;  // the codec's message, empty when the file loaded
  std::uint64_t position = 0;

  PngFuzzDecoding(const std::uint8_t* data, std::size_t size, bool wideRgb, bool inflateWhole) {
    PngByteReader in(data, size);
    try {
      PngDecoder(in, pic, wideRgb, inflateWhole).Run();
    } catch (const DEZOZIR& e) {
      error = e.what();
    }
    position = in.Position();
  }

  bool SameAs(const PngFuzzDecoding& o) const {
    if (error != o.error) return false;
    if (!error.empty()) return true;  // a half-filled picture is thrown away
    return position == o.position && SameBytes(pic.Image, o.pic.Image) && pic.HasAlpha == o.pic.HasAlpha &&
           (!pic.HasAlpha || SameBytes(pic.AlphaMask, o.pic.AlphaMask)) && pic.Image.Transparent == o.pic.Image.Transparent &&
           pic.Image.TransparentColor == o.pic.Image.TransparentColor && pic.TransparentColor == o.pic.TransparentColor;
  }
};

// False when a check fails; other faults surface as crashes or sanitizer reports.
inline bool PngDecodeHolds(const std::uint8_t* data, std::size_t size) {
  if (PngClaimsHugePicture(data, size)) return true;
  const bool wideRgb = size > 0 && (data[size - 1] & 1);
  PngFuzzDecoding whole(data, size, wideRgb, true);
  if (!whole.SameAs(PngFuzzDecoding(data, size, wideRgb, false))) return false;
  if (!whole.error.empty()) return true;  // refused cleanly
  VIRAVIZ& pic = whole.pic;
  if (whole.position > size) return false;
  if (pic.HasAlpha && (pic.AlphaMask.Width() != pic.Width() || pic.AlphaMask.Height() != pic.Height())) return false;
  if (pic.Empty()) return true;
  pic.InterlaceOption = false;
  std::vector<std::uint8_t> file;
  pic.SaveToStream([&file](const std::uint8_t* d, std::size_t n) { file.insert(file.end(), d, d + n); });
  VIRAVIZ back;
  back.LoadFromStream(file.data(), file.size());
  return SameColours(pic.Image, back.Image);
}
