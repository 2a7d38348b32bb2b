#pragma once
// VIRAVIZ, the PNG picture: the image with its alpha mask, the options the encoder writes
// (compression level, interlacing, transparent colour) and the members the decoder reads
// from ancillary chunks. DEZOZIR is the codec's error.
//
// The encoder (png_encoder.cpp) writes the image as a PNG file; the decoder (png_decoder*.cpp)
// fills the picture from one. The picture loader reaches PNG files through LoadPngFile.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "fileio/picture_file_io.h"
#include "surface/bitmap.h"
#include "surface/surface_error.h"

// An error of the PNG codec; the message is the user's text (fixed English messages).
class DEZOZIR : public EInvalidGraphic {
 public:
  using EInvalidGraphic::EInvalidGraphic;
};

class VIRAVIZ {
 public:
  // Encoder options.
  static constexpr std::int32_t kDefaultIdatSize = 32768;
  static constexpr std::int32_t kMinIdatSize = 256;
  static constexpr std::int32_t kMaxIdatSize = 100000;

  TBitmap Image;                       // the pixels written and read
  TBitmap AlphaMask;                   // pf8bit, 255 - alpha per pixel; filled only by decoding
  bool HasAlpha = false;               // AlphaMask is valid
  std::int32_t IdatSize = kDefaultIdatSize;
  std::uint8_t CompressionLevel = 1;   // 0 stored, 1 zlib default, 2 fastest, 3 best
  bool InterlaceOption = false;        // write Adam7
  std::optional<TColor> TransparentColor;  // none: no tRNS unless the image is transparent

  // Members the decoder reads from ancillary chunks; nothing else in the program uses them.
  std::string Comment;                       // tEXt "Comment" texts, each ended by CR LF
  std::optional<TColor> BackgroundColor;     // bKGD
  double Gamma = 0;                          // gAMA / 100000
  std::uint32_t PixelsPerUnitX = 0, PixelsPerUnitY = 0;  // pHYs
  std::uint8_t PixelUnit = 0;
  std::array<std::uint8_t, 4> SignificantBits{};  // sBIT red, green, blue, alpha
  bool Greyscale = false;                    // IHDR colour type 0 or 4
  std::array<std::uint8_t, 7> Time{};        // tIME as stored
  std::array<std::uint32_t, 8> Chromaticities{};  // cHRM
  std::array<std::uint8_t, 4> GifExtension{};     // gIFg

  bool Empty() const { return Image.Empty(); }
  int Width() const { return Image.Width(); }
  int Height() const { return Image.Height(); }

  // The image becomes a copy of bitmap in its pixel format, transparency included.
  void Assign(const TBitmap& bitmap);
  // Copies everything of other: image, alpha mask, options and decoded members.
  void Assign(const VIRAVIZ& other);
  // The bitmap becomes a copy of the image with its pixel format, Transparent and
  // TransparentColor; the alpha mask stays behind.
  void AssignTo(TBitmap& bitmap) const;
  // Stores the transparent colour; with an image, a colour also makes the image transparent
  // in that colour and none switches the image's transparency off.
  void SetTransparentColor(std::optional<TColor> c);

  // Writes the PNG file to sink in pieces. Raises DEZOZIR for a bad IdatSize (before any
  // byte is written) or a compressor failure. The image is not changed.
  void SaveToStream(const ByteSink& sink) const;
  // Writes the file through a temporary file renamed over path, so a failure leaves an
  // existing file whole.
  void SaveToFile(const std::string& path) const;

  // Decodes the PNG file held in data[0, size) into this picture and returns the number of
  // bytes consumed. On failure raises DEZOZIR; the picture is then in an unspecified but
  // valid state (callers decode into a fresh picture).
  std::size_t LoadFromStream(const std::uint8_t* data, std::size_t size);
  void LoadFromFile(const std::string& path);
};

// The picture loader's way in for ".png" (any letter case): decodes the file at path and
// leaves out holding the picture as a pf32bit bitmap with the image's Transparent and
// TransparentColor, or raises DEZOZIR / the file error with out unchanged.
void LoadPngFile(const std::string& path, TBitmap& out);
