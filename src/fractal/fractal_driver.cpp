#include "fractal/fractal_driver.h"

#include <chrono>
#include <string>

#include "fractal/fractal_steps.h"
#include "surface/bitmap.h"

namespace {

// Runs the step of the kind for the current child; false when the step ends the walk.
bool runStep(TFractalWalk& walk, TFractalParams& params, const TFractalRun& run, TCanvas& canvas) {
  const int index = walk.childIndex[std::size_t(walk.level)];
  switch (run.kind) {
    case TFractalKind::Tree:
      TreeBranch(walk, params, run, canvas, float(index - (params.branchCount - 1) * 0.5));
      return true;
    case TFractalKind::Koch: KochChild(walk, params, run, canvas, index & 0xFF); return true;
    case TFractalKind::Edit: MotifChild(walk, params, run, canvas, index); return true;
    case TFractalKind::Repetition: RepeatStroke(walk, params, run, canvas); return false;
  }
  return true;
}

}  // namespace

std::uint32_t GenerateFractal(TBitmap& picture, const TBitmap& snapshot, TFractalWalk& walk, TFractalParams& params,
                              const TFractalRun& run) {
  // The work copy shares the picture's pixels until the first figure is drawn.
  TBitmap work;
  work.Assign(run.drawParent ? picture : snapshot);
  TCanvas& canvas = work.Canvas();
  canvas.Pen = picture.Canvas().Pen;
  canvas.Brush = picture.Canvas().Brush;
  const auto t0 = std::chrono::steady_clock::now();
  if (run.kind == TFractalKind::Koch) params.branchCount = 4;
  // The walk holds seven levels: the stroke and six below it.
  if (params.levelCount > 6) params.levelCount = 6;
  if (params.levelCount <= 0) walk.level = 0;
  while (walk.level > 0) {
    int& index = walk.childIndex[std::size_t(walk.level)];
    if (index < params.branchCount) {
      if (!runStep(walk, params, run, canvas)) {
        walk.childIndex.fill(0);
        walk.level = 0;
        break;
      }
      ++index;
      if (walk.level != params.levelCount) ++walk.level;
    } else {
      index = 0;
      --walk.level;
    }
  }
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0);
  picture.Swap(work);
  return std::uint32_t(elapsed.count());
}

std::string DrawingTimeCaption(std::uint32_t milliseconds) { return "rir（描画時間" + std::to_string(milliseconds); }
