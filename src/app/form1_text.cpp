// What the text tools write: the tool palette memo's lines, read afresh for every drawing.
#include <QPlainTextEdit>

#include "app/form1.h"
#include "windows/tool_palette.h"

std::vector<std::string> TForm1::TextLines() const {
  std::vector<std::string> lines;
  if (!ToolPalette) return lines;
  for (const QString& line : ToolPalette->edit7->toPlainText().split(QLatin1Char('\n')))
    lines.push_back(line.toStdString());
  return lines;
}
