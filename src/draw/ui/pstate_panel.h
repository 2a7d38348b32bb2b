#pragma once
// PstatePanel, the drawing settings panel at the bottom of the main window: the controls
// that hold the drawing settings, the pictures that show them, and their handlers.
// Split by topic: pstate_panel.cpp builds the panel and routes mouse events,
// pstate_panel_colors.cpp the two colours and the RGB editor, pstate_panel_values.cpp pen
// width, font, fill, pen mode and the click-to-step texts.
#include <QWidget>
#include <cstdint>

#include "draw/drawing_settings.h"
#include "draw/ui/bounded_value.h"
#include "draw/ui/font_name_box.h"
#include "draw/ui/pstate_host.h"
#include "widgets/picture_box.h"
#include "widgets/up_down.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QMouseEvent;
class QScrollBar;
class QTimer;

// A mouse event as the handlers take it: the button that changed (0 left, 1 right, 2 middle),
// the position in the control, the buttons and modifier keys held, and whether it is the
// second press of a double click.
struct TPanelMouse {
  int button = 0;
  int x = 0;
  int y = 0;
  Qt::MouseButtons buttons;
  Qt::KeyboardModifiers modifiers;
  bool doubleClick = false;
};

class TPstatePanel : public QWidget {
  Q_OBJECT
 public:
  // Builds the controls and runs the main window's share of start-up: the font box filled with
  // the installed fonts and showing the document font's name, then brbarClick, pmbarClick,
  // penwidthChange, FsizeChange and PaintColorGrid. The host must outlive the panel.
  TPstatePanel(TPstateHost& host, QWidget* parent = nullptr);

  // Settings held outside the controls.
  TColor leftColor = clBlack;
  TColor rightColor = clWhite;
  std::uint8_t colorSlot = 0;  // 0 left, 1 right, 2 other

  // Hidden value holders.
  TBoundedValue *penwidth, *sbr, *sbg, *sbb, *Fsize;
  // Visible controls.
  TUpDown *brbar, *pmbar;
  TFontNameBox* fcom;
  QCheckBox *bold, *italic, *underline, *strikeout;
  QScrollBar* escapement;
  QLabel *estatext, *pstext, *Fstext, *lr, *lg, *lb;
  TPictureBox *penshape, *rgbimage, *cgrid, *penimage, *fontimage, *brImage, *pmimage;
  // The 33 ms auto-repeat timer, always running.
  QTimer* Timer;

  // The settings as plain values, read from the controls now.
  TDrawingSettings Settings() const;
  // The face the text tools use: the font box entry selected in its list, else empty.
  std::string SelectedFace() const;
  // Screen pixels per inch for font sizes.
  int PixelsPerInch() const;

  // Operations used by the other drawing parts.
  void ApplyStrokeSettings(TCanvas& canvas, int button);
  void ApplyFillSetting(TCanvas& canvas);
  TPenMode PenModeOf() const;
  TCopyMode CopyModeOf();
  void MakeTextFont(int angle);
  void ShowColors();
  void SetRGBBars(TColor color);
  void PaintColorGrid();

  // Handlers.
  void penshapeMouseDown(QObject* sender, const TPanelMouse& m);
  void cgridMouseDown(const TPanelMouse& m);
  void sbrChange();
  void rgbimageMouseDown(const TPanelMouse& m);
  void rgbimageMouseMove(const TPanelMouse& m);
  void pfrMouseUp();
  void penimageMouseDown(const TPanelMouse& m);
  void penimageMouseMove(const TPanelMouse& m);
  void penwidthChange();
  void fontimageMouseDown(const TPanelMouse& m);
  void fontimageMouseMove(const TPanelMouse& m);
  void FsizeChange();
  void fcomChange(QObject* sender);
  void escapementChange();
  void brbarClick(QObject* sender);
  void pmbarClick(QObject* sender);
  void penMouseDown(const TPanelMouse& m);
  void FstextMouseDown(const TPanelMouse& m);
  void lrMouseDown(const TPanelMouse& m);
  void lgMouseDown(const TPanelMouse& m);
  void lbMouseDown(const TPanelMouse& m);
  void palfuncMouseUp();
  void TimerTimer();
  // The status hint area shows the control's hint.
  void HintMove(QObject* sender);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  void createPictures();
  void createTexts();
  void createFontControls();
  void createValueHolders();
  void startUp();
  void watch(QWidget* control, const char* hint);
  void mouseDown(QObject* control, const TPanelMouse& m);
  void mouseMove(QObject* control, const TPanelMouse& m);
  void mouseUp(QObject* control);
  void chooseSlot(int button);
  void applyStep(const TStep& step);
  TCanvas& documentCanvas();

  TPstateHost& host_;
  TRepeatStepper stepper_;
  bool rgbDrag_ = false;
  bool penDrag_ = false;
  bool fontDrag_ = false;
};
