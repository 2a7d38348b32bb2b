// The program's only use of libjpeg. libjpeg reports errors by calling error_exit, which must
// not return; ours jumps back with longjmp to the setjmp of the function that called into
// libjpeg. Those functions construct no object with a destructor, so the jump skips no C++
// clean-up; the objects that own libjpeg's state live in their callers and free it whatever
// state an error left.
#include "document/jpeg_file.h"

#include <csetjmp>
#include <cstdio>  // jpeglib.h uses FILE and size_t without including their headers
#include <cstring>
#include <exception>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

#include "surface/bgrx_rows.h"
#include "surface/row_convert.h"
#include "surface/span_painter.h"
#include "surface/surface_error.h"
#include "language/translatable.h"

namespace {

constexpr int kQuality = 90;
constexpr std::size_t kOutputChunk = std::size_t(1) << 16;  // bytes handed to the sink at once

[[noreturn]] void throwJpegError(int code) { throw EInvalidGraphic(TCoreMessage{TRANSLATABLE("Error", "JPEG エラー #%1"), {std::to_string(code)}}); }

struct ErrorTrap {
  jpeg_error_mgr mgr;  // first: libjpeg hands &mgr back as cinfo->err
  std::jmp_buf jump;
};

[[noreturn]] void jumpBack(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<ErrorTrap*>(cinfo->err)->jump, 1); }
// Warnings are counted as libjpeg does, and never printed.
void countWarning(j_common_ptr cinfo, int level) {
  if (level < 0) ++cinfo->err->num_warnings;
}
void printNothing(j_common_ptr) {}

jpeg_error_mgr* installTrap(ErrorTrap& trap) {
  jpeg_std_error(&trap.mgr);
  trap.mgr.error_exit = jumpBack;
  trap.mgr.emit_message = countWarning;
  trap.mgr.output_message = printNothing;
  return &trap.mgr;
}

// ---- Reading ----

void limitScans(j_common_ptr cinfo) {
  if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxJpegScans)
    ERREXIT(cinfo, JERR_BAD_PROGRESSION);
}

// A libjpeg decompressor and everything its callbacks reach; the destructor frees libjpeg's
// memory in any state (a never-created decompressor is all zeros, which libjpeg ignores).
struct Decompressor {
  ErrorTrap trap;
  jpeg_progress_mgr progress{};
  jpeg_decompress_struct cinfo;
  Decompressor() {
    std::memset(&cinfo, 0, sizeof cinfo);
    cinfo.err = installTrap(trap);
    progress.progress_monitor = limitScans;
  }
  ~Decompressor() { jpeg_destroy_decompress(&cinfo); }
  Decompressor(const Decompressor&) = delete;
  Decompressor& operator=(const Decompressor&) = delete;
};

bool isInk(J_COLOR_SPACE space) { return space == JCS_CMYK || space == JCS_YCCK; }

// Reads the headers up to the first scan and fixes the output: 4 bytes a pixel, blue, green,
// red, spare (or cyan, magenta, yellow, black for ink pictures). False on a libjpeg error.
bool readHeader(Decompressor& d, const std::uint8_t* data, std::size_t size) {
  if (setjmp(d.trap.jump)) return false;
  jpeg_create_decompress(&d.cinfo);
  d.cinfo.mem->max_memory_to_use = kMaxJpegWorkBytes;
  d.cinfo.progress = &d.progress;
  jpeg_mem_src(&d.cinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(&d.cinfo, TRUE);
  d.cinfo.out_color_space = isInk(d.cinfo.jpeg_color_space) ? JCS_CMYK : JCS_EXT_BGRX;
  jpeg_calc_output_dimensions(&d.cinfo);
  return true;
}

// Ink values to colours. Adobe's files store 255 minus the ink, so the colour is the product of
// the stored values; plain files store the ink itself.
void inksToColours(const std::uint8_t* src, std::uint8_t* dst, int width, bool adobeInverted) {
  const unsigned flip = adobeInverted ? 0 : 255;
  for (int x = 0; x < width; ++x, src += 4, dst += 4) {
    const unsigned c = src[0] ^ flip, m = src[1] ^ flip, y = src[2] ^ flip, k = src[3] ^ flip;
    dst[0] = std::uint8_t((y * k + 127) / 255);
    dst[1] = std::uint8_t((m * k + 127) / 255);
    dst[2] = std::uint8_t((c * k + 127) / 255);
    dst[3] = 0;
  }
}

// Decodes every row into bits (rows stride bytes apart, 4 bytes a pixel). False on a libjpeg
// error, with the rows partly written.
//
// libjpeg-turbo writes rows that start on 16 bytes with non-temporal stores, straight to
// memory, so clearing the spare bytes in the picture afterwards would read every row back from
// memory. Each row is decoded into scratch instead, which starts off that alignment and stays
// in the cache, and copied into the picture with its spare bytes cleared.
bool decodeRows(Decompressor& d, std::uint8_t* scratch, std::uint8_t* bits, std::size_t stride) {
  if (setjmp(d.trap.jump)) return false;
  jpeg_start_decompress(&d.cinfo);
  const bool ink = d.cinfo.out_color_space == JCS_CMYK;
  const int width = int(d.cinfo.output_width);
  while (d.cinfo.output_scanline < d.cinfo.output_height) {
    std::uint8_t* row = bits + std::size_t(d.cinfo.output_scanline) * stride;
    jpeg_read_scanlines(&d.cinfo, &scratch, 1);
    if (ink)
      inksToColours(scratch, row, width, d.cinfo.saw_Adobe_marker);
    else
      CopyClearingSpareBytes(scratch, row, width);  // libjpeg's spare byte is 255
  }
  return true;
}

// ---- Writing ----

// libjpeg's output buffer, emptied into the sink. An exception from the sink must not pass
// through libjpeg: it is kept here, libjpeg is stopped with an error, and the caller rethrows.
struct SinkDestination {
  jpeg_destination_mgr mgr;  // first: libjpeg hands &mgr back as cinfo->dest
  const ByteSink* sink;
  std::exception_ptr failure;
  JOCTET buffer[kOutputChunk];
};

void startOutput(j_compress_ptr cinfo) {
  auto* dest = reinterpret_cast<SinkDestination*>(cinfo->dest);
  dest->mgr.next_output_byte = dest->buffer;
  dest->mgr.free_in_buffer = kOutputChunk;
}
// The jump happens outside the handler: leaving a catch block by longjmp would skip the end of
// the exception's handling.
void pass(j_compress_ptr cinfo, std::size_t bytes) {
  auto* dest = reinterpret_cast<SinkDestination*>(cinfo->dest);
  try {
    (*dest->sink)(dest->buffer, bytes);
  } catch (...) {
    dest->failure = std::current_exception();
  }
  if (dest->failure) ERREXIT(cinfo, JERR_FILE_WRITE);
  startOutput(cinfo);
}
boolean emptyOutput(j_compress_ptr cinfo) {  // libjpeg's buffer is full, whatever free_in_buffer says
  pass(cinfo, kOutputChunk);
  return TRUE;
}
void endOutput(j_compress_ptr cinfo) { pass(cinfo, kOutputChunk - cinfo->dest->free_in_buffer); }

struct Compressor {
  ErrorTrap trap;
  SinkDestination dest;
  jpeg_compress_struct cinfo;
  explicit Compressor(const ByteSink& sink) {
    std::memset(&cinfo, 0, sizeof cinfo);
    cinfo.err = installTrap(trap);
    dest.mgr.init_destination = startOutput;
    dest.mgr.empty_output_buffer = emptyOutput;
    dest.mgr.term_destination = endOutput;
    dest.sink = &sink;
  }
  ~Compressor() { jpeg_destroy_compress(&cinfo); }
  Compressor(const Compressor&) = delete;
  Compressor& operator=(const Compressor&) = delete;
};

// The rows libjpeg reads: 32 and 24-bit pictures as they are stored (libjpeg-turbo takes
// blue-green-red with or without a spare byte), other formats converted one row at a time
// into a 32-bit scratch row.
class RowFeed {
 public:
  explicit RowFeed(const TBitmap& bmp)
      : bmp_(bmp),
        direct_(BitsPerPixel(bmp.PixelFormat()) >= 24),
        scratch_(direct_ ? 0 : bmp.Width(), direct_ ? 0 : 1, pf32bit),
        convert_(bmp, scratch_) {}
  J_COLOR_SPACE ColorSpace() const { return bmp_.PixelFormat() == pf24bit ? JCS_EXT_BGR : JCS_EXT_BGRX; }
  int Components() const { return bmp_.PixelFormat() == pf24bit ? 3 : 4; }
  JSAMPROW Row(int y) {
    if (direct_) return const_cast<JSAMPROW>(bmp_.Row(y));  // libjpeg only reads input rows
    const std::uint8_t* src = bmp_.Row(y);
    std::uint8_t* dst = scratch_.MutableRow(0);
    const int bpp = convert_.SourceBpp();
    for (int x = 0; x < bmp_.Width(); ++x) WriteRaw(dst, x, 32, convert_(ReadRaw(src, x, bpp)));
    return dst;
  }

 private:
  const TBitmap& bmp_;
  bool direct_;
  TBitmap scratch_;
  RawConverter convert_;
};

bool encode(Compressor& c, const TBitmap& bmp, RowFeed& feed) {
  if (setjmp(c.trap.jump)) return false;
  jpeg_create_compress(&c.cinfo);
  c.cinfo.dest = &c.dest.mgr;
  c.cinfo.image_width = JDIMENSION(bmp.Width());
  c.cinfo.image_height = JDIMENSION(bmp.Height());
  c.cinfo.input_components = feed.Components();
  c.cinfo.in_color_space = feed.ColorSpace();
  jpeg_set_defaults(&c.cinfo);  // YCbCr, 2x2 chroma, standard Huffman tables, baseline
  jpeg_set_quality(&c.cinfo, kQuality, TRUE);
  jpeg_start_compress(&c.cinfo, TRUE);
  while (c.cinfo.next_scanline < c.cinfo.image_height) {
    JSAMPROW row = feed.Row(int(c.cinfo.next_scanline));
    jpeg_write_scanlines(&c.cinfo, &row, 1);
  }
  jpeg_finish_compress(&c.cinfo);
  return true;
}

}  // namespace

void ReadJpeg(const std::uint8_t* data, std::size_t size, TBitmap& out) {
  TBitmap bmp;
  {
    Decompressor d;
    if (!readHeader(d, data, size)) throwJpegError(d.trap.mgr.msg_code);
    bmp.SetPixelFormat(pf32bit);
    // Every row is decoded, so the new pixels need no first value. EOutOfResources when too large.
    bmp.SetSizeForOverwrite(int(d.cinfo.output_width), int(d.cinfo.output_height));
    // 4 bytes past an allocation's 16-byte alignment; see decodeRows.
    std::vector<std::uint8_t> scratch(std::size_t(bmp.Width()) * 4 + 4);
    if (!decodeRows(d, scratch.data() + 4, bmp.MutableBits(), bmp.Stride())) throwJpegError(d.trap.mgr.msg_code);
  }
  out.Swap(bmp);
}

bool PeekJpegSize(const std::uint8_t* data, std::size_t size, int& width, int& height) {
  Decompressor d;
  if (!readHeader(d, data, size)) return false;
  width = int(d.cinfo.output_width);
  height = int(d.cinfo.output_height);
  return true;
}

void WriteJpeg(const TBitmap& bitmap, const ByteSink& sink) {
  RowFeed feed(bitmap);
  Compressor c(sink);
  if (encode(c, bitmap, feed)) return;
  if (c.dest.failure) std::rethrow_exception(c.dest.failure);
  throwJpegError(c.trap.mgr.msg_code);
}

void LoadJpegFile(const std::string& path, TBitmap& out) {
  const TMappedFile bytes(path);
  ReadJpeg(bytes.data(), bytes.size(), out);
}

void SaveJpegFile(const TBitmap& bitmap, const std::string& path) {
  WriteFileSafely(path, [&bitmap](const ByteSink& sink) { WriteJpeg(bitmap, sink); });
}
