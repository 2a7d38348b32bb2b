#include "view/view_render.h"

#include <algorithm>
#include <vector>

#include "document/screen_pixels.h"

std::uint32_t GridColorOver(std::uint32_t pixel) {
  const std::uint32_t luma = (((pixel >> 16) & 0xFF) * 77 + ((pixel >> 8) & 0xFF) * 150 + (pixel & 0xFF) * 29) >> 8;
  return 0xFF000000u | ((pixel >> 1) & 0x7F7F7Fu) | (luma < 128 ? 0x808080u : 0u);
}

namespace {

// Which source pixel each device pixel of [from, to) starts at, and whether it lies inside.
struct TAxis {
  std::vector<int> first;  // first source pixel, or -1 beside the picture
  std::vector<int> count;  // source pixels it covers (1 or 2 when reduced)
  std::vector<std::uint8_t> gridLine;
};

TAxis MagnifiedAxis(const TViewScale& scale, int from, int to, int size, bool grid) {
  TAxis a;
  for (int k = from; k < to; ++k) {
    const std::int64_t p = scale.PictureOf(k);
    const bool inside = p >= 0 && p < size;
    a.first.push_back(inside ? int(p) : -1);
    a.gridLine.push_back(grid && inside && scale.DeviceOf(p) == k);
  }
  return a;
}

// Device pixel k covers the source pixels [floor(k / r), floor((k + 1) / r)) of a level, r in
// (1/2, 1]: one or two of them, and every source pixel is covered by exactly one device pixel.
TAxis ReducedAxis(const TViewScale& relative, int from, int to, int size) {
  TAxis a;
  for (int k = from; k < to; ++k) {
    const std::int64_t p = relative.PictureOf(k);
    const std::int64_t end = std::min<std::int64_t>(relative.PictureOf(k + 1), size);
    const bool inside = p >= 0 && p < size;
    a.first.push_back(inside ? int(p) : -1);
    a.count.push_back(inside ? int(end - p) : 0);
  }
  return a;
}

void RenderMagnified(const TBitmap& picture, const TViewScale& scale, const TViewLook& look, const TRect& area,
                     std::uint32_t* out, std::size_t outStride) {
  const int width = area.Width();
  const TAxis columns = MagnifiedAxis(scale, area.Left, area.Right, picture.Width(), look.grid);
  const TAxis rows = MagnifiedAxis(scale, area.Top, area.Bottom, picture.Height(), look.grid);
  int firstColumn = picture.Width(), lastColumn = -1;
  for (int p : columns.first)
    if (p >= 0) firstColumn = std::min(firstColumn, p), lastColumn = std::max(lastColumn, p);
  std::vector<std::uint32_t> source(std::max(0, lastColumn - firstColumn + 1));
  const std::uint32_t* previous = nullptr;
  int previousRow = -2;
  for (int j = 0; j < area.Height(); ++j, out += outStride) {
    const int py = rows.first[j];
    if (py == previousRow && !rows.gridLine[j] && previous) {
      std::copy(previous, previous + width, out);
      continue;
    }
    if (py < 0 || source.empty()) {
      std::fill(out, out + width, look.background);
    } else {
      ToScreenPixels(picture, TRect{firstColumn, py, lastColumn + 1, py + 1}, source.data(), 0);
      for (int i = 0; i < width; ++i) {
        const int px = columns.first[i];
        if (px < 0) out[i] = look.background;
        else if (columns.gridLine[i] || rows.gridLine[j]) out[i] = GridColorOver(source[px - firstColumn]);
        else out[i] = source[px - firstColumn];
      }
    }
    // A grid row is never repeated: the rows after it show the block without the line.
    previous = rows.gridLine[j] ? nullptr : out;
    previousRow = py;
  }
}

// Rows of one level of the reduced picture: the mipmaps' own, or the picture's (level 0)
// converted on demand.
class TLevelRows {
 public:
  TLevelRows(const TBitmap& picture, TMipmaps& mipmaps, int k, int left, int right)
      : picture_(picture), mipmaps_(mipmaps), k_(k), left_(left), right_(right) {}
  // Row y; index it by column - Offset().
  const std::uint32_t* Row(int y, int slot) {
    if (k_ > 0) return mipmaps_.Row(k_, y) + left_;
    std::vector<std::uint32_t>& row = slot ? b_ : a_;
    row.resize(std::size_t(right_ - left_));
    ToScreenPixels(picture_, TRect{left_, y, right_, y + 1}, row.data(), 0);
    return row.data();
  }
  int Offset() const { return left_; }

 private:
  const TBitmap& picture_;
  TMipmaps& mipmaps_;
  int k_, left_, right_;
  std::vector<std::uint32_t> a_, b_;
};

void RenderReduced(const TBitmap& picture, TMipmaps& mipmaps, const TViewScale& scale, const TViewLook& look,
                   const TRect& area, std::uint32_t* out, std::size_t outStride) {
  // The level whose pixels are at most two device pixels wide: relative scale in (1/2, 1].
  TRatio relative = scale.PerPicturePixel();
  int k = 0;
  while (2 * relative.num <= relative.den) relative.num *= 2, ++k;
  const TViewScale toLevel(relative, TRatio{});
  const int levelWidth = k ? mipmaps.Width(k) : picture.Width();
  const int levelHeight = k ? mipmaps.Height(k) : picture.Height();
  const TAxis columns = ReducedAxis(toLevel, area.Left, area.Right, levelWidth);
  const TAxis rows = ReducedAxis(toLevel, area.Top, area.Bottom, levelHeight);
  const TRect seen = IntersectRect(
      TRect{int(toLevel.PictureOf(area.Left)), int(toLevel.PictureOf(area.Top)), int(toLevel.PictureOf(area.Right)) + 1,
            int(toLevel.PictureOf(area.Bottom)) + 1},
      TRect{0, 0, levelWidth, levelHeight});
  if (seen.IsEmpty()) {
    for (int j = 0; j < area.Height(); ++j, out += outStride) std::fill(out, out + area.Width(), look.background);
    return;
  }
  if (k) mipmaps.Refresh(k, seen);
  TLevelRows level(picture, mipmaps, k, seen.Left, seen.Right);
  const int width = area.Width();
  for (int j = 0; j < area.Height(); ++j, out += outStride) {
    const int py = rows.first[j];
    if (py < 0) {
      std::fill(out, out + width, look.background);
      continue;
    }
    const std::uint32_t* a = level.Row(py, 0);
    const std::uint32_t* b = rows.count[j] > 1 ? level.Row(py + 1, 1) : a;
    for (int i = 0; i < width; ++i) {
      const int px = columns.first[i] - level.Offset();
      if (columns.first[i] < 0) {
        out[i] = look.background;
        continue;
      }
      const int px2 = columns.count[i] > 1 ? px + 1 : px;
      // A box of one, two or four pixels: the repeated ones weigh as the others do.
      out[i] = Mean4(a[px], a[px2], b[px], b[px2]);
    }
  }
}

// One device pixel a picture pixel and no grid (zoom 1 on an ordinary screen): the picture's
// rows go out as they are, in one conversion, as fast as the canvas was before it could zoom.
void RenderOneToOne(const TBitmap& picture, const TViewLook& look, const TRect& area, std::uint32_t* out,
                    std::size_t outStride) {
  const TRect inside{std::max(area.Left, 0), std::max(area.Top, 0), std::min(area.Right, picture.Width()),
                     std::min(area.Bottom, picture.Height())};
  for (int y = area.Top; y < area.Bottom; ++y) {
    std::uint32_t* row = out + std::size_t(y - area.Top) * outStride;
    if (inside.IsEmpty() || y < inside.Top || y >= inside.Bottom) {
      std::fill(row, row + area.Width(), look.background);
      continue;
    }
    std::fill(row, row + (inside.Left - area.Left), look.background);
    std::fill(row + (inside.Right - area.Left), row + area.Width(), look.background);
  }
  if (!inside.IsEmpty())
    ToScreenPixels(picture, inside,
                   out + std::size_t(inside.Top - area.Top) * outStride + (inside.Left - area.Left), outStride);
}

}  // namespace

void RenderView(const TBitmap& picture, TMipmaps& mipmaps, const TViewScale& scale, const TViewLook& look,
                const TRect& area, std::uint32_t* out, std::size_t outStride) {
  if (area.IsEmpty()) return;
  const TRatio& perPixel = scale.PerPicturePixel();
  if (perPixel.num == perPixel.den && !look.grid) RenderOneToOne(picture, look, area, out, outStride);
  else if (scale.Magnifies()) RenderMagnified(picture, scale, look, area, out, outStride);
  else RenderReduced(picture, mipmaps, scale, look, area, out, outStride);
}
