#pragma once
// What the main window tells about its picture, for whoever keeps a copy of unsaved work.
class TDocumentWatcher {
 public:
  // Pixels, size or format of the picture changed (drawing, Undo, a paste, an operation).
  virtual void DocumentChanged() = 0;
  // The picture is what its file holds, or a new picture: after Open, New and Save.
  virtual void DocumentClean() = 0;

 protected:
  ~TDocumentWatcher() = default;
};
