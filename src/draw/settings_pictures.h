#pragma once
// The small pictures of the settings panel that show the drawing settings, drawn with the
// raster surface into the panel's bitmaps. Each function redraws one whole picture from the
// values given; the bitmaps keep whatever canvas state the drawing leaves, as pictures on the
// panel do.
#include "surface/bitmap.h"
#include "surface/color.h"

// Sizes of the pictures (width x height).
inline constexpr int kPenShapeSide = 50;                     // penshape
inline constexpr int kRGBImageWidth = 127, kRGBImageHeight = 48;  // rgbimage
inline constexpr int kColorGridWidth = 128, kColorGridHeight = 12;  // cgrid
inline constexpr int kPenImageWidth = 50, kPenImageHeight = 18;     // penimage and fontimage
inline constexpr int kModeImageSide = 25;                    // brImage and pmimage

// The 16 colour samples of cgrid, left to right, 8 pixels wide each.
inline constexpr TColor kColorSamples[16] = {
    RGB(0, 0, 0),       RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(128, 128, 0),
    RGB(0, 0, 128),     RGB(128, 0, 128), RGB(0, 128, 128), RGB(192, 192, 192),
    RGB(128, 128, 128), RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(255, 255, 0),
    RGB(0, 0, 255),     RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255)};

// cgrid: the samples side by side, sample i covering x 8i..8i+7.
void PaintColorGrid(TBitmap& cgrid);

// penshape: for slot 0 the first 50x50 frame of the mouse picture, for slot 1 its second frame,
// for any other slot the picture as it is; then the button faces around (20, 20) and (30, 20)
// flood-filled (every connected pixel of the seed's colour) with the left and right colours.
void DrawPenShape(TBitmap& penshape, const TBitmap& mouse, int colorSlot, TColor left, TColor right);

// rgbimage: three 16-pixel rows on pale red, green and blue, each with a bar of value div 2
// pixels in that value's pure colour.
void DrawRGBBars(TBitmap& rgbimage, int red, int green, int blue);

// penimage: the pen-size picture with a not-xor navy line of the pen width over it, centred
// on x = width div 2.
void DrawPenWidth(TBitmap& penimage, const TBitmap& penSize, int width);

// fontimage: a sample "A" of the font size centred on white, and a not-xor navy bar size div 2
// pixels wide. ppi turns the size into pixels.
void DrawFontSize(TBitmap& fontimage, int size, int ppi);

// brImage: a square with a black outline filled with a navy brush of the fill setting on white.
void DrawFillSetting(TBitmap& brImage, int fillSetting, const TBitmap& brushPattern);

// pmimage: a blue horizontal bar crossed by a red vertical bar drawn with the pen mode, on the
// button face colour.
void DrawPenMode(TBitmap& pmimage, int penMode);
