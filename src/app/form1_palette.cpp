// The main window's side of the tool palette: showing and hiding it, what the palette's
// creation and its controls ask of this window, and its memo following the text font.
#include <QAction>
#include <QPlainTextEdit>

#include "app/form1.h"
#include "draw/ui/pstate_panel.h"
#include "widgets/error_guard.h"
#include "windows/tool_palette.h"

void TForm1::toolshowClick() {
  ToolPalette->setVisible(!ToolPalette->isVisible());
  AtoolP_->setChecked(ToolPalette->isVisible());
}

void TForm1::StartPicture(const QString& path) {
  PstatePanel->ApplyStrokeSettings(document_.Picture().Canvas(), 0);
  PstatePanel->ShowColors();
  // The picture named on the command line replaces the white one while the snapshot keeps
  // the white one, so Undo right after start shows it.
  if (path.isEmpty()) {
    ResetDocumentView();
  } else {
    RunGuarded(this, [&] { LoadPictureFile(path); });
  }
}

void TForm1::TakeToolButtons(const std::array<QAbstractButton*, kToolCount + 1>& buttons) {
  toolButtons = buttons;
}

void TForm1::SelectTool(int tool) {
  RunGuarded(this, [this, tool] { dtExecute(tool); });
}

void TForm1::ToolPaletteClosed() { AtoolP_->setChecked(false); }

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
