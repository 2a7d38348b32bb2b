#pragma once
// What the settings panel needs from the main window that holds it.
#include <QString>

class TBitmap;

class TPstateHost {
 public:
  virtual ~TPstateHost() = default;
  // The canvas document: its canvas takes the text font and the stroke settings.
  virtual TBitmap& DocumentPicture() = 0;
  // Its Transparent flag and colour follow the pen mode and the stroke's brush colour.
  virtual TBitmap& PasteBuffer() = 0;
  // The pattern of fill setting 8; it must live as long as the panel.
  virtual const TBitmap& BrushPattern() = 0;
  // The "mouse" (100x50, two frames) and "pensize" (50x18) pictures.
  virtual const TBitmap& MousePicture() = 0;
  virtual const TBitmap& PenSizePicture() = 0;
  // The status hint area (Label4).
  virtual void ShowHint(const QString& hint) = 0;
  // The canvas document's font was rebuilt from the font box and style boxes; the tool
  // palette's text memo takes it (at size 12, in black).
  virtual void TextFontChanged() = 0;
};
