#pragma once
// Strokes for window tests: presses, moves and releases in picture coordinates, emitted through
// the main window's ImageMouse signal as the canvas view emits them.
#include "app_fixture.h"
#include "support/same_pixels.h"

class CanvasMouseTest : public AppTest {
 protected:
  void Mouse(TCanvasMouse::Kind kind, int button, int x, int y) {
    TCanvasMouse m;
    m.kind = kind;
    m.Button = button;
    m.X = x;
    m.Y = y;
    emit form1().ImageMouse(m);
  }
  void Press(int x, int y, int button = 0) { Mouse(TCanvasMouse::Down, button, x, y); }
  void Move(int x, int y) { Mouse(TCanvasMouse::Move, 0, x, y); }
  void Release(int x, int y, int button = 0) { Mouse(TCanvasMouse::Up, button, x, y); }
  void Click(int x, int y, int button = 0) {
    Press(x, y, button);
    Release(x, y, button);
  }
  // A two-click stroke from a to b, the pointer wandering on the way.
  void TwoClick(TPoint a, TPoint b, int button = 0) {
    Click(a.X, a.Y, button);
    Move((a.X + b.X) / 2, a.Y + 7);
    Move(b.X + 11, b.Y - 5);
    Move(b.X, b.Y);
    Click(b.X, b.Y, button);
  }
};
