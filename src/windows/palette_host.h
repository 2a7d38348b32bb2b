#pragma once
// What the tool palette needs from the main window that holds the tools and the document.
#include <QString>
#include <array>

#include "draw/tool_table.h"

class QAbstractButton;
class QAction;
class QMainWindow;
class TForm2;

class TPaletteHost {
 public:
  virtual ~TPaletteHost() = default;
  // The main window: the palette's owner, and the parent of its error boxes.
  virtual QMainWindow& PaletteOwner() = 0;
  // The palette is being built; its memo exists from now on.
  virtual void ToolPaletteCreated(TForm2& palette) = 0;
  // The action of tool n (1..18), whose hint the tool's button shows.
  virtual QAction* ToolAction(int tool) = 0;
  // The start-up steps that need the palette: the left button's stroke settings and the
  // colour samples, then the picture file at path (a full path), or the view reset when it is
  // empty. A file that cannot be read is told in an error box and leaves the white picture.
  virtual void StartPicture(const QString& path) = 0;
  // The palette's tool buttons by tool number ([0] unused): the selected tool's is down.
  virtual void TakeToolButtons(const std::array<QAbstractButton*, kToolCount + 1>& buttons) = 0;
  // Selects tool n as its action does (errors in an error box); the selected tool number.
  virtual void SelectTool(int tool) = 0;
  virtual int SelectedTool() const = 0;
  // The palette's values that the figure renderer reads.
  virtual void SetPolygonCorners(int corners) = 0;
  virtual void SetOtherShape(int shape) = 0;
  virtual void SetOtherShapeParam(int parameter) = 0;
  // The status hint area (Label4) and the help window at a keyword.
  virtual void ShowHint(const QString& hint) = 0;
  virtual void ShowHelpKeyword(const QString& keyword) = 0;
  // The palette's close box: it is hidden, and AtoolP comes up.
  virtual void ToolPaletteClosed() = 0;
};
