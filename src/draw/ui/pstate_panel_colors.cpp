// The two drawing colours: choosing the active one, the RGB editor and the colour samples.
#include <QLabel>

#include "draw/settings_pictures.h"
#include "draw/ui/pstate_panel.h"

void TPstatePanel::ShowColors() {
  DrawPenShape(penshape->Picture(), host_.MousePicture(), colorSlot, leftColor, rightColor);
  DrawRGBBars(rgbimage->Picture(), sbr->Position(), sbg->Position(), sbb->Position());
  penshape->update();
  rgbimage->update();
  const TColor c = ColorToRGB(colorSlot == 0 ? leftColor : colorSlot == 1 ? rightColor : clBlack);
  lr->setText(QStringLiteral("R:%1").arg(GetRValue(c)));
  lg->setText(QStringLiteral("G:%1").arg(GetGValue(c)));
  lb->setText(QStringLiteral("B:%1").arg(GetBValue(c)));
}

void TPstatePanel::SetRGBBars(TColor color) {
  const TColor c = ColorToRGB(color);
  sbr->SetPosition(GetRValue(c));
  sbg->SetPosition(GetGValue(c));
  sbb->SetPosition(GetBValue(c));
}

void TPstatePanel::PaintColorGrid() {
  ::PaintColorGrid(cgrid->Picture());
  cgrid->update();
}

void TPstatePanel::sbrChange() {
  const TColor edited = RGB(std::uint8_t(sbr->Position()), std::uint8_t(sbg->Position()),
                            std::uint8_t(sbb->Position()));
  if (colorSlot == 0) leftColor = edited;
  else if (colorSlot == 1) rightColor = edited;
  ShowColors();
}

// The active slot follows the button, and the bars take that slot's colour (all zero for a
// slot that edits neither colour).
void TPstatePanel::chooseSlot(int button) {
  colorSlot = std::uint8_t(button);
  if (button == 0) SetRGBBars(leftColor);
  else if (button == 1) SetRGBBars(rightColor);
  else SetRGBBars(clBlack);
}

void TPstatePanel::penshapeMouseDown(QObject* sender, const TPanelMouse& m) {
  chooseSlot(m.button);
  if (sender == penshape && m.doubleClick && m.modifiers == Qt::NoModifier) {
    // A double click with exactly one button held copies that button's colour to the other.
    if (m.buttons == Qt::LeftButton) rightColor = leftColor;
    else if (m.buttons == Qt::RightButton) leftColor = rightColor;
  }
  ShowColors();
}

void TPstatePanel::cgridMouseDown(const TPanelMouse& m) {
  if (m.button != 0 && m.button != 1) return;
  const TColor sample = cgrid->Picture().GetPixel(m.x, m.y);
  if (sample == clInvalid) return;
  (m.button == 0 ? leftColor : rightColor) = sample;
  chooseSlot(m.button);
  ShowColors();
}

void TPstatePanel::rgbimageMouseDown(const TPanelMouse& m) {
  if (m.button != 0) return;
  rgbDrag_ = true;
  rgbimageMouseMove(m);
}

void TPstatePanel::rgbimageMouseMove(const TPanelMouse& m) {
  if (!rgbDrag_) return;
  TBoundedValue* rows[] = {sbr, sbg, sbb};
  const int row = m.y / 16;  // truncates toward zero: just above the picture is still row 0
  if (row >= 0 && row < 3) rows[row]->SetPosition(2 * m.x);
}

void TPstatePanel::pfrMouseUp() {
  rgbDrag_ = false;
  penDrag_ = false;
  fontDrag_ = false;
}
