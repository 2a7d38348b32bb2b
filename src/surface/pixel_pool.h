#pragma once
// Blocks of pixels that several pictures hold at once: the program's one shared-memory file,
// cut into slots of one block each. A slot's content never changes once written; pictures map
// it privately, so the first write to a page of theirs gives them their own copy of that page
// and leaves the slot as it was. A slot's memory is given back when the last holder lets go.
#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <memory>

// One block: 128 KiB, 32 pages. Smaller blocks cost more mappings; larger ones copy more of
// what a thin figure across the picture did not touch.
constexpr std::size_t kPixelBlock = std::size_t(128) << 10;

class TPixelSlot {
 public:
  TPixelSlot(int fd, std::size_t index) : fd_(fd), index_(index) {}
  ~TPixelSlot();
  TPixelSlot(const TPixelSlot&) = delete;
  TPixelSlot& operator=(const TPixelSlot&) = delete;

  int Fd() const { return fd_; }
  off_t Offset() const { return off_t(index_ * kPixelBlock); }

 private:
  int fd_;
  std::size_t index_;
};

// A slot holding the kPixelBlock bytes from content. Throws std::bad_alloc when there is no
// memory for it.
std::shared_ptr<TPixelSlot> TakePixelSlot(const std::uint8_t* content);

// How many slots pictures hold now: the pool's size in blocks, for checks and measurements of
// what copies share.
std::size_t PixelSlotsHeld();
