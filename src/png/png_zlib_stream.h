#pragma once
// The image data of a PNG file as one zlib stream, compressed from a whole buffer. A large
// buffer is cut into bands that are compressed at the same time on every core and joined into
// one standard stream; readers see no difference but the speed of writing.
#include <cstddef>
#include <cstdint>
#include <vector>

// The compressor's level for a zlib level 1..9 (the program's settings use 1, 6 and 9). Chosen
// by measurement on photographs, noise and drawings so that files come out no larger than
// zlib's at the same level, or within half a percent on noise-like pictures.
int CompressorLevelOf(int zlibLevel);

// A zlib stream of data[0, size) with the header zlib itself writes for zlibLevel (1..9): the
// same first two bytes as before, a deflate body, the Adler-32 of data. Raises DEZOZIR "Write
// Image (PNG): Write Error" when the compressor cannot be set up. bands 0 lets the size and
// the number of cores decide; tests name a number.
std::vector<std::uint8_t> CompressZlibStream(const std::uint8_t* data, std::size_t size, int zlibLevel,
                                             std::size_t bands = 0);
