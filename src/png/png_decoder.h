#pragma once
// The PNG decoder: one object per read, filling a VIRAVIZ from a PngByteReader.
//
// png_decoder.cpp holds the chunk loop and the transparency that follows it,
// png_decoder_chunks.cpp the handlers of the header and ancillary chunks, and
// png_decoder_image.cpp the image data (row inflation, filters, passes, conversion).
// png_decoder_load.cpp and png_decoder_picture_file.cpp are the ways in from VIRAVIZ and the
// picture loader.
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "png/adam7.h"
#include "png/png_byte_reader.h"
#include "png/png_header.h"
#include "png/png_row_convert.h"
#include "png/viraviz.h"

class PngIdatStream;

class PngDecoder {
 public:
  // wideRgb: RGB images decode straight into pf32bit instead of pf24bit (the picture loader's
  // path), and the size limit is checked for a 32-bit picture. Both must outlive the decoder.
  // inflateWhole false streams the image data row by row even where they could be inflated in
  // one go (png_whole_inflate.h): the same pixels and errors, more slowly.
  PngDecoder(PngByteReader& in, VIRAVIZ& picture, bool wideRgb, bool inflateWhole = true);

  // Decodes the file from the reader's position. Raises DEZOZIR (or the reader's file error).
  void Run();

 private:
  // png_decoder.cpp
  void skipMacBinaryHeader();
  void checkSignature();
  void handleChunk(std::uint32_t type, std::uint32_t length);
  void applyTransparency();

  // png_decoder_chunks.cpp
  void readChunk(std::uint8_t* dst, std::size_t n);
  std::uint16_t readChunkU16();
  std::uint32_t readChunkU32();
  void readHeader();
  void readPalette();
  void readTransparency();
  void readBackground();
  void readSignificantBits();
  void readPhysicalSize();
  void readText();
  void readTime();
  void readChromaticities();
  void readGifExtension();
  std::uint8_t sampleByte(std::uint16_t sample) const;
  void resolveBackgroundIndex();

  // png_decoder_image.cpp
  void readImage();
  void checkBitmapSizes(TPixelFormat format) const;
  std::size_t filteredBytes() const;
  void prepareBitmaps(TPixelFormat format, std::size_t scratch);
  void choosePaletteTransparency();
  void readPass(PngIdatStream& stream, const TAdam7Pass& pass, PngRowConverter convert);
  void buildPaletteAlphaMask();

  PngByteReader& in_;
  VIRAVIZ& pic_;
  const bool wideRgb_;
  const bool inflateWhole_;

  std::uint32_t chunkLeft_ = 0;  // unread data bytes of the current chunk
  bool ihdrSeen_ = false, imageStarted_ = false, iendSeen_ = false, plteSeen_ = false;
  PngHeader header_;
  std::vector<TColor> palette_;
  std::array<std::uint8_t, 256> paletteAlpha_;  // tRNS alpha of each palette entry
  bool paletteTrnsSeen_ = false;
  bool paletteAlphaMask_ = false;  // the palette's alpha values go into an alpha mask
  std::optional<int> backgroundIndex_;  // bKGD of a palette image, until the image starts
  std::optional<TColor> pendingTransparent_;
  std::vector<std::uint8_t> rows_[2];  // the current and the previous row, filter byte first
  std::vector<bool> rowCleared_;       // interlaced images: rows that a pass has reached
};
