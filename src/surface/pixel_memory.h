#pragma once
// The memory of a bitmap's pixels: one run of addresses, so rows are found by arithmetic alone.
//
// A small picture is one heap allocation and a copy copies it. A large one is made of blocks
// (kPixelBlock bytes each): fresh pixels are ordinary memory marked for huge pages; when the
// pixels are copied, every block that is not yet in the shared pool, or has been written since
// it was, is put there, and both sides map the pooled blocks privately. A copy therefore costs
// the blocks written since the last copy, and each side's later writes copy only the pages
// they touch. A block with only a few pages written since is not pooled again: the copy takes
// its own copies of those pages, once.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

class TPixelSlot;

// Which pages of two memories hold the same bytes, known without reading them: both map the same
// pooled block there and neither has written the page since. Every other page may differ.
class TSamePages {
 public:
  // True when every byte of [from, to) lies on pages known to be the same.
  bool Same(std::size_t from, std::size_t to) const;
  // No page at all is known to be the same.
  bool None() const { return sameCount_ == 0; }

 private:
  friend class TPixelMemory;
  std::size_t page_ = 1;
  std::vector<bool> same_;  // per page from the first byte; pages past its end are not known
  std::size_t sameCount_ = 0;
};

// Has the pages of [data, data + bytes) mapped for reading at once, ahead of a read of a whole
// large picture: its shared pages would otherwise be looked up one read at a time. Only advice.
void PreparePagesToRead(const std::uint8_t* data, std::size_t bytes);

class TPixelMemory {
 public:
  // bytes of fresh memory of no particular value. prefault: a large picture that is about to be
  // filled has its pages made ready ahead of the caller. Throws std::bad_alloc.
  TPixelMemory(std::size_t bytes, bool prefault);
  ~TPixelMemory();
  TPixelMemory(const TPixelMemory&) = delete;
  TPixelMemory& operator=(const TPixelMemory&) = delete;

  std::uint8_t* Data() const { return data_; }

  // A memory of its own for a writer, with the first bytes of this one. Throws std::bad_alloc,
  // leaving this memory as it was (its content is never changed, also when its blocks move
  // into the pool).
  std::shared_ptr<TPixelMemory> Copy(std::size_t bytes);

  // Has the pages of bytes [from, to) made this memory's own at once, as the first write to
  // each would one by one. Only advice: where the kernel cannot, the writes still do it.
  void PrepareToWrite(std::size_t from, std::size_t to);

  // The pages of the first bytes that this memory and another are known to share. Nothing is
  // known (and nothing thrown) where either is small, or without memory for the answer.
  TSamePages SamePagesAs(const TPixelMemory& other, std::size_t bytes) const;

  // Frees the whole pages from byte `from` on; reading them gives zeros. For the scratch room
  // after a decoder's rows, which only fresh memory has.
  void Discard(std::size_t from, std::size_t to);

 private:
  TPixelMemory() = default;
  void mapBlocks(std::size_t bytes);
  std::vector<std::uint64_t> poolBlocks(std::size_t blockCount);
  void takeWrittenPages(const TPixelMemory& from, const std::vector<std::uint64_t>& pages);
  void populate(std::size_t from, std::size_t to);
  bool ownHugePages(std::size_t from, std::size_t to);
  void replaceBlocks(std::size_t from, std::size_t to, std::shared_ptr<TPixelSlot>* pooled);
  void finishPrefault();

  std::uint8_t* data_ = nullptr;
  std::unique_ptr<std::uint8_t[]> heap_;  // small pictures
  std::size_t mapped_ = 0;                // large pictures: bytes mapped at data_
  std::vector<std::shared_ptr<TPixelSlot>> slots_;  // per block; empty while it is fresh memory
  // Per block: written pages taken from the memory this one was copied from. A copy pools such
  // blocks instead of carrying the pages on, so no page is carried from copy to copy.
  std::vector<bool> carriedIn_;
  std::unique_ptr<std::thread> prefault_;
};
