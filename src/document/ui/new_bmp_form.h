#pragma once
// TNewBMPForm, the new-picture dialog: width, height and the pixel format of the next New.
// Moving the format bar sets the chosen pixel format at once, even if the dialog is then
// cancelled.
#include <QDialog>
#include <functional>

#include "document/canvas_document.h"
#include "widgets/spin_edit.h"

class QLabel;
class QPushButton;
class QScrollBar;

class TNewBMPForm : public QDialog {
  Q_OBJECT
 public:
  // document outlives the dialog; save runs the main window's Save.
  TNewBMPForm(TCanvasDocument& document, std::function<void()> save, QWidget* parent = nullptr);

  QLabel *Label1, *Label2, *Label3, *Lpf;
  TSpinEdit *widthedit, *Heightedit;
  QScrollBar* ScrollBar1;
  QPushButton *OKBtn, *CancelBtn, *savebutton;

  // Sets the chosen pixel format and Lpf's text (a format outside the table leaves the text).
  void SetChosenFormat(TPixelFormat f);
  // The bar follows the document's pixel format.
  void FormShow();
  // The spin edits' values as they were when the dialog closed: a box left with Enter still
  // holds what was typed, even outside 1..9999 (hiding the dialog clamps it afterwards).
  int ConfirmedWidth() const { return confirmedWidth_; }
  int ConfirmedHeight() const { return confirmedHeight_; }
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ScrollBar1Change(int position);
  void createControls();

  TCanvasDocument& document_;
  std::function<void()> save_;
  int confirmedWidth_ = 0;
  int confirmedHeight_ = 0;
};
