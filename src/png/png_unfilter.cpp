#include "png/png_unfilter.h"

#include <cstdlib>

#include "png/png_unfilter_sse2.h"

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

bool UnfilterPngRowScalar(std::uint8_t filter, std::uint8_t* row, const std::uint8_t* prev, std::size_t bytes,
                          int step) {
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

bool UnfilterPngRow(std::uint8_t filter, std::uint8_t* row, const std::uint8_t* prev, std::size_t bytes, int step) {
#ifdef __SSE2__
  if (UnfilterPngRowSse2(filter, row, prev, bytes, step)) return true;
#endif
  return UnfilterPngRowScalar(filter, row, prev, bytes, step);
}
