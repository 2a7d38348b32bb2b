#pragma once
// Run-length decoding of 4 and 8-bit bitmap files (BI_RLE4, BI_RLE8).
#include <cstddef>
#include <cstdint>

#include "surface/bitmap.h"

// Decodes size bytes of RLE data into bmp, a pf4bit (RLE4) or pf8bit (RLE8) bitmap whose rows
// are already all index 0: the data's rows run bottom-up, and pixels the runs skip (by delta,
// end-of-line or end-of-bitmap codes) stay index 0; pixels past a row's end are dropped. Throws
// EInvalidGraphic for rows or deltas beyond the bitmap, or data that ends before the
// end-of-bitmap code.
void DecodeBmpRle(const std::uint8_t* data, std::size_t size, TBitmap& bmp);
