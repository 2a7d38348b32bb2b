#pragma once
// Reading TGA (Truevision) files, a reader of the program's own.
//
// Kinds read: colour-mapped (types 1 and 9, 8-bit indices into a table of 15, 16, 24 or 32-bit
// entries), true colour (types 2 and 10, 15, 16, 24 or 32 bits) and grey (types 3 and 11,
// 8 bits), uncompressed or run-length encoded, stored from the bottom or the top, left to
// right or right to left. Colour-mapped pictures become the indexed format that holds their
// table (IndexedFormatFor), greys pf8bit with a grey table, 15 and 16-bit pixels pf15bit,
// 24 and 32-bit pixels pf32bit; alpha is dropped and the colours kept, as PNG files are read.
// A header announcing a picture beyond the bitmap's limits raises EOutOfResources before any
// pixel memory is taken; any other fault (a kind not listed, a file cut short, a run that goes
// past the picture) raises EInvalidGraphic "TGA 画像が不正です" with the reason.
#include <cstddef>
#include <cstdint>
#include <string>

#include "surface/bitmap.h"

void ReadTga(const std::uint8_t* data, std::size_t size, TBitmap& out);
void LoadTgaFile(const std::string& path, TBitmap& out);
