#include "surface/bitmap.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <system_error>
#include <thread>
#include <utility>

#include "surface/canvas.h"
#include "surface/span_painter.h"
#include "surface/surface_error.h"

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height, TPixelFormat format) {
  SetPixelFormat(format);
  SetSize(width, height);
}

TBitmap::~TBitmap() = default;

void TBitmap::CheckSize(int width, int height, TPixelFormat f) {
  if (width < 0 || height < 0 || width > kMaxBitmapSide || height > kMaxBitmapSide ||
      RowStride(f, width) * std::size_t(height) > kMaxBitmapBytes) {
    throw EOutOfResources("ビットマップが大きすぎます (" + std::to_string(width) + " x " +
                          std::to_string(height) + ")");
  }
}

namespace {

// Pixels of large pictures live in 2 MiB-aligned memory marked for huge pages: touching a fresh
// 64 MB picture for the first time then costs a few dozen page faults instead of sixteen
// thousand. The kernel still has to clear every page, which on this kind of machine costs about
// as much as decoding a photograph, so for a picture that is filled at once a second thread has
// the pages cleared from the far end while the caller fills them from the top; the memory is
// freed only after that thread is done. A picture made for a decoder is not touched ahead of
// its data: a file that promises a huge picture and holds little costs only what it holds.
constexpr std::size_t kHugePage = std::size_t(2) << 20;

#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23
#endif

void populateBackwards(std::uint8_t* p, std::size_t bytes) {
  for (std::size_t end = bytes; end > 0; end -= kHugePage) {
    if (madvise(p + end - kHugePage, kHugePage, MADV_POPULATE_WRITE) != 0) return;  // older kernels
  }
}

std::shared_ptr<std::uint8_t[]> allocatePixels(std::size_t bytes, bool prefault) {
  if (bytes < 2 * kHugePage) return std::shared_ptr<std::uint8_t[]>(new std::uint8_t[bytes]);
  const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
  auto* p = static_cast<std::uint8_t*>(std::aligned_alloc(kHugePage, rounded));
  if (!p) throw std::bad_alloc();
  madvise(p, rounded, MADV_HUGEPAGE);  // only advice: without huge pages all still works
  std::shared_ptr<std::thread> populate;
  try {
    if (prefault) populate = std::make_shared<std::thread>(populateBackwards, p, rounded);
  } catch (const std::system_error&) {
    // No thread to spare: the pages are cleared as they are first touched.
  }
  return std::shared_ptr<std::uint8_t[]>(p, [populate](std::uint8_t* q) {
    if (populate) populate->join();
    std::free(q);
  });
}

}  // namespace

void TBitmap::allocate(int w, int h, TPixelFormat f, std::shared_ptr<std::uint8_t[]>& out, bool prefault,
                       std::size_t scratchBytes) const {
  CheckSize(w, h, f);
  const std::size_t bytes = RowStride(f, w) * std::size_t(h);
  try {
    out = bytes ? allocatePixels(bytes + scratchBytes, prefault) : nullptr;
  } catch (const std::bad_alloc&) {
    throw EOutOfResources("メモリが不足しています");
  }
}

TCanvas& TBitmap::Canvas() {
  if (!canvas_) canvas_ = std::make_unique<TCanvas>(*this);
  return *canvas_;
}

void TBitmap::SetSize(int w, int h) {
  if (w == width_ && h == height_) return;
  std::shared_ptr<std::uint8_t[]> fresh;
  allocate(w, h, format_, fresh);
  const std::size_t stride = RowStride(format_, w);
  const int keepRows = std::min(h, height_);
  const std::size_t keepBytes = std::min(stride, stride_);
  for (int y = 0; y < keepRows; ++y)
    std::memcpy(fresh.get() + std::size_t(y) * stride, Row(y), keepBytes);
  const int oldWidth = std::min(width_, w);
  bits_ = std::move(fresh);
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
  std::shared_ptr<std::uint8_t[]> fresh;
  allocate(w, h, format_, fresh, false, scratchBytes);
  bits_ = std::move(fresh);
  width_ = w;
  height_ = h;
  stride_ = RowStride(format_, w);
  scratch_ = bits_ ? scratchBytes : 0;
}

// The whole pages of the scratch room stop taking memory; the address range stays reserved
// until the pixels are freed, and nothing reads it again.
void TBitmap::ReleaseScratch() {
  if (scratch_ == 0) return;
  const std::uintptr_t page = std::uintptr_t(sysconf(_SC_PAGESIZE));
  const std::uintptr_t start = reinterpret_cast<std::uintptr_t>(bits_.get()) + ByteSize();
  const std::uintptr_t from = (start + page - 1) / page * page, to = (start + scratch_) / page * page;
  if (to > from) madvise(reinterpret_cast<void*>(from), to - from, MADV_DONTNEED);
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
    bits_.reset();
    scratch_ = 0;
    return;
  }
  std::shared_ptr<std::uint8_t[]> fresh;
  allocate(width_, height_, f, fresh);
  const std::size_t stride = RowStride(f, width_);
  const int fromBpp = BitsPerPixel(format_), toBpp = BitsPerPixel(f);

  // Stored layouts that are the same (pfDevice and pf32bit) copy as they are.
  if (fromBpp == toBpp && !IsIndexed(f) && format_ != pf15bit && format_ != pf16bit) {
    std::memcpy(fresh.get(), bits_.get(), ByteSize());
  } else {
    TBitmap target;
    target.format_ = f;
    target.palette_ = newPalette;
    for (int y = 0; y < height_; ++y) {
      const std::uint8_t* src = Row(y);
      std::uint8_t* dst = fresh.get() + std::size_t(y) * stride;
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
  bits_ = std::move(fresh);
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
  bits_ = other.bits_;
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
  std::swap(scratch_, other.scratch_);
  std::swap(Transparent, other.Transparent);
  std::swap(TransparentColor, other.TransparentColor);
}

void TBitmap::SetPalette(const TPalette& p) { palette_ = p; }

std::uint8_t* TBitmap::MutableBits() {
  if (bits_ && bits_.use_count() > 1) {
    std::shared_ptr<std::uint8_t[]> own;
    allocate(width_, height_, format_, own);
    std::memcpy(own.get(), bits_.get(), ByteSize());
    bits_ = std::move(own);
    scratch_ = 0;
  }
  return bits_.get();
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
