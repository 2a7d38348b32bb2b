// What the text tools write: the tool palette memo's lines, read afresh for every drawing,
// with the font and angle of the settings panel.
#include <QPlainTextEdit>

#include "app/form1.h"
#include "draw/ui/pstate_panel.h"
#include "windows/tool_palette.h"

TTextFigure TForm1::textFigure() const {
  TTextFigure text;
  if (ToolPalette) {
    for (const QString& line : ToolPalette->edit7->toPlainText().split(QLatin1Char('\n')))
      text.lines.push_back(line.toStdString());
  }
  const TDrawingSettings settings = PstatePanel->Settings();
  text.font = settings.font;
  text.ppi = PstatePanel->PixelsPerInch();
  text.escapement = settings.textAngle;
  return text;
}
