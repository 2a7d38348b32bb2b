#pragma once
// Reading and writing Windows bitmap (.bmp) files.
//
// The reader takes every published header version (OS/2 1.x and 2.x, Windows 3 to 5), 1, 2, 4
// and 8-bit indexed pixels (RLE4 and RLE8 too), 16 and 32 bits with any colour masks, and 24
// bits, top-down or bottom-up. The picture keeps the file's pixel format where it is one of ours
// (see BmpTargetFormat). A palette shorter than 2^bpp is kept as it is, and a pixel naming an
// entry past it makes the file invalid (the file does not say its colour); pixels that
// run-length data skips take index 0, the palette's first colour. Failures raise EInvalidGraphic "ビットマップイメージが不正です", except a
// picture beyond the bitmap's own limits (kMaxBitmapSide, kMaxBitmapBytes), which raises its
// EOutOfResources: uncompressed sizes are first checked against the data, so that only happens
// for a file that really holds the pixels, or for run-length data, which can describe any size
// in a few bytes. Nothing is allocated before these checks.
//
// The writer stores a BITMAPINFOHEADER file, bottom-up, in the bitmap's own pixel format:
// indexed with its palette, pf15bit as 16-bit BI_RGB, pf16bit as BI_BITFIELDS 5-6-5, pf24bit,
// and pf32bit and pfDevice as 32 bits. An empty bitmap is written with its zero sides, which
// the reader, like Windows, refuses as a picture.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "surface/bitmap.h"

// Decodes a whole file held in memory into out. On failure out is left as it was.
void ReadBmp(const std::uint8_t* data, std::size_t size, TBitmap& out);

// The file bytes of a bitmap.
std::vector<std::uint8_t> WriteBmp(const TBitmap& bitmap);

// The same for files: "ファイル %s は開けません" when the file cannot be read, and writing goes
// through a temporary file so that a failed save leaves the old file whole.
void LoadBmpFile(const std::string& path, TBitmap& out);
void SaveBmpFile(const TBitmap& bitmap, const std::string& path);
