#pragma once
// Reading and writing JPEG files through libjpeg.
//
// The reader takes whatever libjpeg decodes: baseline and progressive, greyscale, YCbCr and
// RGB, and CMYK or YCCK (Adobe's inverted ink values when the file carries an Adobe marker,
// plain ink values otherwise) turned into colours by the usual ink product. The picture is
// always pf32bit. Damage libjpeg can step over (a file cut short inside its image data, a bad
// Huffman code) is only a warning: the picture comes out with the damage, as the user would
// see it in other programs. Real failures raise EInvalidGraphic "JPEG エラー #%d" with
// libjpeg's message code; besides libjpeg's own checks, a progressive file with more than
// kMaxJpegScans scans is refused as JERR_BAD_PROGRESSION and libjpeg's working memory is held
// to kMaxJpegWorkBytes (beyond it: JERR_NO_BACKING_STORE). A picture beyond the bitmap's
// limits raises its EOutOfResources before any pixel memory is taken.
//
// The writer stores quality 90, baseline, three-component YCbCr (never greyscale), from a
// bitmap of any pixel format.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fileio/picture_file_io.h"
#include "surface/bitmap.h"

// Each scan of a progressive file passes over the whole picture; real files have a few dozen
// at most, and a small hostile file with many thousands would keep the program busy.
constexpr int kMaxJpegScans = 500;
// libjpeg's own memory for one read: mostly the whole-picture coefficients of a progressive
// or multi-scan file (2 bytes a pixel for each full-resolution component).
constexpr long kMaxJpegWorkBytes = 1L << 30;

// Decodes the JPEG file held in data[0, size) into out. On failure out is left as it was.
void ReadJpeg(const std::uint8_t* data, std::size_t size, TBitmap& out);

// The picture size the headers of the JPEG file in data[0, size) declare, read without
// decoding the picture. False when libjpeg cannot read the headers.
bool PeekJpegSize(const std::uint8_t* data, std::size_t size, int& width, int& height);

// Encodes bitmap at quality 90 and hands the file to sink in pieces. An empty bitmap raises
// libjpeg's JERR_EMPTY_IMAGE error; an exception from sink passes on.
void WriteJpeg(const TBitmap& bitmap, const ByteSink& sink);

// The same for files: "ファイル %s は開けません" when the file cannot be read; saving goes
// through a temporary file, so a failed save leaves the old file whole.
void LoadJpegFile(const std::string& path, TBitmap& out);
void SaveJpegFile(const TBitmap& bitmap, const std::string& path);
