#pragma once
// The benchmarks' photograph-like picture: smooth colour waves with fine grain, so that a
// coder has real detail to keep without the worst case of pure noise.
#include <algorithm>
#include <cmath>
#include <random>

#include "surface/bitmap.h"

// Fills a side x side 32-bit picture; grain is the largest change a pixel's noise makes.
inline void FillPhotoLike(TBitmap& bmp, int side, int grain) {
  bmp.SetPixelFormat(pf32bit);
  bmp.SetSize(side, side);
  std::mt19937 rng(7);
  for (int y = 0; y < side; ++y) {
    std::uint8_t* row = bmp.MutableRow(y);
    for (int x = 0; x < side; ++x) {
      const int noise = int(rng() % unsigned(2 * grain + 1)) - grain;
      auto wave = [&](double fx, double fy, double phase) {
        return std::clamp(int(128 + 100 * std::sin(x * fx + y * fy + phase)) + noise, 0, 255);
      };
      row[4 * x] = std::uint8_t(wave(0.003, 0.011, 0));
      row[4 * x + 1] = std::uint8_t(wave(0.007, 0.002, 1));
      row[4 * x + 2] = std::uint8_t(wave(0.013, 0.005, 2));
    }
  }
}
