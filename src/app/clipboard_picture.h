#pragma once
// The desktop clipboard as the program sees it: a picture (ours, or PNG or BMP data or any
// picture another program offers) and text.
#include <functional>
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
// A picture that raises an error marks the clipboard's content refused (see below).
bool ReadClipboardPicture(TBitmap& out);

// Runs read, which takes something from the clipboard, unless the clipboard's present content
// was refused before. An error read raises marks the content refused and goes on to the
// caller; until the clipboard changes, further calls do nothing. Every key and tool choice
// refills the paste buffer: a content too large to hold is reported once, not at each.
void ReadClipboardOnce(const std::function<void()>& read);

// The clipboard's text, when it holds text.
std::optional<std::string> ReadClipboardText();
