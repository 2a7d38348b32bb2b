#pragma once
// Tresizeform, the resize dialog: the percentage and a preview of the old and new size.
#include <QDialog>

#include "imageops/picture_resize.h"
#include "widgets/spin_edit.h"

class QLabel;
class QPushButton;

class Tresizeform : public QDialog {
  Q_OBJECT
 public:
  explicit Tresizeform(QWidget* parent = nullptr);

  QLabel* Label1;
  TSpinEdit* resedit;  // 1..1000 %
  QLabel* reST;        // "200x200→100x100"
  QPushButton *Button1, *Button2;

  // Takes the picture's size, sets the percentage to 100 and shows the size it gives.
  void Prepare(int oldWidth, int oldHeight);
  // Recomputes the new size and the preview from the percentage as it stands.
  void reseditChange();
  TPictureSize NewSize() const { return newSize_; }

 private:
  int oldWidth_ = 0;
  int oldHeight_ = 0;
  TPictureSize newSize_;
};
