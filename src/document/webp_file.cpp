#include "document/webp_file.h"

#include <memory>

#include <webp/decode.h>
#include <webp/encode.h>

#include "surface/bgrx_rows.h"
#include "surface/surface_error.h"
#include "language/translatable.h"

namespace {

// libwebp's lossless effort, 0 to 9. Its default (6) takes half a minute for a 4000 x 4000 photo
// on this kind of machine, 1 under 4 s, and the file of picture_formats_bench is as large.
constexpr int kLosslessEffort = 1;

[[noreturn]] void invalidWebp(int status) {
  throw EInvalidGraphic(TCoreMessage{TRANSLATABLE("Error", "WebP 画像が不正です (libwebp の状態 %1)"), {std::to_string(status)}});
}

// The bitmap as 32-bit blue-green-red-spare rows, the layout libwebp imports: the bitmap itself
// when it is stored so, otherwise a converted copy.
const TBitmap& as32Bit(const TBitmap& bitmap, TBitmap& copy) {
  if (bitmap.PixelFormat() == pf32bit || bitmap.PixelFormat() == pfDevice) return bitmap;
  copy.Assign(bitmap);
  copy.SetPixelFormat(pf32bit);
  return copy;
}

struct PictureGuard {
  WebPPicture picture;
  ~PictureGuard() { WebPPictureFree(&picture); }
};
struct MemoryGuard {
  WebPMemoryWriter writer;
  ~MemoryGuard() { WebPMemoryWriterClear(&writer); }
};

}  // namespace

void ReadWebp(const std::uint8_t* data, std::size_t size, TBitmap& out) {
  WebPBitstreamFeatures features;
  const VP8StatusCode status = WebPGetFeatures(data, size, &features);
  if (status != VP8_STATUS_OK) invalidWebp(status);
  if (features.has_animation) throw EInvalidGraphic(TCoreMessage{TRANSLATABLE("Error", "動く WebP 画像は読めません"), {}});
  TBitmap bmp;
  bmp.SetPixelFormat(pf32bit);
  // libwebp writes every byte of every row (the rows are packed, 4 bytes a pixel).
  bmp.SetSizeForOverwrite(features.width, features.height);
  if (!WebPDecodeBGRAInto(data, size, bmp.MutableBits(), bmp.ByteSize(), int(bmp.Stride())))
    invalidWebp(VP8_STATUS_BITSTREAM_ERROR);
  for (int y = 0; y < bmp.Height(); ++y) CopyClearingSpareBytes(bmp.Row(y), bmp.MutableRow(y), bmp.Width());
  out.Swap(bmp);
}

void WriteWebp(const TBitmap& bitmap, int quality, const ByteSink& sink) {
  if (bitmap.Empty()) throw EInvalidGraphic(TCoreMessage{TRANSLATABLE("Error", "画像が空なので保存できません"), {}});
  TBitmap copy;
  const TBitmap& source = as32Bit(bitmap, copy);
  WebPConfig config;
  if (!WebPConfigInit(&config)) invalidWebp(VP8_ENC_ERROR_OUT_OF_MEMORY);
  if (quality == kWebpLossless) {
    WebPConfigLosslessPreset(&config, kLosslessEffort);
    config.exact = 1;
  } else {
    config.quality = float(quality);
  }
  PictureGuard p;
  MemoryGuard m;
  WebPPictureInit(&p.picture);
  WebPMemoryWriterInit(&m.writer);
  p.picture.use_argb = quality == kWebpLossless;
  p.picture.width = source.Width();
  p.picture.height = source.Height();
  p.picture.writer = WebPMemoryWrite;
  p.picture.custom_ptr = &m.writer;
  if (!WebPPictureImportBGRX(&p.picture, source.Bits(), int(source.Stride())) ||
      !WebPEncode(&config, &p.picture))
    throw EInvalidGraphic(TCoreMessage{TRANSLATABLE("Error", "WebP に保存できません (libwebp の状態 %1)"), {std::to_string(p.picture.error_code)}});
  sink(m.writer.mem, m.writer.size);
}

void LoadWebpFile(const std::string& path, TBitmap& out) {
  const TMappedFile bytes(path);
  ReadWebp(bytes.data(), bytes.size(), out);
}

void SaveWebpFile(const TBitmap& bitmap, const std::string& path, int quality) {
  WriteFileSafely(path, [&](const ByteSink& sink) { WriteWebp(bitmap, quality, sink); });
}
