#pragma once
// The image data inflated in one go instead of row by row, which is several times faster, in
// room that follows the picture's own rows. The filtered rows go to the end of that room and
// the compressed bytes, when they have to be gathered from several chunks or from a file, just
// before them:
//
//   | picture rows ...                  | scratch        |
//   |        ... | compressed | filtered rows            |
//
// When the rows are converted in order from the top, each picture row ends before the next
// filtered row starts (a picture row is at most as wide, or the room holds the difference), so
// the filtered rows may overlap the picture and the scratch stays small. Where whole inflation
// would need more memory than a fixed allowance, or the compressed bytes could never fill the
// rows, or the data are anything but one complete zlib stream of exactly the image's size, the
// decoder streams the rows as before, so files decode to the same pixels and errors either way.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "png/png_byte_reader.h"

class PngWholeInflate {
 public:
  // The scratch allowance: with it a 4000 x 4000 photograph opens with well under 30 MB on top
  // of its picture, while data that compress poorly, which gain least, are streamed.
  static constexpr std::size_t kScratchAllowance = std::size_t(24) << 20;

  // Walks the run of IDAT chunks whose first one's data start at the reader's position with
  // chunkLeft bytes, and puts the reader back there. filteredBytes is the size of the inflated
  // image data, pictureBytes that of the picture's rows; rowsInOrder tells that the rows are
  // converted from the top down, one after the other (not interlaced).
  PngWholeInflate(PngByteReader& in, std::uint32_t chunkLeft, std::size_t filteredBytes, std::size_t pictureBytes,
                  bool rowsInOrder);

  // The scratch bytes the picture needs after its rows, or nothing when the rows are to be
  // streamed.
  std::optional<std::size_t> Scratch() const { return scratch_; }

  // Inflates into the room from pictureRows, which holds the picture and Scratch() bytes.
  // Returns the filtered rows and leaves the reader and chunkLeft where the zlib stream ended,
  // as streaming would have; or returns null and leaves both as they were.
  const std::uint8_t* Inflate(std::uint8_t* pictureRows, std::uint32_t& chunkLeft);

 private:
  struct Piece {
    std::uint64_t at;      // where the chunk's data start
    std::uint64_t held;    // of them present in the data
    std::uint32_t length;  // as the chunk's header gives it
  };

  void walk(std::uint32_t chunkLeft, std::uint64_t enough);
  const std::uint8_t* gather(std::uint8_t* room);
  void seekAfter(std::size_t consumed, std::uint32_t& chunkLeft);

  PngByteReader& in_;
  const std::uint64_t start_;
  const std::size_t filteredBytes_;
  const std::size_t pictureBytes_;
  std::vector<Piece> pieces_;
  std::uint64_t compressedBytes_ = 0;
  bool inPlace_ = false;  // one chunk in memory: inflated where it lies
  std::optional<std::size_t> scratch_;
};
