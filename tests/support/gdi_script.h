#pragma once
// Runs reference drawing scripts (the command language of the GDI reference tool kept under
// tests/surface/oracle) on a TBitmap, to compare the result with the picture the tool saved.
//
// Understood: bitmap BPP W H, bkmode transparent, pen solid|dot|null W COLOR, brush solid
// COLOR | null, rop2 copy|not|xor|notxor, polyfill alternate|winding, cliprect L T R B,
// clipoff, moveto, lineto, line, polyline, polygon, rectangle, ellipse, roundrect, save FILE.
// Colours are 0xRRGGBB. Anything else throws std::runtime_error naming the line.
#include <memory>
#include <string>

#include "surface/bitmap.h"

struct GdiScriptResult {
  std::unique_ptr<TBitmap> bitmap;  // the drawing as it was at the last save
  std::string saved;                // the file name of the last save
};

GdiScriptResult RunGdiScript(const std::string& text);
