#pragma once
// Tiles of a picture squeezed with zstd and put back. One codec keeps its compression
// contexts and work buffers, so storing or restoring a tile allocates nothing but the blob.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "history/tile_grid.h"
#include "surface/pixel_memory.h"

struct ZSTD_CCtx_s;
struct ZSTD_DCtx_s;

// A compressed tile. It tells the counter it was made with how many bytes it holds, for as
// long as it lives; the counter must outlive it.
class TTileBlob {
 public:
  TTileBlob(const std::uint8_t* data, std::size_t size, std::size_t& held);
  ~TTileBlob();
  TTileBlob(const TTileBlob&) = delete;
  TTileBlob& operator=(const TTileBlob&) = delete;
  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

 private:
  std::size_t Cost() const;
  std::vector<std::uint8_t> bytes_;
  std::size_t& held_;
};

class TTileCodec {
 public:
  TTileCodec();
  ~TTileCodec();
  TTileCodec(const TTileCodec&) = delete;
  TTileCodec& operator=(const TTileCodec&) = delete;

  // The tile's bytes, compressed; held counts the blob. Raises std::bad_alloc.
  std::shared_ptr<const TTileBlob> Store(const TBitmap& picture, const TTileGrid& grid, int index,
                                         std::size_t& held);
  // Writes a stored tile back into pixels laid out as grid says. Allocates nothing.
  void Restore(const TTileBlob& blob, std::uint8_t* bits, const TTileGrid& grid, int index);
  // True when the tile differs between two pictures of the same layout. Rows whose bytes lie on
  // pages known to be the same in both are not read.
  static bool TileDiffers(const TBitmap& a, const TBitmap& b, const TTileGrid& grid, int index,
                          const TSamePages& same);

 private:
  ZSTD_CCtx_s* cctx_;
  ZSTD_DCtx_s* dctx_;
  std::vector<std::uint8_t> raw_;
  std::vector<std::uint8_t> packed_;
};
