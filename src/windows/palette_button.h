#pragma once
// A tool button of the tool palette: a 16 x 16 glyph on a 23 x 23 checkable button. A
// non-empty caption (the N of the N-gon button) is written in bold yellow over the glyph:
// it starts 4 pixels into the glyph, and glyph and caption are centred together.
#include <QToolButton>

class TPaletteButton : public QToolButton {
  Q_OBJECT
 public:
  explicit TPaletteButton(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};
