#include "png/png_byte_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "surface/surface_error.h"
#include "language/translatable.h"

namespace {

[[noreturn]] void cannotOpen(const std::string& path) { throw ESurfaceError(TCoreMessage{TRANSLATABLE("Error", "ファイル %1 は開けません"), {path}}); }

}  // namespace

PngByteReader::PngByteReader(const std::uint8_t* data, std::size_t size)
    : window_(data), windowSize_(size), size_(size) {}

PngByteReader::PngByteReader(const std::string& path) : path_(path) {
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat info {};
  if (fd_ < 0 || ::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) {
    if (fd_ >= 0) ::close(fd_);
    cannotOpen(path);
  }
  size_ = std::uint64_t(info.st_size);
  buffer_.resize(kBufferBytes);
}

PngByteReader::~PngByteReader() {
  if (fd_ >= 0) ::close(fd_);
}

void PngByteReader::refill() {
  windowStart_ = position_;
  windowSize_ = 0;
  window_ = buffer_.data();
  while (windowSize_ < kBufferBytes) {
    const ssize_t n = ::pread(fd_, buffer_.data() + windowSize_, kBufferBytes - windowSize_,
                              off_t(windowStart_ + windowSize_));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) cannotOpen(path_);
    if (n == 0) {
      // The file shrank since it was opened: its end is here now.
      size_ = std::min(size_, windowStart_ + windowSize_);
      break;
    }
    windowSize_ += std::size_t(n);
  }
}

std::span<const std::uint8_t> PngByteReader::Peek(std::size_t max) {
  if (position_ >= size_) return {};
  const std::uint64_t wanted = std::min<std::uint64_t>(max, size_ - position_);
  const bool inWindow = position_ >= windowStart_ && position_ - windowStart_ <= windowSize_;
  std::uint64_t held = inWindow ? windowStart_ + windowSize_ - position_ : 0;
  if (held < wanted && fd_ >= 0) {
    refill();
    held = std::min<std::uint64_t>(windowSize_, size_ - position_);
  }
  return {window_ + (position_ - windowStart_), std::size_t(std::min(held, wanted))};
}

void PngByteReader::Read(std::uint8_t* dst, std::size_t n) {
  while (n > 0) {
    const std::span<const std::uint8_t> got = Peek(std::min(n, kBufferBytes));
    if (got.empty()) {
      std::memset(dst, 0, n);
      Skip(n);
      return;
    }
    std::memcpy(dst, got.data(), got.size());
    Consume(got.size());
    dst += got.size();
    n -= got.size();
  }
}

std::uint32_t PngByteReader::ReadU32() {
  std::uint8_t b[4];
  Read(b, 4);
  return (std::uint32_t(b[0]) << 24) | (std::uint32_t(b[1]) << 16) | (std::uint32_t(b[2]) << 8) | b[3];
}

void PngByteReader::Skip(std::uint64_t n) {
  if (n > Remaining()) {
    pastEnd_ = true;
    position_ = size_;
    return;
  }
  position_ += n;
}
