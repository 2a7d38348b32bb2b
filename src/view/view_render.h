#pragma once
// The canvas's pixels on the screen: a device rectangle of the view computed from the picture.
// Magnified (and at 1:1) every device pixel shows the picture pixel under it, so picture pixels
// are sharp blocks; reduced, every device pixel is the mean of the picture pixels it covers, taken
// from the mipmaps, so that a photo stays a photo and a one-pixel line stays visible.
#include <cstddef>
#include <cstdint>

#include "surface/bitmap.h"
#include "view/view_mipmaps.h"
#include "view/view_scale.h"

struct TViewLook {
  bool grid = false;                      // a line on the first device row and column of every picture pixel
  std::uint32_t background = 0xFF808080;  // what lies beside the picture
};

// Writes the device pixels of area (counted from the picture's first device pixel, right and
// bottom exclusive) row by row to out, outStride pixels apart, as 0xFFRRGGBB.
void RenderView(const TBitmap& picture, TMipmaps& mipmaps, const TViewScale& scale, const TViewLook& look,
                const TRect& area, std::uint32_t* out, std::size_t outStride);

// The grid's colour over a pixel: darker over light pixels, lighter over dark ones.
std::uint32_t GridColorOver(std::uint32_t pixel);
