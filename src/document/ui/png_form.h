#pragma once
// TForm7, the PNG settings dialog shown before every PNG file is written: a preview of the
// picture, and its compression level, interlacing and transparent colour.
//
// The options reach the picture only through cbTClick, which runs whenever either check box
// changes its mark (by the user or by the program): moving the scroll bar alone changes
// nothing, and a dialog confirmed without touching a box writes the picture's start values.
// The transparent colour is picked by pressing the left button on the preview; the colour
// under the pointer follows the drag and the one at the release stays.
#include <QDialog>

#include "surface/color.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QScrollBar;
class TImageView;
struct TCanvasMouse;
class VIRAVIZ;

class TForm7 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm7(QWidget* parent = nullptr);

  QScrollArea* ScrollBox1;
  TImageView* Image1 = nullptr;  // the preview of the picture placed by SetPicture
  QCheckBox *cbT, *cbI;
  QLabel *Panelt, *Label1;
  QScrollBar* ScrollBar1;
  QPushButton* Button1;

  // The picture to configure and preview; it must outlive the dialog's next exec().
  void SetPicture(VIRAVIZ* picture);
  VIRAVIZ* Picture() const { return picture_; }

  void FormShow();
  void cbTClick();
  void Image1Mouse(const TCanvasMouse& event);
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void createControls();
  void pickColorAt(int x, int y);
  void setPaneltColor(TColor color);

  VIRAVIZ* picture_ = nullptr;
  bool picking_ = false;
};
