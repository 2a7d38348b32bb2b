#pragma once
// What the fractal settings window needs from the main window that holds the drawing state.
#include <QCursor>
#include <QString>

#include "surface/color.h"

class TFractalHost {
 public:
  virtual ~TFractalHost() = default;
  // The status hint area (Label4).
  virtual void ShowHint(const QString& hint) = 0;
  // The drawing colours of the settings panel, and setting both (the panel shows them).
  virtual TColor LeftColor() const = 0;
  virtual TColor RightColor() const = 0;
  virtual void SetDrawingColors(TColor left, TColor right) = 0;
  // The help page of a keyword.
  virtual void ShowHelpKeyword(const QString& keyword) = 0;
  // The line tool's cursor, shown over the motif editor.
  virtual QCursor LineToolCursor() const = 0;
  // The window's close box: fractal drawing goes off.
  virtual void FractalWindowClosed() = 0;
};
