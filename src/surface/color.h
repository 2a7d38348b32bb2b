#pragma once
// Colours as the whole program passes them around: 0x00BBGGRR, red in the low byte.
// A value with the top bit set names a system colour, resolved by ColorToRGB.
#include <cstdint>

using TColor = std::uint32_t;

// What reading a pixel outside a bitmap gives: matches no real colour.
constexpr TColor clInvalid = 0xFFFFFFFFu;

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;

// System colour references (top bit set, the low byte selects the colour).
constexpr TColor clSystemColor = 0x80000000u;
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clBtnFace = clSystemColor | 15;
constexpr TColor clBtnShadow = clSystemColor | 16;
constexpr TColor clBtnText = clSystemColor | 18;
constexpr TColor clHighlight = clSystemColor | 13;
constexpr TColor clHighlightText = clSystemColor | 14;

constexpr TColor RGB(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return TColor(r) | (TColor(g) << 8) | (TColor(b) << 16);
}
constexpr std::uint8_t GetRValue(TColor c) { return std::uint8_t(c); }
constexpr std::uint8_t GetGValue(TColor c) { return std::uint8_t(c >> 8); }
constexpr std::uint8_t GetBValue(TColor c) { return std::uint8_t(c >> 16); }

// Resolves a system colour to 0x00BBGGRR; any other value comes back with its top byte cleared.
TColor ColorToRGB(TColor c);
