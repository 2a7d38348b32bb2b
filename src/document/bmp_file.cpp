#include "document/bmp_file.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstring>

#include "document/bmp_header.h"
#include "document/bmp_pixels.h"
#include "document/bmp_rle.h"
#include "fileio/picture_file_io.h"

namespace {

constexpr std::uint32_t kFileHeaderBytes = 14, kInfoHeaderBytes = 40;
constexpr std::uint32_t kBiRgb = 0, kBiBitFields = 3;

void putLe16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(std::uint8_t(v));
  out.push_back(std::uint8_t(v >> 8));
}
void putLe32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  putLe16(out, v & 0xFFFF);
  putLe16(out, v >> 16);
}

// The colour table written for an indexed bitmap. The reader refuses indices past the table,
// so when pixels use entries the palette lacks (the bitmap shows them black), the table is
// completed with black to its full 2^bpp entries.
std::vector<TColor> paletteToWrite(const TBitmap& bmp) {
  const std::size_t full = std::size_t(1) << BitsPerPixel(bmp.PixelFormat());
  std::vector<TColor> entries = bmp.Palette().Entries();
  if (entries.size() > full) entries.resize(full);
  if (entries.empty() || !BmpIndicesWithin(bmp, std::uint32_t(entries.size())))
    entries.resize(full, clBlack);
  return entries;
}

// The file header, info header, masks and palette of the file written for a bitmap.
std::vector<std::uint8_t> bmpHeaders(const TBitmap& bitmap) {
  const TPixelFormat format = bitmap.PixelFormat();
  const std::vector<TColor> palette = IsIndexed(format) ? paletteToWrite(bitmap) : std::vector<TColor>();
  const bool masks = format == pf16bit;
  const std::uint32_t offset =
      kFileHeaderBytes + kInfoHeaderBytes + (masks ? 12 : 0) + std::uint32_t(palette.size()) * 4;
  const std::size_t imageBytes = bitmap.ByteSize();  // rows of 32-bit words, as the file's

  std::vector<std::uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  putLe32(out, std::uint32_t(offset + imageBytes));
  putLe32(out, 0);  // reserved
  putLe32(out, offset);
  putLe32(out, kInfoHeaderBytes);
  putLe32(out, std::uint32_t(bitmap.Width()));
  putLe32(out, std::uint32_t(bitmap.Height()));  // positive: rows bottom-up
  putLe16(out, 1);                               // planes
  putLe16(out, std::uint32_t(BitsPerPixel(format)));
  putLe32(out, masks ? kBiBitFields : kBiRgb);
  putLe32(out, std::uint32_t(imageBytes));
  putLe32(out, 0);  // pixels per metre, horizontally and vertically: unknown
  putLe32(out, 0);
  putLe32(out, std::uint32_t(palette.size()));
  putLe32(out, 0);  // all colours important
  if (masks) {
    putLe32(out, 0xF800);
    putLe32(out, 0x07E0);
    putLe32(out, 0x001F);
  }
  for (TColor c : palette) {
    const std::uint8_t entry[4] = {GetBValue(c), GetGValue(c), GetRValue(c), 0};
    out.insert(out.end(), entry, entry + 4);
  }
  return out;
}

// Marks the whole pages of a large block in memory for huge pages, as TBitmap does with large
// pictures: a 64 MB file built in fresh memory would otherwise cost sixteen thousand page
// faults, several times the copy itself. Only advice: without huge pages all still works.
void adviseHugePages(std::uint8_t* p, std::size_t bytes) {
  constexpr std::size_t kHugePage = std::size_t(2) << 20;
  if (bytes < 2 * kHugePage) return;
  const auto page = std::uintptr_t(::sysconf(_SC_PAGESIZE));
  const std::uintptr_t start = (reinterpret_cast<std::uintptr_t>(p) + page - 1) / page * page;
  const std::uintptr_t end = reinterpret_cast<std::uintptr_t>(p) + bytes;
  ::madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
}

// Hands the rows to sink bottom-up, as the file stores them, each as it is in memory.
void emitRows(const TBitmap& bitmap, const ByteSink& sink) {
  for (int y = bitmap.Height() - 1; y >= 0; --y) sink(bitmap.Row(y), bitmap.Stride());
}

}  // namespace

void ReadBmp(const std::uint8_t* data, std::size_t size, TBitmap& out) {
  const BmpHeader header = ParseBmpHeader(data, size);
  TBitmap bmp;
  bmp.SetPixelFormat(BmpTargetFormat(header));
  if (!header.palette.empty()) bmp.SetPalette(TPalette(header.palette));
  // Both decoders write every byte, so the new pixels need no first value. EOutOfResources
  // beyond the bitmap's limits.
  bmp.SetSizeForOverwrite(header.width, header.height);
  const std::uint8_t* pixels = data + header.pixelOffset;
  if (header.compression == BmpCompression::kRle8 || header.compression == BmpCompression::kRle4) {
    std::memset(bmp.MutableBits(), 0, bmp.ByteSize());
    DecodeBmpRle(pixels, header.pixelBytes, bmp);
  } else {
    ReadBmpRows(header, pixels, bmp);
  }
  CheckBmpIndices(bmp);
  out.Swap(bmp);
}

std::vector<std::uint8_t> WriteBmp(const TBitmap& bitmap) {
  std::vector<std::uint8_t> out = bmpHeaders(bitmap);
  out.reserve(out.size() + bitmap.ByteSize());
  adviseHugePages(out.data(), out.capacity());
  emitRows(bitmap, [&out](const std::uint8_t* row, std::size_t size) { out.insert(out.end(), row, row + size); });
  return out;
}

void LoadBmpFile(const std::string& path, TBitmap& out) {
  const TMappedFile bytes(path);
  ReadBmp(bytes.data(), bytes.size(), out);
}

// Streams the rows to the file: saving needs no second copy of a large picture in memory.
void SaveBmpFile(const TBitmap& bitmap, const std::string& path) {
  const std::vector<std::uint8_t> headers = bmpHeaders(bitmap);
  WriteFileSafely(path, [&](const ByteSink& sink) {
    sink(headers.data(), headers.size());
    emitRows(bitmap, sink);
  });
}
