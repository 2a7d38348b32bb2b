#include "document/pixel_format_names.h"

#include <array>

#include "language/translatable.h"

namespace {

struct FormatName {
  TPixelFormat format;
  const char* text;
};

constexpr std::array<FormatName, kPixelFormatPositions> kFormats{{
    {pfDevice, TRANSLATABLE("PixelFormat", "Device依存")},
    {pf1bit, TRANSLATABLE("PixelFormat", "白黒")},
    {pf4bit, TRANSLATABLE("PixelFormat", "16色")},
    {pf8bit, TRANSLATABLE("PixelFormat", "256色")},
    {pf15bit, "15bit"},
    {pf16bit, "16bit"},
    {pf24bit, "24bit"},
    {pf32bit, "32bit"},
}};

}  // namespace

TPixelFormat PixelFormatAt(int position) { return kFormats[position].format; }

std::optional<int> PixelFormatPosition(TPixelFormat f) {
  for (int i = 0; i < kPixelFormatPositions; ++i) {
    if (kFormats[i].format == f) return i;
  }
  return std::nullopt;
}

std::string PixelFormatText(TPixelFormat f) {
  auto position = PixelFormatPosition(f);
  return position ? kFormats[*position].text : "";
}
