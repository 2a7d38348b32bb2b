#pragma once
// The drawing settings' font name box: an editable list of the installed families. With a few
// thousand fonts installed, looking them up and making their entries costs a start a good part
// of its time, so the entries are made when the user first comes to the box (its focus, its
// list or the wheel over it); until then it shows only its text, which is all anyone sees.
#include <QComboBox>

class TFontNameBox : public QComboBox {
 public:
  explicit TFontNameBox(QWidget* parent) : QComboBox(parent) {}

  // Makes the entries once, keeping the shown text and which entry, if any, is chosen; tells
  // nobody, since nothing the user chose changes.
  void AddFamilies();
  void showPopup() override;

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  bool added_ = false;
};
