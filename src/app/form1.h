#pragma once
// TForm1, the main window: actions, menus and toolbars, the status labels, the scrolled
// canvas and the host of the settings panel. Split by topic: form1.cpp builds the window,
// form1_actions.cpp the action table, form1_menus.cpp the menus and toolbars,
// form1_document.cpp New, Undo and the document view, form1_files.cpp the open dialog and
// dropped files, form1_ending.cpp the ways out, help and the version window, form1_palette.cpp
// showing the tool palette, form1_zoom.cpp showing and feeding the zoom window,
// form1_xybar.cpp the coordinate bar, form1_keys.cpp the keyboard, form1_hints.cpp the status
// hints, form1_text.cpp what the text tools write, form1_regions.cpp region editing and the
// paste buffer, form1_clipboard.cpp the whole-picture clipboard, form1_image_ops.cpp the image
// operations, form1_fractal.cpp fractal drawing; form1_history.cpp the history of many steps.
// The editing session (session/edit_session.h) draws the strokes: form1_tools.cpp selects the
// tools, form1_strokes.cpp turns the canvas's events into the session's calls,
// form1_stroke_host.cpp gives the session the settings and the window's steps, and
// form1_fixangle.cpp builds the fixed-angle controls.
#include <QMainWindow>
#include <array>
#include <functional>

#include "app/cursor_slots.h"
#include "document/canvas_document.h"
#include "draw/figure_renderer.h"
#include "draw/ui/pstate_host.h"
#include "fractal/fractal_params.h"
#include "fractal/ui/fractal_host.h"
#include "session/edit_session.h"
#include "view/ui/image_view.h"
#include "windows/palette_host.h"
#include "windows/zoom_host.h"

class QAbstractButton;
class QActionGroup;
class QComboBox;
class QKeyEvent;
class QSpinBox;
class QLabel;
class QScrollBar;
class QMenu;
class QToolBar;
class QToolButton;
class TNewBMPForm;
class TForm5;
class TForm2;
class TForm7;
class THelpWindow;
class TPstatePanel;
class Tresizeform;
class TCchangeform;
class TForm3;
class TForm4;
class THistoryCommands;

// The dialogs of the main window's commands.
struct TMainDialogs {
  TNewBMPForm* newPicture;
  TForm5* version;
  THelpWindow* help;
  TForm7* png;  // the PNG settings
  Tresizeform* resize;
  TCchangeform* colorChange;
};

class TForm1 : public QMainWindow,
               public TPstateHost,
               public TFractalHost,
               public TZoomHost,
               public TPaletteHost,
               private TStrokeHost {
  Q_OBJECT
 public:
  // document and cursors belong to the program and outlive the window.
  TForm1(TCanvasDocument& document, const TCursorSlots& cursors);

  TCanvasDocument& Document() { return document_; }
  const TCursorSlots& Cursors() const { return cursors_; }

  // The dialogs created after this window, handed over by the start-up before the tool palette
  // starts the first picture.
  void TakeDialogs(const TMainDialogs& dialogs);
  // Windows created after this one.
  TNewBMPForm* NewBMPForm = nullptr;
  TForm5* VersionForm = nullptr;
  THelpWindow* HelpWindow = nullptr;
  TForm2* ToolPalette = nullptr;  // the tool palette
  TForm7* PngForm = nullptr;      // the PNG settings dialog
  Tresizeform* ResizeForm = nullptr;
  TCchangeform* CchangeForm = nullptr;  // the colour conversion dialog
  TForm3* FractalForm = nullptr;        // the fractal settings window "rir"
  TForm4* ZoomForm = nullptr;           // the zoom window
  // Whoever follows the picture (the canvas, the history, the recovery copy) subscribes here
  // and is told of every change, of its replacement and of its being clean again.
  TEditEvents& EditEvents() { return session_.Events(); }

  // Fractal drawing (form1_fractal.cpp): the parameter record the settings window writes.
  TFractalParams FractalParams;
  // Takes the fractal settings window: F10 and the close box switch fractal drawing, and every
  // committed shape stroke hands over to the generation.
  void ConnectFractalWindow(TForm3* form);
  // Shows or hides the settings window; shown, it applies the chosen parameter set, hidden,
  // fractal drawing is off.
  void ZudozoClick();
  // What the fractal settings window takes from this window.
  TColor LeftColor() const override;
  TColor RightColor() const override;
  void SetDrawingColors(TColor left, TColor right) override;
  void ShowHelpKeyword(const QString& keyword) override;
  QCursor LineToolCursor() const override;
  void FractalWindowClosed() override;

  // Takes the zoom window (form1_zoom.cpp): F9 shows and hides it, and the canvas's mouse
  // events re-centre it while it tracks the pointer, or redraw it.
  void ConnectZoomWindow(TForm4* form);
  // Shows or hides the zoom window; zoomB is down and Mzoom checked while it is shown.
  void zoombuttonclick();
  // What the zoom window takes from this window.
  bool Drawing() const override { return session_.Drawing(); }
  void ShowCoordinates(TPoint p) override;
  void ZoomWindowClosed() override;

  // What the tool palette takes from this window (form1_palette.cpp).
  QMainWindow& PaletteOwner() override { return *this; }
  void ToolPaletteCreated(TForm2& palette) override { ToolPalette = &palette; }
  QAction* ToolAction(int tool) override { return ToolActions[tool - 1]; }
  void StartPicture(const QString& path) override;
  void TakeToolButtons(const std::array<QAbstractButton*, kToolCount + 1>& buttons) override;
  void SelectTool(int tool) override;
  int SelectedTool() const override { return session_.Tool(); }
  void SetPolygonCorners(int corners) override { session_.Figure().polygonCorners = corners; }
  void SetOtherShape(int shape) override { session_.Figure().otherShape = shape; }
  void SetOtherShapeParam(int parameter) override { session_.Figure().otherShapeParam = parameter; }
  void ToolPaletteClosed() override;

  // The tool palette's buttons by tool number: toolButtons[n] for n = 1..18 ([0] unused),
  // handed over by the palette at its creation.
  std::array<QAbstractButton*, kToolCount + 1> toolButtons{};
  // The figure the renderer draws (set by tool selection and by paste from file) and the
  // palette's values it reads (N of the N-gon, the other shape and its parameter).
  TFigureChoice& FigureChoice() { return session_.Figure(); }
  // The rectangle chosen with region editing or select-all, operand of the region commands
  // (right and bottom exclusive).
  TRect SelectedRegion;

  // The selected tool number (1..18) and the drawing flag (a stroke under way).
  int ToolNumber() const { return session_.Tool(); }
  bool DrawingFlag() const { return session_.Drawing(); }

  // Where other parts take over during a stroke; each may be empty.
  // Every second press: the fractal walk's first segment is start-previous; generate is true
  // when the figure is 2..8 and the press is made with the stroke's own button.
  std::function<void(TPoint start, TPoint previous, bool generate)> FractalHandOff;
  // The end of every press, move and release on the canvas: the event's sender and point.
  std::function<void(QObject* sender, TPoint p)> ZoomNotification;

  // The coordinate bar's typed point (form1_xybar.cpp): presses, moves and releases on
  // xyPanel act at (xedit, yedit); xBox fills the two edits with a corner of the picture.
  QLabel* xyPanel() const { return xyPanel_; }
  QComboBox* xBox() const { return xBox_; }
  QSpinBox* xedit() const { return xedit_; }
  QSpinBox* yedit() const { return yedit_; }
  // The fixed-angle controls of xyBar: the toggle (up at start), the angle 0..90 and its text.
  QToolButton* dxdrop() const { return dxdrop_; }
  QScrollBar* updx() const { return updx_; }
  QLabel* Ladx() const { return Ladx_; }
  // Actions (names as the program's commands).
  QAction* Aclose() const { return Aclose_; }
  QAction* Anew() const { return Anew_; }
  QAction* Aopen() const { return Aopen_; }
  QAction* Asave() const { return Asave_; }
  QAction* Asaveas() const { return Asaveas_; }
  QAction* Aretrun() const { return Aretrun_; }
  QAction* Aorigin() const { return Aorigin_; }
  QAction* Apoly() const { return Apoly_; }
  QAction* Asym() const { return Asym_; }
  QAction* Azoom() const { return Azoom_; }
  QAction* Afrac() const { return Afrac_; }
  QAction* Apoint() const { return Apoint_; }
  QAction* AtoolP() const { return AtoolP_; }
  QAction* Acdown() const { return Acdown_; }
  QAction* Aclosesave() const { return Aclosesave_; }
  // The eighteen tool actions; ToolActions[n - 1] carries tool number n.
  std::array<QAction*, kToolCount> ToolActions{};
  // The Edit menu's commands besides Undo, and the Help menu's.
  QAction* Mcut() const { return Mcut_; }
  QAction* Mcopy() const { return Mcopy_; }
  QAction* MPaste() const { return MPaste_; }
  QAction* Mallselect() const { return Mallselect_; }
  QAction* R1() const { return R1_; }
  QAction* MContents() const { return MContents_; }
  QAction* Mversion() const { return Mversion_; }
  // The region menu, opened by region editing and select-all, and ToolsBar's context menu.
  QMenu* PopupMenu1() const { return PopupMenu1_; }
  QMenu* tbarhelp() const { return tbarhelp_; }
  // The tool bar, its Save button and the coordinate bar.
  QToolBar* ToolsBar() const { return ToolsBar_; }
  QToolButton* saveB() const { return saveB_; }
  QWidget* xyBar() const { return xyBar_; }
  // The status labels: the pointer, the distance and angle of a drag, the hint, and the mark
  // of a picture that differs from its file ("変更あり").
  QLabel* Label1() const { return Label1_; }
  QLabel* Label2() const { return Label2_; }
  QLabel* Label3() const { return Label3_; }
  QLabel* Label4() const { return Label4_; }
  QLabel* Lchanged() const { return Lchanged_; }

  TScrollBox* ScrollBox1 = nullptr;
  TImageView* Image = nullptr;
  // The 91-pixel bottom area and the drawing settings panel in it.
  QWidget* PstateHost() const { return pstateHost_; }
  TPstatePanel* PstatePanel = nullptr;

  // What the settings panel takes from this window.
  TBitmap& DocumentPicture() override { return document_.Picture(); }
  TBitmap& PasteBuffer() override { return document_.PasteBuffer(); }
  const TBitmap& BrushPattern() override { return document_.BrushPattern(); }
  const TBitmap& MousePicture() override { return document_.MousePicture(); }
  const TBitmap& PenSizePicture() override { return document_.PenSizePicture(); }
  void ShowHint(const QString& hint) override;
  // The tool palette's text memo follows the text font once the palette has its controls.
  void TextFontChanged() override;

  // Commands. Each runs inside the error guard when started by its action.
  void AcloseExecute();
  void savecloseClick();
  void savebuttonClick();
  void returnbuttonClick();
  void newBClick();
  void openBClick();
  void saveasbuttonClick();
  void MpsaveClick();
  void MpastefileClick();
  // Selects tool `tag` (1..18): palette button, figure, paste buffer refill, modifiers,
  // cursors and hint. Inert during a stroke and while the font box has the focus.
  void dtExecute(int tag);
  // Toggles originB (tag 1), plineB (2) or symB (3): down when it was up and is enabled, else
  // up. Other tags do nothing. F6, F7 and F8 come here.
  void AoriginExecute(int tag);
  // The stroke protocol, in picture coordinates (outside the picture too). Buttons: 0 left,
  // 1 right, 2 middle. sender is the control the event came from.
  void ImageMouseDown(QObject* sender, int button, int x, int y) override;
  void ImageMouseMove(QObject* sender, int x, int y) override;
  void ImageMouseUp(QObject* sender, int button, int x, int y) override;
  // Ends a stroke under way as a press of the other mouse button does: its previews go and
  // the picture is restored by Undo. Nothing while idle.
  void CancelStroke();
  // Events on the scroll box beside the picture, already in picture coordinates: forwarded
  // with ScrollBox1 as sender.
  void ScrollBox1MouseDown(int button, int x, int y);
  void ScrollBox1MouseMove(int x, int y);
  void ScrollBox1MouseUp(int button, int x, int y);
  // Ladx shows the fixed angle.
  void updxChange();
  // The coordinate bar: xyPanel's events at the typed point, with Image as sender.
  void xyPanelMouseDown(int button);
  void xyPanelMouseMove();
  void xyPanelMouseUp(int button);
  void xBoxChange();
  void yeditChange();
  // Shows or hides the coordinate bar (Apoint, F11).
  void pointClick();
  // The single-key shortcuts: a key press that no action took. True when it is consumed,
  // which is every key unless a text-entry control (Tag 99) has it.
  bool AppliEventsShortCut(QObject* receiver, const QKeyEvent& key);
  // Ctrl and an arrow (Acleft, Acright, Acup, Acdown): moves the picture in ScrollBox1.
  void Akeydown(QAction* action);
  // Label4 := the sender's hint.
  void HintMove(QObject* sender);
  // Shows or hides the tool palette (AtoolP).
  void toolshowClick();
  void Help1Click();
  // Image operations (form1_image_ops.cpp): the region menu's mirrors, colour conversion,
  // gradient stripes and partial recovery on SelectedRegion, and resizing the whole picture.
  void MholizonClick();
  void MvertClick();
  void McolorClick();
  void G1Click(bool horizontal);
  void MprecoverClick();
  void R1Click();
  // Region editing and the paste buffer (form1_regions.cpp). CompleteRegion selects the
  // rectangle with corners a and b and, when it is not empty and button is the stroke's own,
  // opens the region menu by b.
  void CompleteRegion(TPoint a, TPoint b, int button);
  void MmcopyClick();
  void MmcutClick();
  void MbrushClick();
  // The paste buffer becomes the clipboard's picture, or its text written in the picture's
  // font; with neither it stays as it was.
  void RefillPasteBuffer();
  // The whole-picture clipboard and select-all (form1_clipboard.cpp).
  void McopyClick();
  void McutClick();
  void MPasteClick();
  void MallselectClick();
  void Help3Click();
  void MversionClick();

  // Brings the window up to date after the document was replaced: new snapshot, scrolled to
  // the corner, chosen format, caption and Save hint.
  void ResetDocumentView();
  // Repaints the picture rectangle r (right and bottom exclusive) after drawing into it.
  void InvalidateDocument(const TRect& r);
  // Takes on a document whose size may have changed (after Undo, a paste, a resize).
  void DocumentReplaced();
  // The history of many steps beside Undo (form1_history.cpp): Ctrl+Z and Ctrl+Y.
  THistoryCommands* History = nullptr;
  // A new history at the present picture (start-up, Open, New).
  void StartHistory();
  // Open or New replaced the picture, which was changed when keepBefore: the history keeps it
  // a step back (with its file name); otherwise the history begins anew.
  void PictureOpened(bool keepBefore);
  // The picture was written to its file and read back.
  void PictureSaved();
  // The picture differs from the one opened or last saved (the whole picture is compared).
  bool PictureModified();
  // The same from the changes told so far: what the recovery copy and the status area follow.
  bool PictureUnsaved();

  // Files dropped on the window: the first goes to the open dialog.
  void FilesDropped(const QStringList& paths);

  // Reads a picture file into the document and records it as the current file name; the
  // snapshot and the caption stay (Open resets the view afterwards). On failure the
  // document stays as it was.
  void LoadPictureFile(const QString& path);

 signals:
  // The window was closed: the program ends.
  void Closed();
  // Every mouse event on the picture or the scroll box around it, in picture coordinates.
  void ImageMouse(const TCanvasMouse& event);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void createActions();
  QAction* makeAction(const char* name, const QString& caption, const QString& hint,
                      const QKeySequence& shortcut, int image, int tag);
  void connectCommand(QAction* action, void (TForm1::*command)());
  void createMenus();
  void createHistory(QMenu* edit);
  // The View menu's zoom of the canvas and the zoom on the status bar (form1_view.cpp).
  void createViewCommands();
  // An item of the region menu PopupMenu1 (its submenus included) by name.
  QAction* regionMenuItem(const char* name) const;
  void connectImageOperations();
  void connectRegionCommands();
  void connectClipboardCommands();
  void createToolsBar();
  void createStateBar();
  QWidget* createClientArea();
  QString openFileName(const QString& proposed);
  QString saveFileName();
  // Save and Save As; true when a file was written.
  bool saveDocument();
  bool saveDocumentAs();
  // "絵を保存しますか": true when the program may end (No, or Yes and the picture was written).
  bool askToSaveBeforeEnding();
  // Writes bitmap by the path's extension (PNG through the settings dialog); false when
  // nothing was written.
  bool savePicture(const TBitmap& bitmap, const QString& path);
  // Strokes: form1_tools.cpp, form1_strokes.cpp, form1_stroke_host.cpp, form1_fixangle.cpp.
  void connectModifierKeys();
  void createStrokeControls();
  void createFixAngleControls();
  void createCoordinateBar();
  void connectKeys();
  void watchHints();
  void routeCanvasMouse(const TCanvasMouse& m);
  // What the strokes take from this window (form1_stroke_host.cpp).
  TStrokeSettings StrokeSettings() const override;
  std::vector<std::string> TextLines() const override;
  void StrokeButtonChosen(TMouseButton button) override;
  // The eyedropper's colour goes into the active colour slot (left or right).
  void ColorPicked(TColor c) override;
  void RegionCompleted(TPoint a, TPoint b, TMouseButton button) override;
  void StrokeUndone() override;
  void RunBusy(const std::function<void()>& work) override;
  void StrokeCommitted(TPoint start, TPoint previous, bool generate) override;
  void showStrokeLabelsIdle();
  void showStrokeState();
  void notifyZoom(QObject* sender, TPoint p);
  void generateFractal(TPoint start, TPoint previous, bool generate);
  // The zoom window's part of Undo, tool selection and a reset document view.
  void redrawZoom();
  void setZoomCursor(int tool);
  void setZoomViewFormat();
  // The chosen format, the caption and the Save hint of the document's file name and format.
  void showDocumentName();

  // The walk state of the fractal generators.
  TFractalWalk FractalWalk;
  // Ctrl and an arrow besides Acdown; paste from file; Aorigin, Apoly, Asym (at most one down).
  QAction *Acleft, *Acright, *Acup, *Mpastefile;
  QActionGroup* modifierGroup = nullptr;
  QWidget* stateBar = nullptr;
  QToolBar* ToolBar3 = nullptr;

  TCanvasDocument& document_;
  const TCursorSlots& cursors_;
  TEditSession session_;  // the stroke machine on the document, and its listeners
  // The controls and actions behind the accessors above.
  QLabel* xyPanel_ = nullptr;
  QComboBox* xBox_ = nullptr;
  QSpinBox *xedit_ = nullptr, *yedit_ = nullptr;
  QToolButton* dxdrop_ = nullptr;
  QScrollBar* updx_ = nullptr;
  QLabel* Ladx_ = nullptr;
  QAction *Aclose_ = nullptr, *Anew_ = nullptr, *Aopen_ = nullptr, *Asave_ = nullptr,
          *Asaveas_ = nullptr, *Aretrun_ = nullptr, *Aorigin_ = nullptr, *Apoly_ = nullptr,
          *Asym_ = nullptr, *Azoom_ = nullptr, *Afrac_ = nullptr, *Apoint_ = nullptr,
          *AtoolP_ = nullptr, *Acdown_ = nullptr, *Aclosesave_ = nullptr;
  QAction *Mcut_ = nullptr, *Mcopy_ = nullptr, *MPaste_ = nullptr, *Mallselect_ = nullptr,
          *R1_ = nullptr, *MContents_ = nullptr, *Mversion_ = nullptr;
  QMenu *PopupMenu1_ = nullptr, *tbarhelp_ = nullptr;
  QToolBar* ToolsBar_ = nullptr;
  QToolButton* saveB_ = nullptr;
  QWidget* xyBar_ = nullptr;
  QLabel *Label1_ = nullptr, *Label2_ = nullptr, *Label3_ = nullptr, *Label4_ = nullptr,
         *Lchanged_ = nullptr;
  TEditFollower canvasFollower_;   // repaints, and takes on a new size
  TEditFollower historyFollower_;  // what the history keeps of each change
  QWidget* pstateHost_ = nullptr;
  QString dialogFileName_;  // the open dialog's file name, set by a drop
  bool closeConfirmed_ = false;  // the next close needs no question
};
