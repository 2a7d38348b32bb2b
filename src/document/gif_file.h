#pragma once
// Reading and writing GIF files through giflib.
//
// The reader takes the first frame, drawn on the file's logical screen (filled with the
// background colour, or the frame's transparent colour when it has one), with the frame's
// colour table (or the file's): an indexed bitmap of the format IndexedFormatFor names. A
// transparent colour index makes the bitmap Transparent in that colour, as a PNG palette with
// one clear entry does. A screen beyond the bitmap's limits raises EOutOfResources before any
// pixel memory is taken; a damaged or truncated file raises EInvalidGraphic "GIF 画像が不正です"
// with giflib's message.
//
// The writer stores pictures of at most 256 colours exactly: indexed bitmaps with their own
// colour table, others with the colours they use. A picture of more colours is refused with
// EInvalidGraphic (GifTooManyColoursError) and nothing is written; it is never reduced.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fileio/picture_file_io.h"
#include "surface/bitmap.h"
#include "surface/surface_error.h"

void ReadGif(const std::uint8_t* data, std::size_t size, TBitmap& out);
void WriteGif(const TBitmap& bitmap, const ByteSink& sink);

// "この絵は N 色を使っているので GIF に保存できません (GIF は 256 色まで)".
EInvalidGraphic GifTooManyColoursError(int colours);

void LoadGifFile(const std::string& path, TBitmap& out);
void SaveGifFile(const TBitmap& bitmap, const std::string& path);
