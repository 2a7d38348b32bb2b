#include "recovery/recovery_file.h"

#include <zlib.h>
#include <zstd.h>

#include <cstring>
#include <memory>

#include "fileio/picture_file_io.h"
#include "surface/pixel_memory.h"
#include "surface/surface_error.h"

namespace {

constexpr char kMagic[8] = {'Z', 'U', 'D', 'O', 'Z', 'O', 'R', 'C'};
constexpr std::uint32_t kVersion = 1;
// Speed first: the copy is written while the user draws, and level 1 already squeezes flat
// drawn areas to almost nothing.
constexpr int kZstdLevel = 1;
constexpr std::size_t kPieceBytes = std::size_t(1) << 20;  // input between cancel checks
constexpr std::uint32_t kMaxFileNameBytes = 1u << 16;
constexpr std::uint32_t kMaxPaletteCount = 256;
constexpr std::uint32_t kLastPixelFormat = pf32bit;

std::uint32_t crcOf(const std::uint8_t* data, std::size_t size) {
  uLong crc = crc32(0L, Z_NULL, 0);
  while (size > 0) {
    const uInt piece = uInt(std::min<std::size_t>(size, 1u << 30));
    crc = crc32(crc, data, piece);
    data += piece;
    size -= piece;
  }
  return std::uint32_t(crc);
}

class ByteWriter {
 public:
  explicit ByteWriter(std::vector<std::uint8_t>& out) : out_(out) {}
  void Bytes(const void* data, std::size_t size) {
    const auto* p = static_cast<const std::uint8_t*>(data);
    out_.insert(out_.end(), p, p + size);
  }
  void U32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out_.push_back(std::uint8_t(v >> (8 * i)));
  }
  void U64(std::uint64_t v) {
    for (int i = 0; i < 8; ++i) out_.push_back(std::uint8_t(v >> (8 * i)));
  }

 private:
  std::vector<std::uint8_t>& out_;
};

class ByteReader {
 public:
  ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  const std::uint8_t* Take(std::size_t n) {
    if (size_ - pos_ < n) throw ERecoveryDamaged("the recovery file is cut short");
    const std::uint8_t* p = data_ + pos_;
    pos_ += n;
    return p;
  }
  std::uint32_t U32() {
    const std::uint8_t* p = Take(4);
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
  }
  std::uint64_t U64() {
    const std::uint64_t low = U32();
    return low | std::uint64_t(U32()) << 32;
  }
  std::size_t Position() const { return pos_; }
  std::size_t Left() const { return size_ - pos_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

struct ZstdCStream {
  ZSTD_CCtx* ctx = ZSTD_createCCtx();
  ~ZstdCStream() { ZSTD_freeCCtx(ctx); }
};

// One zstd frame of the rows, with the frame's own content size and checksum.
std::vector<std::uint8_t> compressRows(const TBitmap& picture, const std::atomic<bool>* cancel) {
  ZstdCStream stream;
  if (!stream.ctx) throw ESurfaceError("zstd: out of memory");
  ZSTD_CCtx_setParameter(stream.ctx, ZSTD_c_compressionLevel, kZstdLevel);
  ZSTD_CCtx_setParameter(stream.ctx, ZSTD_c_checksumFlag, 1);
  ZSTD_CCtx_setPledgedSrcSize(stream.ctx, picture.ByteSize());
  std::vector<std::uint8_t> out;
  std::vector<std::uint8_t> piece(ZSTD_CStreamOutSize());
  const std::uint8_t* bits = picture.Bits();
  PreparePagesToRead(bits, picture.ByteSize());
  std::size_t done = 0;
  for (;;) {
    if (cancel && cancel->load(std::memory_order_relaxed)) throw ERecoveryCancelled();
    const std::size_t take = std::min(kPieceBytes, picture.ByteSize() - done);
    const bool last = done + take == picture.ByteSize();
    ZSTD_inBuffer in{bits + done, take, 0};
    std::size_t left = 0;
    do {
      ZSTD_outBuffer o{piece.data(), piece.size(), 0};
      left = ZSTD_compressStream2(stream.ctx, &o, &in, last ? ZSTD_e_end : ZSTD_e_continue);
      if (ZSTD_isError(left)) throw ESurfaceError(std::string("zstd: ") + ZSTD_getErrorName(left));
      out.insert(out.end(), piece.data(), piece.data() + o.pos);
    } while (last ? left != 0 : in.pos < in.size);
    done += take;
    if (last) return out;
  }
}

void checkPixelFormat(std::uint32_t format, int width, int height) {
  if (format > kLastPixelFormat) throw ERecoveryDamaged("the recovery file names an unknown pixel format");
  try {
    TBitmap::CheckSize(width, height, TPixelFormat(format));
  } catch (const EOutOfResources&) {
    throw ERecoveryDamaged("the recovery file's picture size is impossible");
  }
}

// Everything before the payload, its checksums included.
std::vector<std::uint8_t> headerFor(const TBitmap& picture, const std::string& fileName, std::int64_t savedAt,
                                    const std::vector<std::uint8_t>& payload) {
  std::vector<std::uint8_t> header;
  ByteWriter w(header);
  w.Bytes(kMagic, sizeof kMagic);
  w.U32(kVersion);
  w.U32(std::uint32_t(picture.Width()));
  w.U32(std::uint32_t(picture.Height()));
  w.U32(std::uint32_t(picture.PixelFormat()));
  w.U32(picture.Transparent ? 1 : 0);
  w.U32(std::uint32_t(picture.TransparentColor));
  const std::vector<TColor>& palette = picture.Palette().Entries();
  w.U32(std::uint32_t(palette.size()));
  for (TColor c : palette) w.U32(std::uint32_t(c));
  w.U32(std::uint32_t(fileName.size()));
  w.Bytes(fileName.data(), fileName.size());
  w.U64(std::uint64_t(savedAt));
  w.U64(payload.size());
  w.U32(crcOf(payload.data(), payload.size()));
  w.U32(crcOf(header.data(), header.size()));
  return header;
}

}  // namespace

std::vector<std::uint8_t> EncodeRecoveryCopy(const TBitmap& picture, const std::string& fileName,
                                             std::int64_t savedAt, const std::atomic<bool>* cancel) {
  const std::vector<std::uint8_t> payload = compressRows(picture, cancel);
  std::vector<std::uint8_t> file = headerFor(picture, fileName, savedAt, payload);
  file.insert(file.end(), payload.begin(), payload.end());
  return file;
}

void DecodeRecoveryCopy(const std::uint8_t* data, std::size_t size, TRecoveryCopy& copy) {
  ByteReader r(data, size);
  if (std::memcmp(r.Take(sizeof kMagic), kMagic, sizeof kMagic) != 0)
    throw ERecoveryDamaged("this is no recovery file");
  if (r.U32() != kVersion) throw ERecoveryDamaged("the recovery file has an unknown version");
  const std::uint32_t width = r.U32(), height = r.U32(), format = r.U32();
  if (width > std::uint32_t(kMaxBitmapSide) || height > std::uint32_t(kMaxBitmapSide) || width == 0 || height == 0)
    throw ERecoveryDamaged("the recovery file's picture size is impossible");
  checkPixelFormat(format, int(width), int(height));
  const std::uint32_t transparent = r.U32();
  const TColor transparentColor = TColor(r.U32());
  const std::uint32_t paletteCount = r.U32();
  if (paletteCount > kMaxPaletteCount) throw ERecoveryDamaged("the recovery file's palette is too long");
  std::vector<TColor> palette(paletteCount);
  for (TColor& c : palette) c = TColor(r.U32());
  const std::uint32_t nameBytes = r.U32();
  if (nameBytes > kMaxFileNameBytes) throw ERecoveryDamaged("the recovery file's file name is too long");
  const std::uint8_t* name = r.Take(nameBytes);
  copy.fileName.assign(reinterpret_cast<const char*>(name), nameBytes);
  copy.savedAt = std::int64_t(r.U64());
  const std::uint64_t payloadSize = r.U64();
  const std::uint32_t payloadCrc = r.U32();
  const std::size_t headerEnd = r.Position();
  if (r.U32() != crcOf(data, headerEnd)) throw ERecoveryDamaged("the recovery file's header is damaged");
  if (payloadSize != r.Left()) throw ERecoveryDamaged("the recovery file is cut short");
  const std::uint8_t* payload = r.Take(std::size_t(payloadSize));
  if (crcOf(payload, std::size_t(payloadSize)) != payloadCrc) throw ERecoveryDamaged("the recovery file's picture is damaged");

  TBitmap& picture = copy.picture;
  TBitmap fresh;
  picture.Swap(fresh);
  picture.SetPixelFormat(TPixelFormat(format));
  picture.SetSizeForOverwrite(int(width), int(height));
  if (IsIndexed(picture.PixelFormat())) picture.SetPalette(TPalette(std::move(palette)));
  const unsigned long long content = ZSTD_getFrameContentSize(payload, std::size_t(payloadSize));
  if (content != picture.ByteSize()) throw ERecoveryDamaged("the recovery file's picture is damaged");
  const std::size_t got = ZSTD_decompress(picture.MutableBits(), picture.ByteSize(), payload, std::size_t(payloadSize));
  if (ZSTD_isError(got) || got != picture.ByteSize()) throw ERecoveryDamaged("the recovery file's picture is damaged");
  picture.Transparent = transparent != 0;
  picture.TransparentColor = transparentColor;
}

void WriteRecoveryFile(const std::string& path, const TBitmap& picture, const std::string& fileName,
                       std::int64_t savedAt, const std::atomic<bool>* cancel) {
  const std::vector<std::uint8_t> payload = compressRows(picture, cancel);
  const std::vector<std::uint8_t> header = headerFor(picture, fileName, savedAt, payload);
  WriteFileSafely(path, [&](const ByteSink& sink) {
    sink(header.data(), header.size());
    sink(payload.data(), payload.size());
  });
}

void ReadRecoveryFile(const std::string& path, TRecoveryCopy& copy) {
  std::unique_ptr<TMappedFile> file;
  try {
    file = std::make_unique<TMappedFile>(path);
  } catch (const ESurfaceError& e) {
    throw ERecoveryDamaged(e.what());
  }
  DecodeRecoveryCopy(file->data(), file->size(), copy);
}
