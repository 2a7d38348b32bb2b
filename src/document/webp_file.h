#pragma once
// Reading and writing WebP files through libwebp.
//
// The reader takes lossy and lossless files, with or without alpha, and animations' first
// frame is not offered (libwebp's simple decoder refuses animations). The picture is pf32bit;
// alpha is dropped and the colours kept as stored, as PNG files are read. A file whose header
// announces a picture beyond the bitmap's limits raises EOutOfResources before any pixel
// memory is taken; a damaged or truncated file raises EInvalidGraphic "WebP 画像が不正です"
// with libwebp's status.
//
// The writer stores the picture without loss by default, or lossy at a quality from 1 to 100.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fileio/picture_file_io.h"
#include "surface/bitmap.h"

// 0 stores the picture without loss; 1 to 100 is the quality of lossy compression.
constexpr int kWebpLossless = 0;
constexpr int kMaxWebpQuality = 100;

void ReadWebp(const std::uint8_t* data, std::size_t size, TBitmap& out);
void WriteWebp(const TBitmap& bitmap, int quality, const ByteSink& sink);

// The same for files; saving goes through a temporary file, so a failed save leaves the old
// file whole.
void LoadWebpFile(const std::string& path, TBitmap& out);
void SaveWebpFile(const TBitmap& bitmap, const std::string& path, int quality = kWebpLossless);
