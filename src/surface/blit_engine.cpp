#include "surface/blit_engine.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "surface/color_match.h"
#include "surface/raster_op.h"
#include "surface/row_convert.h"
#include "surface/span_painter.h"
#include "surface/stretch_map.h"

namespace {

// Where source rows are read: the source bitmap itself, or a private copy of the part that is
// used when the copy reads and writes the same pixels.
struct SourceRows {
  const std::uint8_t* base = nullptr;
  std::size_t stride = 0;
  std::vector<std::uint8_t> copy;
  const std::uint8_t* Row(int y) const { return base + std::size_t(y) * stride; }
};

bool Overlaps(const AxisMap& xs, const AxisMap& ys) {
  return xs.SourceMin() < xs.End() && xs.First() <= xs.SourceMax() && ys.SourceMin() < ys.End() &&
         ys.First() <= ys.SourceMax();
}

// Copies the source pixels the maps use and moves the maps onto the copy. The copy starts on a
// multiple of 8 columns, a whole byte at every pixel size.
void ReadFirst(const TBitmap& bmp, AxisMap& xs, AxisMap& ys, SourceRows& rows) {
  const int x0 = xs.SourceMin() & ~7, y0 = ys.SourceMin();
  const int w = xs.SourceMax() + 1 - x0, h = ys.SourceMax() + 1 - y0;
  const std::size_t offset = std::size_t(x0) * BitsPerPixel(bmp.PixelFormat()) / 8;
  rows.stride = RowStride(bmp.PixelFormat(), w);
  const std::size_t bytes = std::min(rows.stride, bmp.Stride() - offset);
  rows.copy.assign(rows.stride * std::size_t(h), 0);
  for (int y = 0; y < h; ++y) std::memcpy(rows.copy.data() + std::size_t(y) * rows.stride, bmp.Row(y0 + y) + offset, bytes);
  rows.base = rows.copy.data();
  xs.ShiftSource(x0);
  ys.ShiftSource(y0);
}

// Writes one destination row at a time: the mapped source pixels, converted, combined with the
// destination through the raster operation.
class RowBlitter {
 public:
  RowBlitter(TCanvas& canvas, const TBitmap& source, const AxisMap& xs, const TColor* transparent)
      : dest_(canvas.Bitmap()),
        xs_(xs),
        rop_(canvas.CopyMode),
        bpp_(BitsPerPixel(dest_.PixelFormat())),
        mask_(RawMask(dest_.PixelFormat())),
        white_(dest_.ColorToRaw(clWhite)),
        convert_(source, dest_),
        pattern_(BrushInk(dest_, canvas.Brush, pmCopy, canvas.BrushOrigin)),
        values_(std::size_t(xs.Count())) {
    if (transparent) {
      transparent_.emplace(source, *transparent);
      keep_.resize(std::size_t(xs.Count()));
    }
    rawCopy_ = rop_.kind() == Rop3::kCopy && convert_.Identity() && xs.Straight() && !transparent && bpp_ >= 8;
    direct_ = bpp_ == 32 && convert_.Identity() && xs.Straight();
    bits_ = dest_.MutableBits();
  }

  // Row y of the destination from source row sourceRow (null when the source is not read).
  void Row(int y, const std::uint8_t* sourceRow) {
    std::uint8_t* row = bits_ + std::size_t(y) * dest_.Stride();
    const int n = xs_.Count(), x0 = xs_.First();
    if (sourceRow && rawCopy_) {
      const int bytes = bpp_ / 8;
      std::memcpy(row + std::size_t(x0) * bytes, sourceRow + std::size_t(xs_[0]) * bytes, std::size_t(n) * bytes);
      return;
    }
    const std::uint32_t* s = sourceRow ? sourceValues(sourceRow) : nullptr;
    const std::uint32_t* keep = sourceRow && transparent_ ? keep_.data() : nullptr;
    if (bpp_ == 32 && rop_.kind() != Rop3::kOther) {
      CombineRow32(rop_.kind(), reinterpret_cast<std::uint32_t*>(row) + x0, s, keep, n, white_);
    } else {
      combinePixels(row, y, s, keep);
    }
  }

 private:
  // The source pixels of the row as destination raw values (and the transparency mask), read
  // once for consecutive rows that take the same source row.
  const std::uint32_t* sourceValues(const std::uint8_t* sourceRow) {
    if (sourceRow != lastRow_) {
      lastRow_ = sourceRow;
      const int sbpp = convert_.SourceBpp();
      const std::uint32_t* direct = direct_ ? reinterpret_cast<const std::uint32_t*>(sourceRow) + xs_[0] : nullptr;
      if (direct && transparent_) {
        KeepUnlessEqual(direct, transparent_->Key(), keep_.data(), xs_.Count());
      } else if (transparent_) {
        for (int i = 0; i < xs_.Count(); ++i) keep_[i] = (*transparent_)(ReadRaw(sourceRow, xs_[i], sbpp)) ? 0 : ~0u;
      }
      if (!direct) convert_.Gather(sourceRow, xs_.Data(), xs_.Count(), values_.data());
    }
    return direct_ ? reinterpret_cast<const std::uint32_t*>(sourceRow) + xs_[0] : values_.data();
  }

  // Any operation on any format, pixel by pixel.
  void combinePixels(std::uint8_t* row, int y, const std::uint32_t* s, const std::uint32_t* keep) {
    const bool usesPattern = rop_.UsesPattern();
    const int r = (y - pattern_.originY) & 7;
    for (int i = 0, x = xs_.First(); i < xs_.Count(); ++i, ++x) {
      if (keep && !keep[i]) continue;
      std::uint32_t p = 0;
      if (usesPattern) {
        const int c = (x - pattern_.originX) & 7;
        if (!((pattern_.drawn[r] >> c) & 1)) continue;
        p = pattern_.cell[r][c].xorMask;
      }
      const std::uint32_t d = ReadRaw(row, x, bpp_);
      const std::uint32_t v = rop_.kind() == Rop3::kWhite ? white_ : rop_.Apply(p, s ? s[i] : 0, d) & mask_;
      WriteRaw(row, x, bpp_, v);
    }
  }

  TBitmap& dest_;
  const AxisMap& xs_;
  const Rop3 rop_;
  const int bpp_;
  const std::uint32_t mask_, white_;
  const RawConverter convert_;
  const SpanInk pattern_;
  std::optional<RawColorMatch> transparent_;
  bool rawCopy_ = false;  // plain row copies
  bool direct_ = false;   // 32-bit source pixels used where they are
  std::uint8_t* bits_ = nullptr;
  std::vector<std::uint32_t> values_;
  std::vector<std::uint32_t> keep_;  // all ones where the source pixel is drawn
  const std::uint8_t* lastRow_ = nullptr;
};

}  // namespace

void StretchBlit(TCanvas& canvas, const TBitmap& source, const BlitArea& dst, const BlitArea& src,
                 const TColor* transparentColor) {
  const TRect clip = canvas.ClipRect();
  const bool readsSource = Rop3(canvas.CopyMode).UsesSource() || transparentColor;
  // An operation that ignores the source covers the whole destination area, as a pattern fill.
  const BlitArea from = readsSource ? src : BlitArea{dst.x, dst.y, dst.w, dst.h};
  AxisMap xs(StretchAxis::Columns, dst.x, dst.w, from.x, from.w, clip.Left, clip.Right,
             readsSource ? source.Width() : -1);
  AxisMap ys(StretchAxis::Rows, dst.y, dst.h, from.y, from.h, clip.Top, clip.Bottom,
             readsSource ? source.Height() : -1);
  if (xs.Empty() || ys.Empty()) return;

  RowBlitter blitter(canvas, source, xs, transparentColor);
  SourceRows rows;
  if (readsSource) {
    // Taken after the destination was made writable, which may have moved shared pixels.
    rows.base = source.Bits();
    rows.stride = source.Stride();
    if (&source == &canvas.Bitmap() && Overlaps(xs, ys)) ReadFirst(source, xs, ys, rows);
  }
  for (int i = 0; i < ys.Count(); ++i) blitter.Row(ys.First() + i, readsSource ? rows.Row(ys[i]) : nullptr);
}
