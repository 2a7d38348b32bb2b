#pragma once
// An up-down control: two arrow buttons that step a position between Min and Max. The right
// (or, standing upright, the upper) arrow steps up, the other down; with Wrap on, stepping
// past one end goes to the other, else the position stops at the end. Holding an arrow
// repeats its step.
#include <QWidget>

class QToolButton;

class TUpDown : public QWidget {
  Q_OBJECT
 public:
  enum TUDBtnType { btNext, btPrev };

  TUpDown(int min, int max, bool wrap, QWidget* parent = nullptr,
          Qt::Orientation orientation = Qt::Horizontal);

  int Position() const { return position_; }
  // Clamps into Min..Max; sends no click (as a program change, not a user's).
  void SetPosition(int position);
  // What one press of an arrow does: step, then the click signal.
  void Step(TUDBtnType button);

  QToolButton* NextButton() const { return next_; }
  QToolButton* PrevButton() const { return prev_; }

 signals:
  void Click(TUpDown::TUDBtnType button);

 private:
  int min_;
  int max_;
  bool wrap_;
  int position_;
  QToolButton* prev_;
  QToolButton* next_;
};
