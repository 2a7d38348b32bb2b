// Lines and filled ellipses on a 2000 x 2000 32-bit picture, side by side with QPainter doing
// the same work on a QImage (Format_RGB32, no anti-aliasing, round caps and joins).
//   build-*/bench/surface_bench --benchmark_filter='Lines|Ellipses'
// Two sets of 55,986 lines: random end points anywhere (long lines), and the segments of a
// large fractal tree (mostly short ones).
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <QPen>
#include <cmath>
#include <cstdint>
#include <vector>

#include "surface/bitmap.h"
#include "surface/canvas.h"

namespace {

constexpr int kSide = 2000;
constexpr int kLineCount = 55986;
constexpr int kEllipseCount = 10000;
constexpr int kMaxEllipseSide = 300;

// A fixed sequence, so every run and both painters draw the same figures.
struct Random {
  std::uint32_t state = 20260101;
  int Next(int n) {
    state = state * 1664525u + 1013904223u;
    return int((state >> 8) % std::uint32_t(n));
  }
};

struct Figure {
  int x1, y1, x2, y2;
};

const std::vector<Figure>& RandomLines() {
  static const std::vector<Figure> lines = [] {
    Random r;
    std::vector<Figure> v(kLineCount);
    for (Figure& f : v) f = Figure{r.Next(kSide), r.Next(kSide), r.Next(kSide), r.Next(kSide)};
    return v;
  }();
  return lines;
}

// The segments of a branching tree grown from the bottom middle, as fractal drawing makes them:
// each segment gives two children 0.72 as long, turned 25 degrees either way, breadth first.
const std::vector<Figure>& TreeLines() {
  static const std::vector<Figure> lines = [] {
    struct Branch {
      double x, y, angle, length;
    };
    std::vector<Figure> v;
    std::vector<Branch> level{{kSide / 2.0, kSide - 1.0, -1.5707963, 520.0}};
    while (int(v.size()) < kLineCount) {
      std::vector<Branch> next;
      for (const Branch& b : level) {
        if (int(v.size()) == kLineCount) break;
        const double x2 = b.x + b.length * std::cos(b.angle), y2 = b.y + b.length * std::sin(b.angle);
        v.push_back(Figure{int(std::lround(b.x)), int(std::lround(b.y)), int(std::lround(x2)), int(std::lround(y2))});
        next.push_back(Branch{x2, y2, b.angle - 0.436, b.length * 0.72});
        next.push_back(Branch{x2, y2, b.angle + 0.436, b.length * 0.72});
      }
      level = std::move(next);
    }
    return v;
  }();
  return lines;
}

const std::vector<Figure>& RandomEllipses() {
  static const std::vector<Figure> ellipses = [] {
    Random r;
    std::vector<Figure> v(kEllipseCount);
    for (Figure& f : v) {
      const int x = r.Next(kSide), y = r.Next(kSide);
      f = Figure{x, y, x + 1 + r.Next(kMaxEllipseSide), y + 1 + r.Next(kMaxEllipseSide)};
    }
    return v;
  }();
  return ellipses;
}

QColor QtColor(TColor c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

using LineSet = const std::vector<Figure>& (*)();

void BM_LinesCanvas(benchmark::State& state, LineSet lines) {
  TBitmap bmp(kSide, kSide, pf32bit);
  TCanvas& c = bmp.Canvas();
  c.Pen.Width = int(state.range(0));
  int n = 0;
  for (auto _ : state) {
    c.Pen.Color = (n++ & 1) ? clBlack : clRed;
    for (const Figure& f : lines()) {
      c.MoveTo(f.x1, f.y1);
      c.LineTo(f.x2, f.y2);
    }
    benchmark::DoNotOptimize(bmp.Bits());
  }
}

void BM_LinesQPainter(benchmark::State& state, LineSet lines) {
  QImage image(kSide, kSide, QImage::Format_RGB32);
  image.fill(Qt::white);
  int n = 0;
  for (auto _ : state) {
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(QtColor((n++ & 1) ? clBlack : clRed), qreal(state.range(0)), Qt::SolidLine, Qt::RoundCap,
                  Qt::RoundJoin));
    for (const Figure& f : lines()) p.drawLine(f.x1, f.y1, f.x2, f.y2);
    p.end();
    benchmark::DoNotOptimize(image.bits());
  }
}

void BM_EllipsesCanvas(benchmark::State& state) {
  TBitmap bmp(kSide, kSide, pf32bit);
  TCanvas& c = bmp.Canvas();
  int n = 0;
  for (auto _ : state) {
    c.Brush.Color = (n++ & 1) ? clBlue : clLime;
    for (const Figure& f : RandomEllipses()) c.Ellipse(f.x1, f.y1, f.x2, f.y2);
    benchmark::DoNotOptimize(bmp.Bits());
  }
}

void BM_EllipsesQPainter(benchmark::State& state) {
  QImage image(kSide, kSide, QImage::Format_RGB32);
  image.fill(Qt::white);
  int n = 0;
  for (auto _ : state) {
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QtColor((n++ & 1) ? clBlue : clLime));
    for (const Figure& f : RandomEllipses()) p.drawEllipse(f.x1, f.y1, f.x2 - f.x1 - 1, f.y2 - f.y1 - 1);
    p.end();
    benchmark::DoNotOptimize(image.bits());
  }
}

}  // namespace

BENCHMARK_CAPTURE(BM_LinesCanvas, random, &RandomLines)->Arg(1)->Arg(5)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LinesQPainter, random, &RandomLines)->Arg(1)->Arg(5)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LinesCanvas, tree, &TreeLines)->Arg(1)->Arg(5)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LinesQPainter, tree, &TreeLines)->Arg(1)->Arg(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EllipsesCanvas)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EllipsesQPainter)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
