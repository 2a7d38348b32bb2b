#include "document/gif_file.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include <gif_lib.h>

#include "document/indexed_picture.h"
#include "surface/span_painter.h"

namespace {

constexpr int kGraphicsControl = GRAPHICS_EXT_FUNC_CODE;
constexpr int kTransparentFlag = 0x01;

[[noreturn]] void invalidGif(int code) {
  const char* text = GifErrorString(code);
  throw EInvalidGraphic(std::string("GIF 画像が不正です") + (text ? std::string(" (") + text + ")" : std::string()));
}

// ---- Reading ----

struct MemoryInput {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t pos = 0;
};

int readInput(GifFileType* gif, GifByteType* buf, int n) {
  auto* in = static_cast<MemoryInput*>(gif->UserData);
  const std::size_t count = std::min(std::size_t(n > 0 ? n : 0), in->size - in->pos);
  if (count == 0) return 0;  // an empty file has no data pointer to copy from
  std::memcpy(buf, in->data + in->pos, count);
  in->pos += count;
  return int(count);
}

struct GifReader {
  GifFileType* gif = nullptr;
  ~GifReader() {
    int ignored = 0;
    if (gif) DGifCloseFile(gif, &ignored);
  }
  void Check(int result) const {
    if (result == GIF_ERROR) invalidGif(gif->Error);
  }
};

// The transparent index of a graphic control block, or -1; the block's other bytes (delay,
// disposal) mean nothing for one picture.
int transparentIndexOf(const GifByteType* block) {
  if (!block || block[0] < 4 || !(block[1] & kTransparentFlag)) return -1;
  return block[4];
}

// Reads extension blocks to their end; returns the transparent index a graphic control block
// names, or keeps the earlier one.
int skipExtension(GifReader& r, int transparent) {
  int code = 0;
  GifByteType* block = nullptr;
  r.Check(DGifGetExtension(r.gif, &code, &block));
  if (code == kGraphicsControl) transparent = transparentIndexOf(block);
  while (block) r.Check(DGifGetExtensionNext(r.gif, &block));
  return transparent;
}

// Interlaced frames store every 8th row from 0, every 8th from 4, every 4th from 2, every 2nd from 1.
std::vector<int> rowOrder(int height, bool interlaced) {
  std::vector<int> order;
  order.reserve(std::size_t(height));
  if (!interlaced) {
    for (int y = 0; y < height; ++y) order.push_back(y);
    return order;
  }
  constexpr int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass)
    for (int y = kStart[pass]; y < height; y += kStep[pass]) order.push_back(y);
  return order;
}

void readFrame(GifReader& r, int transparent, TBitmap& bmp) {
  r.Check(DGifGetImageDesc(r.gif));
  const GifImageDesc& frame = r.gif->Image;
  const ColorMapObject* map = frame.ColorMap ? frame.ColorMap : r.gif->SColorMap;
  if (!map || map->ColorCount <= 0) invalidGif(D_GIF_ERR_NO_COLOR_MAP);
  if (frame.Left < 0 || frame.Top < 0 || frame.Width <= 0 || frame.Height <= 0) invalidGif(D_GIF_ERR_WRONG_RECORD);
  const int width = std::max(r.gif->SWidth, frame.Left + frame.Width);
  const int height = std::max(r.gif->SHeight, frame.Top + frame.Height);
  std::vector<TColor> colours;
  for (int i = 0; i < map->ColorCount; ++i)
    colours.push_back(RGB(map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue));
  const TPixelFormat format = IndexedFormatFor(map->ColorCount);
  const int bits = BitsPerPixel(format);
  const std::uint32_t mask = (1u << bits) - 1;  // indices a damaged file stores past the table
  TBitmap::CheckSize(width, height, format);
  bmp.SetPixelFormat(format);
  bmp.SetPalette(FullPalette(colours, format));
  bmp.SetSizeForOverwrite(width, height);
  // Rows get the background only when they are first written, so that a file cut short costs
  // no more memory than the rows it holds.
  const std::uint32_t background = std::uint32_t(transparent >= 0 ? transparent : r.gif->SBackGroundColor) & mask;
  std::vector<std::uint8_t> blank(bmp.Stride(), 0);
  for (int x = 0; x < width && background; ++x) WriteRaw(blank.data(), x, bits, background);
  std::vector<bool> filled(std::size_t(height), false);
  const auto rowOf = [&](int y) {
    std::uint8_t* row = bmp.MutableRow(y);
    if (!filled[std::size_t(y)]) {
      std::memcpy(row, blank.data(), blank.size());
      filled[std::size_t(y)] = true;
    }
    return row;
  };
  std::vector<GifPixelType> line(std::size_t(frame.Width));
  for (const int y : rowOrder(frame.Height, frame.Interlace)) {
    r.Check(DGifGetLine(r.gif, line.data(), frame.Width));
    std::uint8_t* row = rowOf(frame.Top + y);
    for (int x = 0; x < frame.Width; ++x) WriteRaw(row, frame.Left + x, bits, line[std::size_t(x)] & mask);
  }
  for (int y = 0; y < height; ++y) rowOf(y);
  if (transparent >= 0) {
    bmp.Transparent = true;
    bmp.TransparentColor = bmp.Palette()[int(std::uint32_t(transparent) & mask)];
  }
}

// ---- Writing ----

int writeOutput(GifFileType* gif, const GifByteType* buf, int n) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
  out->insert(out->end(), buf, buf + n);
  return n;
}

struct GifWriter {
  GifFileType* gif = nullptr;
  ~GifWriter() {
    int ignored = 0;
    if (gif) EGifCloseFile(gif, &ignored);
  }
  void Check(int result) const {
    if (result == GIF_ERROR) throw EInvalidGraphic("GIF に保存できません (" + std::string(GifErrorString(gif->Error)) + ")");
  }
};

struct MapGuard {
  ColorMapObject* map;
  ~MapGuard() { GifFreeMapObject(map); }
};

}  // namespace

EInvalidGraphic GifTooManyColoursError(int colours) {
  return EInvalidGraphic("この絵は " + std::to_string(colours) + " 色を使っているので GIF に保存できません (GIF は 256 色まで)");
}

void ReadGif(const std::uint8_t* data, std::size_t size, TBitmap& out) {
  MemoryInput in{data, size};
  GifReader r;
  int error = 0;
  r.gif = DGifOpen(&in, readInput, &error);
  if (!r.gif) invalidGif(error);
  TBitmap bmp;
  int transparent = -1;
  for (;;) {
    GifRecordType record = UNDEFINED_RECORD_TYPE;
    r.Check(DGifGetRecordType(r.gif, &record));
    if (record == EXTENSION_RECORD_TYPE) {
      transparent = skipExtension(r, transparent);
    } else if (record == IMAGE_DESC_RECORD_TYPE) {
      readFrame(r, transparent, bmp);
      break;
    } else if (record == TERMINATE_RECORD_TYPE) {
      invalidGif(D_GIF_ERR_NO_IMAG_DSCR);
    } else {
      invalidGif(D_GIF_ERR_WRONG_RECORD);
    }
  }
  out.Swap(bmp);
}

void WriteGif(const TBitmap& bitmap, const ByteSink& sink) {
  if (bitmap.Empty()) throw EInvalidGraphic("画像が空なので保存できません");
  int colours = 0;
  std::optional<TIndexedRows> pixels = TIndexedRows::Of(bitmap, colours);
  if (!pixels) throw GifTooManyColoursError(colours);
  // The table's size is a power of two from 2 to 256, and holds every stored index.
  int tableBits = 1;
  while ((1 << tableBits) < pixels->IndexCount()) ++tableBits;
  const std::vector<TColor>& palette = pixels->Palette();
  std::vector<GifColorType> table(std::size_t(1) << tableBits, GifColorType{0, 0, 0});
  for (std::size_t i = 0; i < palette.size() && i < table.size(); ++i)
    table[i] = GifColorType{GetRValue(palette[i]), GetGValue(palette[i]), GetBValue(palette[i])};
  MapGuard map{GifMakeMapObject(int(table.size()), table.data())};
  if (!map.map) throw EInvalidGraphic("GIF に保存できません");
  std::vector<std::uint8_t> bytes;
  {
    GifWriter w;
    int error = 0;
    w.gif = EGifOpen(&bytes, writeOutput, &error);
    if (!w.gif) throw EInvalidGraphic("GIF に保存できません (" + std::string(GifErrorString(error)) + ")");
    const auto clear = std::find(palette.begin(), palette.end(), bitmap.TransparentColor);
    const bool transparent = bitmap.Transparent && clear != palette.end();
    EGifSetGifVersion(w.gif, transparent);
    w.Check(EGifPutScreenDesc(w.gif, bitmap.Width(), bitmap.Height(), tableBits, 0, map.map));
    if (transparent) {
      const GifByteType control[4] = {kTransparentFlag, 0, 0, GifByteType(clear - palette.begin())};
      w.Check(EGifPutExtension(w.gif, kGraphicsControl, 4, control));
    }
    w.Check(EGifPutImageDesc(w.gif, 0, 0, bitmap.Width(), bitmap.Height(), false, nullptr));
    std::vector<GifPixelType> line(std::size_t(bitmap.Width()));
    for (int y = 0; y < bitmap.Height(); ++y) {
      pixels->ReadRow(y, line.data());
      w.Check(EGifPutLine(w.gif, line.data(), bitmap.Width()));
    }
    const int closed = EGifCloseFile(w.gif, &error);
    w.gif = nullptr;
    if (closed == GIF_ERROR) throw EInvalidGraphic("GIF に保存できません (" + std::string(GifErrorString(error)) + ")");
  }
  sink(bytes.data(), bytes.size());
}

void LoadGifFile(const std::string& path, TBitmap& out) {
  const TMappedFile bytes(path);
  ReadGif(bytes.data(), bytes.size(), out);
}

void SaveGifFile(const TBitmap& bitmap, const std::string& path) {
  WriteFileSafely(path, [&bitmap](const ByteSink& sink) { WriteGif(bitmap, sink); });
}
