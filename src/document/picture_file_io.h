#pragma once
// Whole-file reads and safe whole-file writes for the picture codecs.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The bytes of the file at path. Throws ESurfaceError "ファイル %s は開けません" (the path in
// place of %s) when it cannot be opened or read, EOutOfResources when it does not fit in memory.
std::vector<std::uint8_t> ReadWholeFile(const std::string& path);

// Replaces the file at path with size bytes: they are written to a new file in the same
// folder, which is then renamed over the target, so the old file stays whole if anything
// fails. An existing target's permissions are kept. Throws ESurfaceError
// "ファイル %s を作成できません" when the file cannot be written.
void WriteFileSafely(const std::string& path, const std::uint8_t* data, std::size_t size);

// The same for a file produced piece by piece: produce hands every piece, in order, to the sink
// it is given, so large pictures are written without a copy of the whole file in memory. An
// exception from produce removes the temporary file and passes on.
using ByteSink = std::function<void(const std::uint8_t* data, std::size_t size)>;
void WriteFileSafely(const std::string& path, const std::function<void(const ByteSink&)>& produce);
