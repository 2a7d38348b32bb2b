#pragma once
// Saving a picture file in the format its extension names.
#include <functional>
#include <string>

#include "document/webp_file.h"
#include "png/viraviz.h"
#include "surface/bitmap.h"

enum class TSaveFormat { None, Bmp, Jpeg, Png, Webp, Tiff, Gif };

// The format that path's extension (ExtensionOf) names, compared exactly: ".bmp", ".jpg",
// ".jpeg", ".png", ".webp", ".tif", ".tiff", ".gif". The same names in capitals, wholly or partly, name nothing.
TSaveFormat SaveFormatOf(const std::string& path);

// Writes bitmap to path in the format its extension names and returns true when a file was
// written: BMP in the bitmap's own pixel format, JPEG at quality 90. For PNG the bitmap becomes a
// VIRAVIZ picture handed to confirmPng (the window shows the PNG settings dialog there, which
// may change the picture's options); the file is written only when it returns true. WebP at
// webpQuality (kWebpLossless by default), TIFF without loss in the bitmap's own kind, GIF for
// pictures of at most 256 colours (more raise GifTooManyColoursError, nothing written). Any other
// extension writes nothing and returns false. An empty (0 by 0) bitmap raises EInvalidGraphic
// and writes nothing. Writers' errors pass on; a failed write leaves an existing file whole.
bool SavePictureFile(const TBitmap& bitmap, const std::string& path,
                     const std::function<bool(VIRAVIZ&)>& confirmPng, int webpQuality = kWebpLossless);
