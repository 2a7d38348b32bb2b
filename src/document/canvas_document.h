#pragma once
// The picture being edited and the program-wide bitmaps around it: the one-level undo
// snapshot, the paste buffer and the brush pattern, with the current file name and the pixel
// format chosen for new pictures.
#include <string>

#include "language/core_message.h"
#include "surface/bitmap.h"

class TCanvasDocument {
 public:
  // The start picture: 200 x 200, 32 bits, white, and a snapshot equal to it.
  TCanvasDocument();

  TBitmap& Picture() { return picture_; }
  const TBitmap& Picture() const { return picture_; }
  // Always a complete earlier state of the picture (its own size and format).
  TBitmap& UndoSnapshot() { return snapshot_; }
  const TBitmap& UndoSnapshot() const { return snapshot_; }
  TBitmap& PasteBuffer() { return pasteBuffer_; }
  // The 8x8 pattern of the pattern fill, and the backgrounds of the pen indicators (the
  // "brush", "mouse" and "pensize" resource pictures, loaded at start-up).
  TBitmap& BrushPattern() { return brushPattern_; }
  TBitmap& MousePicture() { return mousePicture_; }
  TBitmap& PenSizePicture() { return penSizePicture_; }

  // Full path of the file the picture came from or was last saved to; empty for a new one.
  std::string FileName;
  // The format of the next new picture (and of whole pastes and the zoom view).
  TPixelFormat ChosenFormat = pf32bit;

  // The snapshot becomes a copy of the picture. Pixels are shared until either side is drawn
  // on, so this costs nothing until the stroke's first pixel.
  void TakeSnapshot();
  // Undo: picture and snapshot change places, so a second call undoes the first. No pixel
  // is copied.
  void ExchangeWithSnapshot();
  // New: the picture becomes a white one of this format and size, the file name is cleared
  // and the snapshot equals the new picture. Sizes below 1 count as 1; a size the program
  // cannot hold raises EOutOfResources and leaves everything as it was.
  void ReplaceWithNewPicture(int width, int height, TPixelFormat format);

 private:
  TBitmap picture_;
  TBitmap snapshot_;
  TBitmap pasteBuffer_;
  TBitmap brushPattern_;
  TBitmap mousePicture_;
  TBitmap penSizePicture_;
};

// The file name without its folder ("b.png" from "/home/u/b.png").
std::string FileNamePart(const std::string& path);
// The main window's caption: "Zudozo  " (two spaces), the name, ":" and the format text.
std::string MainCaption(const std::string& name, const std::string& formatText);
// The Save button's hint for a file: " 「" name "」に上書き保存", the name without folder.
TCoreMessage SaveHint(const std::string& fileName);
