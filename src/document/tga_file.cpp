#include "document/tga_file.h"

#include <cstring>
#include <vector>

#include "document/indexed_picture.h"
#include "fileio/picture_file_io.h"
#include "surface/surface_error.h"
#include "language/translatable.h"

namespace {

constexpr std::size_t kHeaderBytes = 18;
constexpr int kColourMapped = 1, kTrueColour = 2, kGrey = 3, kRunLength = 8;
constexpr std::uint8_t kRightToLeft = 0x10, kTopToBottom = 0x20;
constexpr std::uint8_t kRunPacket = 0x80;

// `reason` is marked for translation where it is written.
[[noreturn]] void invalidTga(const char* reason) { throw EInvalidGraphic(TCoreMessage{TRANSLATABLE("Error", "TGA 画像が不正です (%1)"), {reason}}); }

int u16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }

struct Header {
  int idLength, mapType, type, mapFirst, mapLength, mapEntryBits, width, height, pixelBits;
  std::uint8_t descriptor;
};

Header parseHeader(const std::uint8_t* p) {
  return Header{p[0], p[1], p[2], u16(p + 3), u16(p + 5), p[7], u16(p + 12), u16(p + 14), p[16], p[17]};
}

// A 15 or 16-bit value (x-r5-g5-b5, little-endian) as a colour; 5-bit components widen by
// repeating their top bits, as the bitmap's 15-bit format reads them.
TColor colourOf15(int v) {
  const auto widen = [](int c) { return std::uint8_t((c << 3) | (c >> 2)); };
  return RGB(widen((v >> 10) & 31), widen((v >> 5) & 31), widen(v & 31));
}

TColor colourOfEntry(const std::uint8_t* p, int bits) {
  if (bits == 15 || bits == 16) return colourOf15(u16(p));
  return RGB(p[2], p[1], p[0]);
}

// Bytes of the picture's pixels, decoded from runs if need be, bottom row first as stored.
class PixelStream {
 public:
  PixelStream(const std::uint8_t* p, const std::uint8_t* end, int pixelBytes, bool runs)
      : p_(p), end_(end), bytes_(pixelBytes), runs_(runs) {}
  // The next count pixels into dst (count x pixelBytes bytes).
  void Read(std::uint8_t* dst, std::size_t count) {
    while (count > 0) {
      if (!runs_) return copy(dst, count), void();
      if (left_ == 0) startPacket();
      const std::size_t n = std::min<std::size_t>(count, left_);
      if (repeat_) {
        for (std::size_t i = 0; i < n; ++i) std::memcpy(dst + i * bytes_, value_, bytes_);
      } else {
        copy(dst, n);
      }
      dst += n * bytes_;
      count -= n;
      left_ -= n;
    }
  }

 private:
  void copy(std::uint8_t* dst, std::size_t count) {
    const std::size_t n = count * bytes_;
    if (std::size_t(end_ - p_) < n) invalidTga(TRANSLATABLE("Error", "ファイルが途中で切れています"));
    std::memcpy(dst, p_, n);
    p_ += n;
  }
  void startPacket() {
    if (p_ >= end_) invalidTga(TRANSLATABLE("Error", "ファイルが途中で切れています"));
    const std::uint8_t head = *p_++;
    left_ = std::size_t(head & 0x7F) + 1;
    repeat_ = (head & kRunPacket) != 0;
    if (repeat_) copy(value_, 1);
  }
  const std::uint8_t* p_;
  const std::uint8_t* end_;
  std::size_t bytes_;
  bool runs_;
  std::size_t left_ = 0;  // pixels left in the current packet (runs may cross rows)
  bool repeat_ = false;
  std::uint8_t value_[4] = {};
};

TPixelFormat formatOf(const Header& h) {
  const int kind = h.type & ~kRunLength;
  if (kind == kColourMapped) {
    if (h.mapType != 1 || h.pixelBits != 8 || h.mapLength == 0) invalidTga(TRANSLATABLE("Error", "色表の形式が読めません"));
    if (h.mapEntryBits != 15 && h.mapEntryBits != 16 && h.mapEntryBits != 24 && h.mapEntryBits != 32)
      invalidTga(TRANSLATABLE("Error", "色表の形式が読めません"));
    return IndexedFormatFor(std::min(h.mapLength, 256));
  }
  if (kind == kGrey && h.pixelBits == 8) return pf8bit;
  if (kind == kTrueColour && (h.pixelBits == 15 || h.pixelBits == 16)) return pf15bit;
  if (kind == kTrueColour && (h.pixelBits == 24 || h.pixelBits == 32)) return pf32bit;
  throw EInvalidGraphic(TCoreMessage{TRANSLATABLE("Error", "TGA 画像が不正です (種類 %1、%2 ビットは読めません)"), {std::to_string(h.type), std::to_string(h.pixelBits)}});
}

// One stored row into the bitmap's row.
void storeRow(const std::uint8_t* src, std::uint8_t* dst, int width, int pixelBits, TPixelFormat format,
              int mapFirst) {
  if (format == pf32bit) {
    const int step = pixelBits / 8;
    for (int x = 0; x < width; ++x, src += step, dst += 4) {
      dst[0] = src[0], dst[1] = src[1], dst[2] = src[2], dst[3] = 0;
    }
  } else if (format == pf15bit) {
    for (int x = 0; x < width; ++x) {
      const int v = u16(src + 2 * x) & 0x7FFF;  // the top bit is alpha or nothing
      dst[2 * x] = std::uint8_t(v), dst[2 * x + 1] = std::uint8_t(v >> 8);
    }
  } else {
    const int bits = BitsPerPixel(format);
    std::memset(dst, 0, (std::size_t(width) * bits + 7) / 8);
    for (int x = 0; x < width; ++x) {
      const int index = src[x] - mapFirst;  // indices below the table's first entry name black
      const unsigned v = index < 0 ? 0u : unsigned(index) & ((1u << bits) - 1);
      dst[x * bits / 8] |= std::uint8_t(v << (8 - bits - (x * bits) % 8));
    }
  }
}

void mirrorRow(std::uint8_t* row, int width, int bytes) {
  for (int a = 0, b = width - 1; a < b; ++a, --b)
    for (int i = 0; i < bytes; ++i) std::swap(row[a * bytes + i], row[b * bytes + i]);
}

}  // namespace

void ReadTga(const std::uint8_t* data, std::size_t size, TBitmap& out) {
  if (size < kHeaderBytes) invalidTga(TRANSLATABLE("Error", "ファイルが途中で切れています"));
  const Header h = parseHeader(data);
  const TPixelFormat format = formatOf(h);
  if (h.width == 0 || h.height == 0) invalidTga(TRANSLATABLE("Error", "大きさが 0 です"));
  TBitmap::CheckSize(h.width, h.height, format);
  // The identification field comes before everything else the file holds.
  if (size < kHeaderBytes + std::size_t(h.idLength)) invalidTga(TRANSLATABLE("Error", "ファイルが途中で切れています"));
  const std::uint8_t* end = data + size;
  const std::uint8_t* p = data + kHeaderBytes + h.idLength;
  std::vector<TColor> table;
  if (h.mapType == 1) {
    const std::size_t entryBytes = std::size_t(h.mapEntryBits + 7) / 8;
    const std::size_t mapBytes = entryBytes * std::size_t(h.mapLength);
    if (std::size_t(end - data) < kHeaderBytes + h.idLength + mapBytes) invalidTga(TRANSLATABLE("Error", "ファイルが途中で切れています"));
    // Other kinds of picture may carry a colour map they do not use, of entries of any size:
    // it is passed over unread.
    if ((h.type & ~kRunLength) == kColourMapped)
      for (int i = 0; i < h.mapLength && i < 256; ++i) table.push_back(colourOfEntry(p + entryBytes * std::size_t(i), h.mapEntryBits));
    p += mapBytes;
  }
  TBitmap bmp;
  bmp.SetPixelFormat(format);
  if (format == pf8bit && (h.type & ~kRunLength) == kGrey)
    bmp.SetPalette(TPalette(GreyRamp(256)));
  else if (BitsPerPixel(format) <= 8)
    bmp.SetPalette(FullPalette(table, format));
  bmp.SetSizeForOverwrite(h.width, h.height);
  const int pixelBytes = (h.pixelBits + 7) / 8;
  PixelStream pixels(p, end, pixelBytes, (h.type & kRunLength) != 0);
  std::vector<std::uint8_t> stored(std::size_t(h.width) * std::size_t(pixelBytes));
  const bool topDown = (h.descriptor & kTopToBottom) != 0;
  for (int i = 0; i < h.height; ++i) {
    pixels.Read(stored.data(), std::size_t(h.width));
    if (h.descriptor & kRightToLeft) mirrorRow(stored.data(), h.width, pixelBytes);
    std::uint8_t* row = bmp.MutableRow(topDown ? i : h.height - 1 - i);
    std::memset(row, 0, bmp.Stride());
    storeRow(stored.data(), row, h.width, h.pixelBits, format, h.mapType == 1 ? h.mapFirst : 0);
  }
  out.Swap(bmp);
}

void LoadTgaFile(const std::string& path, TBitmap& out) {
  const TMappedFile bytes(path);
  ReadTga(bytes.data(), bytes.size(), out);
}
