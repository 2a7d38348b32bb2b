#include "png/png_header.h"

#include "png/viraviz.h"

namespace {

std::uint32_t bigEndian32(const std::uint8_t* p) {
  return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}

}  // namespace

int PngHeader::Channels() const {
  if (kind == PngColorKind::Rgb) return alpha ? 4 : 3;
  return alpha ? 2 : 1;
}

PngHeader ParsePngHeader(const std::uint8_t (&data)[13]) {
  PngHeader h;
  h.width = bigEndian32(data);
  h.height = bigEndian32(data + 4);
  h.bitDepth = data[8];
  // The format defines the colour types 0, 2, 3, 4 and 6 (4 is the alpha bit), one compression
  // method, one filter method and two interlace methods; anything else is refused.
  const int type = data[9];
  if (type != 0 && type != 2 && type != 3 && type != 4 && type != 6) throw DEZOZIR("Read Header(PNG): Error ColorType");
  h.alpha = (type & 4) != 0;
  h.kind = (type & 3) == 0 ? PngColorKind::Grey : (type & 3) == 2 ? PngColorKind::Rgb : PngColorKind::Palette;
  if (data[10] != 0) throw DEZOZIR("Read Header(PNG): not support Compression");
  if (data[11] != 0) throw DEZOZIR("Read Header(PNG): not supprt Filter");
  if (data[12] > 1) throw DEZOZIR("Read Header(PNG): not interlace type");
  h.interlaced = data[12] == 1;
  return h;
}

TPixelFormat PngOutputFormat(const PngHeader& h, bool wideRgb) {
  const int d = h.bitDepth;
  switch (h.kind) {
    case PngColorKind::Grey:
      if (d != 1 && d != 2 && d != 4 && d != 8 && d != 16) throw DEZOZIR("Read Header(PNG): Error Bitdepth");
      if (h.alpha && d < 8) throw DEZOZIR("Read Header(PNG): not Use AlphaChannel");
      break;
    case PngColorKind::Rgb:
      if (d != 8 && d != 16) throw DEZOZIR("Read Header(PNG): Error BitDepth");
      return wideRgb ? pf32bit : pf24bit;
    case PngColorKind::Palette:
      if (d != 1 && d != 2 && d != 4 && d != 8) throw DEZOZIR("Read Header(PNG): Error BitDepth");
      break;
  }
  // Grey and palette images keep their indices; 2-bit ones widen to 4 bits, 16-bit greys narrow to 8.
  return d == 1 ? pf1bit : d <= 4 ? pf4bit : pf8bit;
}
