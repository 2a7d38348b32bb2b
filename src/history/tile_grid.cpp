#include "history/tile_grid.h"

#include <algorithm>

TTileGrid::TTileGrid(const TBitmap& picture)
    : stride(picture.Stride()),
      height(picture.Height()),
      columns(int((picture.Stride() + kTileBytes - 1) / kTileBytes)),
      rows((picture.Height() + kTileRows - 1) / kTileRows),
      bitsPerPixel(BitsPerPixel(picture.PixelFormat())) {}

std::size_t TTileGrid::Bytes(int index) const { return std::min(kTileBytes, stride - FirstByte(index)); }

int TTileGrid::RowCount(int index) const { return std::min(kTileRows, height - FirstRow(index)); }

TRect TTileGrid::PixelRect(int index, int width) const {
  const int left = int(FirstByte(index) * 8 / bitsPerPixel);
  const int right = std::min(width, int((FirstByte(index) + Bytes(index)) * 8 / bitsPerPixel) + 1);
  return TRect{left, FirstRow(index), right, FirstRow(index) + RowCount(index)};
}

