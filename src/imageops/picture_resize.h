#pragma once
// Scaling the whole picture by a percentage.
#include <string>

class TBitmap;

struct TPictureSize {
  int width = 0;
  int height = 0;
};

// The size at percent of (width, height): each side percent * side / 100, truncated, but at
// least 1 pixel, so that a small picture shrunk far is still a picture to draw on.
TPictureSize ScaledSize(int percent, int width, int height);

// The resize dialog's preview text: "200x200→100x100".
std::string ResizePreviewText(int oldWidth, int oldHeight, const TPictureSize& scaled);

// Replaces picture by itself drawn into size (pixels sampled, not blended), keeping its pixel
// format. A size the program cannot hold raises EOutOfResources before anything is allocated,
// and the picture stays as it was.
void ResizePicture(TBitmap& picture, const TPictureSize& size);
