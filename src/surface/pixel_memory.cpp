#include "surface/pixel_memory.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <system_error>

#include "surface/pixel_pool.h"

namespace {

#ifndef MADV_POPULATE_READ
#define MADV_POPULATE_READ 22
#endif
#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23
#endif

const std::size_t kPage = std::size_t(sysconf(_SC_PAGESIZE));
// Fresh memory is taken in huge pages. Pooling all blocks of one frees the page; the blocks of
// fresh memory are always pooled all at once.
constexpr std::size_t kHugePage = std::size_t(2) << 20;

// Touching a fresh 64 MB picture for the first time costs a few dozen page faults in huge pages
// instead of sixteen thousand. The kernel still has to clear every page, which on this kind of
// machine costs about as much as decoding a photograph, so for a picture that is filled at once
// a second thread has the pages cleared from the far end while the caller fills them from the
// top. A picture made for a decoder is not touched ahead of its data: a file that promises a
// huge picture and holds little costs only what it holds.
void populateBackwards(std::uint8_t* p, std::size_t bytes) {
  for (std::size_t end = bytes; end > 0; end -= kHugePage) {
    if (madvise(p + end - kHugePage, kHugePage, MADV_POPULATE_WRITE) != 0) return;  // older kernels
  }
}

std::size_t roundUp(std::size_t n, std::size_t to) { return (n + to - 1) / to * to; }

// bytes (a whole number of huge pages) of fresh memory starting on a huge page.
std::uint8_t* reserveAligned(std::size_t bytes) {
  void* p = mmap(nullptr, bytes + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (p == MAP_FAILED) throw std::bad_alloc();
  auto* start = static_cast<std::uint8_t*>(p);
  auto* aligned = reinterpret_cast<std::uint8_t*>(roundUp(reinterpret_cast<std::uintptr_t>(start), kHugePage));
  if (aligned > start) munmap(start, std::size_t(aligned - start));
  const std::uint8_t* end = start + bytes + kHugePage;
  if (end > aligned + bytes) munmap(aligned + bytes, std::size_t(end - (aligned + bytes)));
  madvise(aligned, bytes, MADV_HUGEPAGE);  // only advice: without huge pages all still works
  return aligned;
}

// Maps `count` pooled blocks privately from `at` on, replacing what was there, in as few
// mappings as their places in the pool allow. Returns how many are mapped (all but on failure).
std::size_t mapSlots(std::uint8_t* at, const std::shared_ptr<TPixelSlot>* slots, std::size_t count) {
  std::size_t i = 0;
  while (i < count) {
    std::size_t j = i + 1;
    while (j < count && slots[j]->Fd() == slots[i]->Fd() &&
           slots[j]->Offset() == slots[i]->Offset() + off_t((j - i) * kPixelBlock)) {
      ++j;
    }
    if (mmap(at + i * kPixelBlock, (j - i) * kPixelBlock, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_FIXED,
             slots[i]->Fd(), slots[i]->Offset()) == MAP_FAILED) {
      return i;
    }
    i = j;
  }
  return count;
}

// The kernel's page map of this process: whether a page of a privately mapped block is still
// the pool's (a file page) or a copy of the program's own.
int pageMap() {
  static const int fd = open("/proc/self/pagemap", O_RDONLY | O_CLOEXEC);
  return fd;
}

constexpr std::uint64_t kPagePresent = std::uint64_t(1) << 63;
constexpr std::uint64_t kPageSwapped = std::uint64_t(1) << 62;
constexpr std::uint64_t kPageFileOrShared = std::uint64_t(1) << 61;

// The page map entries of `count` pages from `at` on; false where they cannot be read.
bool readPageMap(const std::uint8_t* at, std::size_t count, std::uint64_t* entries) {
  const int fd = pageMap();
  const std::size_t bytes = count * sizeof(std::uint64_t);
  const off_t offset = off_t(reinterpret_cast<std::uintptr_t>(at) / kPage * sizeof(std::uint64_t));
  return fd >= 0 && pread(fd, entries, bytes, offset) == ssize_t(bytes);
}

// A page of a privately mapped pooled block that is the program's own copy, not the pool's.
bool pageWritten(std::uint64_t entry) {
  return (entry & kPageSwapped) || ((entry & kPagePresent) && !(entry & kPageFileOrShared));
}

constexpr std::size_t kMaxPagesRead = kHugePage / 4096;

// Per pooled block of [from, to) (at most a huge page of them), one bit per page written since
// it was pooled: all of them where the page map cannot be read. Fresh blocks get none.
void findWrittenPages(const std::uint8_t* data, const std::vector<std::shared_ptr<TPixelSlot>>& slots, std::size_t from,
                      std::size_t to, std::uint64_t* written) {
  std::uint64_t entries[kMaxPagesRead];
  const std::size_t pagesPerBlock = kPixelBlock / kPage, count = (to - from) * pagesPerBlock;
  const bool known =
      pagesPerBlock <= 64 && count <= kMaxPagesRead && readPageMap(data + from * kPixelBlock, count, entries);
  for (std::size_t i = from; i < to; ++i) {
    written[i - from] = 0;
    if (!slots[i]) continue;
    if (!known) {
      written[i - from] = ~std::uint64_t(0);
      continue;
    }
    for (std::size_t k = 0; k < pagesPerBlock; ++k)
      if (pageWritten(entries[(i - from) * pagesPerBlock + k])) written[i - from] |= std::uint64_t(1) << k;
  }
}

// A block with at most this many pages written since it was pooled is not pooled again on a
// copy: a thin figure across a large picture (a long vertical line writes a page every few
// rows) would otherwise put most of the picture into the pool a second time.
constexpr int kCarryPagesAtMost = 8;
// Pages carried so are held by every copy, so they are carried only while they stay under
// this share of the picture; past it the blocks are pooled again.
constexpr std::size_t kCarryShare = 16;

}  // namespace

TPixelMemory::TPixelMemory(std::size_t bytes, bool prefault) {
  if (bytes < 2 * kHugePage) {
    heap_.reset(new std::uint8_t[std::max<std::size_t>(bytes, 1)]);
    data_ = heap_.get();
    return;
  }
  mapBlocks(bytes);
  if (!prefault) return;
  try {
    prefault_ = std::make_unique<std::thread>(populateBackwards, data_, mapped_);
  } catch (const std::system_error&) {
    // No thread to spare: the pages are cleared as they are first touched.
  }
}

void TPixelMemory::mapBlocks(std::size_t bytes) {
  const std::size_t mapped = roundUp(bytes, kHugePage);
  slots_.resize(mapped / kPixelBlock);
  carriedIn_.resize(slots_.size());
  data_ = reserveAligned(mapped);
  mapped_ = mapped;
}

TPixelMemory::~TPixelMemory() {
  finishPrefault();
  if (mapped_) munmap(data_, mapped_);
}

void TPixelMemory::finishPrefault() {
  if (!prefault_) return;
  prefault_->join();
  prefault_.reset();
}

std::shared_ptr<TPixelMemory> TPixelMemory::Copy(std::size_t bytes) {
  std::shared_ptr<TPixelMemory> copy(new TPixelMemory);
  if (!mapped_) {
    copy->heap_.reset(new std::uint8_t[std::max<std::size_t>(bytes, 1)]);
    copy->data_ = copy->heap_.get();
    std::memcpy(copy->data_, data_, bytes);
    return copy;
  }
  const std::size_t blockCount = roundUp(bytes, kPixelBlock) / kPixelBlock;
  copy->mapBlocks(bytes);
  const std::vector<std::uint64_t> carried = poolBlocks(blockCount);
  if (mapSlots(copy->data_, slots_.data(), blockCount) != blockCount) throw std::bad_alloc();
  std::copy(slots_.begin(), slots_.begin() + std::ptrdiff_t(blockCount), copy->slots_.begin());
  copy->takeWrittenPages(*this, carried);
  return copy;
}

// Puts the first blocks into the pool where they are fresh memory or have been written since,
// mapped in place of the pages they copy, one huge page at a time (so fresh memory is freed
// as it goes); the content stays the same throughout. Gives back, per block, the pages written
// since it was pooled that a copy has to take over (a bit per page).
std::vector<std::uint64_t> TPixelMemory::poolBlocks(std::size_t blockCount) {
  finishPrefault();  // its page clearing would otherwise copy every pooled page
  std::vector<std::uint64_t> written(blockCount);
  std::size_t carriedPages = 0;
  constexpr std::size_t kRun = kHugePage / kPixelBlock;
  for (std::size_t start = 0; start < blockCount; start += kRun) {
    const std::size_t end = std::min(blockCount, start + kRun);
    findWrittenPages(data_, slots_, start, end, written.data() + start);
    for (std::size_t i = start; i < end; ++i) {
      if (!carriedIn_[i] && std::popcount(written[i]) <= kCarryPagesAtMost)
        carriedPages += std::size_t(std::popcount(written[i]));
    }
  }
  const bool carry = carriedPages * kPage * kCarryShare <= blockCount * kPixelBlock;
  std::vector<std::shared_ptr<TPixelSlot>> pooled(kRun);
  for (std::size_t start = 0; start < blockCount; start += kRun) {
    const std::size_t end = std::min(blockCount, start + kRun);
    for (std::size_t i = start; i < end; ++i) {
      const bool pool = !slots_[i] || (written[i] && (!carry || carriedIn_[i] ||
                                                      std::popcount(written[i]) > kCarryPagesAtMost));
      pooled[i - start] = pool ? TakePixelSlot(data_ + i * kPixelBlock) : nullptr;
      if (pool) written[i] = 0;
    }
    for (std::size_t i = start; i < end;) {
      if (!pooled[i - start]) {
        ++i;
        continue;
      }
      std::size_t j = i;
      while (j < end && pooled[j - start]) ++j;
      replaceBlocks(i, j, &pooled[i - start]);
      i = j;
    }
  }
  return written;
}

// Takes the pages written in another memory that maps the same slots: made this memory's own
// in one go per run (a fault each would cost more), then copied.
void TPixelMemory::takeWrittenPages(const TPixelMemory& from, const std::vector<std::uint64_t>& pages) {
  const std::size_t pagesPerBlock = kPixelBlock / kPage;
  for (std::size_t block = 0; block < pages.size(); ++block) {
    carriedIn_[block] = pages[block] != 0;
    for (std::size_t p = 0; p < pagesPerBlock;) {
      if (!(pages[block] >> p & 1)) {
        ++p;
        continue;
      }
      std::size_t q = p;
      while (q < pagesPerBlock && (pages[block] >> q & 1)) ++q;
      const std::size_t at = block * kPixelBlock + p * kPage, bytes = (q - p) * kPage;
      if (madvise(data_ + at, bytes, MADV_POPULATE_WRITE) != 0 && errno == ENOMEM) throw std::bad_alloc();
      std::memcpy(data_ + at, from.data_ + at, bytes);
      p = q;
    }
  }
}

// Maps the new pooled copies of blocks [from, to) in their place.
void TPixelMemory::replaceBlocks(std::size_t from, std::size_t to, std::shared_ptr<TPixelSlot>* pooled) {
  const std::size_t done = mapSlots(data_ + from * kPixelBlock, pooled, to - from);
  for (std::size_t k = 0; k < done; ++k) slots_[from + k] = std::move(pooled[k]);
  std::fill(carriedIn_.begin() + std::ptrdiff_t(from), carriedIn_.begin() + std::ptrdiff_t(from + done), false);
  if (done == to - from) return;
  // A failed mapping (the kernel out of room for mappings) leaves the old pages in place;
  // should it have taken them away, the pooled copy is the content and has to be mapped.
  std::uint8_t* at = data_ + (from + done) * kPixelBlock;
  if (msync(at, (to - from - done) * kPixelBlock, MS_ASYNC) == 0) throw std::bad_alloc();
  if (mapSlots(at, pooled + done, to - from - done) != to - from - done) {
    std::fputs("zudozo: the pixels of a picture could not be mapped again\n", stderr);
    std::abort();
  }
  for (std::size_t k = done; k < to - from; ++k) slots_[from + k] = std::move(pooled[k]);
  std::fill(carriedIn_.begin() + std::ptrdiff_t(from), carriedIn_.begin() + std::ptrdiff_t(to), false);
}

bool TSamePages::Same(std::size_t from, std::size_t to) const {
  if (to <= from) return true;
  const std::size_t first = from / page_, last = (to - 1) / page_;
  if (last >= same_.size()) return false;
  for (std::size_t p = first; p <= last; ++p)
    if (!same_[p]) return false;
  return true;
}

TSamePages TPixelMemory::SamePagesAs(const TPixelMemory& other, std::size_t bytes) const {
  TSamePages same;
  const std::size_t blockCount =
      std::min({roundUp(bytes, kPixelBlock) / kPixelBlock, slots_.size(), other.slots_.size()});
  const std::size_t pagesPerBlock = kPixelBlock / kPage;
  if (blockCount == 0 || kHugePage / kPage > kMaxPagesRead) return same;
  try {
    same.same_.resize(blockCount * pagesPerBlock);
  } catch (const std::bad_alloc&) {
    return same;
  }
  same.page_ = kPage;
  // Runs of blocks that both map from the same slots, at most a huge page of them at a time.
  constexpr std::size_t kRun = kHugePage / kPixelBlock;
  std::uint64_t mine[kMaxPagesRead], theirs[kMaxPagesRead];
  for (std::size_t i = 0; i < blockCount;) {
    if (!slots_[i] || slots_[i] != other.slots_[i]) {
      ++i;
      continue;
    }
    std::size_t j = i + 1;
    while (j < blockCount && j - i < kRun && slots_[j] && slots_[j] == other.slots_[j]) ++j;
    const std::size_t count = (j - i) * pagesPerBlock;
    if (readPageMap(data_ + i * kPixelBlock, count, mine) &&
        readPageMap(other.data_ + i * kPixelBlock, count, theirs)) {
      for (std::size_t k = 0; k < count; ++k) {
        const bool unwritten = !pageWritten(mine[k]) && !pageWritten(theirs[k]);
        same.same_[i * pagesPerBlock + k] = unwritten;
        same.sameCount_ += unwritten;
      }
    }
    i = j;
  }
  return same;
}

void TPixelMemory::Discard(std::size_t from, std::size_t to) {
  const std::uintptr_t start = reinterpret_cast<std::uintptr_t>(data_);
  const std::uintptr_t first = roundUp(start + from, kPage), last = (start + to) / kPage * kPage;
  if (last > first) madvise(reinterpret_cast<void*>(first), last - first, MADV_DONTNEED);
}

void TPixelMemory::PrepareToWrite(std::size_t from, std::size_t to) {
  if (!mapped_) return;
  to = std::min(to, mapped_);
  const std::size_t first = roundUp(from, kHugePage), last = to / kHugePage * kHugePage;
  if (last > first && ownHugePages(first, last)) {
    populate(from, first);
    populate(last, to);
    return;
  }
  populate(from, to);
}

void TPixelMemory::populate(std::size_t from, std::size_t to) {
  const std::uintptr_t start = reinterpret_cast<std::uintptr_t>(data_);
  const std::uintptr_t first = (start + from) / kPage * kPage, last = roundUp(start + to, kPage);
  if (last > first) madvise(reinterpret_cast<void*>(first), last - first, MADV_POPULATE_WRITE);
}

// Pooled blocks of whole huge pages become fresh memory with their bytes: the change then runs
// on huge pages, as on a picture of its own, instead of on the pool's small pages. False where
// that cannot be done (no memory for it) or the pages are fresh memory already.
bool TPixelMemory::ownHugePages(std::size_t from, std::size_t to) {
  const auto begin = slots_.begin() + std::ptrdiff_t(from / kPixelBlock);
  const auto end = slots_.begin() + std::ptrdiff_t(to / kPixelBlock);
  if (std::none_of(begin, end, [](const std::shared_ptr<TPixelSlot>& slot) { return bool(slot); })) return false;
  std::uint8_t* fresh = nullptr;
  try {
    fresh = reserveAligned(to - from);
  } catch (const std::bad_alloc&) {
    return false;
  }
  PreparePagesToRead(data_ + from, to - from);  // one lookup of all pages, not one per page read
  std::memcpy(fresh, data_ + from, to - from);
  if (mremap(fresh, to - from, to - from, MREMAP_MAYMOVE | MREMAP_FIXED, data_ + from) == MAP_FAILED) {
    munmap(fresh, to - from);
    return false;
  }
  std::fill(begin, end, nullptr);
  std::fill(carriedIn_.begin() + (begin - slots_.begin()), carriedIn_.begin() + (end - slots_.begin()), false);
  return true;
}

void PreparePagesToRead(const std::uint8_t* data, std::size_t bytes) {
  if (bytes < 2 * kHugePage) return;  // held on the heap, or too few pages to matter
  const std::uintptr_t start = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t first = start / kPage * kPage, last = roundUp(start + bytes, kPage);
  madvise(reinterpret_cast<void*>(first), last - first, MADV_POPULATE_READ);
}
