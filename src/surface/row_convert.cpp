#include "surface/row_convert.h"

#include "surface/span_painter.h"

bool SameLayout(TPixelFormat a, TPixelFormat b) {
  auto norm = [](TPixelFormat f) { return f == pfDevice ? pf32bit : f; };
  return norm(a) == norm(b);
}

RawConverter::RawConverter(const TBitmap& source, const TBitmap& dest)
    : source_(source),
      dest_(dest),
      sourceBpp_(BitsPerPixel(source.PixelFormat())),
      identity_(SameLayout(source.PixelFormat(), dest.PixelFormat()) &&
                (!IsIndexed(source.PixelFormat()) || source.Palette() == dest.Palette())),
      useTable_(!identity_ && IsIndexed(source.PixelFormat())) {
  if (!useTable_) return;
  for (std::uint32_t i = 0; i < (1u << sourceBpp_); ++i) table_[i] = dest.ColorToRaw(source.RawToColor(i));
}

std::uint32_t RawConverter::operator()(std::uint32_t raw) const {
  if (identity_) return raw;
  if (useTable_) return table_[raw];
  if (raw != lastIn_) {
    lastIn_ = raw;
    lastOut_ = dest_.ColorToRaw(source_.RawToColor(raw));
  }
  return lastOut_;
}

void RawConverter::Gather(const std::uint8_t* row, const int* xs, int n, std::uint32_t* out) const {
  if (sourceBpp_ == 32) {
    const auto* words = reinterpret_cast<const std::uint32_t*>(row);
    if (identity_) {
      for (int i = 0; i < n; ++i) out[i] = words[xs[i]];
    } else {
      for (int i = 0; i < n; ++i) out[i] = (*this)(words[xs[i]] & 0xFFFFFF);
    }
    return;
  }
  for (int i = 0; i < n; ++i) out[i] = (*this)(ReadRaw(row, xs[i], sourceBpp_));
}
