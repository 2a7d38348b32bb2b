#include "history/tile_codec.h"

#include <cstring>
#include <new>
#include <zstd.h>

namespace {

// zstd's first fast level: tiles of a drawing still shrink to a few dozen bytes, while
// literals are kept as they are, so a tile of a photograph is put back at nearly the speed of
// a copy (an undo of a whole picture costs about two copies of it, not ten).
constexpr int kCompressionLevel = -1;
constexpr std::size_t kTileRawBytes = kTileBytes * kTileRows;
constexpr std::size_t kControlBlockBytes = 16;  // the reference counts beside a made-shared object

}  // namespace

TTileBlob::TTileBlob(const std::uint8_t* data, std::size_t size, std::size_t& held)
    : bytes_(data, data + size), held_(held) {
  held_ += Cost();
}

TTileBlob::~TTileBlob() { held_ -= Cost(); }

// The bytes and what keeps them: this object inside the shared pointer's control block.
std::size_t TTileBlob::Cost() const { return bytes_.capacity() + sizeof(TTileBlob) + kControlBlockBytes; }

TTileCodec::TTileCodec()
    : cctx_(ZSTD_createCCtx()), dctx_(ZSTD_createDCtx()), raw_(kTileRawBytes), packed_(ZSTD_compressBound(kTileRawBytes)) {
  if (!cctx_ || !dctx_) {
    ZSTD_freeCCtx(cctx_);
    ZSTD_freeDCtx(dctx_);
    throw std::bad_alloc();
  }
}

TTileCodec::~TTileCodec() {
  ZSTD_freeCCtx(cctx_);
  ZSTD_freeDCtx(dctx_);
}

std::shared_ptr<const TTileBlob> TTileCodec::Store(const TBitmap& picture, const TTileGrid& grid, int index,
                                                   std::size_t& held) {
  const std::size_t first = grid.FirstByte(index), bytes = grid.Bytes(index);
  const int top = grid.FirstRow(index), rows = grid.RowCount(index);
  std::uint8_t* out = raw_.data();
  for (int y = top; y < top + rows; ++y, out += bytes) std::memcpy(out, picture.Row(y) + first, bytes);
  const std::size_t size = ZSTD_compressCCtx(cctx_, packed_.data(), packed_.size(), raw_.data(),
                                             bytes * std::size_t(rows), kCompressionLevel);
  // With a bound-sized output and a context of its own, compression fails only for memory.
  if (ZSTD_isError(size)) throw std::bad_alloc();
  return std::make_shared<const TTileBlob>(packed_.data(), size, held);
}

void TTileCodec::Restore(const TTileBlob& blob, std::uint8_t* bits, const TTileGrid& grid, int index) {
  const std::size_t first = grid.FirstByte(index), bytes = grid.Bytes(index);
  const int top = grid.FirstRow(index), rows = grid.RowCount(index);
  ZSTD_decompressDCtx(dctx_, raw_.data(), raw_.size(), blob.Bytes().data(), blob.Bytes().size());
  const std::uint8_t* in = raw_.data();
  for (int y = top; y < top + rows; ++y, in += bytes) std::memcpy(bits + std::size_t(y) * grid.stride + first, in, bytes);
}

bool TTileCodec::TileDiffers(const TBitmap& a, const TBitmap& b, const TTileGrid& grid, int index,
                             const TSamePages& same) {
  const std::size_t first = grid.FirstByte(index), bytes = grid.Bytes(index);
  const int top = grid.FirstRow(index), rows = grid.RowCount(index);
  for (int y = top; y < top + rows; ++y) {
    const std::size_t from = std::size_t(y) * grid.stride + first;
    if (!same.Same(from, from + bytes) && std::memcmp(a.Row(y) + first, b.Row(y) + first, bytes) != 0) return true;
  }
  return false;
}
