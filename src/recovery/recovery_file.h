#pragma once
// The recovery copy's file: what the program keeps of an unsaved picture so that a crash, a
// killed session or a power cut does not lose it.
//
// Layout (all numbers little-endian):
//   "ZUDOZORC" | version u32 | width u32 | height u32 | pixel format u32 | transparent u32 |
//   transparent colour u32 | palette count u32 | palette entries u32 each |
//   file name length u32 | file name (UTF-8) | saved at i64 (seconds since 1970, UTC) |
//   payload size u64 | payload CRC-32 u32 | header CRC-32 u32 (of every byte before it) |
//   payload: the rows as the bitmap stores them (stride included), one zstd frame.
// Raw rows through zstd at level 1 write a 4000 x 4000 drawing about five times faster than the
// PNG encoder at its fastest level, and a photograph still a little faster
// (bench/recovery_ui_bench.cpp).
#include <atomic>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "surface/bitmap.h"

// A recovery file that is damaged or cut short; the message says what is wrong.
class ERecoveryDamaged : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Raised by EncodeRecoveryCopy when asked to stop.
class ERecoveryCancelled : public std::runtime_error {
 public:
  ERecoveryCancelled() : std::runtime_error("cancelled") {}
};

struct TRecoveryCopy {
  TBitmap picture;        // size, pixel format, palette, pixels, transparency
  std::string fileName;   // the picture's current file name; empty for a new picture
  std::int64_t savedAt = 0;  // seconds since 1970, UTC
};

// The whole file for a picture. picture is only read. cancel, when given, is looked at
// between pieces of the compression; once true, ERecoveryCancelled is raised.
std::vector<std::uint8_t> EncodeRecoveryCopy(const TBitmap& picture, const std::string& fileName,
                                             std::int64_t savedAt, const std::atomic<bool>* cancel = nullptr);
// Reads data[0, size) with every check: magic, version, sizes, palette, both checksums, the
// payload's exact length, into a fresh copy. Raises ERecoveryDamaged on anything wrong; copy is
// then of no use (a picture read half-way is never taken for the whole).
void DecodeRecoveryCopy(const std::uint8_t* data, std::size_t size, TRecoveryCopy& copy);

// The file versions of the two above. WriteRecoveryFile writes a temporary file and renames it
// over path, so a crash while writing leaves the previous copy whole; it raises ESurfaceError
// when the file cannot be written. ReadRecoveryFile raises ERecoveryDamaged also for a file
// that cannot be read.
void WriteRecoveryFile(const std::string& path, const TBitmap& picture, const std::string& fileName,
                       std::int64_t savedAt, const std::atomic<bool>* cancel = nullptr);
void ReadRecoveryFile(const std::string& path, TRecoveryCopy& copy);
