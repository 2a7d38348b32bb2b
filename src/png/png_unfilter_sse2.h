#pragma once
// Row filters undone with SSE2, which every x86-64 processor has: the Up filter sixteen bytes
// at a time, and Sub, Average and Paeth for 3- and 4-byte pixels (8-bit RGB and RGBA, the bulk
// of photographs) one whole pixel per step instead of byte by byte. Each pixel depends on the
// one before it, so wider vectors (AVX2) would only hold more idle lanes.
#include <cstddef>
#include <cstdint>

// Undoes filter 1..4 on row[0, bytes) against prev with step-byte pixels, as UnfilterPngRow;
// returns false, touching nothing, for the cases it has no vector path for.
bool UnfilterPngRowSse2(std::uint8_t filter, std::uint8_t* row, const std::uint8_t* prev, std::size_t bytes, int step);
