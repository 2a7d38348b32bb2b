#include "surface/bgrx_rows.h"

#include <cstddef>
#include <cstring>

// Four pixels at a time: the compiler keeps this loop scalar at the core's optimisation level.
void CopyClearingSpareBytes(const std::uint8_t* src, std::uint8_t* dst, int width) {
  using Words4 = std::uint32_t __attribute__((vector_size(16)));
  int x = 0;
  for (; x + 4 <= width; x += 4) {
    Words4 v;
    std::memcpy(&v, src + 4 * std::size_t(x), sizeof v);
    v &= 0x00FFFFFF;
    std::memcpy(dst + 4 * std::size_t(x), &v, sizeof v);
  }
  for (; x < width; ++x) {
    std::uint32_t v;
    std::memcpy(&v, src + 4 * std::size_t(x), 4);
    v &= 0x00FFFFFF;
    std::memcpy(dst + 4 * std::size_t(x), &v, 4);
  }
}
