#ifdef __SSE2__
#include "png/png_unfilter_sse2.h"

#include <emmintrin.h>

#include <cstring>

namespace {

// The first Bytes bytes at p (a pixel, or a pixel and the next one's first byte) in the low
// bytes of a register.
template <int Bytes>
__m128i load(const std::uint8_t* p) {
  std::uint32_t v = 0;
  std::memcpy(&v, p, Bytes);
  return _mm_cvtsi32_si128(int(v));
}

template <int Step>
void storePixel(std::uint8_t* p, __m128i v) {
  const std::uint32_t pixel = std::uint32_t(_mm_cvtsi128_si32(v));
  std::memcpy(p, &pixel, Step);
}

// Walks the row pixel by pixel: next(x, b) turns the filtered pixel x, with b the pixel above,
// into the restored one. Pixels are loaded as whole 4-byte words: a 3-byte pixel then carries
// the next pixel's first byte along in a lane that is never stored. The last pixel is loaded
// byte-exact.
template <int Step, typename Next>
void eachPixel(std::uint8_t* __restrict row, const std::uint8_t* __restrict prev, std::size_t bytes, Next next) {
  if (bytes < Step) return;
  const std::size_t last = bytes - Step;
  for (std::size_t i = 0; i < last; i += Step) storePixel<Step>(row + i, next(load<4>(row + i), load<4>(prev + i)));
  storePixel<Step>(row + last, next(load<Step>(row + last), load<Step>(prev + last)));
}

template <int Step>
void sub(std::uint8_t* row, const std::uint8_t* prev, std::size_t bytes) {
  __m128i a = _mm_setzero_si128();
  eachPixel<Step>(row, prev, bytes, [&a](__m128i x, __m128i) { return a = _mm_add_epi8(x, a); });
}

// The floor of (a + b) / 2 is ~avg(~a, ~b) with the instruction set's rounded-up average, so
// carrying ~a from pixel to pixel leaves two instructions between one pixel and the next:
// ~(x + ~avg(~a, ~b)) = avg(~a, ~b) - x.
template <int Step>
void average(std::uint8_t* row, const std::uint8_t* prev, std::size_t bytes) {
  const __m128i ones = _mm_set1_epi8(-1);
  __m128i notA = ones;
  eachPixel<Step>(row, prev, bytes, [&notA, ones](__m128i x, __m128i b) {
    notA = _mm_sub_epi8(_mm_avg_epu8(notA, _mm_xor_si128(b, ones)), x);
    return _mm_xor_si128(notA, ones);
  });
}

// The Paeth predictor in 16-bit lanes, without branches, which mispredict on photographs. Left
// of the first pixel a and c are zero, where the predictor picks b, as the standard wants.
template <int Step>
void paeth(std::uint8_t* row, const std::uint8_t* prev, std::size_t bytes) {
  const __m128i zero = _mm_setzero_si128();
  const auto abs16 = [zero](__m128i v) { return _mm_max_epi16(v, _mm_sub_epi16(zero, v)); };
  const auto select = [](__m128i mask, __m128i ifSet, __m128i ifClear) {
    return _mm_or_si128(_mm_and_si128(mask, ifSet), _mm_andnot_si128(mask, ifClear));
  };
  __m128i a = zero, c = zero;
  eachPixel<Step>(row, prev, bytes, [&](__m128i x, __m128i above) {
    const __m128i b = _mm_unpacklo_epi8(above, zero);
    const __m128i bc = _mm_sub_epi16(b, c), ac = _mm_sub_epi16(a, c);
    const __m128i pa = abs16(bc), pb = abs16(ac), pc = abs16(_mm_add_epi16(bc, ac));
    const __m128i notA = _mm_or_si128(_mm_cmpgt_epi16(pa, pb), _mm_cmpgt_epi16(pa, pc));
    const __m128i bOrC = select(_mm_cmpgt_epi16(pb, pc), c, b);
    const __m128i predicted = _mm_packus_epi16(select(notA, bOrC, a), zero);
    const __m128i restored = _mm_add_epi8(x, predicted);
    a = _mm_unpacklo_epi8(restored, zero);
    c = b;
    return restored;
  });
}

void up(std::uint8_t* __restrict row, const std::uint8_t* __restrict prev, std::size_t bytes) {
  std::size_t i = 0;
  for (; i + 16 <= bytes; i += 16) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + i));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(prev + i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(row + i), _mm_add_epi8(x, b));
  }
  for (; i < bytes; ++i) row[i] = std::uint8_t(row[i] + prev[i]);
}

template <int Step>
void pixels(std::uint8_t filter, std::uint8_t* row, const std::uint8_t* prev, std::size_t bytes) {
  switch (filter) {
    case 1: sub<Step>(row, prev, bytes); break;
    case 3: average<Step>(row, prev, bytes); break;
    default: paeth<Step>(row, prev, bytes); break;
  }
}

}  // namespace

bool UnfilterPngRowSse2(std::uint8_t filter, std::uint8_t* row, const std::uint8_t* prev, std::size_t bytes, int step) {
  if (filter == 2) {
    up(row, prev, bytes);
    return true;
  }
  if (filter == 0 || filter > 4 || bytes % std::size_t(step) != 0) return false;
  switch (step) {
    case 3: pixels<3>(filter, row, prev, bytes); return true;
    case 4: pixels<4>(filter, row, prev, bytes); return true;
    default: return false;
  }
}
#endif
