#pragma once
// Builds small bitmap files by hand for the reader's tests: a file header, a 40-byte info
// header, optional colour masks and palette, then the given pixel bytes.
#include <cstdint>
#include <vector>

#include "surface/color.h"

struct BmpLayout {
  int width = 1;
  int height = 1;  // negative: rows top-down
  int bitCount = 24;
  std::uint32_t compression = 0;     // 0 BI_RGB, 1 RLE8, 2 RLE4, 3 BI_BITFIELDS
  std::vector<std::uint32_t> masks{};  // written after the info header
  std::vector<TColor> palette{};       // its size is written as the colours used
  std::vector<std::uint8_t> pixels{};  // written as they are
};

inline void PutLe(std::vector<std::uint8_t>& out, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(std::uint8_t(v >> (8 * i)));
}

inline std::vector<std::uint8_t> BuildBmp(const BmpLayout& s) {
  const std::uint32_t offset = 54 + std::uint32_t(s.masks.size() + s.palette.size()) * 4;
  std::vector<std::uint8_t> f = {'B', 'M'};
  PutLe(f, offset + std::uint32_t(s.pixels.size()), 4);
  PutLe(f, 0, 4);
  PutLe(f, offset, 4);
  PutLe(f, 40, 4);
  PutLe(f, std::uint32_t(s.width), 4);
  PutLe(f, std::uint32_t(s.height), 4);
  PutLe(f, 1, 2);
  PutLe(f, std::uint32_t(s.bitCount), 2);
  PutLe(f, s.compression, 4);
  PutLe(f, std::uint32_t(s.pixels.size()), 4);
  PutLe(f, 2835, 4);
  PutLe(f, 2835, 4);
  PutLe(f, std::uint32_t(s.palette.size()), 4);
  PutLe(f, 0, 4);
  for (std::uint32_t m : s.masks) PutLe(f, m, 4);
  for (TColor c : s.palette) PutLe(f, (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c), 4);
  f.insert(f.end(), s.pixels.begin(), s.pixels.end());
  return f;
}
