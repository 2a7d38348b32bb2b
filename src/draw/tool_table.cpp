#include "draw/tool_table.h"

bool ToolTakesModifiers(int tool) {
  switch (tool) {
    case 2: case 3: case 4: case 5: case 6: case 7: case 8: case 12: case 15: case 16: case 18:
      return true;
    default:
      return false;
  }
}

bool FigureTakesSnapshot(int figure) { return figure != 10 && figure != 12; }

bool FigurePreviewsOverSnapshot(int figure) {
  return figure == 13 || figure == 15 || figure == 17 || figure == 18;
}

bool FigureStartsFractal(int figure) { return figure >= 2 && figure <= 8; }
