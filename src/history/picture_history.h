#pragma once
// The history of the picture: every change is a step that can be undone and redone, in
// bounded memory.
//
// A step keeps only the tiles it changed (tile_grid.h), each side compressed; the tiles of the
// state between two steps are one blob shared by both. A step that changes the size, pixel
// format, palette or transparency keeps the whole picture on both sides. What changed is found
// without looking at the whole picture: the window marks the rectangles it drew into, and at
// the end of a change only those tiles are compared with the state of the last step, kept as a
// copy that shares its pixels with the picture until the picture is drawn on. A preview drawn
// and taken away again therefore costs nothing.
//
// Memory: past the budget the oldest steps are dropped, never the newest. A step that cannot
// get memory drops older steps until it fits; if it still does not, the history starts anew at
// the present picture. Nothing here ever changes the picture except Undo and Redo, and those
// either finish or leave it as it was.
#include <cstddef>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "history/tile_codec.h"
#include "surface/bitmap.h"

// 512 MB, or an eighth of the machine's memory when that is less.
std::size_t DefaultHistoryBudget();

enum class TCommitResult {
  Unchanged,  // nothing changed since the last step
  Stored,     // a new step
  Restarted,  // no memory for the step: the history begins again at the present picture
};

// What Undo and Redo did to the picture: nothing, tiles within `changed`, or a new picture
// (size or format may differ), and whether memory ran out before anything was changed.
// A step made by Open or New gives back the file name of the side it restores (renamed).
struct TRestoreResult {
  bool applied = false;
  bool replaced = false;
  bool outOfMemory = false;
  bool renamed = false;
  std::string name;
  TRect changed;
};

class TPictureHistory {
 public:
  explicit TPictureHistory(std::size_t budgetBytes = DefaultHistoryBudget());
  TPictureHistory(const TPictureHistory&) = delete;
  TPictureHistory& operator=(const TPictureHistory&) = delete;

  // A new history at this picture of the file name, which counts as saved (start-up, Open,
  // New). Without memory for its tables it keeps nothing until the next change of the whole
  // picture.
  void Reset(const TBitmap& picture, const std::string& name = std::string());
  // The picture was drawn into within r (right and bottom exclusive); cheap enough for every
  // pointer move.
  void MarkDirty(const TRect& r);
  // The picture may have changed anywhere, also in size or format.
  void MarkReplaced();
  // The picture now belongs to another file (Open, New): the next step is stored even when no
  // pixel differs, and its Undo gives back the name before it.
  void Rename(const std::string& name);
  // The picture is saved under this name: no step, later ones carry it.
  void NameSaved(const std::string& name) { committedName_ = name_ = name; }
  // The file name of the picture as the last step left it.
  const std::string& Name() const { return committedName_; }
  // Ends the change under way: the tiles marked since the last step are compared, and a step
  // is stored if any differs. Steps that were undone are dropped by a new one.
  TCommitResult Commit(const TBitmap& picture);

  bool CanUndo() const { return position_ > 0; }
  bool CanRedo() const { return position_ < steps_.size(); }
  // The picture goes back to the state before the last step, or forward to the state after
  // the next. Pending marks are not looked at: commit first.
  TRestoreResult Undo(TBitmap& picture);
  TRestoreResult Redo(TBitmap& picture);

  // The picture in its present state is the one in the file.
  void MarkSaved() { savedPosition_ = int(position_); }
  // The picture differs from the one saved (or a new picture was changed), as far as the
  // committed steps tell.
  bool Modified() const { return savedPosition_ != int(position_); }

  std::size_t StepCount() const { return steps_.size(); }
  std::size_t Position() const { return position_; }
  // Bytes the steps keep: compressed tiles and their bookkeeping.
  std::size_t BytesHeld() const { return blobBytes_ + stepBytes_; }
  std::size_t Budget() const { return budget_; }
  void SetBudget(std::size_t bytes);

 private:
  using TBlobRef = std::shared_ptr<const TTileBlob>;
  struct TShape {
    int width = 0, height = 0;
    TPixelFormat format = pfDevice;
    TPalette palette;
    bool transparent = false;
    TColor transparentColor = clWhite;
    explicit TShape(const TBitmap& b);
    TShape() = default;
    friend bool operator==(const TShape&, const TShape&) = default;
  };
  struct TSide {
    TShape shape;
    std::string name;
    std::vector<std::pair<int, TBlobRef>> tiles;
  };
  struct TStep {
    bool whole = false;
    bool renamed = false;
    TSide before, after;
    std::size_t Bytes() const;
  };

  TStep makeStep(const TBitmap& picture, bool whole, const std::vector<int>& changedTiles);
  TBlobRef committedTile(int index);
  std::vector<int> changedTiles(const TBitmap& picture) const;
  void push(TStep step, const TBitmap& picture);
  // The picture now shows this side of the step: it becomes the committed state. tiles and
  // dirty are the new grid's tables for a whole step, made ready beforehand.
  void adopt(const TStep& step, const TSide& side, const TBitmap& picture,
             std::vector<std::weak_ptr<const TTileBlob>>& tiles, std::vector<std::uint8_t>& dirty);
  void dropOldest();
  void dropUndone();
  void keepBudget();
  TRestoreResult restore(const TStep& step, const TSide& side, TBitmap& picture);
  // The history begins again at the picture, which counts as changed.
  void restart(const TBitmap& picture);
  // No steps and no tables of tiles, at this picture.
  void forget(const TBitmap& picture);

  // Declared first so that it outlives every blob that counts itself in it.
  std::size_t blobBytes_ = 0;
  std::size_t stepBytes_ = 0;
  std::size_t budget_;
  TTileCodec codec_;
  std::deque<TStep> steps_;
  std::size_t position_ = 0;  // steps done; the rest can be redone
  int savedPosition_ = 0;     // the position of the saved picture; -1 when out of reach
  // The state after the last step (or the last undo or redo) and its tile blobs while some
  // step still keeps them.
  TBitmap committed_;
  TTileGrid grid_;
  std::vector<std::weak_ptr<const TTileBlob>> committedTiles_;
  std::vector<std::uint8_t> dirty_;  // per tile of grid_
  bool anyDirty_ = false;
  bool replaced_ = false;
  bool renamed_ = false;
  std::string committedName_, name_;  // the file name of the last step, and of the picture
};
