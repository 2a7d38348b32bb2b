// The text tool writing a memo of 1,000 characters (20 lines of 50) at 30 degrees on a
// 1000 x 1000 picture, as one preview of a text stroke: the glyphs already turned (every move
// after the first), the same with an opaque background, one line of 1,000 characters, a new
// angle every time (the angled-text drag, whose glyphs are turned afresh at each move), and
// the rectangle a preview restores (measured at every move).
#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <string>

#include "draw/figure_reach.h"
#include "draw/text_figure.h"
#include "surface/bitmap.h"

namespace {

constexpr int kLines = 20;
constexpr int kLineLength = 50;

std::string Characters(int count) {
  const std::string source = "The quick brown fox jumps over the lazy dog 0123456789. ";
  std::string s;
  while (int(s.size()) < count) s += source;
  s.resize(count);
  return s;
}

TTextFigure Memo(int lines, int lineLength) {
  TTextFigure text;
  text.lines.assign(lines, Characters(lineLength));
  text.escapement = 30;
  return text;
}

TBitmap& Picture() {
  static TBitmap b(1000, 1000, pf32bit);
  return b;
}

void BM_TextAt30(benchmark::State& state, int lines, int lineLength, int fill) {
  const TTextFigure text = Memo(lines, lineLength);
  TCanvas& c = Picture().Canvas();
  MakeTextFont(c, text.font, text.escapement);
  for (auto _ : state) TextFigure(c, TPoint{100, 800}, text, fill);
  state.SetItemsProcessed(state.iterations() * lines * lineLength);
}
BENCHMARK_CAPTURE(BM_TextAt30, memo_1000_clear, kLines, kLineLength, 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TextAt30, memo_1000_opaque, kLines, kLineLength, 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TextAt30, line_1000_clear, 1, 1000, 0)->Unit(benchmark::kMillisecond);

// The angled text toward a pointer that moves one step round a circle each time: a new
// direction, so new turned glyphs, at every iteration (360 of them, each once).
void BM_AngledTextNewDirection(benchmark::State& state) {
  const TTextFigure text = Memo(kLines, kLineLength);
  TCanvas& c = Picture().Canvas();
  int degrees = 0;
  for (auto _ : state) {
    const double a = ++degrees * std::numbers::pi / 180;
    AngledTextFigure(c, TPoint{500, 500}, TPoint{500 + int(400 * std::cos(a)), 500 - int(400 * std::sin(a))}, text, 0);
  }
  state.SetItemsProcessed(state.iterations() * kLines * kLineLength);
}
BENCHMARK(BM_AngledTextNewDirection)->Iterations(360)->Unit(benchmark::kMillisecond);

void BM_TextReach(benchmark::State& state) {
  TFigureChoice choice;
  choice.figure = 17;
  choice.text = Memo(kLines, kLineLength);
  for (auto _ : state)
    benchmark::DoNotOptimize(FigureReach(choice, TPoint{100, 800}, TPoint{100, 800}, 1, Picture().BoundsRect()));
}
BENCHMARK(BM_TextReach)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
