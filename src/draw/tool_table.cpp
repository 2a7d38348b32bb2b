#include "draw/tool_table.h"

bool ToolPastesBuffer(int tool) { return tool >= kToolPaste && tool <= kToolAngledPaste; }

bool ToolTakesModifiers(int tool) {
  switch (tool) {
    case kToolLine: case kToolEllipse: case kToolTriangle: case kToolRectangle: case kToolRoundRect:
    case kToolPolygon: case kToolOtherShape: case kToolRegion: case kToolSizedPaste: case kToolAngledPaste:
    case kToolAngledText:
      return true;
    default:
      return false;
  }
}

bool FigureTakesSnapshot(int figure) { return figure != kToolEyedropper && figure != kToolRegion; }

bool FigurePreviewsOverSnapshot(int figure) {
  return figure == kToolPaste || figure == kToolSizedPaste || figure == kToolText || figure == kToolAngledText;
}

bool FigureStartsFractal(int figure) { return figure >= kToolLine && figure <= kToolOtherShape; }
