#pragma once
// Undoes the five PNG row filters (None, Sub, Up, Average, Paeth).
#include <cstddef>
#include <cstdint>

// Restores row[0, bytes) in place from its filtered bytes, against prev, the restored previous
// row of the same pass (all zero before a pass's first row). step is the filter's pixel
// distance in bytes (1 to 8). Returns false for a filter type above 4, leaving row as it was.
// Uses the processor's vector instructions where it has them.
bool UnfilterPngRow(std::uint8_t filter, std::uint8_t* row, const std::uint8_t* prev, std::size_t bytes, int step);

// The same, one byte at a time: the reference that every faster path must match exactly.
bool UnfilterPngRowScalar(std::uint8_t filter, std::uint8_t* row, const std::uint8_t* prev, std::size_t bytes,
                          int step);
