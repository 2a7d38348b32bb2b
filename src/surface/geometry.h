#pragma once
// Points and rectangles. A rectangle's Right and Bottom are one past its last pixel.

struct TPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

inline TPoint Point(int x, int y) { return TPoint{x, y}; }
inline TRect Rect(int l, int t, int r, int b) { return TRect{l, t, r, b}; }

// The rectangle with its corners swapped into order (Left <= Right, Top <= Bottom).
inline TRect NormalizedRect(TRect r) {
  if (r.Left > r.Right) { int t = r.Left; r.Left = r.Right; r.Right = t; }
  if (r.Top > r.Bottom) { int t = r.Top; r.Top = r.Bottom; r.Bottom = t; }
  return r;
}

// The common part of two ordered rectangles (may come out empty).
inline TRect IntersectRect(const TRect& a, const TRect& b) {
  TRect r{a.Left > b.Left ? a.Left : b.Left, a.Top > b.Top ? a.Top : b.Top,
          a.Right < b.Right ? a.Right : b.Right, a.Bottom < b.Bottom ? a.Bottom : b.Bottom};
  if (r.Right < r.Left) r.Right = r.Left;
  if (r.Bottom < r.Top) r.Bottom = r.Top;
  return r;
}
