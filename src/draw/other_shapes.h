#pragma once
// The eight ready-made figures of tool 8, each drawn between a start point (x1, y1) and an end
// point (x2, y2) with the canvas pen, brush and pen mode as the stroke set them. Closed figures
// are filled with the brush; lines and the zigzag use the pen alone. Integer divisions
// truncate toward zero, multiplication first.
#include "draw/drawing_settings.h"
#include "surface/canvas.h"

// The shape parameter p of the routines: 1..9 (the resistor ignores it). The routines divide by
// p and by 11 - p, so they take it in this range only.
inline constexpr TValueRange kOtherShapeParamRange{1, 9};

// The routines in the order of their menu tags 0..7.
enum TOtherShape {
  osArrow = 0,          // "矢印 →"
  osDoubleRect = 1,     // "二重四角 回"
  osDoubleEllipse = 2,  // "二十円 ◎", the start-up choice
  osLoupeCircle = 3,    // "ルーペ ―○"
  osLoupeSquare = 4,    // "ルーペ ―□"
  osResistor = 5,       // "抵抗 /Ｗ"
  osBlockArrow = 6,     // "矢印 ⇒"
  osCross = 7,          // "十字 ×"
};

void DrawDoubleRect(int x1, int y1, int x2, int y2, TCanvas& canvas, int p);
void DrawDoubleEllipse(int x1, int y1, int x2, int y2, TCanvas& canvas, int p);
void DrawArrow(int x1, int y1, int x2, int y2, TCanvas& canvas, int p);
void DrawBlockArrow(int x1, int y1, int x2, int y2, TCanvas& canvas, int p);
void DrawResistor(int x1, int y1, int x2, int y2, TCanvas& canvas, int p);
void DrawLoupeCircle(int x1, int y1, int x2, int y2, TCanvas& canvas, int p);
void DrawLoupeSquare(int x1, int y1, int x2, int y2, TCanvas& canvas, int p);
void DrawCross(int x1, int y1, int x2, int y2, TCanvas& canvas, int p);

// Draws the other shape `shape` (a TOtherShape tag; other values draw nothing) with p clamped
// into kOtherShapeParamRange.
void DrawOtherShape(int shape, int x1, int y1, int x2, int y2, TCanvas& canvas, int p);
