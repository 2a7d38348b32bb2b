// Compares a screenshot of the canvas with the picture it shows, for the end-to-end test of
// high-density screens.
//   zudozo-canvas-shot-check find SHOT.png SIDE
//     prints the device position of the first device pixel of a white SIDE x SIDE square (the
//     fresh picture) standing on a darker background.
//   zudozo-canvas-shot-check check SHOT.png PICTURE.png X Y NUM DEN [PX PY]...
//     every device pixel from (X, Y) over the picture must show picture pixel
//     floor((device - corner) * DEN / NUM), so each picture pixel is one uniform block;
//     each device pointer position PX PY must lie over a black picture pixel.
// Exits 0 when everything holds, 1 with the first difference otherwise.
#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <string>

namespace {

bool White(QRgb c) { return qRed(c) > 250 && qGreen(c) > 250 && qBlue(c) > 250; }

long long FloorDiv(long long a, long long b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

int Find(const QImage& shot, int side) {
  for (int y = 1; y + side < shot.height(); ++y)
    for (int x = 1; x + side < shot.width(); ++x) {
      if (!White(shot.pixel(x, y)) || White(shot.pixel(x - 1, y)) || White(shot.pixel(x, y - 1))) continue;
      bool square = true;
      for (int i = 0; i < side && square; ++i) square = White(shot.pixel(x + i, y)) && White(shot.pixel(x, y + i));
      if (square) {
        std::printf("%d %d\n", x, y);
        return 0;
      }
    }
  std::fprintf(stderr, "no white square of side %d\n", side);
  return 1;
}

int Check(const QImage& shot, const QImage& picture, int x0, int y0, long long num, long long den, char** points,
          int pointCount) {
  const int right = std::min<long long>(shot.width(), x0 + (picture.width() * num + den - 1) / den);
  const int bottom = std::min<long long>(shot.height(), y0 + (picture.height() * num + den - 1) / den);
  for (int y = y0; y < bottom; ++y)
    for (int x = x0; x < right; ++x) {
      const int px = int(FloorDiv((x - x0) * den, num)), py = int(FloorDiv((y - y0) * den, num));
      if ((shot.pixel(x, y) & 0xFFFFFF) != (picture.pixel(px, py) & 0xFFFFFF)) {
        std::fprintf(stderr, "device %d,%d shows %06x, picture %d,%d is %06x\n", x, y, shot.pixel(x, y) & 0xFFFFFF, px,
                     py, picture.pixel(px, py) & 0xFFFFFF);
        return 1;
      }
    }
  for (int i = 0; i + 1 < pointCount; i += 2) {
    const int x = std::atoi(points[i]), y = std::atoi(points[i + 1]);
    const int px = int(FloorDiv((x - x0) * den, num)), py = int(FloorDiv((y - y0) * den, num));
    if ((picture.pixel(px, py) & 0xFFFFFF) != 0) {
      std::fprintf(stderr, "the pointer at device %d,%d was over picture %d,%d, which is not black\n", x, y, px, py);
      return 1;
    }
  }
  std::printf("device pixels %dx%d agree with the picture\n", right - x0, bottom - y0);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc >= 4 && std::string(argv[1]) == "find") return Find(QImage(argv[2]), std::atoi(argv[3]));
  if (argc >= 8 && std::string(argv[1]) == "check")
    return Check(QImage(argv[2]), QImage(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]), std::atoll(argv[6]),
                 std::atoll(argv[7]), argv + 8, argc - 8);
  std::fprintf(stderr, "usage: see the head of main.cpp\n");
  return 2;
}
