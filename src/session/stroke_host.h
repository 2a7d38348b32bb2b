#pragma once
// What a stroke takes from the window it is drawn in, and what it hands back: the drawing
// settings and modifiers as plain values, and the steps that belong to the window (the colour
// slot, the region menu, the busy cursor, the fractal drawing).
#include <functional>
#include <string>
#include <vector>

#include "draw/drawing_settings.h"
#include "surface/geometry.h"

// The mouse buttons of the stroke protocol.
enum TMouseButton : int { mbLeft = 0, mbRight = 1, mbMiddle = 2 };

// The drawing modifiers: the press starts at the last stroke's start (origin) or end
// (continuation), point symmetry mirrors the start through the first press, and the fixed
// angle keeps the pointer on a line through the start.
struct TStrokeModifiers {
  bool fromOrigin = false;
  bool continuation = false;
  bool pointSymmetry = false;
  bool fixAngle = false;
  int fixedAngle = 45;  // degrees 0..90
};

// The settings one step of a stroke reads, taken when the step begins.
struct TStrokeSettings {
  TDrawingSettings drawing;
  int ppi = kPixelsPerInch;  // screen pixels per inch, for font sizes
  TStrokeModifiers modifiers;
};

class TStrokeHost {
 public:
  virtual TStrokeSettings StrokeSettings() const = 0;
  // The lines the text tools write, read afresh for every drawing.
  virtual std::vector<std::string> TextLines() const = 0;
  // A stroke began with button: the active colour slot follows it.
  virtual void StrokeButtonChosen(TMouseButton button) = 0;
  // The eyedropper's colour under the pointer.
  virtual void ColorPicked(TColor c) = 0;
  // Region editing's second press chose the rectangle with corners a and b.
  virtual void RegionCompleted(TPoint a, TPoint b, TMouseButton button) = 0;
  // A press or release of another button undid the stroke: the picture is the snapshot again.
  virtual void StrokeUndone() = 0;
  // Runs long work (the angled paste) under a busy cursor.
  virtual void RunBusy(const std::function<void()>& work) = 0;
  // Every second press: the fractal walk's first segment is start-previous; generate is true
  // when the figure starts a fractal and the press is made with the stroke's own button.
  virtual void StrokeCommitted(TPoint start, TPoint previous, bool generate) = 0;

 protected:
  ~TStrokeHost() = default;
};
