#pragma once
// The picture halved again and again, as screen pixels 0xFFRRGGBB, for the reduced view: level k
// is the picture reduced by 2^k, each pixel the mean of a 2 x 2 block of level k - 1 (a block cut
// by the right or bottom edge repeats its last column or row).
//
// Levels are made only when asked for and kept up to date tile by tile: a change marks the tiles
// over it on every level, and a tile is computed again only when a view needs it. So a stroke
// costs a few small tiles, and a changed 9999 x 9999 picture is reduced only where it is seen.
#include <cstdint>
#include <vector>

#include "surface/bitmap.h"

class TMipmaps {
 public:
  static constexpr int kTile = 64;  // tile side, in pixels of the level

  // picture must outlive the mipmaps.
  explicit TMipmaps(const TBitmap& picture) : picture_(picture) {}

  // Forgets every level, after the picture changed everywhere (perhaps its size too) or to give
  // their memory back; they are made again when asked for.
  void Clear() { levels_.clear(); }
  // The picture changed in r (right and bottom exclusive).
  void Invalidate(const TRect& r);

  // Size of level k >= 1.
  int Width(int k) const;
  int Height(int k) const;
  // Brings level k >= 1 up to date in r (coordinates of that level, clipped to it).
  void Refresh(int k, const TRect& r);
  // A row of level k, as of the last Refresh that covered it.
  const std::uint32_t* Row(int k, int y) { return level(k).pixels.data() + std::size_t(y) * level(k).width; }

 private:
  struct Level {
    int width = 0, height = 0;
    int tilesAcross = 0;
    std::vector<std::uint32_t> pixels;
    std::vector<std::uint8_t> stale;  // one flag per tile
  };
  Level& level(int k);
  void computeTile(int k, const TRect& r);
  void sourceRow(int k, int y, int left, int right, std::uint32_t* out);

  const TBitmap& picture_;
  std::vector<Level> levels_;  // levels_[k - 1] is level k
  std::vector<std::uint32_t> rowA_, rowB_;
};

// The mean of four screen pixels, each component rounded to nearest.
inline std::uint32_t Mean4(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d) {
  const std::uint32_t rb = (a & 0xFF00FFu) + (b & 0xFF00FFu) + (c & 0xFF00FFu) + (d & 0xFF00FFu) + 0x20002u;
  const std::uint32_t g = (a & 0xFF00u) + (b & 0xFF00u) + (c & 0xFF00u) + (d & 0xFF00u) + 0x200u;
  return 0xFF000000u | ((rb >> 2) & 0xFF00FFu) | ((g >> 2) & 0xFF00u);
}
