#pragma once
// The desktop clipboard as the program sees it: a picture (ours, or PNG or BMP data or any
// picture another program offers) and text.
#include <optional>
#include <string>

#include "surface/bitmap.h"

// Puts a copy of the picture on the clipboard, replacing what it held. Other programs may take
// it as PNG or BMP data; the conversion happens only when one asks.
void WriteClipboardPicture(const TBitmap& picture);

// Reads the clipboard's picture into out; false, with out unchanged, when the clipboard holds
// none (or one without pixels). The program's own picture comes back as it was put there;
// pictures of other programs come as 32 bits, PNG and BMP data decoded by the program's own
// readers, so that a picture beyond the program's limits raises their errors (out unchanged).
bool ReadClipboardPicture(TBitmap& out);

// The clipboard's text, when it holds text.
std::optional<std::string> ReadClipboardText();
