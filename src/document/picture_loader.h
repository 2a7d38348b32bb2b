#pragma once
// Opening a picture file, the reader chosen by the file name's extension.
#include <string>

#include "surface/bitmap.h"
#include "surface/surface_error.h"

// The extension of the file name in path: from its last ".", the dot included; empty when the
// file name has no dot (a dot in a folder name does not count).
std::string ExtensionOf(const std::string& path);

// EInvalidGraphic "拡張子 .%s の画像形式は処理できません" for path, whose extension names no
// picture format (the extension without its dot in place of %s).
EInvalidGraphic UnknownExtensionError(const std::string& path);

// Decodes the file at path into out by its extension, in any letter case: "bmp" keeps the
// file's pixel format; "jpg", "jpeg" and "png" give pf32bit; "webp", "tif", "tiff", "gif" and
// "tga" give the format that holds the file's pixels (see their readers). Any other extension, or none, raises
// UnknownExtensionError. The readers' errors pass on; on any failure out is left as it was.
void LoadPicture(const std::string& path, TBitmap& out);
