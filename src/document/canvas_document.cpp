#include "document/canvas_document.h"

#include <algorithm>

#include "language/translatable.h"
#include "surface/canvas.h"

TCanvasDocument::TCanvasDocument() : picture_(200, 200, pf32bit) {
  picture_.Canvas().Brush.Color = clWhite;
  picture_.Canvas().FillRect(picture_.BoundsRect());
  TakeSnapshot();
}

void TCanvasDocument::TakeSnapshot() { snapshot_.Assign(picture_); }

void TCanvasDocument::ExchangeWithSnapshot() { picture_.Swap(snapshot_); }

void TCanvasDocument::ReplaceWithNewPicture(int width, int height, TPixelFormat format) {
  TBitmap fresh(std::max(width, 1), std::max(height, 1), format);
  // A new bitmap is uniform, so painting it all white gives what a surface flood fill from
  // its corner gives.
  fresh.Canvas().Brush.Color = clWhite;
  fresh.Canvas().FillRect(fresh.BoundsRect());
  picture_.Swap(fresh);
  FileName.clear();
  TakeSnapshot();
}

std::string FileNamePart(const std::string& path) {
  auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string MainCaption(const std::string& name, const std::string& formatText) {
  return "Zudozo  " + name + ":" + formatText;
}

TCoreMessage SaveHint(const std::string& fileName) {
  return {TRANSLATABLE("Hint", " 「%1」に上書き保存"), {FileNamePart(fileName)}};
}
