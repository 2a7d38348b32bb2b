#pragma once
// The seven passes of Adam7 interlacing: which columns and rows of the image each pass holds.
#include <array>

struct TAdam7Pass {
  int x0, y0, dx, dy;  // first column and row, and the steps between them

  // The number of columns (rows) of an image width (height) that fall in this pass.
  int Columns(int width) const { return width > x0 ? (width - x0 + dx - 1) / dx : 0; }
  int Rows(int height) const { return height > y0 ? (height - y0 + dy - 1) / dy : 0; }
};

inline constexpr std::array<TAdam7Pass, 7> kAdam7Passes{{
    {0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4}, {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}}};
