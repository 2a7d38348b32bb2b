#include "png/png_row_builder.h"

#include <cstring>

namespace {

constexpr int kColorTypeRgb = 2;
constexpr int kColorTypePalette = 3;

// Calls put(source pixel, output pixel) for every picked pixel. The whole-row case has its own
// loop with a constant step so the compiler can unroll and vectorise it: it is the common one.
template <int kInBytes, int kOutBytes, typename Put>
inline void eachPixel(const std::uint8_t* scanline, int x0, int dx, int columns, std::uint8_t* out, Put put) {
  const std::uint8_t* in = scanline + std::size_t(x0) * kInBytes;
  if (dx == 1) {
    for (int i = 0; i < columns; ++i) put(in + std::size_t(i) * kInBytes, out + std::size_t(i) * kOutBytes);
  } else {
    const std::size_t step = std::size_t(dx) * kInBytes;
    for (int i = 0; i < columns; ++i) put(in + i * step, out + std::size_t(i) * kOutBytes);
  }
}

template <int kInBytes>
void buildFromBgr(const std::uint8_t* scanline, int x0, int dx, int columns, std::uint8_t* out) {
  eachPixel<kInBytes, 3>(scanline, x0, dx, columns, out, [](const std::uint8_t* s, std::uint8_t* d) {
    d[0] = s[2];
    d[1] = s[1];
    d[2] = s[0];
  });
}

inline std::uint8_t widen5(unsigned v) { return std::uint8_t((v << 3) | (v >> 2)); }
inline std::uint8_t widen6(unsigned v) { return std::uint8_t((v << 2) | (v >> 4)); }

void buildFrom15(const std::uint8_t* scanline, int x0, int dx, int columns, std::uint8_t* out) {
  eachPixel<2, 3>(scanline, x0, dx, columns, out, [](const std::uint8_t* s, std::uint8_t* d) {
    const unsigned w = unsigned(s[0]) | (unsigned(s[1]) << 8);
    d[0] = widen5((w >> 10) & 31);
    d[1] = widen5((w >> 5) & 31);
    d[2] = widen5(w & 31);
  });
}

void buildFrom16(const std::uint8_t* scanline, int x0, int dx, int columns, std::uint8_t* out) {
  eachPixel<2, 3>(scanline, x0, dx, columns, out, [](const std::uint8_t* s, std::uint8_t* d) {
    const unsigned w = unsigned(s[0]) | (unsigned(s[1]) << 8);
    d[0] = widen5((w >> 11) & 31);
    d[1] = widen6((w >> 5) & 63);
    d[2] = widen5(w & 31);
  });
}

// Indices of 1 or 4 bits, packed from the high bits of each byte as in the scanline.
template <int kBits>
void buildPacked(const std::uint8_t* scanline, int x0, int dx, int columns, std::uint8_t* out) {
  constexpr int kPerByte = 8 / kBits;
  constexpr unsigned kMask = (1u << kBits) - 1;
  if (dx == 1 && x0 == 0) {
    std::memcpy(out, scanline, (std::size_t(columns) * kBits + 7) / 8);
    return;
  }
  std::memset(out, 0, (std::size_t(columns) * kBits + 7) / 8);
  for (int i = 0; i < columns; ++i) {
    const int x = x0 + i * dx;
    const int shiftIn = (kPerByte - 1 - x % kPerByte) * kBits;
    const int shiftOut = (kPerByte - 1 - i % kPerByte) * kBits;
    const unsigned index = (scanline[x / kPerByte] >> shiftIn) & kMask;
    out[i / kPerByte] = std::uint8_t(out[i / kPerByte] | (index << shiftOut));
  }
}

void buildFrom8(const std::uint8_t* scanline, int x0, int dx, int columns, std::uint8_t* out) {
  eachPixel<1, 1>(scanline, x0, dx, columns, out, [](const std::uint8_t* s, std::uint8_t* d) { d[0] = s[0]; });
}

}  // namespace

PngRowBuilder::PngRowBuilder(const TBitmap& image) : image_(image) {
  switch (image.PixelFormat()) {
    case pf1bit: bitDepth_ = 1, colorType_ = kColorTypePalette, build_ = buildPacked<1>; break;
    case pf4bit: bitDepth_ = 4, colorType_ = kColorTypePalette, build_ = buildPacked<4>; break;
    case pf8bit: bitDepth_ = 8, colorType_ = kColorTypePalette, build_ = buildFrom8; break;
    case pf15bit: bitDepth_ = 8, colorType_ = kColorTypeRgb, build_ = buildFrom15; break;
    case pf16bit: bitDepth_ = 8, colorType_ = kColorTypeRgb, build_ = buildFrom16; break;
    case pf24bit: bitDepth_ = 8, colorType_ = kColorTypeRgb, build_ = buildFromBgr<3>; break;
    case pf32bit:
    case pfDevice: bitDepth_ = 8, colorType_ = kColorTypeRgb, build_ = buildFromBgr<4>; break;
  }
  channels_ = colorType_ == kColorTypeRgb ? 3 : 1;
}

std::size_t PngRowBuilder::RowBytes(int columns) const {
  return (std::size_t(columns) * std::size_t(bitDepth_ * channels_) + 7) / 8;
}

void PngRowBuilder::Build(int y, int x0, int dx, int columns, std::uint8_t* out) const {
  build_(image_.Row(y), x0, dx, columns, out);
}
