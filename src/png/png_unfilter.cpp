#include "png/png_unfilter.h"

#include <cstdlib>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

// The distance is a template argument so that every loop below is built for its pixel size.
template <int Step>
void sub(std::uint8_t* __restrict row, std::size_t bytes) {
  for (std::size_t i = Step; i < bytes; ++i) row[i] = std::uint8_t(row[i] + row[i - Step]);
}

void up(std::uint8_t* __restrict row, const std::uint8_t* __restrict prev, std::size_t bytes) {
  for (std::size_t i = 0; i < bytes; ++i) row[i] = std::uint8_t(row[i] + prev[i]);
}

template <int Step>
void average(std::uint8_t* __restrict row, const std::uint8_t* __restrict prev, std::size_t bytes) {
  const std::size_t head = bytes < Step ? bytes : Step;
  for (std::size_t i = 0; i < head; ++i) row[i] = std::uint8_t(row[i] + (prev[i] >> 1));
  for (std::size_t i = Step; i < bytes; ++i) row[i] = std::uint8_t(row[i] + ((row[i - Step] + prev[i]) >> 1));
}

// The predictor of the standard: of left a, above b and upper-left c, the one nearest a + b - c,
// preferring a, then b.
inline int paethPredictor(int a, int b, int c) {
  const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
  if (pa <= pb && pa <= pc) return a;
  return pb <= pc ? b : c;
}

template <int Step>
void paeth(std::uint8_t* __restrict row, const std::uint8_t* __restrict prev, std::size_t bytes) {
  // Left of the first pixel everything is zero, where the predictor always picks the byte above.
  const std::size_t head = bytes < Step ? bytes : Step;
  for (std::size_t i = 0; i < head; ++i) row[i] = std::uint8_t(row[i] + prev[i]);
  for (std::size_t i = Step; i < bytes; ++i)
    row[i] = std::uint8_t(row[i] + paethPredictor(row[i - Step], prev[i], prev[i - Step]));
}

#ifdef __SSE2__
// Paeth for 3- and 4-byte pixels, one whole pixel per step in 16-bit lanes: photographs are
// mostly Paeth rows, and the byte-wise predictor's branches mispredict on them. Left of the
// first pixel a and c are zero, where the predictor picks b, as the standard wants.
template <int Step>
void paethPixels(std::uint8_t* __restrict row, const std::uint8_t* __restrict prev, std::size_t bytes) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i lowBytes = _mm_set1_epi16(0xFF);
  // Whole 4-byte loads while the row has them: a 3-byte pixel then carries the next pixel's
  // first byte along in a lane that is never stored. The last pixel is loaded byte-exact.
  const auto load = [zero](const std::uint8_t* p, std::size_t size) {
    std::uint32_t v = 0;
    if (size == 4) std::memcpy(&v, p, 4); else std::memcpy(&v, p, Step);
    return _mm_unpacklo_epi8(_mm_cvtsi32_si128(int(v)), zero);
  };
  const auto abs16 = [zero](__m128i v) { return _mm_max_epi16(v, _mm_sub_epi16(zero, v)); };
  const auto select = [](__m128i mask, __m128i ifSet, __m128i ifClear) {
    return _mm_or_si128(_mm_and_si128(mask, ifSet), _mm_andnot_si128(mask, ifClear));
  };
  __m128i a = zero, c = zero;
  for (std::size_t i = 0; i + Step <= bytes; i += Step) {
    const std::size_t size = i + 4 <= bytes ? 4 : Step;
    const __m128i b = load(prev + i, size);
    const __m128i bc = _mm_sub_epi16(b, c), ac = _mm_sub_epi16(a, c);
    const __m128i pa = abs16(bc), pb = abs16(ac), pc = abs16(_mm_add_epi16(bc, ac));
    const __m128i notA = _mm_or_si128(_mm_cmpgt_epi16(pa, pb), _mm_cmpgt_epi16(pa, pc));
    const __m128i bOrC = select(_mm_cmpgt_epi16(pb, pc), c, b);
    const __m128i predicted = select(notA, bOrC, a);
    a = _mm_and_si128(_mm_add_epi16(load(row + i, size), predicted), lowBytes);
    const std::uint32_t pixel = std::uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(a, zero)));
    std::memcpy(row + i, &pixel, Step);
    c = b;
  }
}

template <>
void paeth<3>(std::uint8_t* __restrict row, const std::uint8_t* __restrict prev, std::size_t bytes) {
  paethPixels<3>(row, prev, bytes);
}

template <>
void paeth<4>(std::uint8_t* __restrict row, const std::uint8_t* __restrict prev, std::size_t bytes) {
  paethPixels<4>(row, prev, bytes);
}
#endif

template <int Step>
void unfilter(std::uint8_t filter, std::uint8_t* row, const std::uint8_t* prev, std::size_t bytes) {
  switch (filter) {
    case 1: sub<Step>(row, bytes); break;
    case 2: up(row, prev, bytes); break;
    case 3: average<Step>(row, prev, bytes); break;
    case 4: paeth<Step>(row, prev, bytes); break;
    default: break;
  }
}

}  // namespace

bool UnfilterPngRow(std::uint8_t filter, std::uint8_t* row, const std::uint8_t* prev, std::size_t bytes, int step) {
  if (filter > 4) return false;
  switch (step) {
    case 1: unfilter<1>(filter, row, prev, bytes); break;
    case 2: unfilter<2>(filter, row, prev, bytes); break;
    case 3: unfilter<3>(filter, row, prev, bytes); break;
    case 4: unfilter<4>(filter, row, prev, bytes); break;
    case 6: unfilter<6>(filter, row, prev, bytes); break;
    default: unfilter<8>(filter, row, prev, bytes); break;
  }
  return true;
}
