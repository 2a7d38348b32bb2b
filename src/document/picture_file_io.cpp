#include "document/picture_file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <new>

#include "surface/surface_error.h"

namespace {

[[noreturn]] void cannotOpen(const std::string& path) { throw ESurfaceError("ファイル " + path + " は開けません"); }
[[noreturn]] void cannotCreate(const std::string& path) {
  throw ESurfaceError("ファイル " + path + " を作成できません");
}

// Closes a descriptor when the scope ends, whatever happens.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  // Closes now and reports whether the close succeeded (a write error can surface only here).
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool writeAll(int fd, const std::uint8_t* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= std::size_t(n);
  }
  return true;
}

// A new file beside path, created with the usual permissions (0666 less the umask); the name
// is returned in tempPath. Returns -1 when the folder does not take new files.
int createTemporary(const std::string& path, std::string& tempPath) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    tempPath = path + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Gathers small pieces into large writes; after a failed write it ignores the rest.
class BufferedWriter {
 public:
  explicit BufferedWriter(int fd) : fd_(fd) { buffer_.reserve(kBufferBytes); }
  void Put(const std::uint8_t* data, std::size_t size) {
    if (buffer_.size() + size > kBufferBytes) flush();
    if (size >= kBufferBytes)
      ok_ = ok_ && writeAll(fd_, data, size);
    else
      buffer_.insert(buffer_.end(), data, data + size);
  }
  bool Finish() {
    flush();
    return ok_;
  }

 private:
  static constexpr std::size_t kBufferBytes = std::size_t(1) << 20;
  void flush() {
    ok_ = ok_ && writeAll(fd_, buffer_.data(), buffer_.size());
    buffer_.clear();
  }
  int fd_;
  bool ok_ = true;
  std::vector<std::uint8_t> buffer_;
};

// Fills, flushes to disk and closes the temporary file; false on any failure.
bool fillTemporary(FileDescriptor& fd, const std::string& path, const std::function<void(const ByteSink&)>& produce) {
  struct stat old {};
  if (::stat(path.c_str(), &old) == 0 && ::fchmod(fd.get(), old.st_mode & 07777) != 0) return false;
  BufferedWriter writer(fd.get());
  produce([&writer](const std::uint8_t* data, std::size_t size) { writer.Put(data, size); });
  if (!writer.Finish() || ::fsync(fd.get()) != 0) return false;
  return fd.Close();
}

}  // namespace

std::vector<std::uint8_t> ReadWholeFile(const std::string& path) {
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  struct stat info {};
  if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) cannotOpen(path);
  std::vector<std::uint8_t> bytes;
  try {
    bytes.resize(std::size_t(info.st_size));
  } catch (const std::bad_alloc&) {
    throw EOutOfResources("メモリが不足しています");
  } catch (const std::length_error&) {
    throw EOutOfResources("メモリが不足しています");
  }
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::read(fd.get(), bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) cannotOpen(path);
    if (n == 0) break;  // the file shrank while being read
    done += std::size_t(n);
  }
  bytes.resize(done);
  return bytes;
}

void WriteFileSafely(const std::string& path, const std::uint8_t* data, std::size_t size) {
  WriteFileSafely(path, [&](const ByteSink& sink) { sink(data, size); });
}

void WriteFileSafely(const std::string& path, const std::function<void(const ByteSink&)>& produce) {
  std::string tempPath;
  FileDescriptor fd(createTemporary(path, tempPath));
  if (fd.get() < 0) cannotCreate(path);
  bool written = false;
  try {
    written = fillTemporary(fd, path, produce) && ::rename(tempPath.c_str(), path.c_str()) == 0;
  } catch (...) {
    ::unlink(tempPath.c_str());
    throw;
  }
  if (!written) {
    ::unlink(tempPath.c_str());
    cannotCreate(path);
  }
}
