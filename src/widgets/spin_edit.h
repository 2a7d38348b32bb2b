#pragma once
// A spin edit that keeps whatever is typed: its value is the text read as an integer, text
// that is not a number counts as the minimum, and a value outside min..max is pulled back
// into that range only when the focus leaves the box.
#include <QAbstractSpinBox>

class TSpinEdit : public QAbstractSpinBox {
  Q_OBJECT
 public:
  TSpinEdit(int min, int max, int value, QWidget* parent = nullptr);
  int Value() const;
  void SetValue(int value);

 signals:
  // The text changed, by typing, stepping or SetValue.
  void Changed();

 protected:
  void stepBy(int steps) override;
  StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }
  QValidator::State validate(QString&, int&) const override { return QValidator::Acceptable; }
  void focusOutEvent(QFocusEvent* event) override;

 private:
  int min_;
  int max_;
};
