#include "surface/color.h"

namespace {

// The classic desktop scheme: grey buttons, white windows, black text.
TColor systemColor(unsigned index) {
  switch (index) {
    case 5: return clWhite;                   // window
    case 8: return clBlack;                   // window text
    case 13: return RGB(0x00, 0x00, 0x80);    // highlight
    case 14: return clWhite;                  // highlight text
    case 15: return RGB(0xC0, 0xC0, 0xC0);    // button face
    case 16: return RGB(0x80, 0x80, 0x80);    // button shadow
    case 18: return clBlack;                  // button text
    default: return clBlack;
  }
}

}  // namespace

TColor ColorToRGB(TColor c) {
  if (c & clSystemColor) return systemColor(c & 0xFF);
  return c & 0x00FFFFFF;
}
