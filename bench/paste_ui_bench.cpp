// The paste tools and the clipboard in the main window, on a 4000 x 4000 picture: a pointer
// move of the paste (13) and the paste at any size (15) with a 300 x 300 buffer (restore what
// the last preview covered, draw again, repaint), the rotated paste of a 1000 x 1000 buffer at
// 37 degrees, the whole copy to the clipboard, and tool choices while another program's
// picture is on the clipboard. Beside one copy of the picture's pixels.
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <benchmark/benchmark.h>

#include "app/clipboard_picture.h"
#include "bench_app.h"
#include "draw/rotated_paste.h"
#include "png/viraviz.h"
#include "surface/canvas.h"

namespace {

BENCHMARK(BM_Memcpy4000)->Unit(benchmark::kMillisecond);

// A 300 x 300 picture of stripes on the clipboard, so that every tool choice refills the buffer.
void ClipboardBuffer(int side) {
  TBitmap b(side, side);
  for (int y = 0; y < side; y += 4) b.Canvas().FillRect(TRect{0, y, side, y + 1});
  WriteClipboardPicture(b);
}

void BM_PasteMove(benchmark::State& state) {
  TForm1& form1 = BenchApp(4000, 4000).Form1();
  ClipboardBuffer(300);
  const int tool = int(state.range(0));
  form1.dtExecute(tool);
  form1.ImageMouseDown(form1.Image, 0, 1000, 1000);
  if (tool == 15) form1.ImageMouseUp(form1.Image, 0, 1000, 1000);
  int i = 0;
  for (auto _ : state) {
    const int wobble = i++ % 2;
    form1.ImageMouseMove(form1.Image, 1300 + wobble, 1300 - wobble);
    QApplication::processEvents();
  }
  if (tool == 15) form1.ImageMouseDown(form1.Image, 0, 1300, 1300);
  form1.ImageMouseUp(form1.Image, 0, 1300, 1300);
}
BENCHMARK(BM_PasteMove)->Arg(13)->Arg(15)->Unit(benchmark::kMicrosecond);

void BM_RotatedPaste1000At37(benchmark::State& state) {
  TBitmap buffer(1000, 1000), picture(4000, 4000);
  for (int y = 0; y < 1000; y += 3) buffer.Canvas().FillRect(TRect{0, y, 1000, y + 1});
  // 37 degrees: the direction of (800, -603) from the start.
  for (auto _ : state) RotatedPaste(picture.Canvas(), buffer, TPoint{1500, 1500}, TPoint{2300, 897}, clWhite);
}
BENCHMARK(BM_RotatedPaste1000At37)->Unit(benchmark::kMillisecond);

// The whole copy until the window answers again: the picture onto the clipboard and back into
// the paste buffer.
void BM_WholeCopy4000(benchmark::State& state) {
  TForm1& form1 = BenchApp(4000, 4000).Form1();
  for (auto _ : state) {
    form1.McopyClick();
    QApplication::processEvents();
  }
}
BENCHMARK(BM_WholeCopy4000)->Unit(benchmark::kMillisecond);

// A tool choice while the clipboard holds a 4000 x 4000 PNG from another program: the first
// choice decodes it, the next ones take the picture read before until the clipboard changes.
void BM_ToolChoiceWithForeignPicture(benchmark::State& state) {
  TForm1& form1 = BenchApp(200, 200).Form1();
  TBitmap picture(4000, 4000);
  for (int y = 0; y < 4000; y += 3) picture.Canvas().FillRect(TRect{0, y, 4000, y + 1});
  VIRAVIZ png;
  png.Assign(picture);
  QByteArray bytes;
  png.SaveToStream([&bytes](const std::uint8_t* data, std::size_t size) {
    bytes.append(reinterpret_cast<const char*>(data), qsizetype(size));
  });
  auto* mime = new QMimeData;
  mime->setData(QStringLiteral("image/png"), bytes);
  QGuiApplication::clipboard()->setMimeData(mime);
  int tool = 1;
  for (auto _ : state) {
    form1.dtExecute(tool);
    tool = 3 - tool;
  }
}
BENCHMARK(BM_ToolChoiceWithForeignPicture)->Unit(benchmark::kMillisecond);

}  // namespace
