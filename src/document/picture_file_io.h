#pragma once
// Whole-file reads and safe whole-file writes for the picture codecs.
#include <cstdint>
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
