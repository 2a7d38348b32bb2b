#include "recovery/ui/recovery_scheduler.h"

#include <QCoreApplication>

#include <cstdio>
#include <ctime>

TRecoveryScheduler::TRecoveryScheduler(const TCanvasDocument& document, std::function<bool()> strokeUnderWay,
                                       std::function<bool()> unsaved, std::string path, QObject* parent)
    : QObject(parent),
      document_(document),
      strokeUnderWay_(std::move(strokeUnderWay)),
      unsaved_(std::move(unsaved)),
      writer_(std::move(path)) {
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, &TRecoveryScheduler::timeUp);
  // The worker's word comes back to this thread.
  writer_.SetResultHandler([this](bool written, const std::string& why) {
    QMetaObject::invokeMethod(this, [this, written, why] { copyResult(written, why); }, Qt::QueuedConnection);
  });
}

void TRecoveryScheduler::SetReporter(std::function<void(const QString&)> tell) { tell_ = std::move(tell); }

void TRecoveryScheduler::copyResult(bool written, const std::string& why) {
  if (written != failing_) return;  // nothing new to tell
  failing_ = !written;
  const QString text = failing_ ? QCoreApplication::translate("TRecoveryScheduler", "復元用の控えを書き込めないため、保存していない絵は守られていません")
                                  : QCoreApplication::translate("TRecoveryScheduler", "復元用の控えをまた書き込めるようになりました");
  const std::string line = "zudozo: " + text.toStdString() + (why.empty() ? "" : " (" + why + ")") + "\n";
  std::fputs(line.c_str(), stderr);
  if (tell_) tell_(text);
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
  if (unsaved_ && !unsaved_()) {
    DocumentClean();
    return;
  }
  timer_.stop();
  dueSince_.invalidate();
  writer_.Write(document_.Picture(), document_.FileName, std::int64_t(std::time(nullptr)));
}
