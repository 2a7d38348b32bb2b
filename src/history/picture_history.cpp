#include "history/picture_history.h"

#include <algorithm>
#include <new>
#include <unistd.h>

#include "surface/pixel_memory.h"
#include "surface/surface_error.h"

std::size_t DefaultHistoryBudget() {
  constexpr std::size_t kDefaultBudget = std::size_t(512) << 20;
  const long pages = sysconf(_SC_PHYS_PAGES), pageSize = sysconf(_SC_PAGE_SIZE);
  if (pages <= 0 || pageSize <= 0) return kDefaultBudget;
  return std::min(kDefaultBudget, std::size_t(pages) * std::size_t(pageSize) / 8);
}

TPictureHistory::TShape::TShape(const TBitmap& b)
    : width(b.Width()),
      height(b.Height()),
      format(b.PixelFormat()),
      palette(b.Palette()),
      transparent(b.Transparent),
      transparentColor(b.TransparentColor) {}

std::size_t TPictureHistory::TStep::Bytes() const {
  return sizeof(TStep) + (before.tiles.capacity() + after.tiles.capacity()) * sizeof(before.tiles[0]);
}

TPictureHistory::TPictureHistory(std::size_t budgetBytes) : budget_(budgetBytes) {}

void TPictureHistory::SetBudget(std::size_t bytes) {
  budget_ = bytes;
  keepBudget();
}

void TPictureHistory::Reset(const TBitmap& picture, const std::string& name) {
  forget(picture);
  committedName_ = name_ = name;
  savedPosition_ = 0;
  try {
    const TTileGrid grid(picture);
    std::vector<std::weak_ptr<const TTileBlob>> tiles(std::size_t(grid.Count()));
    std::vector<std::uint8_t> dirty(std::size_t(grid.Count()));
    grid_ = grid;
    committedTiles_.swap(tiles);
    dirty_.swap(dirty);
  } catch (const std::bad_alloc&) {
    // Not even the tables of the tiles: the next whole change tries again (see Commit).
  }
}

void TPictureHistory::forget(const TBitmap& picture) {
  steps_.clear();
  stepBytes_ = 0;
  position_ = 0;
  committed_.Assign(picture);
  grid_ = TTileGrid();
  committedTiles_.clear();
  dirty_.clear();
  anyDirty_ = replaced_ = renamed_ = false;
}

void TPictureHistory::MarkDirty(const TRect& r) {
  if (replaced_) return;
  grid_.ForEachTileIn(r, committed_.Width(), [this](int index) {
    dirty_[std::size_t(index)] = 1;
    anyDirty_ = true;
  });
}

void TPictureHistory::MarkReplaced() { replaced_ = true; }

void TPictureHistory::Rename(const std::string& name) {
  name_ = name;
  renamed_ = true;
}

// Looking up which pages the two pictures share costs a few milliseconds on a large picture:
// worth it once the tiles to compare reach this many bytes.
constexpr std::size_t kLookUpSharedPagesFrom = std::size_t(8) << 20;

std::vector<int> TPictureHistory::changedTiles(const TBitmap& picture) const {
  std::vector<int> changed;
  if (picture.SharesPixelsWith(committed_)) return changed;  // nothing was drawn since
  const std::size_t toCompare =
      replaced_ ? std::size_t(grid_.Count()) : std::size_t(std::count(dirty_.begin(), dirty_.end(), 1));
  // Where both pictures still hold the same pages (after an exchange with a copy taken a stroke
  // ago, or a figure drawn thinly across the whole picture) nothing needs reading.
  TSamePages same;
  if (toCompare * kTileBytes * kTileRows >= kLookUpSharedPagesFrom) {
    same = picture.SamePagesAs(committed_);
    if (same.None() && toCompare * 2 >= std::size_t(grid_.Count())) {  // most of both is read
      PreparePagesToRead(picture.Bits(), picture.ByteSize());
      PreparePagesToRead(committed_.Bits(), committed_.ByteSize());
    }
  }
  for (int i = 0; i < grid_.Count(); ++i)
    if ((replaced_ || dirty_[std::size_t(i)]) && TTileCodec::TileDiffers(picture, committed_, grid_, i, same))
      changed.push_back(i);
  return changed;
}

TCommitResult TPictureHistory::Commit(const TBitmap& picture) {
  if (!anyDirty_ && !replaced_ && !renamed_) return TCommitResult::Unchanged;
  if (dirty_.size() != std::size_t(TTileGrid(committed_).Count())) {  // a restart ran short
    restart(picture);
    return TCommitResult::Restarted;
  }
  const bool whole = !(TShape(picture) == TShape(committed_));
  for (;;) {
    try {
      const std::vector<int> tiles = whole ? std::vector<int>() : changedTiles(picture);
      if (!whole && tiles.empty() && !renamed_) {
        std::fill(dirty_.begin(), dirty_.end(), 0);
        anyDirty_ = replaced_ = false;
        return TCommitResult::Unchanged;
      }
      dropUndone();  // a new change: what was undone cannot come back
      push(makeStep(picture, whole, tiles), picture);
      return TCommitResult::Stored;
    } catch (const std::bad_alloc&) {
    } catch (const EOutOfResources&) {
    }
    dropUndone();
    if (steps_.empty()) break;
    dropOldest();
  }
  restart(picture);
  return TCommitResult::Restarted;
}

void TPictureHistory::dropUndone() {
  while (steps_.size() > position_) {
    stepBytes_ -= steps_.back().Bytes();
    steps_.pop_back();
  }
  if (savedPosition_ > int(position_)) savedPosition_ = -1;
}

TPictureHistory::TBlobRef TPictureHistory::committedTile(int index) {
  auto& kept = committedTiles_[std::size_t(index)];
  if (TBlobRef blob = kept.lock()) return blob;
  TBlobRef blob = codec_.Store(committed_, grid_, index, blobBytes_);
  kept = blob;
  return blob;
}

TPictureHistory::TStep TPictureHistory::makeStep(const TBitmap& picture, bool whole, const std::vector<int>& tiles) {
  TStep step;
  step.whole = whole;
  step.renamed = renamed_;
  step.before.shape = TShape(committed_);
  step.before.name = committedName_;
  step.after.shape = TShape(picture);
  step.after.name = name_;
  if (whole) {
    step.before.tiles.reserve(std::size_t(grid_.Count()));
    for (int i = 0; i < grid_.Count(); ++i) step.before.tiles.emplace_back(i, committedTile(i));
    const TTileGrid after(picture);
    step.after.tiles.reserve(std::size_t(after.Count()));
    for (int i = 0; i < after.Count(); ++i) step.after.tiles.emplace_back(i, codec_.Store(picture, after, i, blobBytes_));
  } else {
    step.before.tiles.reserve(tiles.size());
    step.after.tiles.reserve(tiles.size());
    for (const int i : tiles) {
      step.before.tiles.emplace_back(i, committedTile(i));
      step.after.tiles.emplace_back(i, codec_.Store(picture, grid_, i, blobBytes_));
    }
  }
  return step;
}

void TPictureHistory::push(TStep step, const TBitmap& picture) {
  // Everything that can fail comes before the step is added.
  std::vector<std::weak_ptr<const TTileBlob>> tiles;
  std::vector<std::uint8_t> dirty;
  const TTileGrid grid(picture);
  if (step.whole) {
    tiles.resize(std::size_t(grid.Count()));
    dirty.resize(std::size_t(grid.Count()));
  }
  const std::size_t bytes = step.Bytes();
  steps_.push_back(std::move(step));
  stepBytes_ += bytes;
  position_ = steps_.size();
  adopt(steps_.back(), steps_.back().after, picture, tiles, dirty);
  keepBudget();
}

void TPictureHistory::adopt(const TStep& step, const TSide& side, const TBitmap& picture,
                            std::vector<std::weak_ptr<const TTileBlob>>& tiles, std::vector<std::uint8_t>& dirty) {
  committed_.Assign(picture);
  if (step.whole) {
    grid_ = TTileGrid(picture);
    committedTiles_.swap(tiles);
    dirty_.swap(dirty);
  } else {
    std::fill(dirty_.begin(), dirty_.end(), 0);
  }
  for (const auto& [index, blob] : side.tiles) committedTiles_[std::size_t(index)] = blob;
  if (step.renamed) committedName_ = name_ = side.name;  // other steps keep the name
  anyDirty_ = replaced_ = renamed_ = false;
}

void TPictureHistory::dropOldest() {
  stepBytes_ -= steps_.front().Bytes();
  steps_.pop_front();
  --position_;
  savedPosition_ = savedPosition_ > 0 ? savedPosition_ - 1 : -1;
}

void TPictureHistory::keepBudget() {
  while (position_ > 0 && steps_.size() > 1 && BytesHeld() > budget_) dropOldest();
}

void TPictureHistory::restart(const TBitmap& picture) {
  Reset(picture, name_);
  savedPosition_ = -1;
}

TRestoreResult TPictureHistory::Undo(TBitmap& picture) {
  Commit(picture);
  if (!CanUndo()) return {};
  const TStep& step = steps_[position_ - 1];
  TRestoreResult result = restore(step, step.before, picture);
  if (result.applied) --position_;
  return result;
}

TRestoreResult TPictureHistory::Redo(TBitmap& picture) {
  Commit(picture);
  if (!CanRedo()) return {};
  const TStep& step = steps_[position_];
  TRestoreResult result = restore(step, step.after, picture);
  if (result.applied) ++position_;
  return result;
}

TRestoreResult TPictureHistory::restore(const TStep& step, const TSide& side, TBitmap& picture) {
  TRestoreResult result;
  try {
    std::vector<std::weak_ptr<const TTileBlob>> tiles;
    std::vector<std::uint8_t> dirty;
    if (step.whole) {
      TBitmap fresh;
      fresh.SetPixelFormat(side.shape.format);
      fresh.SetSizeForOverwrite(side.shape.width, side.shape.height);
      fresh.SetPalette(side.shape.palette);
      fresh.Transparent = side.shape.transparent;
      fresh.TransparentColor = side.shape.transparentColor;
      const TTileGrid grid(fresh);
      tiles.resize(std::size_t(grid.Count()));
      dirty.resize(std::size_t(grid.Count()));
      std::uint8_t* bits = fresh.MutableBits();
      for (const auto& [index, blob] : side.tiles) codec_.Restore(*blob, bits, grid, index);
      picture.Swap(fresh);
      result.replaced = true;
    } else {
      // The picture is written in place: the committed copy lets go of its pixels first, so
      // that they are not copied (the copy is the picture as it is now).
      committed_.Assign(TBitmap());
      std::uint8_t* bits;
      try {
        bits = picture.MutableBits();
      } catch (...) {
        committed_.Assign(picture);
        throw;
      }
      TRect changed{picture.Width(), picture.Height(), 0, 0};
      for (const auto& [index, blob] : side.tiles) {
        codec_.Restore(*blob, bits, grid_, index);
        const TRect r = grid_.PixelRect(index, picture.Width());
        changed = TRect{std::min(changed.Left, r.Left), std::min(changed.Top, r.Top),
                        std::max(changed.Right, r.Right), std::max(changed.Bottom, r.Bottom)};
      }
      result.changed = changed;
    }
    adopt(step, side, picture, tiles, dirty);
    result.applied = true;
    result.renamed = step.renamed;
    result.name = side.name;
  } catch (const std::bad_alloc&) {
    result.outOfMemory = true;
  } catch (const EOutOfResources&) {
    result.outOfMemory = true;
  }
  return result;
}
