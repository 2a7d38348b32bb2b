// The image data: the bitmaps it fills, the rows of every pass, and the alpha mask.
#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <optional>

#include "png/png_decoder.h"
#include "png/png_idat_stream.h"
#include "png/png_unfilter.h"
#include "png/png_whole_inflate.h"
#include "surface/span_painter.h"

namespace {

// count greys evenly from black to white: 2 for 1 bit, 4 for 2 bits, 16 for 4 bits, 256.
TPalette greyPalette(int count) {
  std::vector<TColor> greys(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const std::uint8_t v = std::uint8_t(i * 255 / (count - 1));
    greys[std::size_t(i)] = RGB(v, v, v);
  }
  return TPalette(std::move(greys));
}

int sideOf(std::uint32_t v) { return int(std::min<std::uint32_t>(v, INT_MAX)); }

}  // namespace

void PngDecoder::readImage() {
  imageStarted_ = true;
  if (!ihdrSeen_) return;  // image data before any header: the picture stays empty
  const TPixelFormat format = PngOutputFormat(header_, wideRgb_);
  resolveBackgroundIndex();
  choosePaletteTransparency();
  checkBitmapSizes(format);
  const int width = sideOf(header_.width), height = sideOf(header_.height);
  std::optional<PngWholeInflate> whole;
  if (inflateWhole_ && width > 0 && height > 0)
    whole.emplace(in_, chunkLeft_, filteredBytes(), RowStride(format, width) * std::size_t(height), !header_.interlaced);
  const bool inflateAtOnce = whole && whole->Scratch();
  prepareBitmaps(format, inflateAtOnce ? *whole->Scratch() : 0);
  if (pic_.Image.Empty()) return;
  // The scratch room stops taking memory when the image is done, also when it fails.
  const std::unique_ptr<TBitmap, void (*)(TBitmap*)> releaseScratch(&pic_.Image, [](TBitmap* b) { b->ReleaseScratch(); });
  const PngRowConverter convert = PngRowConverterFor(header_, format);
  PngIdatStream stream(in_, chunkLeft_);
  if (inflateAtOnce) {
    if (const std::uint8_t* rows = whole->Inflate(pic_.Image.MutableBits(), chunkLeft_)) stream.UseInflated(rows);
  }
  if (!header_.interlaced) {
    readPass(stream, TAdam7Pass{0, 0, 1, 1}, convert);
  } else {
    for (const TAdam7Pass& pass : kAdam7Passes) readPass(stream, pass, convert);
  }
  if (paletteAlphaMask_) buildPaletteAlphaMask();
  pic_.HasAlpha = header_.alpha || paletteAlphaMask_;
}

// The inflated size of the image data: a filter byte and the pixels of every row of every pass.
std::size_t PngDecoder::filteredBytes() const {
  const int width = sideOf(header_.width), height = sideOf(header_.height);
  if (!header_.interlaced) return std::size_t(height) * (1 + header_.RowBytes(width));
  std::size_t total = 0;
  for (const TAdam7Pass& pass : kAdam7Passes) {
    const int columns = pass.Columns(width), rows = pass.Rows(height);
    if (columns > 0) total += std::size_t(rows) * (1 + header_.RowBytes(columns));
  }
  return total;
}

// A palette whose tRNS leaves exactly one entry fully transparent and all others opaque has a
// transparent colour; any other alpha values need an alpha mask.
void PngDecoder::choosePaletteTransparency() {
  if (header_.kind != PngColorKind::Palette || !paletteTrnsSeen_) return;
  std::size_t clear = 0, opaque = 0, clearIndex = 0;
  for (std::size_t i = 0; i < palette_.size(); ++i) {
    if (paletteAlpha_[i] == 0) {
      ++clear;
      clearIndex = i;
    } else if (paletteAlpha_[i] == 255) {
      ++opaque;
    }
  }
  if (clear == 1 && opaque + 1 == palette_.size())
    pendingTransparent_ = palette_[clearIndex];
  else
    paletteAlphaMask_ = true;
}

// Refuses a picture beyond the bitmap limits with the codec's error before any pixel memory
// is taken.
void PngDecoder::checkBitmapSizes(TPixelFormat format) const {
  const int width = sideOf(header_.width), height = sideOf(header_.height);
  try {
    TBitmap::CheckSize(width, height, wideRgb_ ? pf32bit : format);
    if (header_.alpha || paletteAlphaMask_) TBitmap::CheckSize(width, height, pf8bit);
  } catch (const EOutOfResources& e) {
    throw DEZOZIR(e.what());
  }
}

// Sizes the image (with scratch bytes after its rows) and the alpha mask for the header.
void PngDecoder::prepareBitmaps(TPixelFormat format, std::size_t scratch) {
  const int width = sideOf(header_.width), height = sideOf(header_.height);
  const bool mask = header_.alpha || paletteAlphaMask_;
  // Every byte of every row gets written (padding included), so the pictures need no fill
  // first, and a header that claims a large picture costs no memory before its data arrive.
  TBitmap& image = pic_.Image;
  image.SetPixelFormat(format);
  image.SetSizeForOverwrite(width, height, scratch);
  rowCleared_.assign(header_.interlaced ? std::size_t(height) : 0, false);
  if (header_.kind == PngColorKind::Grey)
    image.SetPalette(greyPalette(1 << std::min(header_.bitDepth, 8)));
  else if (plteSeen_)
    image.SetPalette(TPalette(palette_));
  if (!mask) return;
  pic_.AlphaMask.SetPixelFormat(pf8bit);
  pic_.AlphaMask.SetSizeForOverwrite(width, height);
  pic_.AlphaMask.SetPalette(greyPalette(256));
}

// Inflates, unfilters and converts the rows of one pass (the whole image when not interlaced);
// a pass without pixels has no rows in the data.
void PngDecoder::readPass(PngIdatStream& stream, const TAdam7Pass& pass, PngRowConverter convert) {
  TBitmap& image = pic_.Image;
  const int columns = pass.Columns(image.Width()), rows = pass.Rows(image.Height());
  if (columns == 0 || rows == 0) return;
  const std::size_t bytes = header_.RowBytes(columns);
  rows_[0].assign(bytes + 1, 0);
  rows_[1].assign(bytes + 1, 0);
  const bool spread = pass.dx > 1;
  const int bpp = BitsPerPixel(image.PixelFormat());
  const std::size_t pixelBytes = (std::size_t(columns) * std::size_t(bpp) + 7) / 8;
  std::vector<std::uint8_t> packed(spread ? RowStride(image.PixelFormat(), columns) : 0);
  std::vector<std::uint8_t> packedAlpha(spread && header_.alpha ? std::size_t(columns) : 0);
  std::uint8_t* bits = image.MutableBits();
  std::uint8_t* alphaBits = header_.alpha ? pic_.AlphaMask.MutableBits() : nullptr;
  for (int r = 0; r < rows; ++r) {
    std::uint8_t* cur = rows_[r & 1].data();
    const std::uint8_t* prev = rows_[(r + 1) & 1].data();
    stream.Inflate(cur, bytes + 1);
    if (!UnfilterPngRow(cur[0], cur + 1, prev + 1, bytes, header_.FilterStep())) ThrowPngReadError();
    const std::size_t y = std::size_t(pass.y0) + std::size_t(r) * std::size_t(pass.dy);
    std::uint8_t* dst = bits + y * image.Stride();
    std::uint8_t* alpha = alphaBits ? alphaBits + y * pic_.AlphaMask.Stride() : nullptr;
    if (!spread) {
      convert(cur + 1, columns, dst, alpha);
      std::memset(dst + pixelBytes, 0, image.Stride() - pixelBytes);
      if (alpha) std::memset(alpha + columns, 0, pic_.AlphaMask.Stride() - std::size_t(columns));
      continue;
    }
    // A pass writes only its own pixels: a row is cleared when the first pass reaches it.
    if (!rowCleared_[y]) {
      rowCleared_[y] = true;
      std::memset(dst, 0, image.Stride());
      if (alpha) std::memset(alpha, 0, pic_.AlphaMask.Stride());
    }
    convert(cur + 1, columns, packed.data(), packedAlpha.data());
    SpreadPackedPixels(packed.data(), columns, bpp, dst, pass.x0, pass.dx);
    if (alpha) SpreadPackedPixels(packedAlpha.data(), columns, 8, alpha, pass.x0, pass.dx);
  }
}

// Each pixel's alpha is its palette entry's (255 beyond the entries tRNS covers).
void PngDecoder::buildPaletteAlphaMask() {
  const TBitmap& image = pic_.Image;
  const int bpp = BitsPerPixel(image.PixelFormat());
  for (int y = 0; y < image.Height(); ++y) {
    const std::uint8_t* row = image.Row(y);
    std::uint8_t* mask = pic_.AlphaMask.MutableRow(y);
    for (int x = 0; x < image.Width(); ++x) mask[x] = std::uint8_t(255 - paletteAlpha_[ReadRaw(row, x, bpp)]);
    std::memset(mask + image.Width(), 0, pic_.AlphaMask.Stride() - std::size_t(image.Width()));
  }
}
