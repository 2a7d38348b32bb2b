#include "recovery/ui/recovery_scheduler.h"

#include <cstdio>
#include <ctime>

TRecoveryScheduler::TRecoveryScheduler(const TCanvasDocument& document, std::function<bool()> strokeUnderWay,
                                       std::string path, QObject* parent)
    : QObject(parent), document_(document), strokeUnderWay_(std::move(strokeUnderWay)), writer_(std::move(path)) {
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, &TRecoveryScheduler::timeUp);
}

TRecoveryScheduler::~TRecoveryScheduler() { writer_.Remove(); }

void TRecoveryScheduler::DocumentChanged() {
  if (!dueSince_.isValid()) dueSince_.start();
  // Previews of a stroke under way need no new timer at every pointer move: nothing is written
  // before the stroke ends, and its end is a change of its own.
  if (timer_.isActive() && strokeUnderWay_ && strokeUnderWay_()) return;
  // Each change restarts the quiet time, until the oldest unwritten change has waited long
  // enough.
  if (dueSince_.elapsed() < kLongestWaitMs || !timer_.isActive()) timer_.start(kQuietMs);
}

void TRecoveryScheduler::DocumentClean() {
  timer_.stop();
  dueSince_.invalidate();
  writer_.Remove();
}

void TRecoveryScheduler::Adopt(const std::string& leftBehindPath) {
  writer_.WaitIdle();
  std::rename(leftBehindPath.c_str(), Path().c_str());
}

void TRecoveryScheduler::timeUp() {
  if (!dueSince_.isValid()) return;
  if (strokeUnderWay_ && strokeUnderWay_()) {
    timer_.start(kStrokeRetryMs);
    return;
  }
  WriteNow();
}

void TRecoveryScheduler::WriteNow() {
  if (!dueSince_.isValid()) return;
  timer_.stop();
  dueSince_.invalidate();
  writer_.Write(document_.Picture(), document_.FileName, std::int64_t(std::time(nullptr)));
}
