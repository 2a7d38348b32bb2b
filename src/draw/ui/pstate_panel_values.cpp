// Pen width, text font, fill setting, pen mode, and the click-to-step texts with auto-repeat.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QScrollBar>

#include "draw/settings_pictures.h"
#include "draw/ui/pstate_panel.h"
#include "surface/bitmap.h"
#include "surface/canvas.h"

std::string TPstatePanel::SelectedFace() const {
  // A name only typed in (or shown at start-up) selects no entry.
  const int index = fcom->currentIndex();
  if (index < 0 || fcom->itemText(index) != fcom->currentText()) return std::string();
  return fcom->itemText(index).toStdString();
}

TDrawingSettings TPstatePanel::Settings() const {
  TDrawingSettings s;
  s.leftColor = leftColor;
  s.rightColor = rightColor;
  s.penWidth = penwidth->Position();
  s.fillSetting = brbar->Position();
  s.penMode = pmbar->Position();
  s.textAngle = escapement->value();
  s.font = TTextFontSettings{SelectedFace(), bold->isChecked(), italic->isChecked(),
                             underline->isChecked(), strikeout->isChecked(), Fsize->Position()};
  return s;
}

void TPstatePanel::ApplyStrokeSettings(TCanvas& canvas, int button) {
  ::ApplyStrokeSettings(canvas, button, Settings(), host_.PasteBuffer(), PixelsPerInch());
}

void TPstatePanel::ApplyFillSetting(TCanvas& canvas) {
  ::ApplyFillSetting(canvas, brbar->Position(), host_.BrushPattern());
}

TPenMode TPstatePanel::PenModeOf() const { return ::PenModeOf(pmbar->Position()); }

TCopyMode TPstatePanel::CopyModeOf() { return ::CopyModeOf(pmbar->Position(), host_.PasteBuffer()); }

void TPstatePanel::MakeTextFont(int angle) {
  ::MakeTextFont(documentCanvas(), Settings().font, angle, PixelsPerInch());
}

void TPstatePanel::penimageMouseDown(const TPanelMouse& m) {
  if (m.button != 0) return;
  penwidth->SetPosition(m.x);
  penDrag_ = true;
}

void TPstatePanel::penimageMouseMove(const TPanelMouse& m) {
  if (penDrag_) penwidth->SetPosition(m.x);
  HintMove(penimage);
}

void TPstatePanel::penwidthChange() {
  const int width = penwidth->Position();
  pstext->setText(QStringLiteral("Pen:%1").arg(width));
  DrawPenWidth(penimage->Picture(), host_.PenSizePicture(), width);
  penimage->update();
}

void TPstatePanel::fontimageMouseDown(const TPanelMouse& m) {
  if (m.button != 0) return;
  Fsize->SetPosition(2 * m.x);
  fontDrag_ = true;
}

void TPstatePanel::fontimageMouseMove(const TPanelMouse& m) {
  if (!fontDrag_) return;
  Fsize->SetPosition(2 * m.x);
  HintMove(fontimage);
}

void TPstatePanel::FsizeChange() {
  const int size = Fsize->Position();
  Fstext->setText(QStringLiteral("Font:%1").arg(size));
  DrawFontSize(fontimage->Picture(), size, PixelsPerInch());
  fontimage->update();
  documentCanvas().Font.Height = TextFontHeight(size, PixelsPerInch());
}

void TPstatePanel::fcomChange(QObject* sender) {
  MakeTextFont(0);
  host_.TextFontChanged();
  HintMove(sender);
}

void TPstatePanel::escapementChange() {
  estatext->setText(QStringLiteral("%1°").arg(escapement->value()));
}

void TPstatePanel::brbarClick(QObject* sender) {
  DrawFillSetting(brImage->Picture(), brbar->Position(), host_.BrushPattern());
  brImage->update();
  HintMove(sender);
}

void TPstatePanel::pmbarClick(QObject* sender) {
  DrawPenMode(pmimage->Picture(), pmbar->Position());
  pmimage->update();
  HintMove(sender);
}

void TPstatePanel::penMouseDown(const TPanelMouse& m) { stepper_.Press(stPenWidth, m.button); }
void TPstatePanel::FstextMouseDown(const TPanelMouse& m) { stepper_.Press(stFontSize, m.button); }
void TPstatePanel::lrMouseDown(const TPanelMouse& m) { stepper_.Press(stRed, m.button); }
void TPstatePanel::lgMouseDown(const TPanelMouse& m) { stepper_.Press(stGreen, m.button); }
void TPstatePanel::lbMouseDown(const TPanelMouse& m) { stepper_.Press(stBlue, m.button); }

void TPstatePanel::palfuncMouseUp() {
  if (const auto step = stepper_.Release()) applyStep(*step);
}

void TPstatePanel::TimerTimer() {
  if (const auto step = stepper_.Tick()) applyStep(*step);
}

void TPstatePanel::applyStep(const TStep& step) {
  TBoundedValue* const values[] = {penwidth, Fsize, sbr, sbg, sbb};
  TBoundedValue* value = values[step.text];
  value->SetPosition(value->Position() + step.delta);
}
