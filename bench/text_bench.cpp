// Text on a 800 x 600 32-bit picture as the text tools draw it: the same line again at every
// pointer move (glyphs cached), the angled-text drag that turns the line a little at every move
// (new turned glyphs each time), Japanese text, and measuring. The reference is Qt drawing the
// same line without anti-aliasing on a QImage of the same size.
#include <benchmark/benchmark.h>

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <string>

#include "surface/bitmap.h"
#include "surface/canvas.h"

namespace {

const std::string kLatin = "ABCDEF Zudozo";
const std::string kJapanese = "日本語のテキスト入力";

TBitmap& Picture() {
  static TBitmap b(800, 600, pf32bit);
  return b;
}

void BM_TextOutRepeated(benchmark::State& state, const std::string& text, bool opaque) {
  TCanvas& c = Picture().Canvas();
  c.Font = TFont{};
  c.Brush.Style = opaque ? bsSolid : bsClear;
  for (auto _ : state) c.TextOut(100, 100, text);
}
BENCHMARK_CAPTURE(BM_TextOutRepeated, latin_clear, kLatin, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_TextOutRepeated, latin_opaque, kLatin, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_TextOutRepeated, japanese_clear, kJapanese, false)->Unit(benchmark::kMicrosecond);

// Every iteration a new angle (3000 of the 3600 there are, none drawn before): the glyphs are
// rendered afresh, as during an angled-text drag.
void BM_TextOutNewAngle(benchmark::State& state) {
  TCanvas& c = Picture().Canvas();
  c.Font = TFont{};
  c.Brush.Style = bsClear;
  int angle = 0;
  for (auto _ : state) {
    angle = (angle + 7) % 3600;
    c.Font.Escapement = angle;
    c.TextOut(400, 300, kLatin);
  }
}
BENCHMARK(BM_TextOutNewAngle)->Iterations(3000)->Unit(benchmark::kMicrosecond);

void BM_TextWidth(benchmark::State& state) {
  TCanvas& c = Picture().Canvas();
  c.Font = TFont{};
  for (auto _ : state) benchmark::DoNotOptimize(c.TextWidth(kJapanese));
}
BENCHMARK(BM_TextWidth)->Unit(benchmark::kMicrosecond);

void BM_QtDrawTextReference(benchmark::State& state) {
  QImage image(800, 600, QImage::Format_RGB32);
  image.fill(Qt::white);
  QFont font("IPAGothic");
  font.setPixelSize(16);
  font.setStyleStrategy(QFont::NoAntialias);
  QPainter painter(&image);
  painter.setFont(font);
  const QString text = QString::fromStdString(kLatin);
  for (auto _ : state) painter.drawText(100, 114, text);
}
BENCHMARK(BM_QtDrawTextReference)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
