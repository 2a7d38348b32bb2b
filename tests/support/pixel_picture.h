#pragma once
// Pictures of bitmap areas as text, one line per row, for tests that compare shapes:
// '.' white, '#' black, 'o' any other colour.
#include <string>

#include "surface/bitmap.h"

std::string PixelPicture(const TBitmap& bmp, const TRect& area);
std::string PixelPicture(const TBitmap& bmp);
