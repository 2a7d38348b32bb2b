#pragma once
// The history's view of a picture's memory: tiles of kTileBytes bytes of kTileRows rows,
// laid over the raw rows (padding included) so that every pixel format tiles alike.
#include <algorithm>
#include <cstddef>

#include "surface/bitmap.h"

constexpr std::size_t kTileBytes = 256;  // 64 pixels at 32 bits, 2048 at 1 bit
constexpr int kTileRows = 64;

struct TTileGrid {
  std::size_t stride = 0;  // bytes of a row
  int height = 0;
  int columns = 0;
  int rows = 0;
  int bitsPerPixel = 0;

  explicit TTileGrid(const TBitmap& picture);
  TTileGrid() = default;

  int Count() const { return columns * rows; }
  // The bytes and rows of tile `index` (row-major): [firstByte, firstByte + bytes), [firstRow,
  // firstRow + rowCount).
  std::size_t FirstByte(int index) const { return std::size_t(index % columns) * kTileBytes; }
  std::size_t Bytes(int index) const;
  int FirstRow(int index) const { return (index / columns) * kTileRows; }
  int RowCount(int index) const;
  // The pixel rectangle a tile covers (right and bottom exclusive), clipped to the picture.
  TRect PixelRect(int index, int width) const;
  // Calls mark(index) for every tile that pixel rectangle r (right and bottom exclusive)
  // reaches; parts outside the picture reach nothing.
  template <class F>
  void ForEachTileIn(const TRect& r, int width, F mark) const;

  friend bool operator==(const TTileGrid&, const TTileGrid&) = default;
};

template <class F>
void TTileGrid::ForEachTileIn(const TRect& r, int width, F mark) const {
  const int left = std::max(r.Left, 0), right = std::min(r.Right, width);
  const int top = std::max(r.Top, 0), bottom = std::min(r.Bottom, height);
  if (left >= right || top >= bottom) return;
  const std::size_t firstByte = std::size_t(left) * bitsPerPixel / 8;
  const std::size_t lastByte = (std::size_t(right) * bitsPerPixel + 7) / 8 - 1;
  const int c0 = int(firstByte / kTileBytes), c1 = int(lastByte / kTileBytes);
  const int r0 = top / kTileRows, r1 = (bottom - 1) / kTileRows;
  for (int row = r0; row <= r1; ++row)
    for (int c = c0; c <= c1; ++c) mark(row * columns + c);
}
