#include "document/bmp_header.h"

#include <algorithm>
#include <bit>
#include <limits>

#include "surface/surface_error.h"
#include "language/translatable.h"

namespace {

constexpr std::size_t kFileHeaderSize = 14;

// Compression codes of the info header.
constexpr std::uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitFields = 3, kBiAlphaBitFields = 6;

// The info header fields the reader uses, widened so that no check can overflow.
struct InfoFields {
  std::uint32_t headerSize = 0;
  std::int64_t width = 0;
  std::int64_t height = 0;
  std::uint32_t planes = 0;
  std::uint32_t bitCount = 0;
  std::uint32_t compression = kBiRgb;
  std::uint32_t sizeImage = 0;
  std::uint32_t clrUsed = 0;
};

void require(bool ok) {
  if (!ok) ThrowInvalidBmp();
}

bool knownHeaderSize(std::uint32_t s) {
  return s == 12 || s == 16 || s == 40 || s == 52 || s == 56 || s == 64 || s == 108 || s == 124;
}

InfoFields readInfo(const std::uint8_t* data, std::size_t size) {
  InfoFields f;
  require(size >= kFileHeaderSize + 4);
  f.headerSize = ReadLe32(data + kFileHeaderSize);
  require(knownHeaderSize(f.headerSize) && size >= kFileHeaderSize + f.headerSize);
  const std::uint8_t* h = data + kFileHeaderSize;
  if (f.headerSize == 12) {  // OS/2 1.x: unsigned 16-bit sides, always bottom-up
    f.width = ReadLe16(h + 4);
    f.height = ReadLe16(h + 6);
    f.planes = ReadLe16(h + 8);
    f.bitCount = ReadLe16(h + 10);
    return f;
  }
  f.width = std::int32_t(ReadLe32(h + 4));
  f.height = std::int32_t(ReadLe32(h + 8));
  f.planes = ReadLe16(h + 12);
  f.bitCount = ReadLe16(h + 14);
  if (f.headerSize >= 40) {
    f.compression = ReadLe32(h + 16);
    f.sizeImage = ReadLe32(h + 20);
    f.clrUsed = ReadLe32(h + 32);
  }
  // OS/2 2.x gives codes 3 and 4 to Huffman 1D and RLE24, which this reader does not decode.
  if (f.headerSize == 64) require(f.compression < kBiBitFields);
  return f;
}

BmpCompression checkFormat(const InfoFields& f) {
  require(f.planes == 1);
  const std::uint32_t b = f.bitCount;
  require(b == 1 || b == 2 || b == 4 || b == 8 || b == 16 || b == 24 || b == 32);
  switch (f.compression) {
    case kBiRgb: return BmpCompression::kNone;
    case kBiRle8: require(b == 8); return BmpCompression::kRle8;
    case kBiRle4: require(b == 4); return BmpCompression::kRle4;
    case kBiBitFields:
    case kBiAlphaBitFields: require(b == 16 || b == 32); return BmpCompression::kBitFields;
    default: ThrowInvalidBmp();  // JPEG, PNG or unknown
  }
}

// Sides, direction and pixel density. Top-down rows are only allowed uncompressed, as in
// Windows. A density ratio beyond 1000:1 is no real device: such a header is damaged.
void checkGeometry(const InfoFields& f, BmpCompression c, BmpHeader& out) {
  require(f.width > 0 && f.height != 0 && f.height != std::numeric_limits<std::int32_t>::min());
  out.width = int(f.width);
  out.topDown = f.height < 0;
  out.height = int(out.topDown ? -f.height : f.height);
  require(!out.topDown || c == BmpCompression::kNone || c == BmpCompression::kBitFields);
}

// A mask is usable when it is a single run of set bits inside the pixel.
bool contiguousMask(std::uint32_t m, int bitCount) {
  if (m == 0 || (bitCount == 16 && m > 0xFFFF)) return false;
  const std::uint64_t run = std::uint64_t(m) >> std::countr_zero(m);
  return (run & (run + 1)) == 0;
}

// Reads the colour masks and returns where the palette starts: masks of a 40-byte header follow
// it, larger headers hold them.
std::size_t readMasks(const std::uint8_t* data, std::size_t size, const InfoFields& f, BmpHeader& out) {
  std::size_t end = kFileHeaderSize + f.headerSize;
  if (out.compression != BmpCompression::kBitFields) {
    const bool is16 = out.bitCount == 16;
    out.redMask = is16 ? 0x7C00 : 0xFF0000;
    out.greenMask = is16 ? 0x03E0 : 0x00FF00;
    out.blueMask = is16 ? 0x001F : 0x0000FF;
    return end;
  }
  std::size_t at = kFileHeaderSize + 40;
  if (f.headerSize < 52) {
    end += f.compression == kBiAlphaBitFields ? 16 : 12;
    require(size >= end);
  } else if (f.headerSize == 52 && f.compression == kBiAlphaBitFields) {
    end += 4;  // the alpha mask follows the header
    require(size >= end);
  }
  out.redMask = ReadLe32(data + at);
  out.greenMask = ReadLe32(data + at + 4);
  out.blueMask = ReadLe32(data + at + 8);
  for (std::uint32_t m : {out.redMask, out.greenMask, out.blueMask}) require(contiguousMask(m, out.bitCount));
  require((out.redMask & out.greenMask) == 0 && (out.redMask & out.blueMask) == 0 &&
          (out.greenMask & out.blueMask) == 0);
  return end;
}

// The palette of indexed pixels: clrUsed entries, which must lie in the file, or 2^bitCount
// when the header gives no count. A palette cut short by the pixel offset keeps the entries
// before it (OS/2 1.x files tell their palette size only that way). Larger palettes keep their
// first 2^bitCount entries.
void readPalette(const std::uint8_t* data, std::size_t size, std::size_t start, const InfoFields& f,
                 BmpHeader& out) {
  if (out.bitCount > 8) return;
  const std::size_t entrySize = f.headerSize == 12 ? 3 : 4;
  const std::uint64_t full = std::uint64_t(1) << out.bitCount;
  const std::uint64_t declared = f.clrUsed ? f.clrUsed : full;
  if (f.clrUsed) require(declared <= (size - start) / entrySize);
  const std::uint64_t count = std::min({declared, full, std::uint64_t(out.pixelOffset - start) / entrySize});
  require(count > 0);
  out.palette.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* e = data + start + i * entrySize;
    out.palette[i] = RGB(e[2], e[1], e[0]);
  }
}

// Where the pixels lie. The size fields of the headers are only hints: RLE data runs to
// biSizeImage when that fits in the file, else to the file's end; uncompressed rows must all be
// present. RLE data far too short for its picture is refused before the picture is made, so a
// small file cannot claim a huge picture's memory: every row takes at least an end-of-line
// code, and a run covers at most 255 pixels.
void locatePixels(const std::uint8_t* data, std::size_t size, std::size_t paletteStart, const InfoFields& f,
                  BmpHeader& out) {
  out.pixelOffset = ReadLe32(data + 10);
  require(out.pixelOffset >= paletteStart && out.pixelOffset <= size);
  const std::size_t available = size - out.pixelOffset;
  const bool rle = out.compression == BmpCompression::kRle8 || out.compression == BmpCompression::kRle4;
  if (rle) {
    out.pixelBytes = f.sizeImage && f.sizeImage <= available ? f.sizeImage : available;
    constexpr std::uint64_t kAlwaysAllowedPixels = std::uint64_t(1) << 24;
    const std::uint64_t pixels = std::uint64_t(out.width) * std::uint64_t(out.height);
    const std::uint64_t perByte = std::max<std::uint64_t>(128, std::uint64_t(out.width) / 2);
    require(pixels <= kAlwaysAllowedPixels || pixels <= std::uint64_t(out.pixelBytes) * perByte);
    return;
  }
  require(out.FileStride() <= available / std::size_t(out.height));
  out.pixelBytes = out.FileStride() * std::size_t(out.height);
}

}  // namespace

void ThrowInvalidBmp() { throw EInvalidGraphic(TCoreMessage{TRANSLATABLE("Error", "ビットマップイメージが不正です"), {}}); }

BmpHeader ParseBmpHeader(const std::uint8_t* data, std::size_t size) {
  require(size >= kFileHeaderSize && data[0] == 'B' && data[1] == 'M');
  const InfoFields f = readInfo(data, size);
  BmpHeader out;
  out.compression = checkFormat(f);
  out.bitCount = int(f.bitCount);
  checkGeometry(f, out.compression, out);
  const std::size_t paletteStart = readMasks(data, size, f, out);
  locatePixels(data, size, paletteStart, f, out);
  readPalette(data, size, paletteStart, f, out);
  return out;
}
