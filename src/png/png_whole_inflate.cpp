#include "png/png_whole_inflate.h"

#include <libdeflate.h>

#include <algorithm>
#include <memory>

namespace {

constexpr std::uint32_t kIdat = 0x49444154;  // "IDAT"
// Deflate makes at most 258 bytes of every two bits of its data.
constexpr std::uint64_t kMaxDeflateRatio = 1032;

}  // namespace

PngWholeInflate::PngWholeInflate(PngByteReader& in, std::uint32_t chunkLeft, std::size_t filteredBytes,
                                 std::size_t pictureBytes, bool rowsInOrder)
    : in_(in), start_(in.Position()), filteredBytes_(filteredBytes), pictureBytes_(pictureBytes) {
  // Beyond this many compressed bytes to gather the allowance can never suffice.
  const std::uint64_t enough = kScratchAllowance + (rowsInOrder && pictureBytes > filteredBytes ? pictureBytes - filteredBytes : 0);
  walk(chunkLeft, enough);
  in_.Seek(start_);
  // Rows that the data could never fill fail as soon as the stream ends, without the memory
  // for all of them: a few bytes that claim a huge picture cost nothing.
  if (pieces_.empty() || filteredBytes > compressedBytes_ * kMaxDeflateRatio) return;
  inPlace_ = in_.InMemory() && pieces_.size() == 1;
  const std::uint64_t need = (inPlace_ ? 0 : compressedBytes_) + filteredBytes;
  const std::uint64_t scratch = rowsInOrder ? (need > pictureBytes ? need - pictureBytes : 0) : need;
  if (scratch <= kScratchAllowance) scratch_ = std::size_t(scratch);
}

// Follows the IDAT chunks as the streaming reader would: each one's data and CRC, then the next
// header, which must be another IDAT. Gives up (leaving no pieces) once more than enough bytes
// would have to be gathered from several chunks.
void PngWholeInflate::walk(std::uint32_t chunkLeft, std::uint64_t enough) {
  std::uint32_t length = chunkLeft;
  for (;;) {
    const std::uint64_t held = std::min<std::uint64_t>(length, in_.Remaining());
    pieces_.push_back({in_.Position(), held, length});
    compressedBytes_ += held;
    if (pieces_.size() > 1 && compressedBytes_ > enough) {
      pieces_.clear();
      return;
    }
    if (held < length) return;
    in_.Skip(std::uint64_t(length) + 4);
    length = in_.ReadU32();
    if (in_.ReadU32() != kIdat || in_.PastEnd()) return;
  }
}

// The compressed bytes, where they lie or copied to just before the filtered rows.
const std::uint8_t* PngWholeInflate::gather(std::uint8_t* filtered) {
  if (inPlace_) {
    in_.Seek(start_);
    return in_.Peek(std::size_t(compressedBytes_)).data();
  }
  std::uint8_t* const compressed = filtered - compressedBytes_;
  std::uint8_t* dst = compressed;
  for (const Piece& piece : pieces_) {
    in_.Seek(piece.at);
    in_.Read(dst, std::size_t(piece.held));
    dst += piece.held;
  }
  return compressed;
}

const std::uint8_t* PngWholeInflate::Inflate(std::uint8_t* pictureRows, std::uint32_t& chunkLeft) {
  std::uint8_t* const filtered = pictureRows + pictureBytes_ + *scratch_ - filteredBytes_;
  const std::uint8_t* compressed = gather(filtered);
  const std::unique_ptr<libdeflate_decompressor, decltype(&libdeflate_free_decompressor)> inflater(
      libdeflate_alloc_decompressor(), &libdeflate_free_decompressor);
  std::size_t consumed = 0;
  // Anything but one whole stream of exactly the rows' size (also more data than the rows
  // take) is left to the streaming reader, which meets it as it always has.
  if (!inflater || libdeflate_zlib_decompress_ex(inflater.get(), compressed, std::size_t(compressedBytes_), filtered,
                                                 filteredBytes_, &consumed, nullptr) != LIBDEFLATE_SUCCESS) {
    in_.Seek(start_);
    return nullptr;
  }
  seekAfter(consumed, chunkLeft);
  return filtered;
}

// The chunk loop goes on from the end of the stream, inside the chunk it ends in.
void PngWholeInflate::seekAfter(std::size_t consumed, std::uint32_t& chunkLeft) {
  for (const Piece& piece : pieces_) {
    if (consumed <= piece.held) {
      in_.Seek(piece.at + consumed);
      chunkLeft = std::uint32_t(piece.length - consumed);
      return;
    }
    consumed -= std::size_t(piece.held);
  }
}
