#pragma once
// Turns the pixels of one unfiltered PNG row into bitmap pixels: the one conversion path of the
// decoder, for plain rows (straight into the scanline) and interlaced ones (into a packed row
// that is then spread over the scanline).
#include <cstdint>

#include "png/png_header.h"

// Converts count pixels of src into dst, laid out as the bitmap format stores them (packed
// from the high bit for 1 and 4 bits). Images with an alpha channel also write 255 - alpha of
// each pixel to alpha[0, count); others leave alpha alone (it may be null).
using PngRowConverter = void (*)(const std::uint8_t* src, int count, std::uint8_t* dst, std::uint8_t* alpha);

// The converter for an image decoding into format (PngOutputFormat of the same header).
PngRowConverter PngRowConverterFor(const PngHeader& h, TPixelFormat format);

// Places count pixels of packed (bpp bits each, as the bitmap stores them) at columns x0,
// x0 + dx, ... of row, leaving the other pixels as they are.
void SpreadPackedPixels(const std::uint8_t* packed, int count, int bpp, std::uint8_t* row, int x0, int dx);
