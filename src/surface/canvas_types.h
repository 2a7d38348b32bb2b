#pragma once
// The drawing tools of a canvas: pen, brush, font, and the modes that mix them with the picture.
#include <cstdint>
#include <string>

#include "surface/color.h"

class TBitmap;

// How a pen or brush value v combines with the pixel d already there, bit by bit on raw
// values (on indexed bitmaps, on the palette indices).
enum TPenMode {
  pmBlack,        // 0
  pmWhite,        // all ones
  pmNop,          // d
  pmNot,          // ~d
  pmCopy,         // v
  pmNotCopy,      // ~v
  pmMergePenNot,  // v | ~d
  pmMaskPenNot,   // v & ~d
  pmMergeNotPen,  // ~v | d
  pmMaskNotPen,   // ~v & d
  pmMerge,        // v | d
  pmNotMerge,     // ~(v | d)
  pmMask,         // v & d
  pmNotMask,      // ~(v & d)
  pmXor,          // v ^ d
  pmNotXor        // ~(v ^ d)
};

enum TPenStyle { psSolid, psDot, psClear };

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

// Raster operations of copies (CopyRect, Draw, StretchDraw): the classic three-operand codes.
using TCopyMode = std::uint32_t;
constexpr TCopyMode cmBlackness = 0x00000042;
constexpr TCopyMode cmDstInvert = 0x00550009;
constexpr TCopyMode cmMergeCopy = 0x00C000CA;
constexpr TCopyMode cmMergePaint = 0x00BB0226;
constexpr TCopyMode cmNotSrcCopy = 0x00330008;
constexpr TCopyMode cmNotSrcErase = 0x001100A6;
constexpr TCopyMode cmPatCopy = 0x00F00021;
constexpr TCopyMode cmPatInvert = 0x005A0049;
constexpr TCopyMode cmPatPaint = 0x00FB0A09;
constexpr TCopyMode cmSrcAnd = 0x008800C6;
constexpr TCopyMode cmSrcCopy = 0x00CC0020;
constexpr TCopyMode cmSrcErase = 0x00440328;
constexpr TCopyMode cmSrcInvert = 0x00660046;
constexpr TCopyMode cmSrcPaint = 0x00EE0086;
constexpr TCopyMode cmWhiteness = 0x00FF0062;

struct TPen {
  TColor Color = clBlack;
  int Width = 1;
  TPenStyle Style = psSolid;
  TPenMode Mode = pmCopy;
};

struct TBrush {
  TColor Color = clWhite;
  TBrushStyle Style = bsSolid;
  // An 8x8 (or larger: its top-left 8x8 is used) pattern that replaces colour and style when
  // set. Not owned: the bitmap must outlive its use as a brush.
  const TBitmap* Bitmap = nullptr;
};

// A font as a logical description; the text renderer finds the installed face that fits.
struct TFont {
  std::string Name = "IPAGothic";
  // Pixels: negative for the character height (the usual form, -ppi * points / 72),
  // positive for the cell height, 0 for a default size.
  int Height = -16;
  TColor Color = clBlack;
  // Angle of the base line in tenths of a degree, counter-clockwise.
  int Escapement = 0;
  int Weight = 400;  // 700 is bold
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
};

// Screen pixels per inch used to turn point sizes into pixel heights.
constexpr int kPixelsPerInch = 96;
