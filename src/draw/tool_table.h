#pragma once
// What the stroke protocol needs to know of each tool (1..18) or of the figure selected for it.
// Tools: 1 freehand, 2 line, 3 ellipse, 4 triangle, 5 rectangle, 6 rounded rectangle, 7 N-gon,
// 8 other shape, 9 area fill, 10 eyedropper, 11 spray, 12 region editing, 13 paste,
// 14 repeated paste, 15 paste at any size, 16 paste at any angle, 17 text, 18 angled text.
// The figure a tool draws carries the same number.
enum TToolNumber : int {
  kToolFreehand = 1, kToolLine, kToolEllipse, kToolTriangle, kToolRectangle, kToolRoundRect, kToolPolygon,
  kToolOtherShape, kToolAreaFill, kToolEyedropper, kToolSpray, kToolRegion, kToolPaste, kToolRepeatedPaste,
  kToolSizedPaste, kToolAngledPaste, kToolText, kToolAngledText
};

inline constexpr int kToolCount = 18;

// Origin lock, continuous drawing and point symmetry apply: 2..8, 12, 15, 16 and 18.
bool ToolTakesModifiers(int tool);

// The four paste tools, which draw the paste buffer: 13..16.
bool ToolPastesBuffer(int tool);

// The first press copies the picture into the undo snapshot: every figure but the eyedropper
// (10) and region editing (12), which do not change the picture.
bool FigureTakesSnapshot(int figure);

// Moves restore the picture from the snapshot and draw the figure itself as the preview
// (13, 15, 17, 18); the other figures draw an inverted preview and invert it away again.
bool FigurePreviewsOverSnapshot(int figure);

// A completed two-click figure that fractal drawing takes as its first segment: 2..8.
bool FigureStartsFractal(int figure);
