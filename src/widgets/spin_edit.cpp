#include "widgets/spin_edit.h"

#include <QLineEdit>
#include <algorithm>

TSpinEdit::TSpinEdit(int min, int max, int value, QWidget* parent)
    : QAbstractSpinBox(parent), min_(min), max_(max) {
  connect(lineEdit(), &QLineEdit::textChanged, this, &TSpinEdit::Changed);
  SetValue(value);
}

int TSpinEdit::Value() const {
  bool ok = false;
  const int value = text().trimmed().toInt(&ok);
  return ok ? value : min_;
}

void TSpinEdit::SetValue(int value) { lineEdit()->setText(QString::number(value)); }

void TSpinEdit::stepBy(int steps) { SetValue(std::clamp(Value() + steps, min_, max_)); }

void TSpinEdit::focusOutEvent(QFocusEvent* event) {
  SetValue(std::clamp(Value(), min_, max_));
  QAbstractSpinBox::focusOutEvent(event);
}
