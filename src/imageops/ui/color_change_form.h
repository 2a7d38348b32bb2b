#pragma once
// TCchangeform, the colour conversion dialog: the range of red, green and blue to convert,
// picked on three bars, and the colour they become. The range stays from one use to the next.
#include <QDialog>

#include "imageops/color_conversion.h"

class QLabel;
class QPushButton;
class TPictureBox;

class TCchangeform : public QDialog {
  Q_OBJECT
 public:
  explicit TCchangeform(QWidget* parent = nullptr);

  QLabel *Label1, *Label2;
  TPictureBox* colrange;  // 128 x 60: the bars of red, green and blue
  QLabel* Shape1;         // the colour the range becomes
  QPushButton *Button1, *Button2;

  const TColorRange& Range() const { return range_; }
  // Shows target in Shape1; the main window calls it before showing the dialog.
  void FormShow(TColor target);

  // The picker's mouse handlers, in picker coordinates (buttons 0 left, 1 right, 2 middle).
  void colrangeMouseDown(int button, int x, int y);
  void colrangeMouseMove(int x, int y);
  void colrangeMouseUp();
  void DrawColorRange();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  TColorRange range_;
  int draggedRow_ = -1;  // the bar a drag began on; -1 none
};
