#include "png/png_row_convert.h"

#include <array>
#include <cstring>

#include "surface/span_painter.h"

namespace {

// Grey (1, 4, 8 bits) and palette rows are already bitmap rows.
template <int Bits>
void copyPacked(const std::uint8_t* src, int count, std::uint8_t* dst, std::uint8_t*) {
  std::memcpy(dst, src, (std::size_t(count) * Bits + 7) / 8);
}

// Two output bytes (four 4-bit indices) for each byte of four 2-bit samples.
constexpr std::array<std::uint16_t, 256> makeWidenTable() {
  std::array<std::uint16_t, 256> t{};
  for (int b = 0; b < 256; ++b) {
    const int s0 = b >> 6, s1 = (b >> 4) & 3, s2 = (b >> 2) & 3, s3 = b & 3;
    t[b] = std::uint16_t(((s0 << 4) | s1) | (((s2 << 4) | s3) << 8));
  }
  return t;
}
constexpr std::array<std::uint16_t, 256> kWiden2To4 = makeWidenTable();

void widen2To4(const std::uint8_t* src, int count, std::uint8_t* dst, std::uint8_t*) {
  const int whole = count / 4;
  for (int i = 0; i < whole; ++i) {
    dst[2 * i] = std::uint8_t(kWiden2To4[src[i]]);
    dst[2 * i + 1] = std::uint8_t(kWiden2To4[src[i]] >> 8);
  }
  // A last partial byte gives one or two more output bytes.
  const int rest = count % 4;
  if (rest > 0) dst[2 * whole] = std::uint8_t(kWiden2To4[src[whole]]);
  if (rest > 2) dst[2 * whole + 1] = std::uint8_t(kWiden2To4[src[whole]] >> 8);
}

// 8-bit greys from 16-bit samples (high byte first), with or without alpha.
template <int SampleBytes, bool Alpha>
void grey(const std::uint8_t* src, int count, std::uint8_t* dst, std::uint8_t* alpha) {
  constexpr int kStep = SampleBytes * (Alpha ? 2 : 1);
  for (int i = 0; i < count; ++i) {
    dst[i] = src[kStep * i];
    if constexpr (Alpha) alpha[i] = std::uint8_t(255 - src[kStep * i + SampleBytes]);
  }
}

// Blue, green, red (and a zero spare byte for 32-bit rows) from red, green, blue samples.
template <int SampleBytes, bool Alpha, int DstBytes>
void rgb(const std::uint8_t* __restrict src, int count, std::uint8_t* __restrict dst, std::uint8_t* alpha) {
  constexpr int kStep = SampleBytes * (Alpha ? 4 : 3);
  for (int i = 0; i < count; ++i) {
    const std::uint8_t* s = src + kStep * i;
    std::uint8_t* d = dst + DstBytes * i;
    d[0] = s[2 * SampleBytes];
    d[1] = s[SampleBytes];
    d[2] = s[0];
    if constexpr (DstBytes == 4) d[3] = 0;
    if constexpr (Alpha) alpha[i] = std::uint8_t(255 - s[3 * SampleBytes]);
  }
}

template <int SampleBytes, bool Alpha>
PngRowConverter rgbTo(TPixelFormat format) {
  return format == pf32bit ? rgb<SampleBytes, Alpha, 4> : rgb<SampleBytes, Alpha, 3>;
}

}  // namespace

PngRowConverter PngRowConverterFor(const PngHeader& h, TPixelFormat format) {
  const bool wide = h.bitDepth == 16;
  if (h.kind == PngColorKind::Rgb) {
    if (h.alpha) return wide ? rgbTo<2, true>(format) : rgbTo<1, true>(format);
    return wide ? rgbTo<2, false>(format) : rgbTo<1, false>(format);
  }
  if (h.alpha) return wide ? grey<2, true> : grey<1, true>;
  switch (h.bitDepth) {
    case 1: return copyPacked<1>;
    case 2: return widen2To4;
    case 4: return copyPacked<4>;
    case 8: return copyPacked<8>;
    default: return grey<2, false>;
  }
}

void SpreadPackedPixels(const std::uint8_t* packed, int count, int bpp, std::uint8_t* row, int x0, int dx) {
  for (int i = 0; i < count; ++i) WriteRaw(row, x0 + i * dx, bpp, ReadRaw(packed, i, bpp));
}
