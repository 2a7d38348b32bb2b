#include "surface/pixel_pool.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>
#include <new>
#include <vector>

namespace {

// The file grows a slot at a time and is never shortened; given-back slots have their memory
// freed (a hole punched) and are taken again first.
class TPixelPool {
 public:
  std::shared_ptr<TPixelSlot> Take(const std::uint8_t* content) {
    std::size_t index = 0;
    int fd = -1;
    {
      std::lock_guard lock(mutex_);
      if (fd_ < 0) fd_ = memfd_create("zudozo-pixels", MFD_CLOEXEC);
      if (fd_ < 0) throw std::bad_alloc();
      free_.reserve(slots_ + 1);  // giving back cannot fail
      if (!free_.empty()) {
        index = free_.back();
        free_.pop_back();
      } else {
        if (ftruncate(fd_, off_t((slots_ + 1) * kPixelBlock)) != 0) throw std::bad_alloc();
        index = slots_++;
      }
      fd = fd_;
    }
    std::shared_ptr<TPixelSlot> slot;
    try {
      slot = std::make_shared<TPixelSlot>(fd, index);
    } catch (const std::bad_alloc&) {
      Give(fd, index);
      throw;
    }
    // From here the slot is given back by its destructor, also when it cannot be filled.
    if (!write(fd, slot->Offset(), content)) throw std::bad_alloc();
    return slot;
  }

  std::size_t Held() {
    std::lock_guard lock(mutex_);
    return slots_ - free_.size();
  }

  void Give(int fd, std::size_t index) {
    fallocate(fd, FALLOC_FL_PUNCH_HOLE | FALLOC_FL_KEEP_SIZE, off_t(index * kPixelBlock), off_t(kPixelBlock));
    std::lock_guard lock(mutex_);
    free_.push_back(index);
  }

 private:
  static bool write(int fd, off_t offset, const std::uint8_t* content) {
    std::size_t done = 0;
    while (done < kPixelBlock) {
      const ssize_t n = pwrite(fd, content + done, kPixelBlock - done, offset + off_t(done));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      done += std::size_t(n);
    }
    return true;
  }

  std::mutex mutex_;
  int fd_ = -1;
  std::size_t slots_ = 0;
  std::vector<std::size_t> free_;
};

TPixelPool& pool() {
  static TPixelPool* instance = new TPixelPool;  // lives until exit: slots may outlive statics
  return *instance;
}

}  // namespace

TPixelSlot::~TPixelSlot() { pool().Give(fd_, index_); }

std::shared_ptr<TPixelSlot> TakePixelSlot(const std::uint8_t* content) { return pool().Take(content); }

std::size_t PixelSlotsHeld() { return pool().Held(); }
