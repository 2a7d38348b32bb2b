#include "surface/stretch_map.h"

#include <algorithm>

long long StretchSample(StretchAxis axis, long long d, long long S, long long D) {
  if (D >= S) return ((2 * d + 1) * S + 2 * D - 1) / (2 * D) - 1;  // ceil(a / b) = (a + b - 1) / b
  if (axis == StretchAxis::Rows) return (d * S + D / 2) / D;
  if (D == 1) return S - 2;
  return ((d + 1) * S - (D + 1) / 2) / D;
}

AxisMap::AxisMap(StretchAxis axis, int destStart, int destExtent, int srcStart, int srcExtent,
                 int clipLo, int clipHi, int sourceSize) {
  if (destExtent == 0 || srcExtent == 0) return;
  const long long X = destStart, D = destExtent > 0 ? destExtent : -(long long)destExtent;
  const long long S = srcExtent > 0 ? srcExtent : -(long long)srcExtent;
  const long long lo = std::max<long long>(destExtent > 0 ? X : X - D + 1, clipLo);
  const long long hi = std::min<long long>(destExtent > 0 ? X + D : X + 1, clipHi);
  for (long long dx = lo; dx < hi; ++dx) {
    const long long d = destExtent > 0 ? dx - X : X - dx;
    const long long s = StretchSample(axis, d, S, D);
    const long long sx = srcExtent > 0 ? srcStart + s : srcStart - s;
    if (sourceSize >= 0 && (sx < 0 || sx >= sourceSize)) {
      if (source_.empty()) continue;  // not yet inside the source
      break;                          // past it: monotonic, so nothing further comes back
    }
    if (source_.empty()) first_ = int(dx);
    source_.push_back(int(sx));
  }
  straight_ = true;
  for (int i = 1; i < Count() && straight_; ++i) straight_ = source_[i] == source_[0] + i;
}

int AxisMap::SourceMin() const { return std::min(source_.front(), source_.back()); }
int AxisMap::SourceMax() const { return std::max(source_.front(), source_.back()); }

void AxisMap::ShiftSource(int offset) {
  for (int& s : source_) s -= offset;
}
