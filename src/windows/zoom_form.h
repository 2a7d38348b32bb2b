#pragma once
// TForm4, the zoom window "Zoom": the document magnified 1 to 25 times around the zoom centre
// (zoomage, itself a drawing surface whose strokes go to the main window's canvas handlers),
// the magnification bar, the tracking toggle, the position panel and four arrow buttons that
// step the centre, repeating while held. Split: zoom_form.cpp builds the window,
// zoom_form_handlers.cpp holds its handlers.
#include <QWidget>

#include "surface/geometry.h"

class QAbstractButton;
class QLabel;
class QPushButton;
class QScrollBar;
class QTimer;
class QToolButton;
class TBitmap;
class TPictureBox;
class TZoomHost;

class TForm4 : public QWidget {
  Q_OBJECT
 public:
  // host outlives the window. Created hidden; the zoom centre starts just past the picture's
  // bottom-right corner.
  TForm4(TZoomHost& host, QWidget* parent = nullptr);

  TPictureBox* zoomage;  // the magnified view; its bitmap's pixel format is the host's to set
  QWidget* Panel1;
  QLabel* redit;        // the magnification in figures
  QScrollBar* rebar;    // the magnification z, 1..25
  QToolButton* stopbutton;  // down: the view follows the pointer on the canvas
  TPictureBox* panel2;  // the position panel
  QPushButton *leftbutton, *upbutton, *downbutton, *rightbutton;
  QToolButton* timeSpeed;  // down: fast repeat of the arrow buttons
  QTimer* Timer1;

  // The zoom centre in picture coordinates; nothing keeps it inside the picture.
  int zoomX = 0;
  int zoomY = 0;
  // The arrow button pressed last, whose step the timer repeats.
  QAbstractButton* scrollButton = nullptr;
  // A mouse button is held on the position panel.
  bool panelDragging = false;

  // The magnification, from rebar.
  int Zoom() const;
  // Stores p as the zoom centre, redraws the position panel, then the view.
  void SetZoomCenter(TPoint p);
  // Renders the view of b (always the document) around the zoom centre; nothing while hidden.
  void DrawZoom(const TBitmap& b);

  // Handlers.
  void rebarChange();
  void zoomageMouseDown(int button, TPoint viewPoint);
  void zoomageMouseMove(TPoint viewPoint);
  void zoomageMouseUp(int button, TPoint viewPoint);
  void Panel2MouseDown(TPoint panelPoint);
  void Panel2MouseMove(TPoint panelPoint);
  void Panel2MouseUp(TPoint panelPoint);
  // One step of the centre for an arrow button (any other sender: no step).
  void upside(QObject* sender);
  void leftbuttonMouseDown(QAbstractButton* button);
  void leftbuttonMouseUp();
  void Timer1Timer();
  void timeSpeedClick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void createMagnificationBar();
  void createPositionControls();
  QPushButton* arrowButton(const char* name, const char* caption, int x, int y);
  QToolButton* toggle(QWidget* parent, const char* name, const char* glyphs, QRect place, const char* hint);
  void hint(QWidget* control, const char* text);
  // The main window's document, shown in the view and mapped by the position panel.
  const TBitmap& document() const;
  TPoint panelToPicture(TPoint panelPoint) const;
  TPoint viewToPicture(TPoint viewPoint) const;

  TZoomHost& host_;
};
