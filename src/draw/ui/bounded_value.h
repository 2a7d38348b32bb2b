#pragma once
// A setting held by an invisible control: an integer kept inside its range, with a change
// signal that fires whenever the value actually changes.
#include <QObject>

#include "draw/drawing_settings.h"

class TBoundedValue : public QObject {
  Q_OBJECT
 public:
  TBoundedValue(TValueRange range, int position, QObject* parent = nullptr);

  int Position() const { return position_; }
  // Clamps into the range; Change follows when the clamped value differs from the old one.
  void SetPosition(int position);

 signals:
  void Change();

 private:
  TValueRange range_;
  int position_;
};
