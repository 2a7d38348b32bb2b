#pragma once
// Which source pixel each destination pixel of a stretched copy takes, one axis at a time.
//
// Extents are signed: a start X with extent W > 0 covers X..X+W-1, and with W < 0 it covers
// X+W+1..X, counted from X downwards (so a negative extent mirrors). Destination pixel number d
// (0-based, counted in the destination's direction) takes source pixel number s (counted in the
// source's direction), with S = |source extent| and D = |destination extent|:
//   enlarging (D >= S), either axis:  s = ceil((2d+1)S / 2D) - 1
//   shrinking columns (D < S):        s = floor(((d+1)S - ceil(D/2)) / D), but S-2 for D = 1
//   shrinking rows (D < S):           s = floor((dS + floor(D/2)) / D)
// Enlarging takes the source pixel under the destination pixel's centre; shrinking keeps the
// later columns but the earlier rows. This is the sampling of the classic colour-on-colour
// stretch, so pictures scale exactly as they always have.
#include <vector>

enum class StretchAxis { Columns, Rows };

// Source pixel number for destination pixel number d. Requires S >= 1, D >= 1, 0 <= d < D.
long long StretchSample(StretchAxis axis, long long d, long long S, long long D);

// Source coordinates of a run of destination coordinates First() .. End()-1.
class AxisMap {
 public:
  // Destination start/extent and source start/extent as above. Only destination coordinates in
  // [clipLo, clipHi) whose source coordinate lies in [0, sourceSize) are kept; they form one run
  // because the sampling is monotonic. A sourceSize < 0 keeps every source coordinate.
  AxisMap(StretchAxis axis, int destStart, int destExtent, int srcStart, int srcExtent, int clipLo,
          int clipHi, int sourceSize);

  int First() const { return first_; }
  int End() const { return first_ + Count(); }
  int Count() const { return int(source_.size()); }
  bool Empty() const { return source_.empty(); }
  // Source coordinate of destination coordinate First() + i.
  int operator[](int i) const { return source_[i]; }
  const int* Data() const { return source_.data(); }
  // Smallest and largest source coordinate used. Require !Empty().
  int SourceMin() const;
  int SourceMax() const;
  // True when destination First() + i takes source (*this)[0] + i throughout (a plain 1:1 copy).
  bool Straight() const { return straight_; }
  // Moves every source coordinate by -offset (for a source read from a copy of part of it).
  void ShiftSource(int offset);

 private:
  int first_ = 0;
  std::vector<int> source_;
  bool straight_ = false;
};
