#pragma once
// Turns part of a bitmap, whatever its pixel format, into opaque screen pixels 0xFFRRGGBB
// (the 32-bit layout displays take), so that a view converts only what it repaints.
#include <cstddef>
#include <cstdint>

#include "surface/bitmap.h"

// Writes the pixels of area (right and bottom exclusive, clipped to the bitmap) row by row:
// row y of the area goes to out + (y - top) * outStride, outStride counted in pixels.
// Precondition: out has room for the clipped area.
void ToScreenPixels(const TBitmap& bitmap, const TRect& area, std::uint32_t* out,
                    std::size_t outStride);
