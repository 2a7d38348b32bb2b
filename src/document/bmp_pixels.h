#pragma once
// Pixel kernels of the bitmap reader: which of our formats a file's pixels become, and the
// conversion of uncompressed rows into it.
#include <cstdint>

#include "document/bmp_header.h"
#include "surface/bitmap.h"

// The format the pixels are kept in: the file's own where it is one of ours (1, 4, 8 and 24
// bits, 16 bits as 5-5-5 or 5-6-5, 32 bits as 8-8-8); 2-bit indices widen to 4 bits and any
// other colour masks convert to 32 bits.
TPixelFormat BmpTargetFormat(const BmpHeader& header);

// Fills every row of bmp, already header.width x header.height in BmpTargetFormat(header),
// from the uncompressed rows at pixels (header.pixelBytes long). Every byte is written, so bmp
// may be sized for overwriting. Alpha and unused bits are dropped: 32-bit pixels keep a zero
// spare byte, 5-5-5 pixels a zero top bit, and the padding after each row's pixels is zero.
void ReadBmpRows(const BmpHeader& header, const std::uint8_t* pixels, TBitmap& bmp);

// True unless an indexed pixel of bmp is count or more (always true for other formats).
bool BmpIndicesWithin(const TBitmap& bmp, std::uint32_t count);

// Throws EInvalidGraphic when an indexed pixel names an entry past the bitmap's palette: the
// file does not say what colour that is.
void CheckBmpIndices(const TBitmap& bmp);
