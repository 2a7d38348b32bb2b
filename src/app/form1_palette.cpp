// The main window's side of the tool palette: showing and hiding it, and its memo following
// the text font.
#include <QAction>
#include <QPlainTextEdit>

#include "app/form1.h"
#include "windows/tool_palette.h"

void TForm1::toolshowClick() {
  ToolPalette->setVisible(!ToolPalette->isVisible());
  AtoolP->setChecked(ToolPalette->isVisible());
}

void TForm1::TextFontChanged() {
  if (!ToolPalette) return;  // the settings panel starts before the palette exists
  const TFont& text = document_.Picture().Canvas().Font;
  QFont font(QString::fromStdString(text.Name));
  font.setPointSize(12);
  font.setBold(text.Weight >= 700);
  font.setItalic(text.Italic);
  font.setUnderline(text.Underline);
  font.setStrikeOut(text.StrikeOut);
  QPlainTextEdit* memo = ToolPalette->edit7;
  memo->setFont(font);
  QPalette colours = memo->palette();
  colours.setColor(QPalette::Text, Qt::black);
  memo->setPalette(colours);
}
