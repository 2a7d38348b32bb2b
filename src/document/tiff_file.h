#pragma once
// Reading and writing TIFF files through libtiff.
//
// The reader takes the first page. Palette pictures of 1, 2, 4 and 8 bits become indexed
// bitmaps with their colour table (IndexedFormatFor), greys of 1 to 16 bits indexed bitmaps
// with a grey table, RGB of 8 or 16 bits a pf32bit bitmap; 16-bit samples keep their high
// byte and alpha and other extra samples are dropped, as PNG files are read. Other kinds that
// libtiff can turn into colours (tiles, YCbCr, CMYK, ...) go through libtiff's RGBA reader to
// pf32bit. A picture beyond the bitmap's limits raises EOutOfResources before any pixel memory
// is taken; libtiff's own allocations are held to the same limit. libtiff's errors and warnings
// are never printed: an error raises EInvalidGraphic "TIFF 画像が不正です" with libtiff's
// message.
//
// The writer stores the picture without loss in its own kind: indexed formats as palette
// pictures of 1, 4 or 8 bits, the others as 8-bit RGB; Deflate compressed.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fileio/picture_file_io.h"
#include "surface/bitmap.h"

void ReadTiff(const std::uint8_t* data, std::size_t size, TBitmap& out);
void WriteTiff(const TBitmap& bitmap, const ByteSink& sink);

void LoadTiffFile(const std::string& path, TBitmap& out);
void SaveTiffFile(const TBitmap& bitmap, const std::string& path);
