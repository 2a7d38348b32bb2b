#pragma once
// TForm2, the floating tool palette: one button per drawing tool (bound to the main window's
// tool actions), the N of the regular N-gon (poldit), the other-shape menu button and
// parameter (etcSelectB, editmenu, etcUD) and the text memo of the text tools (edit7). Its
// outline is cut into a staircase on the lower left, following the three rows of buttons.
//
// Creating it runs the part of the program's start-up that needs the windows before it:
// the left button's stroke settings, the colour samples, the picture named on the command
// line (or the view reset), the tool-button table, tool 1 and the N-gon caption. It reaches
// the main window through TPaletteHost.
// Split: tool_palette.cpp builds the window, tool_palette_handlers.cpp holds its handlers.
#include <QHash>
#include <QPolygon>
#include <QStringList>
#include <QWidget>

#include "widgets/up_down.h"
#include "windows/palette_button.h"

class QButtonGroup;
class QMenu;
class QPlainTextEdit;
class QToolButton;
class TPaletteFrame;
class TPaletteHost;

class TForm2 : public QWidget {
  Q_OBJECT
 public:
  // arguments: the command-line arguments after the program name; the first, if any, names
  // the picture file to open. Tells the host of this window before the start-up steps, hands
  // it the tool buttons, and shows the window. The host's NewBMPForm must be set.
  TForm2(TPaletteHost& host, const QStringList& arguments);

  // The visible region in outer-window coordinates for an outer size and client height:
  // the rectangle with its lower left cut away in three steps of 11 across and 22 down.
  static QPolygon OutlinePolygon(QSize outer, int clientHeight);

  QButtonGroup* toolGroup;  // the eighteen tool buttons, one down at a time
  TPaletteButton *curvebutton, *polybutton, *etcButton;
  TUpDown* poldit;  // N of the N-gon, 3..10, wraps
  QToolButton* etcSelectB;
  TUpDown* etcUD;  // the other shapes' parameter, 1..9
  QPlainTextEdit* edit7;
  QMenu* Tpalhelp;
  QMenu* editmenu;
  QAction* N1;

  // Handlers.
  void polditClick();
  void etcSelectBClick();
  void EtcClick(QAction* item);
  void etcUDClick();
  void N1Click();
  // Shows the hint of the control under the pointer in the main window's status hint area.
  void hint2Move(QObject* sender);

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void createToolButtons();
  void createShapeControls();
  void createMemo();
  void createMenus();
  void runCreationSteps(const QStringList& arguments);
  // The control's hint (its status tip) goes to the status hint area whenever the pointer
  // moves over the control or one of its parts.
  void watch(QWidget* control, const QString& hint);
  // The right button opens Tpalhelp over the control (and its parts, which pass it on).
  void offerHelp(QWidget* control);
  void selectTool(int tag);
  void showSelectedTool();
  void applyOuterSize();
  void applyOutline();

  TPaletteHost& host_;
  QHash<QObject*, QWidget*> hintControls_;  // a watched widget or a part of it -> its control
  bool outerSizeFitted_ = false;
  TPaletteFrame* frame_ = nullptr;  // under Wayland: the frame inside the main window
};
