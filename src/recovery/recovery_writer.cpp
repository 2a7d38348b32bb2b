#include "recovery/recovery_writer.h"

#include <sys/resource.h>
#include <unistd.h>

#include "recovery/recovery_file.h"
#include "recovery/recovery_store.h"
#include "surface/surface_error.h"

namespace {
constexpr int kLowestPriority = 19;  // nice value of the writing thread alone
}  // namespace

TRecoveryWriter::TRecoveryWriter(std::string path) : path_(std::move(path)), thread_([this] { run(); }) {}

TRecoveryWriter::~TRecoveryWriter() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    // A copy not yet written is dropped and one in flight given up; a removal still happens.
    if (request_ == Request::Copy) request_ = Request::None;
    if (request_ != Request::Removal) cancel_ = true;
  }
  wake_.notify_one();
  thread_.join();
}

void TRecoveryWriter::Write(const TBitmap& picture, const std::string& fileName, std::int64_t savedAt) {
  {
    std::lock_guard lock(mutex_);
    request_ = Request::Copy;
    picture_.Assign(picture);
    fileName_ = fileName;
    savedAt_ = savedAt;
  }
  wake_.notify_one();
}

void TRecoveryWriter::Remove() {
  {
    std::lock_guard lock(mutex_);
    request_ = Request::Removal;
    TBitmap none;
    picture_.Swap(none);
    cancel_ = true;
  }
  wake_.notify_one();
}

void TRecoveryWriter::SetResultHandler(TResultHandler handler) {
  std::lock_guard lock(mutex_);
  onResult_ = std::move(handler);
}

void TRecoveryWriter::WaitIdle() {
  std::unique_lock lock(mutex_);
  idle_.wait(lock, [this] { return request_ == Request::None && !busy_; });
}

void TRecoveryWriter::run() {
  // The lowest priority: drawing wins every contest for a processor, yet the copy still moves
  // on a machine kept busy by other programs.
  ::setpriority(PRIO_PROCESS, id_t(::gettid()), kLowestPriority);
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return request_ != Request::None || stopping_; });
    if (request_ == Request::None) return;  // stopping with nothing to do
    const Request request = request_;
    request_ = Request::None;
    TBitmap picture;
    picture.Swap(picture_);
    const std::string fileName = fileName_;
    const std::int64_t savedAt = savedAt_;
    if (request == Request::Removal) cancel_ = false;
    busy_ = true;
    lock.unlock();
    carryOut(request, picture, fileName, savedAt);
    {
      TBitmap none;
      picture.Swap(none);  // the shared pixels are let go before the next request
    }
    lock.lock();
    busy_ = false;
    if (request == Request::Copy && request_ != Request::Removal) cancel_ = false;
    if (request_ == Request::None) idle_.notify_all();
    if (stopping_ && request_ != Request::Removal) return;
  }
}

void TRecoveryWriter::carryOut(Request request, const TBitmap& picture, const std::string& fileName,
                               std::int64_t savedAt) {
  if (request == Request::Removal) {
    TRecoveryStore::Remove(path_);
    return;
  }
  bool givenUp = false;
  const std::optional<std::string> failure = writeCopy(picture, fileName, savedAt, givenUp);
  if (givenUp) return;
  TResultHandler handler;
  {
    std::lock_guard lock(mutex_);
    handler = onResult_;
  }
  if (handler) handler(!failure, failure.value_or(std::string()));
}

std::optional<std::string> TRecoveryWriter::writeCopy(const TBitmap& picture, const std::string& fileName,
                                                      std::int64_t savedAt, bool& givenUp) {
  const std::string folder = path_.substr(0, path_.rfind('/'));
  if (!TRecoveryStore(folder).MakeFolder()) return "フォルダー " + folder + " を作成できません";
  try {
    WriteRecoveryFile(path_, picture, fileName, savedAt, &cancel_);
    ++written_;
  } catch (const ERecoveryCancelled&) {
    givenUp = true;  // a removal or the end of the program came first
  } catch (const ESurfaceError& e) {
    // A full disk or a folder that takes no files: the next change tries again.
    return std::string(e.what());
  }
  return std::nullopt;
}
