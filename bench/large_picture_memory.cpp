// Memory and time of a 9999 x 9999 32-bit picture in the real main window: opened from the
// command line (a white PNG), 30 freehand strokes, F5, 30 more strokes, a horizontal gradient
// of the whole picture (Ctrl+A, then the gradient item); then opened again for fractal trees
// (the settings window's own tree, twice, then six levels of three branches).
//
// For every step it prints the time, the memory held at its end and the highest held while it
// ran. "Held" is the process's own resident memory (anonymous and file pages) plus every byte
// of its shared-memory files, mapped or not, so pixels parked in such a file count as much as
// pixels in ordinary memory. A sampling thread reads it every millisecond. "CPU ms" is the
// processor time of all the program's threads during the step, the sampler's own left out:
// unlike the time, load on the machine does not change it. The recovery copy
// is written as in any session, into a folder of the run's own.
//
// Usage: large_picture_memory [side [photo]] (9999 by default). The white PNG, or with "photo"
// a photograph-like one, is written once into $TMPDIR (or /tmp) and reused.
#include <QAction>
#include <QApplication>
#include <QTest>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>

#include "app/form1.h"
#include "app/startup.h"
#include "draw/tool_table.h"
#include "fractal/ui/fractal_form.h"
#include "png/viraviz.h"
#include "surface/bitmap.h"
#include "surface/canvas.h"
#include "photo_picture.h"

namespace {

constexpr double kMB = 1e6;

// Kilobytes of one "Name:   123 kB" line of /proc/self/status.
long statusKB(const std::string& text, const char* name) {
  const std::size_t at = text.find(name);
  return at == std::string::npos ? 0 : std::atol(text.c_str() + at + std::strlen(name));
}

// Bytes of the shared-memory files the process has open.
double memfdBytes() {
  double bytes = 0;
  std::error_code ec;
  for (const auto& fd : std::filesystem::directory_iterator("/proc/self/fd", ec)) {
    std::error_code linkError;
    const std::string target = std::filesystem::read_symlink(fd.path(), linkError).string();
    if (linkError || target.rfind("/memfd:", 0) != 0) continue;
    struct stat st {};
    if (stat(fd.path().c_str(), &st) == 0) bytes += double(st.st_blocks) * 512;
  }
  return bytes;
}

double cpuSeconds(clockid_t clock) {
  timespec t{};
  clock_gettime(clock, &t);
  return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

struct TMemory {
  double rss = 0, held = 0, anon = 0, shared = 0;
};

TMemory memoryNow() {
  std::ifstream in("/proc/self/status");
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  TMemory m;
  m.rss = double(statusKB(text, "VmRSS:")) * 1e3;
  const double own = double(statusKB(text, "RssAnon:") + statusKB(text, "RssFile:")) * 1e3;
  m.anon = double(statusKB(text, "RssAnon:")) * 1e3;
  m.shared = memfdBytes();
  m.held = own + m.shared;
  return m;
}

// Keeps the highest held memory since the last Restart.
class TPeakSampler {
 public:
  TPeakSampler() : thread_([this] { run(); }) {}
  ~TPeakSampler() {
    stop_ = true;
    thread_.join();
  }
  void Restart() {
    std::lock_guard lock(mutex_);
    peak_ = memoryNow().held;
  }
  double Peak() {
    std::lock_guard lock(mutex_);
    return std::max(peak_, memoryNow().held);
  }
  // Processor seconds the sampler has used so far.
  double OwnCpu() {
    std::lock_guard lock(mutex_);
    return ownCpu_;
  }

 private:
  void run() {
    while (!stop_) {
      const double held = memoryNow().held;
      {
        std::lock_guard lock(mutex_);
        peak_ = std::max(peak_, held);
        ownCpu_ = cpuSeconds(CLOCK_THREAD_CPUTIME_ID);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  double peak_ = 0;
  double ownCpu_ = 0;
  std::thread thread_;
};

class TSteps {
 public:
  explicit TSteps(double pictureBytes) : picture_(pictureBytes) {
    std::printf("%-34s %7s %7s %8s %8s %8s %8s %8s %8s\n", "step", "ms", "CPU ms", "held MB", "peak MB", "pictures",
                "anon MB", "pool MB", "VmRSS MB");
  }
  template <class F>
  void Run(const char* name, F&& step) {
    sampler_.Restart();
    const auto t0 = std::chrono::steady_clock::now();
    const double cpu0 = cpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - sampler_.OwnCpu();
    step();
    QApplication::processEvents();
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    const double cpuMs = (cpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - sampler_.OwnCpu() - cpu0) * 1e3;
    const double peak = sampler_.Peak();
    const TMemory now = memoryNow();
    std::printf("%-34s %7.0f %7.0f %8.0f %8.0f %8.2f %8.0f %8.0f %8.0f\n", name, ms, cpuMs, now.held / kMB, peak / kMB,
                peak / picture_, now.anon / kMB, now.shared / kMB, now.rss / kMB);
    std::fflush(stdout);
  }

 private:
  double picture_;
  TPeakSampler sampler_;
};

std::string pictureFile(int side, bool photo) {
  const char* dir = std::getenv("TMPDIR");
  const std::string path = std::string(dir && *dir ? dir : "/tmp") + (photo ? "/zudozo-photo-" : "/zudozo-white-") +
                           std::to_string(side) + ".png";
  if (std::filesystem::exists(path)) return path;
  TBitmap picture(side, side);
  if (photo) {
    FillPhotoLike(picture, side, 6);
  } else {
    picture.Canvas().Brush.Color = clWhite;
    picture.Canvas().FillRect(picture.BoundsRect());
  }
  VIRAVIZ png;
  png.Assign(picture);
  png.SaveToFile(path + ".part");
  std::filesystem::rename(path + ".part", path);
  return path;
}

// A freehand stroke of about 40 moves across a few hundred pixels, started at (x, y).
void freehandStroke(TForm1& form1, int x, int y) {
  form1.ImageMouseDown(form1.Image, 0, x, y);
  for (int i = 1; i <= 40; ++i) form1.ImageMouseMove(form1.Image, x + i * 8, y + (i % 10) * 6);
  form1.ImageMouseUp(form1.Image, 0, x + 320, y);
  QApplication::processEvents();
}

// Strokes spread over the whole picture, so that together they touch much of it.
void strokes(TForm1& form1, int side, int count, int seed) {
  form1.dtExecute(kToolFreehand);
  for (int i = 0; i < count; ++i) {
    const int x = (i * 7919 + seed * 104729) % std::max(1, side - 400);
    const int y = (i * 6151 + seed * 3571) % std::max(1, side - 80);
    freehandStroke(form1, x, y);
  }
}

QAction* action(TForm1& form1, const char* name) {
  QAction* a = form1.findChild<QAction*>(QString::fromLatin1(name));
  if (!a) {
    std::fprintf(stderr, "no action %s\n", name);
    std::exit(1);
  }
  return a;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // The recovery copies go to a folder of the run's own, removed at the end.
  const std::filesystem::path state = std::filesystem::temp_directory_path() / ("zudozo-bench-" + std::to_string(getpid()));
  qputenv("XDG_STATE_HOME", QByteArray::fromStdString(state.string()));
  struct TRemove {
    std::filesystem::path path;
    ~TRemove() { std::filesystem::remove_all(path); }
  } removeState{state};
  QApplication qapp(argc, argv);
  const int side = argc > 1 ? std::atoi(argv[1]) : 9999;
  const bool photo = argc > 2 && std::string(argv[2]) == "photo";
  const std::string path = pictureFile(side, photo);
  const double pictureBytes = double(side) * side * 4;
  std::printf("%d x %d at 32 bits: the picture is %.0f MB\n", side, side, pictureBytes / kMB);
  TSteps steps(pictureBytes);

  std::unique_ptr<TZudozoApp> app;
  steps.Run("open (command line), shown", [&] {
    app = std::make_unique<TZudozoApp>(QStringList{QString::fromStdString(path)});
    app->ShowMainWindow();
  });
  TForm1& form1 = app->Form1();
  steps.Run("30 freehand strokes", [&] { strokes(form1, side, 30, 1); });
  steps.Run("F5", [&] { QTest::keyClick(&form1, Qt::Key_F5); });
  steps.Run("30 more strokes", [&] { strokes(form1, side, 30, 2); });
  steps.Run("Ctrl+A, horizontal gradient", [&] {
    QTest::keyClick(&form1, Qt::Key_A, Qt::ControlModifier);
    action(form1, "MgraH")->trigger();
  });
  // Trees on the picture as opened, with the window's own settings and with the largest tree.
  app.reset();
  steps.Run("open again, shown", [&] {
    app = std::make_unique<TZudozoApp>(QStringList{QString::fromStdString(path)});
    app->ShowMainWindow();
  });
  TForm1& again = app->Form1();
  QTest::keyClick(&again, Qt::Key_F10);
  again.dtExecute(kToolLine);
  const auto tree = [&](const char* name, int x) {
    steps.Run(name, [&] {
      again.ImageMouseDown(again.Image, 0, x, side - 1);
      again.ImageMouseMove(again.Image, x, side / 2);
      again.ImageMouseDown(again.Image, 0, x, side / 2);
    });
    std::printf("  fractal window: %s ms\n", again.FractalForm->windowTitle().toUtf8().constData());
  };
  tree("fractal tree, first", side / 2);
  tree("fractal tree, second", side / 3);
  again.FractalForm->SetTreeParams(6, 3, 5, 2, 30);
  tree("largest tree (6 x 3)", side / 2);
  return 0;
}
