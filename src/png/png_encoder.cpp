// VIRAVIZ::SaveToStream: the PNG file of the image, its chunks in this order: signature, IHDR,
// tIME, tEXt "Software", tpNg, sBIT (15/16-bit images), PLTE (indexed images), tRNS (when a
// transparent colour applies), IDAT..., IEND.
#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "png/adam7.h"
#include "png/png_chunk_writer.h"
#include "png/png_idat_writer.h"
#include "png/png_zlib_stream.h"
#include "png/png_row_builder.h"
#include "png/viraviz.h"

namespace {

constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr char kSoftwareText[] = "Software\0REZIRO ver 3.3";  // keyword, zero byte, text
// The program's own chunk: the letters "QXV3" and four zero bytes.
constexpr std::uint8_t kPrivateChunkData[8] = {'Q', 'X', 'V', '3', 0, 0, 0, 0};
// Palettes of PNG files hold at most 256 entries.
constexpr int kMaxPngPaletteEntries = 256;

void putBigEndian16(std::vector<std::uint8_t>& out, unsigned v) {
  out.push_back(std::uint8_t(v >> 8));
  out.push_back(std::uint8_t(v));
}

void putBigEndian32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  putBigEndian16(out, v >> 16);
  putBigEndian16(out, v & 0xFFFF);
}

void writeChunk(PngChunkWriter& out, const char (&type)[5], const std::vector<std::uint8_t>& data) {
  out.WriteChunk(type, data.data(), data.size());
}

// The user's compression setting as a zlib level; unknown settings compress as the default.
int deflateLevelOf(std::uint8_t compressionLevel) {
  switch (compressionLevel) {
    case 0: return 0;
    case 2: return 1;
    case 3: return 9;
    default: return Z_DEFAULT_COMPRESSION;
  }
}

void writeHeader(PngChunkWriter& out, const TBitmap& image, const PngRowBuilder& rows, bool interlace) {
  std::vector<std::uint8_t> data;
  putBigEndian32(data, std::uint32_t(image.Width()));
  putBigEndian32(data, std::uint32_t(image.Height()));
  data.push_back(std::uint8_t(rows.BitDepth()));
  data.push_back(std::uint8_t(rows.ColorType()));
  data.push_back(0);  // compression method: deflate
  data.push_back(0);  // filter method: adaptive (each row starts with its filter type)
  data.push_back(interlace ? 1 : 0);
  writeChunk(out, "IHDR", data);
}

// The time of writing, read from the system clock in UTC.
void writeTime(PngChunkWriter& out) {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  gmtime_r(&now, &utc);
  std::vector<std::uint8_t> data;
  putBigEndian16(data, unsigned(utc.tm_year + 1900));
  for (int field : {utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec})
    data.push_back(std::uint8_t(field));
  writeChunk(out, "tIME", data);
}

// Tells readers how many bits of each channel the widened 15- and 16-bit pixels really hold.
void writeSignificantBits(PngChunkWriter& out, TPixelFormat format) {
  if (format != pf15bit && format != pf16bit) return;
  const std::vector<std::uint8_t> data{5, std::uint8_t(format == pf16bit ? 6 : 5), 5};
  writeChunk(out, "sBIT", data);
}

// The palette entries a PNG file can carry: the first 256 of the image's.
std::vector<TColor> pngPalette(const TBitmap& image) {
  if (!IsIndexed(image.PixelFormat())) return {};
  const std::vector<TColor>& all = image.Palette().Entries();
  return std::vector<TColor>(all.begin(), all.begin() + std::min<std::size_t>(all.size(), kMaxPngPaletteEntries));
}

void writePalette(PngChunkWriter& out, const std::vector<TColor>& palette) {
  if (palette.empty()) return;
  std::vector<std::uint8_t> data;
  for (TColor c : palette) data.insert(data.end(), {GetRValue(c), GetGValue(c), GetBValue(c)});
  writeChunk(out, "PLTE", data);
}

// The entry equal to c (the first one), else the one with the smallest sum of the red, green
// and blue differences, the lowest index winning a tie. palette must not be empty.
int nearestEntry(const std::vector<TColor>& palette, TColor c) {
  int best = 0;
  int bestDistance = -1;
  for (int i = 0; i < int(palette.size()); ++i) {
    const TColor e = palette[std::size_t(i)];
    const int distance = std::abs(GetRValue(e) - GetRValue(c)) + std::abs(GetGValue(e) - GetGValue(c)) +
                         std::abs(GetBValue(e) - GetBValue(c));
    if (bestDistance < 0 || distance < bestDistance) best = i, bestDistance = distance;
    if (distance == 0) break;
  }
  return best;
}

// RGB images record the colour itself; palette images make the nearest entry fully
// transparent and the ones before it opaque.
void writeTransparency(PngChunkWriter& out, const VIRAVIZ& picture, const std::vector<TColor>& palette) {
  const TBitmap& image = picture.Image;
  const std::optional<TColor> chosen = image.Transparent ? image.TransparentColor : picture.TransparentColor;
  if (!chosen) return;
  const TColor c = ColorToRGB(*chosen);
  std::vector<std::uint8_t> data;
  if (!IsIndexed(image.PixelFormat())) {
    for (unsigned v : {GetRValue(c), GetGValue(c), GetBValue(c)}) putBigEndian16(data, v);
  } else {
    if (palette.empty()) return;
    data.assign(std::size_t(nearestEntry(palette, c)), 255);
    data.push_back(0);
  }
  writeChunk(out, "tRNS", data);
}

// Every row, of the whole image or of each Adam7 pass that has pixels, starts with filter
// type 0 (None): the rows are compressed as they are. Each row goes to put(data, size).
template <class Put>
void buildImageData(const TBitmap& image, const PngRowBuilder& rows, bool interlace, Put put) {
  const int width = image.Width(), height = image.Height();
  std::vector<std::uint8_t> row(1 + rows.RowBytes(width), 0);
  if (!interlace) {
    for (int y = 0; y < height; ++y) {
      rows.Build(y, 0, 1, width, row.data() + 1);
      put(row.data(), row.size());
    }
    return;
  }
  for (const TAdam7Pass& pass : kAdam7Passes) {
    const int columns = pass.Columns(width), passRows = pass.Rows(height);
    if (columns == 0 || passRows == 0) continue;
    const std::size_t rowSize = 1 + rows.RowBytes(columns);
    for (int r = 0; r < passRows; ++r) {
      rows.Build(pass.y0 + r * pass.dy, pass.x0, pass.dx, columns, row.data() + 1);
      put(row.data(), rowSize);
    }
  }
}

// Stored (level 0) data streams through zlib, which alone writes stored blocks; compressed
// data is built whole and compressed on every core, then cut into chunks of chunkSize.
void writeImageData(PngChunkWriter& out, const TBitmap& image, const PngRowBuilder& rows, bool interlace,
                    int deflateLevel, std::size_t chunkSize) {
  if (deflateLevel == 0) {
    PngIdatWriter idat(out, deflateLevel, chunkSize);
    buildImageData(image, rows, interlace, [&idat](const std::uint8_t* data, std::size_t size) { idat.Write(data, size); });
    idat.Finish();
    return;
  }
  std::vector<std::uint8_t> raw;
  // Interlaced data has a few more filter bytes and part-filled bytes than plain rows.
  raw.reserve((rows.RowBytes(image.Width()) + 4) * std::size_t(image.Height()));
  buildImageData(image, rows, interlace, [&raw](const std::uint8_t* data, std::size_t size) { raw.insert(raw.end(), data, data + size); });
  const std::vector<std::uint8_t> stream =
      CompressZlibStream(raw.data(), raw.size(), deflateLevel == Z_DEFAULT_COMPRESSION ? 6 : deflateLevel);
  for (std::size_t from = 0; from < stream.size(); from += chunkSize)
    out.WriteChunk("IDAT", stream.data() + from, std::min(chunkSize, stream.size() - from));
}

}  // namespace

void VIRAVIZ::SaveToStream(const ByteSink& sink) const {
  if (IdatSize < kMinIdatSize || IdatSize > kMaxIdatSize)
    throw DEZOZIR("Write PNG Param: Err IDAT Size(min:256  max:100000)");
  const PngRowBuilder rows(Image);
  const std::vector<TColor> palette = pngPalette(Image);
  PngChunkWriter out(sink);
  out.Put(kSignature, sizeof kSignature);
  writeHeader(out, Image, rows, InterlaceOption);
  writeTime(out);
  out.WriteChunk("tEXt", reinterpret_cast<const std::uint8_t*>(kSoftwareText), sizeof kSoftwareText - 1);
  out.WriteChunk("tpNg", kPrivateChunkData, sizeof kPrivateChunkData);
  writeSignificantBits(out, Image.PixelFormat());
  writePalette(out, palette);
  writeTransparency(out, *this, palette);
  writeImageData(out, Image, rows, InterlaceOption, deflateLevelOf(CompressionLevel), std::size_t(IdatSize));
  out.WriteChunk("IEND", nullptr, 0);
  out.Flush();
}
