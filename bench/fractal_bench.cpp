// Fractal drawing on a 2000 x 2000 picture: the largest tree (6 levels x 6 branches, 55,986
// figures) with the line tool at pen widths 1 and 5 and with the ellipse tool, and the snow
// crystal set (1,554 figures), beside QPainter drawing the same figures on a QImage.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <vector>

#include "draw/figure_renderer.h"
#include "draw/program_random.h"
#include "fractal/fractal_driver.h"
#include "surface/bitmap.h"

namespace {

constexpr int kSide = 2000;
constexpr int kLine = 2, kEllipse = 3;

TFractalParams Tree(int levels, int branches, float ratio, int randomness, int angle) {
  TFractalParams p;
  p.levelCount = std::int8_t(levels);
  p.branchCount = std::int8_t(branches);
  p.ratio = ratio;
  p.randomness = std::int8_t(randomness);
  p.spreadAngle = std::int8_t(angle);
  p.peakHeight = float(10 * 0.02886751346);
  return p;
}

TFractalRun RunFor(int figure) {
  TFractalRun run;
  run.renderFigure = [figure](TPoint s, TPoint e, TCanvas& canvas, TPenMode mode) {
    TFigureChoice choice;
    choice.figure = figure;
    TFigurePoints points{s, s};
    RenderFigure(points, e, canvas, mode, choice);
  };
  return run;
}

// One run from the committing stroke to the picture replaced.
void Generate(benchmark::State& state, TFractalParams params, int figure, int width,
              TFractalKind kind = TFractalKind::Tree) {
  TBitmap picture(kSide, kSide), snapshot(kSide, kSide);
  picture.Canvas().Pen.Width = width;
  picture.Canvas().Brush.Style = bsClear;
  TFractalRun run = RunFor(figure);
  run.kind = kind;
  // A motif of six child lines fanning out from the parent, and 200 repeated copies.
  for (int i = 0; i < 6; ++i)
    run.motif[std::size_t(i)] = TMotifLine{0, 0, 0, 0, 1.0f, 0, 1.0f + 0.1f * float(i), 0.2f * float(i - 3)};
  run.repetition.copies = 200;
  for (auto _ : state) {
    TFractalWalk walk;
    walk.seg[1] = TFractalSegment{1000, 1900, 1000, 1500};
    SetRandomState(0);
    GenerateFractal(picture, snapshot, walk, params, run);
  }
}

// The same figures through QPainter: the segments are gathered once, then drawn each time.
void Painter(benchmark::State& state, TFractalParams params, int figure, int width) {
  std::vector<QLine> segments;
  TFractalRun run;
  run.renderFigure = [&segments](TPoint s, TPoint e, TCanvas&, TPenMode) { segments.emplace_back(s.X, s.Y, e.X, e.Y); };
  TBitmap scratch(1, 1), snapshot(1, 1);
  TFractalWalk walk;
  walk.seg[1] = TFractalSegment{1000, 1900, 1000, 1500};
  SetRandomState(0);
  GenerateFractal(scratch, snapshot, walk, params, run);
  QImage image(kSide, kSide, QImage::Format_RGB32);
  image.fill(Qt::white);
  for (auto _ : state) {
    QPainter p(&image);
    p.setPen(QPen(Qt::black, width));
    for (const QLine& l : segments) {
      if (figure == kEllipse) {
        p.drawEllipse(QRect(l.p1(), l.p2()).normalized());
      } else {
        p.drawLine(l);
      }
    }
  }
  state.counters["figures"] = double(segments.size());
}

const TFractalParams kLargest = Tree(6, 6, 0.5f, 2, 20);
const TFractalParams kSnow = Tree(4, 6, 0.5f, 0, 30);

}  // namespace

BENCHMARK_CAPTURE(Generate, largest_line_w1, kLargest, kLine, 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Painter, largest_line_w1, kLargest, kLine, 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Generate, largest_line_w5, kLargest, kLine, 5)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Painter, largest_line_w5, kLargest, kLine, 5)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Generate, largest_ellipse_w1, kLargest, kEllipse, 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Painter, largest_ellipse_w1, kLargest, kEllipse, 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Generate, snow_crystal, kSnow, kLine, 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Generate, koch_6_levels, Tree(6, 4, 3 / 9.0f, 0, 0), kLine, 1, TFractalKind::Koch)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Generate, edit_6x6, Tree(6, 6, 0, 0, 0), kLine, 1, TFractalKind::Edit)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Generate, repetition_200_rectangles, Tree(1, 1, 0, 0, 0), 5, 1, TFractalKind::Repetition)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
