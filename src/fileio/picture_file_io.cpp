#include "fileio/picture_file_io.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <mutex>
#include <new>

#include "surface/surface_error.h"
#include "language/translatable.h"

namespace {

[[noreturn]] void cannotOpen(const std::string& path) { throw ESurfaceError(TCoreMessage{TRANSLATABLE("Error", "ファイル %1 は開けません"), {path}}); }
[[noreturn]] void cannotCreate(const std::string& path) {
  throw ESurfaceError(TCoreMessage{TRANSLATABLE("Error", "ファイル %1 を作成できません"), {path}});
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

// The file a path names once symbolic links are followed, so that saving onto a link writes the
// file it points to and leaves the link a link. A link that points nowhere names the file to
// be made; a chain of links that never ends is left as it is (the write then fails).
std::string followLinks(std::string path) {
  for (int depth = 0; depth < 40; ++depth) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    std::string target(std::size_t(info.st_size > 0 ? info.st_size : 4096) + 1, '\0');
    const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
    if (n < 0 || std::size_t(n) >= target.size()) return path;
    target.resize(std::size_t(n));
    if (target.front() != '/') {
      const std::size_t slash = path.rfind('/');
      if (slash != std::string::npos) target = path.substr(0, slash + 1) + target;
    }
    path = target;
  }
  return path;
}

// An existing file that nobody may write to is not replaced, even by a user (root) whom the
// system would let rename over it.
bool writeProtected(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return false;
  return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0;
}

// A file-size limit must make a write fail with EFBIG, not end the program.
void ignoreFileSizeSignal() {
  static std::once_flag once;
  std::call_once(once, [] { std::signal(SIGXFSZ, SIG_IGN); });
}

}  // namespace

TMappedFile::TMappedFile(const std::string& path) {
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  struct stat info {};
  if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) cannotOpen(path);
  size_ = std::size_t(info.st_size);
  if (size_ == 0) return;
  mapping_ = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE | MAP_NORESERVE, fd.get(), 0);
  if (mapping_ == MAP_FAILED) {
    mapping_ = nullptr;
    cannotOpen(path);
  }
  data_ = static_cast<const std::uint8_t*>(mapping_);
}

TMappedFile::~TMappedFile() {
  if (mapping_) ::munmap(mapping_, size_);
}

std::vector<std::uint8_t> ReadWholeFile(const std::string& path) {
  const TMappedFile file(path);
  return std::vector<std::uint8_t>(file.data(), file.data() + file.size());
}

void WriteFileSafely(const std::string& path, const std::uint8_t* data, std::size_t size) {
  WriteFileSafely(path, [&](const ByteSink& sink) { sink(data, size); });
}

void WriteFileSafely(const std::string& shownPath, const std::function<void(const ByteSink&)>& produce) {
  ignoreFileSizeSignal();
  const std::string path = followLinks(shownPath);
  if (writeProtected(path)) cannotCreate(shownPath);
  std::string tempPath;
  FileDescriptor fd(createTemporary(path, tempPath));
  if (fd.get() < 0) cannotCreate(shownPath);
  bool written = false;
  try {
    written = fillTemporary(fd, path, produce) && ::rename(tempPath.c_str(), path.c_str()) == 0;
  } catch (...) {
    ::unlink(tempPath.c_str());
    throw;
  }
  if (!written) {
    ::unlink(tempPath.c_str());
    cannotCreate(shownPath);
  }
}
