// The handlers of the header and the ancillary chunks. Each reads only its own chunk's data:
// a chunk shorter than its handler expects reads as if padded with zeros.
#include <algorithm>
#include <cstring>
#include <string>

#include "png/png_decoder.h"

void PngDecoder::readChunk(std::uint8_t* dst, std::size_t n) {
  const std::size_t take = std::min<std::size_t>(n, chunkLeft_);
  in_.Read(dst, take);
  std::memset(dst + take, 0, n - take);
  chunkLeft_ -= std::uint32_t(take);
}

std::uint16_t PngDecoder::readChunkU16() {
  std::uint8_t b[2];
  readChunk(b, 2);
  return std::uint16_t((b[0] << 8) | b[1]);
}

std::uint32_t PngDecoder::readChunkU32() {
  std::uint8_t b[4];
  readChunk(b, 4);
  return (std::uint32_t(b[0]) << 24) | (std::uint32_t(b[1]) << 16) | (std::uint32_t(b[2]) << 8) | b[3];
}

void PngDecoder::readHeader() {
  if (ihdrSeen_) throw DEZOZIR("Read Header(PNG): appear two IHDR");
  std::uint8_t data[13];
  readChunk(data, sizeof data);
  header_ = ParsePngHeader(data);
  ihdrSeen_ = true;
  pic_.InterlaceOption = header_.interlaced;
  pic_.Greyscale = header_.kind == PngColorKind::Grey;
}

void PngDecoder::readPalette() {
  const std::size_t count = std::min<std::size_t>(chunkLeft_ / 3, 256);
  std::uint8_t rgb[3 * 256];
  readChunk(rgb, 3 * count);
  palette_.resize(count);
  for (std::size_t i = 0; i < count; ++i) palette_[i] = RGB(rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]);
  plteSeen_ = true;
}

// The 8-bit value a grey, red, green or blue sample of a transparent or background colour
// stands for. 16-bit images show the high byte of their samples, and 1-, 2- and 4-bit grey
// images the palette's grey for the sample, so a transparent colour taken this way is the
// colour that the image's pixels of that sample show. 8-bit samples are their low byte.
std::uint8_t PngDecoder::sampleByte(std::uint16_t sample) const {
  const int depth = header_.bitDepth;
  if (depth == 16) return std::uint8_t(sample >> 8);
  if (depth == 1 || depth == 2 || depth == 4) {
    const int top = (1 << depth) - 1;
    return std::uint8_t(std::min<int>(sample, top) * 255 / top);
  }
  return std::uint8_t(sample);
}

void PngDecoder::readTransparency() {
  switch (header_.kind) {
    case PngColorKind::Grey: {
      const std::uint8_t v = sampleByte(readChunkU16());
      pendingTransparent_ = RGB(v, v, v);
      break;
    }
    case PngColorKind::Rgb: {
      const std::uint8_t r = sampleByte(readChunkU16()), g = sampleByte(readChunkU16()), b = sampleByte(readChunkU16());
      pendingTransparent_ = RGB(r, g, b);
      break;
    }
    case PngColorKind::Palette:
      if (!plteSeen_) break;
      readChunk(paletteAlpha_.data(), std::min<std::size_t>(chunkLeft_, palette_.size()));
      paletteTrnsSeen_ = true;
      break;
  }
}

void PngDecoder::readBackground() {
  switch (header_.kind) {
    case PngColorKind::Grey: {
      const std::uint8_t v = sampleByte(readChunkU16());
      pic_.BackgroundColor = RGB(v, v, v);
      break;
    }
    case PngColorKind::Rgb: {
      const std::uint8_t r = sampleByte(readChunkU16()), g = sampleByte(readChunkU16()), b = sampleByte(readChunkU16());
      pic_.BackgroundColor = RGB(r, g, b);
      break;
    }
    case PngColorKind::Palette: {
      std::uint8_t index;
      readChunk(&index, 1);
      backgroundIndex_ = index;
      if (imageStarted_) resolveBackgroundIndex();
      break;
    }
  }
}

// A palette index in bKGD names a colour only once the palette is final, when the image starts.
void PngDecoder::resolveBackgroundIndex() {
  if (backgroundIndex_ && std::size_t(*backgroundIndex_) < palette_.size())
    pic_.BackgroundColor = palette_[std::size_t(*backgroundIndex_)];
  backgroundIndex_.reset();
}

void PngDecoder::readSignificantBits() { readChunk(pic_.SignificantBits.data(), header_.alpha ? 4 : 3); }

void PngDecoder::readPhysicalSize() {
  pic_.PixelsPerUnitX = readChunkU32();
  pic_.PixelsPerUnitY = readChunkU32();
  readChunk(&pic_.PixelUnit, 1);
}

// Only texts under the keyword "Comment" are kept, each ended by CR LF; several comments are
// also separated by CR LF. Other texts are skipped unread.
void PngDecoder::readText() {
  static constexpr char kComment[] = "Comment";  // with the zero byte that ends the keyword
  char keyword[sizeof kComment];
  readChunk(reinterpret_cast<std::uint8_t*>(keyword), sizeof keyword);
  if (std::memcmp(keyword, kComment, sizeof kComment) != 0) return;
  std::string text(std::size_t(std::min<std::uint64_t>(chunkLeft_, in_.Remaining())), '\0');
  readChunk(reinterpret_cast<std::uint8_t*>(text.data()), text.size());
  if (!pic_.Comment.empty()) pic_.Comment += "\r\n";
  pic_.Comment += text + "\r\n";
}

void PngDecoder::readTime() { readChunk(pic_.Time.data(), pic_.Time.size()); }

void PngDecoder::readChromaticities() {
  for (std::uint32_t& v : pic_.Chromaticities) v = readChunkU32();
}

void PngDecoder::readGifExtension() { readChunk(pic_.GifExtension.data(), pic_.GifExtension.size()); }
