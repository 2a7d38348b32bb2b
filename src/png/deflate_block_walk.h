#pragma once
// Finds where the last block of a raw deflate stream begins and ends, without producing its
// data: what joining separately compressed pieces into one stream needs, since a compressor
// that takes a whole buffer marks its last block final and ends it on a bit, not a byte.
#include <cstddef>
#include <cstdint>
#include <optional>

struct TDeflateLastBlock {
  std::size_t headerBit;  // the bit position of the last block's BFINAL bit
  std::size_t endBit;     // the bit position just after its end-of-block code (or stored data)
};

// Walks every block of data[0, size) (bits numbered from the low bit of byte 0). Returns
// nothing when the stream is malformed or ends before a final block.
std::optional<TDeflateLastBlock> FindLastDeflateBlock(const std::uint8_t* data, std::size_t size);
