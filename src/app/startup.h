#pragma once
// Start-up: the program-wide objects, then the nine windows in their fixed order, then the
// first caption. Every window lives until the program ends; secondary windows are only shown
// and hidden.
#include <QStringList>
#include <memory>
#include <vector>

#include "app/cursor_slots.h"
#include "document/canvas_document.h"

class QWidget;
class TForm1;
class TForm5;
class TNewBMPForm;
class THelpWindow;
class TForm7;

// Loads the "brush", "mouse" and "pensize" pictures (":/pictures/NAME.png") into the
// document's brush pattern (made device-dependent), mouse picture and pen-size picture
// (made monochrome). A picture missing from the resources leaves its bitmap empty.
void LoadResourcePictures(TCanvasDocument& document);

class TZudozoApp {
 public:
  // Runs the start-up; arguments are the command-line arguments after the program name (the
  // first, if any, names a picture file to open).
  explicit TZudozoApp(const QStringList& arguments);
  ~TZudozoApp();

  TCanvasDocument& Document() { return document_; }
  const TCursorSlots& Cursors() const { return cursors_; }
  TForm1& Form1() const { return *form1_; }
  TForm5& Form5() const { return *form5_; }
  TNewBMPForm& NewBMPForm() const { return *newBmpForm_; }
  THelpWindow& HelpWindow() const { return *help_; }
  TForm7& PngForm() const { return *pngForm_; }
  // The nine windows in the order they were created (TForm1 first, TCchangeform last).
  const std::vector<QWidget*>& Windows() const { return windows_; }
  // Shows the main window with the keyboard focus.
  void ShowMainWindow();
  // Shows the main window and runs the message loop until the main window closes, whatever
  // other windows are open; returns the loop's exit code (0).
  int Exec();

 private:
  void createWindows(const QStringList& arguments);

  TCursorSlots cursors_;
  TCanvasDocument document_;
  std::unique_ptr<TForm1> form1_;
  TForm5* form5_ = nullptr;
  TNewBMPForm* newBmpForm_ = nullptr;
  THelpWindow* help_ = nullptr;
  TForm7* pngForm_ = nullptr;
  std::vector<QWidget*> windows_;
};
