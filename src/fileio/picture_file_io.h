#pragma once
// Whole-file reads and safe whole-file writes for the picture codecs.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A file's bytes mapped into memory read-only: pages are read as a decoder touches them, so a
// huge file costs only the parts that are looked at. Throws ESurfaceError "ファイル %s は開けません"
// (the path in place of %s) when it cannot be opened or mapped.
class TMappedFile {
 public:
  explicit TMappedFile(const std::string& path);
  ~TMappedFile();
  TMappedFile(const TMappedFile&) = delete;
  TMappedFile& operator=(const TMappedFile&) = delete;
  const std::uint8_t* data() const { return data_; }
  std::size_t size() const { return size_; }

 private:
  const std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
  void* mapping_ = nullptr;
};

// The bytes of a (small) file as a copy, with the errors of TMappedFile.
std::vector<std::uint8_t> ReadWholeFile(const std::string& path);

// Replaces the file at path with size bytes: they are written to a new file in the same
// folder, which is then renamed over the target, so the old file stays whole if anything
// fails (a full disk, a file-size limit: the temporary file is removed). An existing target's
// permissions are kept; a symbolic link is followed and stays a link; a write-protected file
// is not replaced. Throws ESurfaceError "ファイル %s を作成できません" when the file cannot
// be written.
void WriteFileSafely(const std::string& path, const std::uint8_t* data, std::size_t size);

// The same for a file produced piece by piece: produce hands every piece, in order, to the sink
// it is given, so large pictures are written without a copy of the whole file in memory. An
// exception from produce removes the temporary file and passes on.
using ByteSink = std::function<void(const std::uint8_t* data, std::size_t size)>;
void WriteFileSafely(const std::string& path, const std::function<void(const ByteSink&)>& produce);
