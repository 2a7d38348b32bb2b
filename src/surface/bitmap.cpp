#include "surface/bitmap.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <utility>

#include "surface/canvas.h"
#include "surface/pixel_memory.h"
#include "surface/span_painter.h"
#include "surface/surface_error.h"
#include "language/translatable.h"

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height, TPixelFormat format) {
  SetPixelFormat(format);
  SetSize(width, height);
}

TBitmap::~TBitmap() = default;

void TBitmap::CheckSize(int width, int height, TPixelFormat f) {
  if (width < 0 || height < 0 || width > kMaxBitmapSide || height > kMaxBitmapSide ||
      RowStride(f, width) * std::size_t(height) > kMaxBitmapBytes) {
    throw EOutOfResources(TCoreMessage{TRANSLATABLE("Error", "ビットマップが大きすぎます (%1 x %2)"), {std::to_string(width), std::to_string(height)}});
  }
}


void TBitmap::allocate(int w, int h, TPixelFormat f, std::shared_ptr<TPixelMemory>& out, bool prefault,
                       std::size_t scratchBytes) const {
  CheckSize(w, h, f);
  const std::size_t bytes = RowStride(f, w) * std::size_t(h);
  try {
    out = bytes ? std::make_shared<TPixelMemory>(bytes + scratchBytes, prefault) : nullptr;
  } catch (const std::bad_alloc&) {
    throw EOutOfResources(TCoreMessage{TRANSLATABLE("Error", "メモリが不足しています"), {}});
  }
}

void TBitmap::setBits(std::shared_ptr<TPixelMemory> bits) {
  bits_ = std::move(bits);
  data_ = bits_ ? bits_->Data() : nullptr;
}

TCanvas& TBitmap::Canvas() {
  if (!canvas_) canvas_ = std::make_unique<TCanvas>(*this);
  return *canvas_;
}

void TBitmap::SetSize(int w, int h) {
  if (w == width_ && h == height_) return;
  std::shared_ptr<TPixelMemory> fresh;
  allocate(w, h, format_, fresh);
  const std::size_t stride = RowStride(format_, w);
  const int keepRows = std::min(h, height_);
  const std::size_t keepBytes = std::min(stride, stride_);
  for (int y = 0; y < keepRows; ++y)
    std::memcpy(fresh->Data() + std::size_t(y) * stride, Row(y), keepBytes);
  const int oldWidth = std::min(width_, w);
  setBits(std::move(fresh));
  scratch_ = 0;
  width_ = w;
  height_ = h;
  stride_ = stride;
  if (Empty()) return;

  // New area takes the brush colour: the columns right of the kept pixels, then the new rows.
  TColor fill = canvas_ ? canvas_->Brush.Color : clWhite;
  std::uint32_t raw = ColorToRaw(fill);
  const int bpp = BitsPerPixel(format_);
  for (int y = 0; y < keepRows; ++y) {
    std::uint8_t* row = MutableRow(y);
    for (int x = oldWidth; x < w; ++x) WriteRaw(row, x, bpp, raw);
  }
  fillRows(keepRows, raw);
}

void TBitmap::SetSizeForOverwrite(int w, int h, std::size_t scratchBytes) {
  std::shared_ptr<TPixelMemory> fresh;
  allocate(w, h, format_, fresh, false, scratchBytes);
  setBits(std::move(fresh));
  width_ = w;
  height_ = h;
  stride_ = RowStride(format_, w);
  scratch_ = bits_ ? scratchBytes : 0;
}

// The whole pages of the scratch room stop taking memory; nothing reads them again.
void TBitmap::ReleaseScratch() {
  if (scratch_ == 0) return;
  bits_->Discard(ByteSize(), ByteSize() + scratch_);
  scratch_ = 0;
}

void TBitmap::fillRows(int fromY, std::uint32_t raw) {
  if (fromY >= height_) return;
  const int bpp = BitsPerPixel(format_);
  std::uint8_t* first = MutableRow(fromY);
  std::memset(first, 0, stride_);
  for (int x = 0; x < width_; ++x) WriteRaw(first, x, bpp, raw);
  for (int y = fromY + 1; y < height_; ++y) std::memcpy(MutableRow(y), first, stride_);
}

void TBitmap::SetPixelFormat(TPixelFormat f) {
  if (f == format_) return;
  TPalette newPalette = TPalette::Default(f);
  if (Empty()) {
    format_ = f;
    palette_ = std::move(newPalette);
    stride_ = RowStride(f, width_);
    setBits(nullptr);
    scratch_ = 0;
    return;
  }
  std::shared_ptr<TPixelMemory> fresh;
  allocate(width_, height_, f, fresh);
  const std::size_t stride = RowStride(f, width_);
  const int fromBpp = BitsPerPixel(format_), toBpp = BitsPerPixel(f);

  // Stored layouts that are the same (pfDevice and pf32bit) copy as they are.
  if (fromBpp == toBpp && !IsIndexed(f) && format_ != pf15bit && format_ != pf16bit) {
    std::memcpy(fresh->Data(), data_, ByteSize());
  } else {
    TBitmap target;
    target.format_ = f;
    target.palette_ = newPalette;
    for (int y = 0; y < height_; ++y) {
      const std::uint8_t* src = Row(y);
      std::uint8_t* dst = fresh->Data() + std::size_t(y) * stride;
      std::memset(dst, 0, stride);
      std::uint32_t lastRaw = ~0u, lastOut = 0;
      for (int x = 0; x < width_; ++x) {
        std::uint32_t raw = ReadRaw(src, x, fromBpp);
        if (raw != lastRaw) {
          lastRaw = raw;
          lastOut = target.ColorToRaw(RawToColor(raw));
        }
        WriteRaw(dst, x, toBpp, lastOut);
      }
    }
  }
  setBits(std::move(fresh));
  scratch_ = 0;
  format_ = f;
  stride_ = stride;
  palette_ = std::move(newPalette);
}

void TBitmap::Assign(const TBitmap& other) {
  if (&other == this) return;
  width_ = other.width_;
  height_ = other.height_;
  format_ = other.format_;
  stride_ = other.stride_;
  palette_ = other.palette_;
  setBits(other.bits_);
  scratch_ = 0;
  Transparent = other.Transparent;
  TransparentColor = other.TransparentColor;
}

void TBitmap::Swap(TBitmap& other) {
  std::swap(width_, other.width_);
  std::swap(height_, other.height_);
  std::swap(format_, other.format_);
  std::swap(stride_, other.stride_);
  std::swap(palette_, other.palette_);
  std::swap(bits_, other.bits_);
  std::swap(data_, other.data_);
  std::swap(scratch_, other.scratch_);
  std::swap(Transparent, other.Transparent);
  std::swap(TransparentColor, other.TransparentColor);
}

void TBitmap::SetPalette(const TPalette& p) { palette_ = p; }

std::uint8_t* TBitmap::MutableBits() {
  if (bits_ && bits_.use_count() > 1) {
    try {
      setBits(bits_->Copy(ByteSize()));
    } catch (const std::bad_alloc&) {
      throw EOutOfResources(TCoreMessage{TRANSLATABLE("Error", "メモリが不足しています"), {}});
    }
    scratch_ = 0;
  }
  return data_;
}

TSamePages TBitmap::SamePagesAs(const TBitmap& other) const {
  if (!bits_ || !other.bits_ || other.stride_ != stride_ || other.height_ != height_) return TSamePages();
  return bits_->SamePagesAs(*other.bits_, ByteSize());
}

constexpr std::size_t kPrepareAtLeast = std::size_t(1) << 20;

void TBitmap::PrepareToWrite(const TRect& r) {
  const TRect area = IntersectRect(NormalizedRect(r), BoundsRect());
  const std::size_t bpp = std::size_t(BitsPerPixel(format_));
  const std::size_t left = std::size_t(area.Left) * bpp / 8, right = (std::size_t(area.Right) * bpp + 7) / 8;
  // A small area costs few page copies anyway.
  if (area.IsEmpty() || (right - left) * std::size_t(area.Height()) < kPrepareAtLeast) return;
  MutableBits();
  // Rows written across most of their width are taken as one range.
  if (right - left >= stride_ / 2) {
    bits_->PrepareToWrite(std::size_t(area.Top) * stride_, std::size_t(area.Bottom) * stride_);
    return;
  }
  for (int y = area.Top; y < area.Bottom; ++y) {
    const std::size_t row = std::size_t(y) * stride_;
    bits_->PrepareToWrite(row + left, row + right);
  }
}

std::uint32_t TBitmap::GetRaw(int x, int y) const { return ReadRaw(Row(y), x, BitsPerPixel(format_)); }

void TBitmap::SetRaw(int x, int y, std::uint32_t v) { WriteRaw(MutableRow(y), x, BitsPerPixel(format_), v); }

std::uint32_t TBitmap::ColorToRaw(TColor c) const {
  c = ColorToRGB(c);
  const std::uint32_t r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
  switch (format_) {
    case pf1bit:
    case pf4bit:
    case pf8bit: return palette_.Count() ? std::uint32_t(palette_.Nearest(c)) : 0;
    case pf15bit: return ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3);
    case pf16bit: return ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3);
    default: return (r << 16) | (g << 8) | b;
  }
}

TColor TBitmap::RawToColor(std::uint32_t v) const {
  auto widen5 = [](std::uint32_t x) { return std::uint8_t((x << 3) | (x >> 2)); };
  auto widen6 = [](std::uint32_t x) { return std::uint8_t((x << 2) | (x >> 4)); };
  switch (format_) {
    case pf1bit:
    case pf4bit:
    case pf8bit: return int(v) < palette_.Count() ? palette_[int(v)] : clBlack;
    case pf15bit: return RGB(widen5((v >> 10) & 31), widen5((v >> 5) & 31), widen5(v & 31));
    case pf16bit: return RGB(widen5((v >> 11) & 31), widen6((v >> 5) & 63), widen5(v & 31));
    default: return RGB(std::uint8_t(v >> 16), std::uint8_t(v >> 8), std::uint8_t(v));
  }
}

TColor TBitmap::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return clInvalid;
  return RawToColor(GetRaw(x, y));
}

void TBitmap::SetPixel(int x, int y, TColor c) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  SetRaw(x, y, ColorToRaw(c));
}
