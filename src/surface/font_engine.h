#pragma once
// Text laid out in a font: the installed face that fits the font (found once and cached), its
// metrics at the font's size, and monochrome glyph masks turned by the font's escapement.
//
// All lengths are whole pixels. Offsets along the cell are measured downward from the base
// line (positive below it), as bitmap rows run.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "surface/canvas_types.h"

// Sizes above this many pixels per em are drawn at this size: a glyph mask of a huge font
// would take more memory than any picture.
constexpr int kMaxFontPixels = 2048;

struct TFontMetrics {
  int Ascent = 0;   // from the top of the cell down to the base line
  int Descent = 0;  // from the base line down to the bottom of the cell
  int CellHeight() const { return Ascent + Descent; }
  // The underline and strike-out bands: offset of their top row from the base line, and
  // thickness (at least 1).
  int UnderlineTop = 0;
  int UnderlineThickness = 1;
  int StrikeOutTop = 0;
  int StrikeOutThickness = 1;
};

// One glyph's ink: 1 bit a pixel, rows top-down, the most significant bit leftmost.
struct TGlyphMask {
  int OffsetX = 0;  // the mask's top-left relative to the pen position on the base line
  int OffsetY = 0;
  int Width = 0;
  int Height = 0;
  int Pitch = 0;  // bytes of one row
  std::vector<std::uint8_t> Bits;

  bool Ink(int x, int y) const { return (Bits[std::size_t(y) * Pitch + (x >> 3)] >> (7 - (x & 7))) & 1; }
};

struct TPlacedGlyph {
  // Shared with the glyph cache and kept alive by this reference.
  std::shared_ptr<const TGlyphMask> Mask;
  int PenAdvance = 0;  // distance of the glyph's pen position from the start, along the base line
};

struct TTextRun {
  TFontMetrics Metrics;
  int Width = 0;  // the sum of the glyphs' advances, unturned
  std::vector<TPlacedGlyph> Glyphs;
};

// The cosine and sine of an escapement's angle; exact at multiples of 90 degrees, so that text
// turned by right angles lands on whole pixels.
void EscapementCosSin(int escapement, double& cosA, double& sinA);

// Metrics and width of the text in the font; no glyph is drawn. Never throws for a missing
// face: the default face stands in, and with no usable font at all the run is empty.
// Characters the face lacks are taken from the default face at the same size.
TTextRun MeasureText(const TFont& font, const std::string& utf8);

// The same with every glyph's mask, turned counter-clockwise by the font's escapement (tenths
// of a degree) about its pen position.
TTextRun LayoutText(const TFont& font, const std::string& utf8);
