#pragma once
// What fractal drawing grows from a committed stroke: the parameter record the settings window
// writes, the walk state the generators share, and the values of one run that the window and
// the main window gather at the moment of the stroke.
#include <array>
#include <cstdint>
#include <functional>

#include "surface/canvas.h"
#include "surface/color.h"
#include "surface/geometry.h"

// The kind of figure grown: the page of the settings window that is showing.
enum class TFractalKind { Tree = 0, Koch = 1, Edit = 2, Repetition = 3 };

struct TFractalParams {
  std::int8_t levelCount = 0;   // levels below the stroke; 0: fractal drawing is off
  std::int8_t branchCount = 0;  // children of every segment
  std::int8_t randomness = 0;   // 0..10, bound of the tree's random additions
  std::int8_t spreadAngle = 0;  // 0..90 degrees, half the angle between neighbouring branches
  float ratio = 0;              // the tree's shrink ratio, or the Koch peak's width
  float peakHeight = 0;         // the Koch peak's height as a fraction of the segment
  // 0..5: pen colours of generated levels 1..6; 6..11: their brush colours.
  std::array<TColor, 12> levelColors{};
};

// A segment from (x0, y0) to (x1, y1) in picture pixels.
struct TFractalSegment {
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

// The walk without recursion: seg[1] is the stroke, seg[d + 1] the child of seg[d] being made;
// childIndex[d] counts the children of the level-d segment made so far.
struct TFractalWalk {
  std::array<TFractalSegment, 8> seg{};
  std::array<int, 11> childIndex{};
  std::int8_t level = 1;
  // Ready for the next stroke: level 1, every counter 0.
  void Reset() {
    childIndex.fill(0);
    level = 1;
  }
};

// One child line of the edit kind's motif: where its ends lie relative to the reference line,
// as the editor stores them (whole pixels and degrees) and in units of the reference line.
struct TMotifLine {
  int startLen = 0, endLen = 0;
  int startAngle = 0, endAngle = 0;
  float startU = 0, startV = 0, endU = 0, endV = 0;
};

// The repetition kind's values: copies and the shifts of start and end point per copy.
struct TRepetition {
  int copies = 20;
  int sx1 = 1, sy1 = 1, sx2 = -1, sy2 = -1;
};

// Everything one run reads besides the record and the walk.
struct TFractalRun {
  TFractalKind kind = TFractalKind::Tree;
  bool drawParent = true;     // the settings window's "親" box: the stroke stays in the result
  bool autoColor = false;     // the level colours of the shown page's strip are used
  bool autoThin = false;      // the tree's branches thin out level by level
  int thinDegree = 4;         // 1..9
  int penWidth = 1;           // the settings' pen width
  TPenMode penMode = pmCopy;  // the stroke's mix mode
  // Re-applies the settings' fill to a canvas whose brush colour changed.
  std::function<void(TCanvas&)> applyFill;
  // Draws the current tool's figure from s to e on the canvas in the mix mode.
  std::function<void(TPoint s, TPoint e, TCanvas& canvas, TPenMode mode)> renderFigure;
  std::array<TMotifLine, 6> motif{};
  TRepetition repetition;
};
