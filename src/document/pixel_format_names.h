#pragma once
// The eight pixel formats a new picture can have, in the order of the new-picture dialog's
// scroll bar, and the text the dialog shows for each.
#include <optional>
#include <string>

#include "surface/pixel_format.h"

constexpr int kPixelFormatPositions = 8;  // scroll positions 0..7

// The format at scroll position 0..7 (pfDevice .. pf32bit). Precondition: position in range.
TPixelFormat PixelFormatAt(int position);
// The scroll position of a format, or nothing for a format outside the table.
std::optional<int> PixelFormatPosition(TPixelFormat f);
// The dialog's text for a format ("Device依存", "白黒", ..., "32bit"), UTF-8; empty outside
// the table.
std::string PixelFormatText(TPixelFormat f);
