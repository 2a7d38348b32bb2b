#include "history/picture_history.h"

#include <algorithm>
#include <functional>
#include <iterator>
#include <memory>
#include <tuple>
#include <vector>
#include <gtest/gtest.h>

#include "history/tile_codec.h"
#include "support/failing_allocations.h"
#include "surface/canvas.h"
#include "surface/pixel_pool.h"

namespace {

// A picture of the given format with something on it, so that tiles differ from each other.
void Draw(TBitmap& b, int w, int h, TPixelFormat f) {
  b.SetPixelFormat(f);
  b.SetSize(w, h);
  b.Canvas().Brush.Color = clWhite;
  b.Canvas().FillRect(b.BoundsRect());
  for (int y = 0; y < h; y += 7)
    for (int x = (y * 3) % 11; x < w; x += 13) b.SetPixel(x, y, TColor((x * 37 + y * 101) & 0xFFFFFF));
}

bool SameBitmap(const TBitmap& a, const TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height() || a.PixelFormat() != b.PixelFormat() ||
      !(a.Palette() == b.Palette()))
    return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.GetRaw(x, y) != b.GetRaw(x, y)) return false;
  return true;
}

// A copy with pixels of its own, so that later drawing on b leaves it.
std::unique_ptr<TBitmap> CopyOf(const TBitmap& b) {
  auto c = std::make_unique<TBitmap>();
  c->Assign(b);
  c->MutableBits();
  return c;
}

struct Change {
  const char* name;
  // Changes the picture and tells the history where (as the window does).
  std::function<void(TBitmap&, TPictureHistory&)> apply;
};

void Line(TBitmap& p, TPictureHistory& h, int x0, int y0, int x1, int y1) {
  p.Canvas().Pen.Color = clRed;
  p.Canvas().MoveTo(x0, y0);
  p.Canvas().LineTo(x1, y1);
  h.MarkDirty(TRect{std::min(x0, x1) - 1, std::min(y0, y1) - 1, std::max(x0, x1) + 2, std::max(y0, y1) + 2});
}

const Change kChanges[] = {
    {"short line", [](TBitmap& p, TPictureHistory& h) { Line(p, h, 3, 5, 40, 9); }},
    {"line across tiles", [](TBitmap& p, TPictureHistory& h) { Line(p, h, 0, 0, p.Width() - 1, p.Height() - 1); }},
    {"one pixel at the far corner",
     [](TBitmap& p, TPictureHistory& h) {
       p.SetPixel(p.Width() - 1, p.Height() - 1, clBlue);
       h.MarkDirty(TRect{p.Width() - 1, p.Height() - 1, p.Width(), p.Height()});
     }},
    {"resize", [](TBitmap& p, TPictureHistory& h) {
       p.SetSize(p.Width() / 2 + 3, p.Height() + 17);
       h.MarkReplaced();
     }},
    {"format", [](TBitmap& p, TPictureHistory& h) {
       p.SetPixelFormat(p.PixelFormat() == pf8bit ? pf24bit : pf8bit);
       h.MarkReplaced();
     }},
    {"swapped for another picture", [](TBitmap& p, TPictureHistory& h) {
       TBitmap other;
       Draw(other, 31, 300, pf4bit);
       p.Swap(other);
       h.MarkReplaced();
     }},
};

// Every kind of change in every pixel format: undo gives the picture before, redo the one after,
// pixels, size, format and palette alike, twice over.
TEST(PictureHistory, UndoAndRedoGiveBackEveryKindOfChangeInEveryFormat) {
  for (const TPixelFormat f : {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfDevice}) {
    for (const Change& change : kChanges) {
      SCOPED_TRACE(std::string(change.name) + " in format " + std::to_string(int(f)));
      TBitmap picture;
  Draw(picture, 301, 150, f);
      TPictureHistory history;
      history.Reset(picture);
      const auto before = CopyOf(picture);
      change.apply(picture, history);
      const auto after = CopyOf(picture);
      EXPECT_EQ(history.Commit(picture), TCommitResult::Stored);
      EXPECT_TRUE(history.Modified());
      for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(history.Undo(picture).applied);
        EXPECT_TRUE(SameBitmap(picture, *before));
        EXPECT_FALSE(history.CanUndo());
        EXPECT_FALSE(history.Modified());  // back at the picture as saved
        ASSERT_TRUE(history.Redo(picture).applied);
        EXPECT_TRUE(SameBitmap(picture, *after));
        EXPECT_FALSE(history.CanRedo());
      }
    }
  }
}

TEST(PictureHistory, StepsChainAndANewChangeDropsWhatWasUndone) {
  TBitmap picture;
  Draw(picture, 500, 400, pf32bit);
  TPictureHistory history;
  history.Reset(picture);
  std::vector<std::unique_ptr<TBitmap>> states;
  states.push_back(CopyOf(picture));
  for (int i = 0; i < 5; ++i) {
    Line(picture, history, 10 + i * 30, 10, 200 - i * 20, 300);
    ASSERT_EQ(history.Commit(picture), TCommitResult::Stored);
    states.push_back(CopyOf(picture));
  }
  for (int i = 4; i >= 2; --i) {
    history.Undo(picture);
    EXPECT_TRUE(SameBitmap(picture, *states[std::size_t(i)])) << i;
  }
  history.Redo(picture);
  EXPECT_TRUE(SameBitmap(picture, *states[3]));
  history.Undo(picture);
  EXPECT_EQ(history.Position(), 2u);
  EXPECT_TRUE(history.CanRedo());

  // A change after the undos: the three undone steps are gone, the two before stay.
  Line(picture, history, 0, 399, 499, 0);
  const auto fresh = CopyOf(picture);
  EXPECT_EQ(history.Commit(picture), TCommitResult::Stored);
  EXPECT_FALSE(history.CanRedo());
  EXPECT_EQ(history.StepCount(), 3u);
  history.Undo(picture);
  EXPECT_TRUE(SameBitmap(picture, *states[2]));
  history.Redo(picture);
  EXPECT_TRUE(SameBitmap(picture, *fresh));
  EXPECT_FALSE(history.Redo(picture).applied);  // nothing more to redo: the picture stays
  EXPECT_TRUE(SameBitmap(picture, *fresh));
  history.Undo(picture);
  history.Undo(picture);
  history.Undo(picture);
  EXPECT_TRUE(SameBitmap(picture, *states[0]));
  EXPECT_FALSE(history.Undo(picture).applied);
}

// A preview drawn and taken away, or a picture put back the way it was, is no step; marks on
// tiles that did not change cost nothing.
TEST(PictureHistory, WhatWasPutBackIsNoStep) {
  TBitmap picture;
  Draw(picture, 300, 300, pf24bit);
  TPictureHistory history;
  history.Reset(picture);
  EXPECT_EQ(history.Commit(picture), TCommitResult::Unchanged);
  TBitmap snapshot;
  snapshot.Assign(picture);
  picture.Canvas().Pen.Mode = pmNot;
  Line(picture, history, 5, 5, 250, 200);
  Line(picture, history, 5, 5, 250, 200);  // inverted twice: as before
  EXPECT_EQ(history.Commit(picture), TCommitResult::Unchanged);
  picture.SetSize(10, 10);
  picture.Assign(snapshot);  // put back whole, sharing the pixels again
  history.MarkReplaced();
  EXPECT_EQ(history.Commit(picture), TCommitResult::Unchanged);
  EXPECT_FALSE(history.CanUndo());
  EXPECT_FALSE(history.Modified());
}

// A large picture exchanged with a copy taken before its last strokes (as Undo by exchange
// does): the step holds exactly the tiles those strokes changed, found among the pages the two
// still share, and undo and redo give back both pictures.
TEST(PictureHistory, AnExchangeWithAnEarlierCopyStoresTheTilesThatDiffer) {
  TBitmap picture, snapshot;
  Draw(picture, 1600, 1400, pf32bit);  // large enough to share its pixels in blocks
  TPictureHistory history;
  history.Reset(picture);
  Line(picture, history, 10, 10, 1500, 30);
  ASSERT_EQ(history.Commit(picture), TCommitResult::Stored);
  snapshot.Assign(picture);
  const auto before = CopyOf(picture);
  Line(picture, history, 900, 1200, 1000, 1210);
  picture.SetPixel(1599, 1399, clBlue);
  history.MarkDirty(TRect{1599, 1399, 1600, 1400});
  ASSERT_EQ(history.Commit(picture), TCommitResult::Stored);
  const auto after = CopyOf(picture);
  picture.Swap(snapshot);
  history.MarkReplaced();
  const std::size_t pooled = PixelSlotsHeld();
  ASSERT_EQ(history.Commit(picture), TCommitResult::Stored);
  EXPECT_EQ(PixelSlotsHeld(), pooled) << "the comparison puts nothing into the pool";
  EXPECT_TRUE(SameBitmap(picture, *before));
  const TRestoreResult undone = history.Undo(picture);
  ASSERT_TRUE(undone.applied);
  EXPECT_FALSE(undone.replaced);
  EXPECT_TRUE(SameBitmap(picture, *after));
  // Only the tiles of the second line and the corner pixel: not the first line's rows.
  EXPECT_GE(undone.changed.Top, 64);
  EXPECT_EQ(undone.changed.Bottom, 1400);
  EXPECT_EQ(undone.changed.Right, 1600);
  ASSERT_TRUE(history.Redo(picture).applied);
  EXPECT_TRUE(SameBitmap(picture, *before));
}

// Between a large picture and its copy, only the tiles holding written pixels differ, whichever
// side wrote them and wherever they lie on a page the two share otherwise; rows on pages known
// to be the same are not read.
TEST(PictureHistory, TilesDifferOnlyWhereAPixelWasWrittenSinceTheCopy) {
  TBitmap picture, copy;
  Draw(picture, 1600, 1400, pf32bit);
  copy.Assign(picture);
  copy.MutableBits();
  const TTileGrid grid(picture);
  const TPoint written[] = {{0, 0}, {63, 63}, {64, 64}, {1599, 700}, {800, 1399}};
  for (std::size_t n = 0; n < std::size(written); ++n) {
    TBitmap& side = n % 2 ? picture : copy;
    side.SetPixel(written[n].X, written[n].Y, side.GetPixel(written[n].X, written[n].Y) ^ 0x010101);
  }
  const TSamePages same = picture.SamePagesAs(copy);
  ASSERT_FALSE(same.None());
  std::vector<int> expected, found;
  for (const TPoint& p : written) expected.push_back((p.Y / kTileRows) * grid.columns + int(p.X * 4 / kTileBytes));
  std::sort(expected.begin(), expected.end());
  expected.erase(std::unique(expected.begin(), expected.end()), expected.end());  // two share the first tile
  for (int i = 0; i < grid.Count(); ++i) {
    if (TTileCodec::TileDiffers(picture, copy, grid, i, same)) found.push_back(i);
    EXPECT_EQ(TTileCodec::TileDiffers(picture, copy, grid, i, TSamePages()), found.size() && found.back() == i) << i;
  }
  EXPECT_EQ(found, expected);
}

TEST(PictureHistory, PastTheBudgetTheOldestStepsGoAndTheNewestStays) {
  TBitmap picture;
  Draw(picture, 1000, 1000, pf32bit);
  TPictureHistory history(std::size_t(1) << 30);
  history.Reset(picture);
  for (int i = 0; i < 20; ++i) {
    Line(picture, history, i * 40, 0, i * 40 + 30, 999);
    ASSERT_EQ(history.Commit(picture), TCommitResult::Stored);
  }
  EXPECT_EQ(history.StepCount(), 20u);
  const std::size_t all = history.BytesHeld();
  history.SetBudget(all / 2);
  EXPECT_LT(history.StepCount(), 20u);
  EXPECT_GT(history.StepCount(), 1u);
  EXPECT_LE(history.BytesHeld(), all / 2);
  EXPECT_TRUE(history.Modified());  // the saved picture is out of reach now
  const auto latest = CopyOf(picture);
  const std::size_t kept = history.StepCount();
  for (std::size_t i = 0; i < kept; ++i) ASSERT_TRUE(history.Undo(picture).applied);
  EXPECT_FALSE(history.CanUndo());
  for (std::size_t i = 0; i < kept; ++i) history.Redo(picture);
  EXPECT_TRUE(SameBitmap(picture, *latest));

  // A budget smaller than any step still keeps the newest one.
  history.SetBudget(1);
  Line(picture, history, 0, 500, 999, 500);
  history.Commit(picture);
  EXPECT_EQ(history.StepCount(), 1u);
  EXPECT_TRUE(history.Undo(picture).applied);
  EXPECT_TRUE(SameBitmap(picture, *latest));
}

TEST(PictureHistory, TheSavedStateFollowsSavesAndIsLostWhenItsBranchIsDropped) {
  TBitmap picture;
  Draw(picture, 200, 200, pf32bit);
  TPictureHistory history;
  history.Reset(picture);
  Line(picture, history, 0, 0, 50, 50);
  history.Commit(picture);
  history.MarkSaved();
  EXPECT_FALSE(history.Modified());
  history.Undo(picture);
  EXPECT_TRUE(history.Modified());
  history.Redo(picture);
  EXPECT_FALSE(history.Modified());
  history.Undo(picture);
  Line(picture, history, 0, 100, 50, 150);  // the saved state's branch is dropped
  history.Commit(picture);
  EXPECT_TRUE(history.Modified());
  history.Undo(picture);
  EXPECT_TRUE(history.Modified());
}

// Open and New are steps that carry the file name: Undo and Redo give it back, even when the
// pixels are the same; ordinary steps keep the name the picture has.
TEST(PictureHistory, OpenAndNewGiveBackTheirFileNames) {
  TBitmap picture;
  Draw(picture, 200, 200, pf32bit);
  TPictureHistory history;
  history.Reset(picture, "a.png");
  Line(picture, history, 0, 0, 50, 50);
  history.Commit(picture);
  const auto drawn = CopyOf(picture);
  for (const auto& [name, w, format] : {std::tuple{"b.bmp", 64, pf8bit}, std::tuple{"", 200, pf32bit}}) {
    TBitmap opened;
    Draw(opened, w, 30, format);
    if (std::string(name).empty()) opened.Assign(*CopyOf(picture));  // the same pixels, another name
    picture.Swap(opened);
    history.MarkReplaced();
    history.Rename(name);
    EXPECT_EQ(history.Commit(picture), TCommitResult::Stored) << name;
    history.MarkSaved();
    const auto after = CopyOf(picture);
    TRestoreResult back = history.Undo(picture);
    EXPECT_TRUE(back.renamed);
    EXPECT_EQ(history.Name(), back.name);
    TRestoreResult forth = history.Redo(picture);
    EXPECT_TRUE(forth.renamed);
    EXPECT_EQ(forth.name, name);
    EXPECT_TRUE(SameBitmap(picture, *after));
    EXPECT_FALSE(history.Modified());
    if (std::string(name) == "b.bmp") {
      history.Undo(picture);
      EXPECT_EQ(history.Name(), "a.png");
      EXPECT_TRUE(SameBitmap(picture, *drawn));
      TRestoreResult line = history.Undo(picture);
      EXPECT_FALSE(line.renamed) << "the line is no Open";
      EXPECT_EQ(history.Name(), "a.png");
      history.Redo(picture);
      history.Redo(picture);
    }
  }
}

// Without memory a step drops older steps until it fits; with none at all the history begins
// again at the present picture, which stays as it is, and takes steps again later.
TEST(PictureHistory, WithoutMemoryOlderStepsGoAndThePictureStays) {
  TBitmap picture;
  Draw(picture, 400, 300, pf32bit);
  TPictureHistory history;
  history.Reset(picture);
  for (int i = 0; i < 4; ++i) {
    Line(picture, history, i * 50, 0, i * 50 + 30, 299);
    history.Commit(picture);
  }
  Line(picture, history, 0, 150, 399, 150);
  FailAllocations(1);
  EXPECT_EQ(history.Commit(picture), TCommitResult::Stored);
  FailAllocations(0);
  EXPECT_EQ(history.StepCount(), 4u) << "the oldest gave way";

  Line(picture, history, 0, 10, 399, 290);
  const auto drawn = CopyOf(picture);
  FailAllocations(1000000);
  const TCommitResult result = history.Commit(picture);
  FailAllocations(0);
  EXPECT_EQ(result, TCommitResult::Restarted);
  EXPECT_TRUE(SameBitmap(picture, *drawn));
  EXPECT_FALSE(history.CanUndo());
  EXPECT_TRUE(history.Modified());
  EXPECT_FALSE(history.Undo(picture).applied);

  // Memory again: the history goes on from the picture it kept.
  history.MarkReplaced();
  history.Commit(picture);
  Line(picture, history, 10, 0, 10, 299);
  EXPECT_EQ(history.Commit(picture), TCommitResult::Stored);
  EXPECT_TRUE(history.Undo(picture).applied);
  EXPECT_TRUE(SameBitmap(picture, *drawn));
}

}  // namespace
