#include "png/png_decoder.h"
#include "png/png_idat_stream.h"

#include <cstring>

namespace {

constexpr std::uint32_t chunkType(const char (&name)[5]) {
  return (std::uint32_t(std::uint8_t(name[0])) << 24) | (std::uint32_t(std::uint8_t(name[1])) << 16) |
         (std::uint32_t(std::uint8_t(name[2])) << 8) | std::uint32_t(std::uint8_t(name[3]));
}

constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::size_t kMacBinaryBytes = 128;

// Forgets everything a previous read left in the picture; the encoder's options stay.
void resetDecodedMembers(VIRAVIZ& pic) {
  TBitmap none;
  pic.Image.Swap(none);
  TBitmap noMask;
  pic.AlphaMask.Swap(noMask);
  pic.HasAlpha = false;
  pic.InterlaceOption = false;
  pic.TransparentColor.reset();
  pic.Comment.clear();
  pic.BackgroundColor.reset();
  pic.Gamma = 0;
  pic.PixelsPerUnitX = pic.PixelsPerUnitY = 0;
  pic.PixelUnit = 0;
  pic.SignificantBits = {};
  pic.Greyscale = false;
  pic.Time = {};
  pic.Chromaticities = {};
  pic.GifExtension = {};
}

}  // namespace

PngDecoder::PngDecoder(PngByteReader& in, VIRAVIZ& picture, bool wideRgb, bool inflateWhole)
    : in_(in), pic_(picture), wideRgb_(wideRgb), inflateWhole_(inflateWhole) {
  paletteAlpha_.fill(255);
}

void PngDecoder::Run() {
  resetDecodedMembers(pic_);
  skipMacBinaryHeader();
  checkSignature();
  while (!in_.PastEnd() && !iendSeen_) {
    const std::uint32_t length = in_.ReadU32();
    const std::uint32_t type = in_.ReadU32();
    if (in_.PastEnd()) break;
    chunkLeft_ = length;
    handleChunk(type, length);
    in_.Skip(chunkLeft_);
    chunkLeft_ = 0;
    in_.Skip(4);  // CRC, not checked
  }
  // A file that ends before any image data holds no picture: never an empty one.
  if (!imageStarted_) ThrowPngReadError();
  applyTransparency();
}

// Files copied from old Macintosh systems may carry a 128-byte MacBinary header, which starts
// with a zero byte and has another zero at offset 74; a PNG file never starts that way.
void PngDecoder::skipMacBinaryHeader() {
  if (in_.Remaining() <= kMacBinaryBytes) return;
  const std::span<const std::uint8_t> head = in_.Peek(75);
  if (head.size() == 75 && head[0] == 0 && head[74] == 0) in_.Skip(kMacBinaryBytes);
}

void PngDecoder::checkSignature() {
  std::uint8_t bytes[8];
  in_.Read(bytes, 8);
  if (in_.PastEnd() || std::memcmp(bytes, kSignature, 8) != 0) throw DEZOZIR("PNG LoadStream: Not PNG Format");
}

void PngDecoder::handleChunk(std::uint32_t type, std::uint32_t length) {
  // Most ancillary chunks count only between IHDR and the image.
  const bool headerPart = ihdrSeen_ && !imageStarted_;
  switch (type) {
    case chunkType("IHDR"): readHeader(); break;
    case chunkType("PLTE"):
      if (headerPart && !plteSeen_ && header_.kind != PngColorKind::Grey) readPalette();
      break;
    case chunkType("tRNS"):
      if (headerPart && !header_.alpha) readTransparency();
      break;
    case chunkType("bKGD"): readBackground(); break;
    case chunkType("gAMA"):
      if (headerPart && !plteSeen_) pic_.Gamma = readChunkU32() / 100000.0;
      break;
    case chunkType("cHRM"):
      if (headerPart && !plteSeen_ && length == 32) readChromaticities();
      break;
    case chunkType("sBIT"):
      if (headerPart && !plteSeen_ && header_.kind != PngColorKind::Grey) readSignificantBits();
      break;
    case chunkType("pHYs"):
      if (headerPart) readPhysicalSize();
      break;
    case chunkType("tIME"):
      if (length == 7) readTime();
      break;
    case chunkType("gIFg"):
      if (headerPart && !plteSeen_ && length == 4) readGifExtension();
      break;
    case chunkType("tEXt"): readText(); break;
    case chunkType("IDAT"):
      if (!imageStarted_) readImage();
      break;
    case chunkType("IEND"): iendSeen_ = true; break;
    default: break;  // unknown chunks, critical or not, and the encoder's private tpNg chunk
  }
}

// A single transparent colour becomes the image's only when the file was read to its end
// marker: a file cut off after its image data loads without it.
void PngDecoder::applyTransparency() {
  pic_.TransparentColor = pendingTransparent_;
  if (pendingTransparent_ && !header_.alpha && !in_.PastEnd()) {
    pic_.Image.Transparent = true;
    pic_.Image.TransparentColor = *pendingTransparent_;
  }
}
