#pragma once
// The worker that writes a program's recovery copy, so the drawing never waits for the
// compression or the disk. It keeps only the newest request: a copy asked for while another
// is being written follows it, one asked for before the worker got to the previous replaces
// it, and a removal cancels a copy in flight, so a late write can never bring back a copy that
// was removed. All file work for the copy happens on this one thread, in order.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "surface/bitmap.h"

class TRecoveryWriter {
 public:
  // path: the copy's file; its folder is made when the first copy is written.
  explicit TRecoveryWriter(std::string path);
  // Cancels a copy in flight, carries out a removal still waiting, and ends the thread.
  ~TRecoveryWriter();
  TRecoveryWriter(const TRecoveryWriter&) = delete;
  TRecoveryWriter& operator=(const TRecoveryWriter&) = delete;

  const std::string& Path() const { return path_; }
  // Writes a copy of picture. The pixels are shared, not copied: the picture's next drawing
  // makes its own pixels while the worker still reads these (copy on write).
  void Write(const TBitmap& picture, const std::string& fileName, std::int64_t savedAt);
  // Removes the copy.
  void Remove();
  // Waits until every request so far has been carried out.
  void WaitIdle();
  // Called on the worker's thread after every copy that was not given up: whether it was
  // written, and why not (the folder or the file could not be made). Set before the first Write.
  using TResultHandler = std::function<void(bool written, const std::string& why)>;
  void SetResultHandler(TResultHandler handler);
  // Copies written so far (for tests and benchmarks).
  int CopiesWritten() const { return written_.load(); }

 private:
  enum class Request { None, Copy, Removal };
  void run();
  void carryOut(Request request, const TBitmap& picture, const std::string& fileName, std::int64_t savedAt);
  // Writes the copy; false with the reason when it could not be written, nothing when given up.
  std::optional<std::string> writeCopy(const TBitmap& picture, const std::string& fileName, std::int64_t savedAt,
                                       bool& givenUp);

  const std::string path_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable idle_;
  Request request_ = Request::None;
  TBitmap picture_;
  std::string fileName_;
  std::int64_t savedAt_ = 0;
  bool busy_ = false;
  bool stopping_ = false;
  std::atomic<bool> cancel_{false};
  std::atomic<int> written_{0};
  TResultHandler onResult_;
  std::thread thread_;
};
