#pragma once
// Rows of 32-bit pixels from outside the program (files, libraries) whose fourth byte may hold
// anything: alpha, or 255. Our 32-bit pixels keep that spare byte zero.
#include <cstdint>

// Copies width pixels of 4 bytes from src to dst with the fourth byte of each set to zero. The
// rows may be the same memory; otherwise they must not overlap.
void CopyClearingSpareBytes(const std::uint8_t* src, std::uint8_t* dst, int width);
