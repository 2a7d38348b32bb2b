#include "view/view_mipmaps.h"

#include "document/screen_pixels.h"

namespace {

int Half(int n) { return (n + 1) / 2; }

}  // namespace

int TMipmaps::Width(int k) const {
  int w = picture_.Width();
  for (int i = 0; i < k; ++i) w = Half(w);
  return w;
}

int TMipmaps::Height(int k) const {
  int h = picture_.Height();
  for (int i = 0; i < k; ++i) h = Half(h);
  return h;
}

TMipmaps::Level& TMipmaps::level(int k) {
  while (int(levels_.size()) < k) {
    Level l;
    l.width = Width(int(levels_.size()) + 1);
    l.height = Height(int(levels_.size()) + 1);
    l.tilesAcross = (l.width + kTile - 1) / kTile;
    l.pixels.assign(std::size_t(l.width) * l.height, 0);
    l.stale.assign(std::size_t(l.tilesAcross) * ((l.height + kTile - 1) / kTile), 1);
    levels_.push_back(std::move(l));
  }
  return levels_[k - 1];
}

void TMipmaps::Invalidate(const TRect& changed) {
  TRect r = IntersectRect(NormalizedRect(changed), picture_.BoundsRect());
  for (Level& l : levels_) {
    if (r.IsEmpty()) return;
    r = TRect{r.Left / 2, r.Top / 2, Half(r.Right), Half(r.Bottom)};
    for (int ty = r.Top / kTile; ty * kTile < r.Bottom; ++ty)
      for (int tx = r.Left / kTile; tx * kTile < r.Right; ++tx) l.stale[std::size_t(ty) * l.tilesAcross + tx] = 1;
  }
}

void TMipmaps::Refresh(int k, const TRect& wanted) {
  Level& l = level(k);
  const TRect r = IntersectRect(NormalizedRect(wanted), TRect{0, 0, l.width, l.height});
  if (r.IsEmpty()) return;
  for (int ty = r.Top / kTile; ty * kTile < r.Bottom; ++ty)
    for (int tx = r.Left / kTile; tx * kTile < r.Right; ++tx) {
      // Level k - 1 exists already: l stays valid through the refresh below.
      std::uint8_t& stale = l.stale[std::size_t(ty) * l.tilesAcross + tx];
      if (!stale) continue;
      const TRect tile{tx * kTile, ty * kTile, std::min((tx + 1) * kTile, l.width), std::min((ty + 1) * kTile, l.height)};
      if (k > 1) Refresh(k - 1, TRect{2 * tile.Left, 2 * tile.Top, 2 * tile.Right, 2 * tile.Bottom});
      computeTile(k, tile);
      stale = 0;
    }
}

// Row y of level k - 1 from column left up to right (clipped to the level), as screen pixels.
void TMipmaps::sourceRow(int k, int y, int left, int right, std::uint32_t* out) {
  if (k == 1) {
    ToScreenPixels(picture_, TRect{left, y, right, y + 1}, out, 0);
    return;
  }
  const std::uint32_t* row = Row(k - 1, y);
  std::copy(row + left, row + right, out);
}

void TMipmaps::computeTile(int k, const TRect& r) {
  const int sourceWidth = k == 1 ? picture_.Width() : levels_[k - 2].width;
  const int sourceHeight = k == 1 ? picture_.Height() : levels_[k - 2].height;
  const int left = 2 * r.Left;
  const int right = std::min(2 * r.Right, sourceWidth);
  rowA_.resize(std::size_t(right - left) + 1);
  rowB_.resize(rowA_.size());
  Level& l = levels_[k - 1];
  for (int y = r.Top; y < r.Bottom; ++y) {
    sourceRow(k, 2 * y, left, right, rowA_.data());
    if (2 * y + 1 < sourceHeight) sourceRow(k, 2 * y + 1, left, right, rowB_.data());
    else rowB_ = rowA_;
    // An odd last column is repeated.
    rowA_[right - left] = rowA_[right - left - 1];
    rowB_[right - left] = rowB_[right - left - 1];
    std::uint32_t* out = l.pixels.data() + std::size_t(y) * l.width;
    for (int x = r.Left; x < r.Right; ++x) {
      const int i = 2 * x - left;
      out[x] = Mean4(rowA_[i], rowA_[i + 1], rowB_[i], rowB_[i + 1]);
    }
  }
}
