// libtiff reports errors through handlers; the handlers installed here keep the first message
// of the file being read and print nothing, and every call's result is checked.
#include "document/tiff_file.h"

#include <algorithm>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

#include <tiffio.h>

#include "document/indexed_picture.h"
#include "surface/span_painter.h"
#include "surface/surface_error.h"
#include "language/translatable.h"

namespace {

// ---- The file in memory ----

// The bytes libtiff reads from, or the growing file it writes; pos is its file position.
struct MemoryFile {
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
  std::vector<std::uint8_t>* written = nullptr;
  std::size_t pos = 0;
  std::string error;
  bool cutShort = false;
};

MemoryFile& fileOf(thandle_t h) { return *static_cast<MemoryFile*>(h); }

tmsize_t readProc(thandle_t h, void* buf, tmsize_t n) {
  MemoryFile& f = fileOf(h);
  const std::size_t total = f.written ? f.written->size() : f.size;
  const std::uint8_t* bytes = f.written ? f.written->data() : f.data;
  if (n < 0 || f.pos >= total) return 0;
  const std::size_t count = std::min(std::size_t(n), total - f.pos);
  std::memcpy(buf, bytes + f.pos, count);
  f.pos += count;
  return tmsize_t(count);
}

tmsize_t writeProc(thandle_t h, void* buf, tmsize_t n) {
  MemoryFile& f = fileOf(h);
  if (!f.written || n < 0) return 0;
  if (f.written->size() < f.pos + std::size_t(n)) f.written->resize(f.pos + std::size_t(n));
  std::memcpy(f.written->data() + f.pos, buf, std::size_t(n));
  f.pos += std::size_t(n);
  return n;
}

toff_t seekProc(thandle_t h, toff_t offset, int whence) {
  MemoryFile& f = fileOf(h);
  const std::size_t total = f.written ? f.written->size() : f.size;
  const std::uint64_t base = whence == SEEK_CUR ? f.pos : whence == SEEK_END ? total : 0;
  const std::uint64_t target = base + offset;
  // A reader may not seek past the end; a writer may (the gap is filled when it writes).
  if (!f.written && target > total) return toff_t(-1);
  f.pos = std::size_t(target);
  return target;
}

int closeProc(thandle_t) { return 0; }
toff_t sizeProc(thandle_t h) { return fileOf(h).written ? fileOf(h).written->size() : fileOf(h).size; }

// Uncompressed strips are then read straight from the mapped file.
int mapProc(thandle_t h, void** base, toff_t* size) {
  MemoryFile& f = fileOf(h);
  if (f.written) return 0;
  *base = const_cast<std::uint8_t*>(f.data);
  *size = f.size;
  return 1;
}
void unmapProc(thandle_t, void*, toff_t) {}

int keepError(TIFF*, void* user, const char* module, const char* format, va_list args) {
  auto& f = *static_cast<MemoryFile*>(user);
  if (f.error.empty()) {
    char text[512];
    std::vsnprintf(text, sizeof text, format, args);
    f.error = (module ? std::string(module) + ": " : std::string()) + text;
  }
  return 1;
}
// libtiff steps over a tag whose data lie past the end of the file with only a warning, and
// may then guess (a palette picture without its colour map becomes grey): such a file was cut
// short, and is refused. Other warnings (unknown tags and the like) are ignored.
int keepCutShort(TIFF* tif, void* user, const char* module, const char* format, va_list args) {
  if (std::strstr(format, "IO error") && static_cast<MemoryFile*>(user)->error.empty()) {
    keepError(tif, user, module, format, args);
    static_cast<MemoryFile*>(user)->cutShort = true;
  }
  return 1;
}

// Messages libtiff gives before a file's own handlers are known go nowhere.
void silenceLibtiff() {
  static std::once_flag once;
  std::call_once(once, [] {
    TIFFSetErrorHandler(nullptr);
    TIFFSetWarningHandler(nullptr);
  });
}

struct TiffCloser {
  void operator()(TIFF* t) const { TIFFClose(t); }
};
using TiffHandle = std::unique_ptr<TIFF, TiffCloser>;

TiffHandle openTiff(MemoryFile& file, const char* mode) {
  silenceLibtiff();
  TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
  TIFFOpenOptionsSetMaxSingleMemAlloc(options, tmsize_t(kMaxBitmapBytes));
  TIFFOpenOptionsSetErrorHandlerExtR(options, keepError, &file);
  TIFFOpenOptionsSetWarningHandlerExtR(options, keepCutShort, &file);
  TIFF* tif = TIFFClientOpenExt("picture", mode, &file, readProc, writeProc, seekProc, closeProc, sizeProc,
                                mapProc, unmapProc, options);
  TIFFOpenOptionsFree(options);
  return TiffHandle(tif);
}

[[noreturn]] void invalidTiff(const MemoryFile& file) {
  if (file.error.empty()) throw EInvalidGraphic(TCoreMessage{TRANSLATABLE("Error", "TIFF 画像が不正です"), {}});
  throw EInvalidGraphic(TCoreMessage{TRANSLATABLE("Error", "TIFF 画像が不正です (%1)"), {file.error}});
}

// ---- Reading ----

struct Layout {
  std::uint32_t width = 0, height = 0;
  std::uint16_t bits = 1, samples = 1, photometric = 0, planar = PLANARCONFIG_CONTIG, sampleFormat = SAMPLEFORMAT_UINT;
};

int side(std::uint32_t v) { return int(std::min<std::uint32_t>(v, INT_MAX)); }

bool isGrey(const Layout& l) { return l.photometric == PHOTOMETRIC_MINISBLACK || l.photometric == PHOTOMETRIC_MINISWHITE; }

// The kinds read row by row here; the others go through libtiff's RGBA reader.
bool readsRows(TIFF* tif, const Layout& l) {
  if (TIFFIsTiled(tif) || l.sampleFormat != SAMPLEFORMAT_UINT) return false;
  if (l.photometric == PHOTOMETRIC_PALETTE)
    return l.samples == 1 && (l.bits == 1 || l.bits == 2 || l.bits == 4 || l.bits == 8);
  if (isGrey(l)) return l.bits == 8 || l.bits == 16 || (l.samples == 1 && (l.bits == 1 || l.bits == 2 || l.bits == 4));
  return l.photometric == PHOTOMETRIC_RGB && l.samples >= 3 && (l.bits == 8 || l.bits == 16);
}

TPixelFormat formatOf(const Layout& l) {
  if (l.photometric == PHOTOMETRIC_RGB) return pf32bit;
  return IndexedFormatFor(1 << std::min<int>(l.bits, 8));
}

// Colour map entries are 16 bits; the nearest 8-bit value, so that an 8-bit entry written as
// v * 257 comes back as v.
std::uint8_t to8(std::uint16_t v) { return std::uint8_t((v + 128) / 257); }

std::vector<TColor> colourTable(TIFF* tif, const Layout& l, MemoryFile& file) {
  const int levels = 1 << std::min<int>(l.bits, 8);
  if (isGrey(l)) {
    std::vector<TColor> greys = GreyRamp(levels);
    if (l.photometric == PHOTOMETRIC_MINISWHITE) std::reverse(greys.begin(), greys.end());
    return greys;
  }
  std::uint16_t *r = nullptr, *g = nullptr, *b = nullptr;
  if (!TIFFGetField(tif, TIFFTAG_COLORMAP, &r, &g, &b)) {
    if (file.error.empty()) file.error = "no colour map";
    invalidTiff(file);
  }
  std::vector<TColor> table(static_cast<std::size_t>(levels));
  for (int i = 0; i < levels; ++i) table[std::size_t(i)] = RGB(to8(r[i]), to8(g[i]), to8(b[i]));
  return table;
}

// One decoded row of samples into the bitmap's row. For separate planes only the plane of the
// first sample (or of red, green and blue in turn) is given, one sample a pixel.
void storeRow(const Layout& l, const std::uint8_t* src, int plane, std::uint8_t* dst, int width) {
  const int step = l.planar == PLANARCONFIG_SEPARATE ? 1 : l.samples;  // samples a pixel in src
  const int wide = l.bits == 16 ? 2 : 1;
  // 16-bit samples are in the machine's order: on this little-endian machine the high byte is second.
  const int high = wide - 1;
  if (l.photometric == PHOTOMETRIC_RGB) {
    for (int x = 0; x < width; ++x)
      for (int c = 0; c < 3; ++c) {
        if (step == 1 && c != plane) continue;
        const int sample = step == 1 ? 0 : c;
        dst[4 * x + 2 - c] = src[(x * step + sample) * wide + high];
        dst[4 * x + 3] = 0;
      }
    return;
  }
  if (l.bits == 16 || (l.bits == 8 && step > 1)) {
    for (int x = 0; x < width; ++x) dst[x] = src[x * step * wide + high];
  } else if (l.bits == 2) {  // 2-bit values widen to the 4-bit format
    for (int x = 0; x < width; ++x) WriteRaw(dst, x, 4, (src[x / 4] >> (6 - 2 * (x % 4))) & 3);
  } else {
    std::memcpy(dst, src, (std::size_t(width) * l.bits + 7) / 8);
  }
}

void readRows(TIFF* tif, const Layout& l, TBitmap& bmp, MemoryFile& file) {
  const tmsize_t lineBytes = TIFFScanlineSize(tif);
  if (lineBytes <= 0) invalidTiff(file);
  std::vector<std::uint8_t> line(static_cast<std::size_t>(lineBytes));
  const int planes = l.planar == PLANARCONFIG_SEPARATE && l.photometric == PHOTOMETRIC_RGB ? 3 : 1;
  // A row is cleared only when its samples have been read, so that a file cut short costs no
  // more memory than the rows it holds.
  for (int plane = 0; plane < planes; ++plane)
    for (int y = 0; y < bmp.Height(); ++y) {
      if (TIFFReadScanline(tif, line.data(), std::uint32_t(y), std::uint16_t(plane)) < 0) invalidTiff(file);
      if (plane == 0) std::memset(bmp.MutableRow(y), 0, bmp.Stride());
      storeRow(l, line.data(), plane, bmp.MutableRow(y), bmp.Width());
    }
}

// libtiff's RGBA pixels are red, green, blue, alpha bytes; the bitmap's blue, green, red, spare.
void readRgba(TIFF* tif, TBitmap& bmp, MemoryFile& file) {
  char reason[1024] = {};
  if (!TIFFRGBAImageOK(tif, reason)) {
    if (file.error.empty()) file.error = reason;
    invalidTiff(file);
  }
  auto* pixels = reinterpret_cast<std::uint32_t*>(bmp.MutableBits());
  if (!TIFFReadRGBAImageOriented(tif, std::uint32_t(bmp.Width()), std::uint32_t(bmp.Height()), pixels,
                                 ORIENTATION_TOPLEFT, 1))
    invalidTiff(file);
  for (std::size_t i = 0, n = std::size_t(bmp.Width()) * std::size_t(bmp.Height()); i < n; ++i) {
    const std::uint32_t p = pixels[i];
    pixels[i] = ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
  }
}

// ---- Writing ----

bool setTag(TIFF* tif, ttag_t tag, int value) { return TIFFSetField(tif, tag, value) == 1; }

bool writeLayout(TIFF* tif, const TBitmap& bmp, int bits) {
  const bool indexed = bits <= 8;
  bool ok = setTag(tif, TIFFTAG_IMAGEWIDTH, bmp.Width()) && setTag(tif, TIFFTAG_IMAGELENGTH, bmp.Height()) &&
            setTag(tif, TIFFTAG_BITSPERSAMPLE, indexed ? bits : 8) &&
            setTag(tif, TIFFTAG_SAMPLESPERPIXEL, indexed ? 1 : 3) &&
            setTag(tif, TIFFTAG_PHOTOMETRIC, indexed ? PHOTOMETRIC_PALETTE : PHOTOMETRIC_RGB) &&
            setTag(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) &&
            setTag(tif, TIFFTAG_COMPRESSION, COMPRESSION_ADOBE_DEFLATE) &&
            setTag(tif, TIFFTAG_ROWSPERSTRIP, int(TIFFDefaultStripSize(tif, 0)));
  if (!indexed) return ok && setTag(tif, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL);
  const TPalette palette = FullPalette(bmp.Palette().Entries(), bmp.PixelFormat());
  std::vector<std::uint16_t> r, g, b;
  for (const TColor c : palette.Entries()) {
    r.push_back(std::uint16_t(GetRValue(c) * 257));
    g.push_back(std::uint16_t(GetGValue(c) * 257));
    b.push_back(std::uint16_t(GetBValue(c) * 257));
  }
  return ok && TIFFSetField(tif, TIFFTAG_COLORMAP, r.data(), g.data(), b.data()) == 1;
}

bool writeRows(TIFF* tif, const TBitmap& bmp, int bits) {
  std::vector<std::uint8_t> line(std::size_t(bmp.Width()) * 3 + 4);
  for (int y = 0; y < bmp.Height(); ++y) {
    const std::uint8_t* row = bmp.Row(y);
    if (bits <= 8) {
      std::memcpy(line.data(), row, (std::size_t(bmp.Width()) * bits + 7) / 8);
    } else {
      for (int x = 0; x < bmp.Width(); ++x) {
        const TColor c = bmp.RawToColor(ReadRaw(row, x, bits));
        line[3 * std::size_t(x)] = GetRValue(c);
        line[3 * std::size_t(x) + 1] = GetGValue(c);
        line[3 * std::size_t(x) + 2] = GetBValue(c);
      }
    }
    if (TIFFWriteScanline(tif, line.data(), std::uint32_t(y), 0) < 0) return false;
  }
  return true;
}

}  // namespace

void ReadTiff(const std::uint8_t* data, std::size_t size, TBitmap& out) {
  MemoryFile file;
  file.data = data;
  file.size = size;
  TiffHandle tif = openTiff(file, "rm");
  if (!tif || file.cutShort) invalidTiff(file);
  Layout l;
  if (!TIFFGetField(tif.get(), TIFFTAG_IMAGEWIDTH, &l.width) || !TIFFGetField(tif.get(), TIFFTAG_IMAGELENGTH, &l.height))
    invalidTiff(file);
  TIFFGetFieldDefaulted(tif.get(), TIFFTAG_BITSPERSAMPLE, &l.bits);
  TIFFGetFieldDefaulted(tif.get(), TIFFTAG_SAMPLESPERPIXEL, &l.samples);
  TIFFGetFieldDefaulted(tif.get(), TIFFTAG_PLANARCONFIG, &l.planar);
  TIFFGetFieldDefaulted(tif.get(), TIFFTAG_SAMPLEFORMAT, &l.sampleFormat);
  if (!TIFFGetField(tif.get(), TIFFTAG_PHOTOMETRIC, &l.photometric)) l.photometric = PHOTOMETRIC_MINISWHITE;
  const bool rows = readsRows(tif.get(), l);
  const TPixelFormat format = rows ? formatOf(l) : pf32bit;
  TBitmap::CheckSize(side(l.width), side(l.height), format);
  TBitmap bmp;
  bmp.SetPixelFormat(format);
  if (format != pf32bit) bmp.SetPalette(FullPalette(colourTable(tif.get(), l, file), format));
  bmp.SetSizeForOverwrite(int(l.width), int(l.height));
  if (rows)
    readRows(tif.get(), l, bmp, file);
  else
    readRgba(tif.get(), bmp, file);
  if (file.cutShort) invalidTiff(file);
  out.Swap(bmp);
}

void WriteTiff(const TBitmap& bitmap, const ByteSink& sink) {
  if (bitmap.Empty()) throw EInvalidGraphic(TCoreMessage{TRANSLATABLE("Error", "画像が空なので保存できません"), {}});
  std::vector<std::uint8_t> bytes;
  MemoryFile file;
  file.written = &bytes;
  {
    TiffHandle tif = openTiff(file, "w");
    const int bits = BitsPerPixel(bitmap.PixelFormat());
    if (!tif || !writeLayout(tif.get(), bitmap, bits) || !writeRows(tif.get(), bitmap, bits) ||
        !TIFFWriteDirectory(tif.get()))
      throw file.error.empty() ? EInvalidGraphic(TCoreMessage{TRANSLATABLE("Error", "TIFF に保存できません"), {}}) : EInvalidGraphic(TCoreMessage{TRANSLATABLE("Error", "TIFF に保存できません (%1)"), {file.error}});
  }
  sink(bytes.data(), bytes.size());
}

void LoadTiffFile(const std::string& path, TBitmap& out) {
  const TMappedFile bytes(path);
  ReadTiff(bytes.data(), bytes.size(), out);
}

void SaveTiffFile(const TBitmap& bitmap, const std::string& path) {
  WriteFileSafely(path, [&bitmap](const ByteSink& sink) { WriteTiff(bitmap, sink); });
}
