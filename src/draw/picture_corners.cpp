#include "draw/picture_corners.h"

TPoint PictureCorner(int index, int w, int h) {
  const TPoint corners[kPictureCornerCount] = {{0, 0},     {w - 1, 0},     {w, 0}, {0, h - 1},
                                               {0, h},     {w - 1, h - 1}, {w, h}};
  return corners[index];
}
