#pragma once
// The bytes of a PNG file for the decoder: read in place from memory, or from a file through a
// 64 KB buffer so that a large file is never held whole. Reading past the end yields zero
// bytes and raises the PastEnd flag instead of failing: the chunk loop ends quietly there.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

class PngByteReader {
 public:
  // Reads data[0, size) in place; the memory must outlive the reader.
  PngByteReader(const std::uint8_t* data, std::size_t size);
  // Opens the file at path. Throws ESurfaceError "ファイル %s は開けません" when it cannot be
  // opened (or, later, read).
  explicit PngByteReader(const std::string& path);
  ~PngByteReader();
  PngByteReader(const PngByteReader&) = delete;
  PngByteReader& operator=(const PngByteReader&) = delete;

  // Bytes consumed from the start, at most Size().
  std::uint64_t Position() const { return position_ < size_ ? position_ : size_; }
  std::uint64_t Remaining() const { return size_ - Position(); }
  bool PastEnd() const { return pastEnd_; }

  // Copies the next n bytes to dst; those beyond the end are zero.
  void Read(std::uint8_t* dst, std::size_t n);
  std::uint32_t ReadU32();  // big-endian
  // Moves on by n bytes without reading them (a file is not read over a long skip).
  void Skip(std::uint64_t n);
  // Goes to an earlier position within the data, as if what follows it had not been read.
  void Seek(std::uint64_t position) {
    position_ = position;
    pastEnd_ = false;
  }
  // True when the bytes are in memory, where Peek hands out any length in place.
  bool InMemory() const { return fd_ < 0; }

  // The bytes at the position that are at hand without copying: min(max, Remaining()) of
  // them when max is at most 64 KB, possibly more for a reader in memory. Empty at the end.
  std::span<const std::uint8_t> Peek(std::size_t max);
  // Consumes n bytes of what the last Peek returned.
  void Consume(std::size_t n) { position_ += n; }

 private:
  static constexpr std::size_t kBufferBytes = 64 * 1024;
  void refill();

  std::string path_;
  int fd_ = -1;
  std::vector<std::uint8_t> buffer_;
  const std::uint8_t* window_ = nullptr;  // the bytes [windowStart_, windowStart_ + windowSize_)
  std::uint64_t windowStart_ = 0;
  std::size_t windowSize_ = 0;
  std::uint64_t position_ = 0;
  std::uint64_t size_ = 0;
  bool pastEnd_ = false;
};
