#pragma once
// A picture in memory: width, height, pixel format, palette and pixels, rows top-down.
//
// Pixels are stored raw, as bitmap files store them: palette indices packed from the high bit
// for 1/4/8 bits, 5-5-5 or 5-6-5 little-endian words for 15/16 bits, blue-green-red bytes for
// 24 bits and blue-green-red-spare for 32 bits and pfDevice. Every row starts on a 32-bit word.
// The spare byte of 32-bit pixels is always zero, so whole words compare as colours.
//
// Copies share their pixels until one side writes (copy on write): Assign costs nothing until
// a drawing touches either bitmap. A large picture then copies only the blocks written since it
// was last copied, and each side's writes copy only the pages they touch (see pixel_memory.h).
#include <cstddef>
#include <cstdint>
#include <memory>

#include "surface/color.h"
#include "surface/geometry.h"
#include "surface/palette.h"
#include "surface/pixel_format.h"

class TCanvas;
class TPixelMemory;
class TSamePages;  // surface/pixel_memory.h

// The largest bitmap the program holds: 1 GiB of pixels and at most 65535 pixels a side.
// A 9999 x 9999 picture at 32 bits takes 400 MB.
constexpr std::size_t kMaxBitmapBytes = std::size_t(1) << 30;
constexpr int kMaxBitmapSide = 65535;

class TBitmap {
 public:
  TBitmap();
  TBitmap(int width, int height, TPixelFormat format = pf32bit);
  ~TBitmap();
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  TPixelFormat PixelFormat() const { return format_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }

  // Resizing keeps the pixels of the common top-left area and fills new area with the canvas
  // brush colour. Raises EOutOfResources, leaving the bitmap as it was, when too large.
  void SetWidth(int w) { SetSize(w, height_); }
  void SetHeight(int h) { SetSize(width_, h); }
  void SetSize(int w, int h);
  // A new picture of w x h for a reader that writes every byte of every row (padding and the
  // spare byte of 32-bit pixels included) before anything reads them: the pixels are fresh
  // memory of no particular value, which saves a pass over a large picture. Raises
  // EOutOfResources, leaving the bitmap as it was, when too large. scratchBytes more bytes
  // follow the last row (from MutableBits() + ByteSize()) as the reader's working room while
  // it fills the rows; ReleaseScratch gives their memory back. Copies never carry them.
  void SetSizeForOverwrite(int w, int h, std::size_t scratchBytes = 0);
  void ReleaseScratch();
  // Converts every pixel to the nearest colour of the new format (indexed formats get their
  // default palette).
  void SetPixelFormat(TPixelFormat f);

  // Makes this bitmap a copy of another: size, format, palette, pixels and transparency.
  void Assign(const TBitmap& other);
  // Exchanges the whole content with another bitmap, canvases staying with their bitmaps.
  void Swap(TBitmap& other);

  TCanvas& Canvas();

  bool Transparent = false;
  TColor TransparentColor = clWhite;

  const TPalette& Palette() const { return palette_; }
  // Replaces the colour table of an indexed bitmap; the raw indices stay.
  void SetPalette(const TPalette& p);

  // Raw access. Row() only reads; MutableRow() and MutableBits() first make the pixels this
  // bitmap's own if they are shared.
  std::size_t Stride() const { return stride_; }
  const std::uint8_t* Row(int y) const { return data_ + std::size_t(y) * stride_; }
  std::uint8_t* MutableRow(int y) { return MutableBits() + std::size_t(y) * stride_; }
  std::uint8_t* MutableBits();
  const std::uint8_t* Bits() const { return data_; }
  // Makes the pixels of r this bitmap's own in one go, ahead of a change that writes most of
  // them: a large picture that shares its pages would otherwise copy them one write at a time.
  void PrepareToWrite(const TRect& r);
  std::size_t ByteSize() const { return stride_ * std::size_t(height_); }
  // True when the pixels are the same memory as another bitmap's (nothing copied yet).
  bool SharesPixelsWith(const TBitmap& other) const { return bits_ && bits_ == other.bits_; }
  // Which bytes of the pixels are known to be the same as another bitmap's of the same layout,
  // without reading them: large pictures copied from one another keep knowing which pages
  // neither has written since. Nothing is known for other bitmaps.
  TSamePages SamePagesAs(const TBitmap& other) const;

  // The stored value of one pixel and its colour. The coordinates must be inside.
  std::uint32_t GetRaw(int x, int y) const;
  void SetRaw(int x, int y, std::uint32_t v);
  // The raw value that draws colour c: exact for 24/32 bits, the top bits of each component for
  // 15/16 bits, the nearest palette entry for indexed formats.
  std::uint32_t ColorToRaw(TColor c) const;
  TColor RawToColor(std::uint32_t v) const;

  // The colour at (x, y), or clInvalid outside the bitmap; the colour is never clInvalid inside.
  TColor GetPixel(int x, int y) const;
  // Sets a pixel to the colour's raw value; outside the bitmap nothing happens.
  void SetPixel(int x, int y, TColor c);

  TRect BoundsRect() const { return TRect{0, 0, width_, height_}; }

  // Throws EOutOfResources when a bitmap of this size and format cannot be held.
  static void CheckSize(int width, int height, TPixelFormat f);

 private:
  void fillRows(int fromY, std::uint32_t raw);
  // prefault: have the pages made ready ahead of a caller that fills them all.
  void allocate(int w, int h, TPixelFormat f, std::shared_ptr<TPixelMemory>& out, bool prefault = true,
                std::size_t scratchBytes = 0) const;
  void setBits(std::shared_ptr<TPixelMemory> bits);

  int width_ = 0;
  int height_ = 0;
  TPixelFormat format_ = pfDevice;
  std::size_t stride_ = 0;
  std::size_t scratch_ = 0;  // bytes after the last row that a reader may still be using
  TPalette palette_;
  std::shared_ptr<TPixelMemory> bits_;
  std::uint8_t* data_ = nullptr;  // bits_->Data(), kept at hand for row access
  std::unique_ptr<TCanvas> canvas_;
};
