#pragma once
// Real input into a nested Wayland compositor shown in an X window (weston's X11 backend,
// mutter --nested): xdotool moves and clicks the X pointer, the compositor passes it on.
// A Wayland client never learns where its windows are, so a window is first found in
// screenshots of the X screen (accepted when two in a row agree), then every pointer move is
// confirmed by the motion the window itself receives: the found place is corrected by what
// the compositor reports, and a click is made only once the pointer is really over the target.
#include <QDir>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QMouseEvent>
#include <QPointer>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <cmath>
#include <cstdio>
#include <optional>
#include <vector>

namespace wayland_input {

// WLDEBUG=1 traces every search and move on stderr and keeps the screenshots.
inline bool Tracing() { return qEnvironmentVariableIsSet("WLDEBUG"); }

// The compositor's screen in its X window: one point is this many X pixels.
inline qreal XPixelsPerPoint() { return QGuiApplication::primaryScreen()->devicePixelRatio(); }

inline bool Xdotool(const QStringList& arguments) {
  return QProcess::execute(QStringLiteral("xdotool"), arguments) == 0;
}

// The X screen, in X pixels.
inline QImage Screenshot() {
  QProcess import;
  import.start(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("png:-")});
  import.waitForFinished(20000);
  return QImage::fromData(import.readAllStandardOutput(), "PNG").convertToFormat(QImage::Format_RGB32);
}

// Colours alike but for the rounding of a compositor that draws through the GPU.
inline bool Near(QRgb a, QRgb b) {
  return std::abs(qRed(a) - qRed(b)) <= 8 && std::abs(qGreen(a) - qGreen(b)) <= 8 && std::abs(qBlue(a) - qBlue(b)) <= 8;
}

// Pixels of the image that differ from their right neighbour, spread over it below its top
// rows (a caption changes with activation): a window's fingerprint.
inline std::vector<QPoint> Landmarks(const QImage& image, int skipRows) {
  std::vector<QPoint> marks;
  const int stepY = std::max(1, (image.height() - skipRows) / 16), stepX = std::max(1, image.width() / 16);
  for (int y = skipRows; y < image.height(); y += stepY)
    for (int x = 0; x + 1 < image.width(); x += stepX)
      for (int d = 0; d < stepX && x + d + 1 < image.width(); ++d)
        if (image.pixel(x + d, y) != image.pixel(x + d + 1, y)) {
          marks.emplace_back(x + d, y);
          break;
        }
  return marks;
}

// The shot, below its top rows, matches the screen at place but for a few pixels (a text
// cursor, a hover).
inline bool LooksLike(const QImage& screen, QPoint place, const QImage& shot, int fromRow) {
  if (!screen.rect().contains(QRect(place, shot.size()))) return false;
  qsizetype differing = 0;
  for (int y = fromRow; y < shot.height(); ++y)
    for (int x = 0; x < shot.width(); ++x) differing += !Near(screen.pixel(place + QPoint(x, y)), shot.pixel(x, y));
  return differing * 50 < qsizetype(shot.width()) * (shot.height() - fromRow);
}

// Where shot lies in the screenshot, in X pixels, tried first at hint; nothing when it is not
// (wholly enough) on the screen.
inline std::optional<QPoint> FindIn(const QImage& screen, const QImage& shot, const std::vector<QPoint>& marks,
                                    std::optional<QPoint> hint) {
  if (marks.size() < 8) return std::nullopt;
  const int allowed = int(marks.size()) / 10;
  auto matches = [&](int x, int y) {
    int misses = 0;
    for (const QPoint& m : marks)
      if (!Near(screen.pixel(x + m.x(), y + m.y()), shot.pixel(m)) && ++misses > allowed) return false;
    return LooksLike(screen, QPoint(x, y), shot, marks.front().y());
  };
  if (hint && screen.rect().contains(QRect(*hint, shot.size())) && matches(hint->x(), hint->y())) return hint;
  for (int y = 0; y + shot.height() <= screen.height(); ++y)
    for (int x = 0; x + shot.width() <= screen.width(); ++x)
      if (matches(x, y)) return QPoint(x, y);
  return std::nullopt;
}

// The band of a window the screenshots are searched for: below the top rows, which the
// compositor may put above the screen and whose caption changes with activation, as the window
// paints it.
inline int BandTop(const QWidget& window) { return std::min(window.height() / 2, 40); }
inline QImage BandOf(QWidget& window) {
  const QRect band(0, BandTop(window), window.width(), std::min(window.height() - BandTop(window), 120));
  return window.grab(band).toImage().convertToFormat(QImage::Format_RGB32);
}
inline QPoint BandOffset(const QWidget& window) { return QPoint(0, qRound(BandTop(window) * XPixelsPerPoint())); }

// The real pointer, driven by xdotool and confirmed by the windows' own motion events.
class TPointer : public QObject {
 public:
  TPointer() { qApp->installEventFilter(this); }

  // Moves the pointer over the point of widget (in its coordinates) and waits until the
  // widget's window reports it there; false when it never does.
  bool MoveTo(QWidget& widget, QPoint point, bool stopWhenCovered = false) {
    QWidget* window = widget.window();
    const QPointF inWindow = widget.mapTo(window, point);
    for (int attempt = 0; attempt < 3; ++attempt) {
      const std::optional<QPoint> origin = OriginOf(*window, attempt > 0 && !seenIn(*window));
      if (!origin) continue;
      const QPoint target = *origin + QPointF(inWindow * XPixelsPerPoint()).toPoint();
      // A move onto the pointer's own place reports nothing: step aside first.
      if (target == at_) moveX(target + QPoint(3, 3));
      reported_.clear();
      moveX(target);
      // Another of the program's windows lies over the point.
      const auto covered = [&] { return reported_.window && !seenIn(*window) && reported_.window->isVisible(); };
      (void)QTest::qWaitFor([&] { return seenAt(*window, inWindow) || (stopWhenCovered && covered()); }, 3000);
      if (stopWhenCovered && covered()) (void)QTest::qWaitFor([&] { return seenAt(*window, inWindow); }, 500);
      if (Tracing())
        fprintf(stderr, "move %s %g,%g: reported %s %g,%g\n", qPrintable(window->objectName()), inWindow.x(), inWindow.y(),
                reported_.window ? qPrintable(reported_.window->objectName()) : "-", reported_.point.x(), reported_.point.y());
      if (seenAt(*window, inWindow)) return true;
      if (stopWhenCovered && covered()) return false;
      // No motion reached the program at all: the compositor had not taken up the pointer yet.
      // Crossing its window's edge makes it look again.
      if (!reported_.window) moveX(QPoint(0, 0));
      // Over the window but beside the point: the window lies where the motion says.
      if (seenIn(*window)) origins_[window] = *origin + QPointF((inWindow - reported_.point) * XPixelsPerPoint()).toPoint();
    }
    return false;
  }

  // Moves there, then presses and releases the left button.
  bool ClickAt(QWidget& widget, QPoint point) {
    return MoveTo(widget, point) && Xdotool({QStringLiteral("click"), QStringLiteral("1")});
  }

  // A click on the first of the points of widget no other window of the program covers.
  bool ClickClear(QWidget& widget, const std::vector<QPoint>& points) {
    for (QPoint point : points)
      if (MoveTo(widget, point, true)) return Xdotool({QStringLiteral("click"), QStringLiteral("1")});
    return false;
  }

  // A point outside the client area, e.g. on the title bar Qt draws: the window's place is
  // confirmed by a move inside it first (at inside), then the pointer goes to offset (in
  // points from the window's client origin) and clicks.
  bool ClickBeside(QWidget& window, QPoint inside, QPoint offset) {
    if (!MoveTo(window, inside)) return false;
    moveX(origins_.value(&window) + QPointF(QPointF(offset) * XPixelsPerPoint()).toPoint());
    return Xdotool({QStringLiteral("click"), QStringLiteral("1")});
  }

  // The window's client origin on the X screen: found in screenshots until two in a row agree,
  // or the place known from earlier moves unless afresh.
  std::optional<QPoint> OriginOf(QWidget& window, bool afresh = false) {
    if (!afresh && origins_.contains(&window)) return origins_.value(&window);
    if (!QTest::qWaitForWindowExposed(&window)) return std::nullopt;
    std::optional<QPoint> found, previous;
    const std::optional<QPoint> hint = origins_.contains(&window) ? std::optional(origins_.value(&window)) : std::nullopt;
    (void)QTest::qWaitFor([&] {
      const QImage shot = BandOf(window);
      const QPoint offset = BandOffset(window);
      const std::optional<QPoint> guess = found ? found : hint;
      previous = found;
      found = FindIn(Screenshot(), shot, Landmarks(shot, 0), guess ? std::optional(*guess + offset) : std::nullopt);
      if (found) *found -= offset;
      return found && found == previous;
    }, 10000);
    if (!found || found != previous) return std::nullopt;
    origins_[&window] = *found;
    if (Tracing()) {
      // What the search saw, to look at when a journey fails.
      Screenshot().save(QDir::temp().filePath(QStringLiteral("wl_%1.png").arg(window.objectName())));
      BandOf(window).save(QDir::temp().filePath(QStringLiteral("wl_%1_band.png").arg(window.objectName())));
      fprintf(stderr, "found %s at %d,%d\n", qPrintable(window.objectName()), found->x(), found->y());
    }
    return found;
  }

  // Waits until the screen no longer shows the window where it was last found.
  bool Gone(QWidget& window) {
    const std::optional<QPoint> origin = origins_.contains(&window) ? std::optional(origins_.value(&window)) : OriginOf(window);
    if (!origin) return true;
    const QImage shot = BandOf(window);
    int absent = 0;  // two screenshots in a row without it
    const bool gone = QTest::qWaitFor([&] {
      absent = LooksLike(Screenshot(), *origin + BandOffset(window), shot, 0) ? 0 : absent + 1;
      return absent >= 2;
    }, 10000);
    origins_.remove(&window);
    return gone;
  }

  // Forgets where the window was (it was hidden, moved or resized).
  void Forget(QWidget& window) { origins_.remove(&window); }

  // The window's client area on the X screen in points, when it is found there.
  std::optional<QRect> PlaceOf(QWidget& window) {
    const std::optional<QPoint> origin = OriginOf(window, true);
    if (!origin) return std::nullopt;
    return QRect((QPointF(*origin) / XPixelsPerPoint()).toPoint(), window.size());
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    // Motion reaches the window first, in its own points.
    if (!watched->isWindowType()) return false;
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
      const QPointF p = event->type() == QEvent::Enter ? static_cast<QEnterEvent*>(event)->position()
                                                       : static_cast<QMouseEvent*>(event)->position();
      reported_ = {static_cast<QWindow*>(watched), p};
    }
    return false;
  }

 private:
  struct Report {
    QPointer<QWindow> window;
    QPointF point;
    void clear() { window = nullptr; }
  };

  void moveX(QPoint x) {
    Xdotool({QStringLiteral("mousemove"), QString::number(x.x()), QString::number(x.y())});
    at_ = x;
  }
  bool seenIn(QWidget& window) const { return reported_.window && reported_.window == window.windowHandle(); }
  bool seenAt(QWidget& window, QPointF point) const {
    const QPointF d = reported_.point - point;
    return seenIn(window) && std::abs(d.x()) <= 1 && std::abs(d.y()) <= 1;
  }

  QHash<QWidget*, QPoint> origins_;  // client origins in X pixels
  Report reported_;
  QPoint at_{-1, -1};  // where xdotool put the pointer last, in X pixels
};

}  // namespace wayland_input
