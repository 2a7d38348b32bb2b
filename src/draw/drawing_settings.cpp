#include "draw/drawing_settings.h"

#include <cmath>

#include "surface/bitmap.h"

TPenMode PenModeOf(int penMode) {
  static constexpr TPenMode kModes[] = {pmCopy, pmNotXor, pmMerge, pmMask};
  return kModes[kPenModeRange.Clamp(penMode)];
}

TCopyMode CopyModeOf(int penMode, TBitmap& pasteBuffer) {
  static constexpr TCopyMode kCopyModes[] = {cmSrcCopy, cmSrcInvert, cmSrcPaint, cmSrcAnd};
  const TCopyMode mode = kCopyModes[kPenModeRange.Clamp(penMode)];
  pasteBuffer.Transparent = mode == cmSrcCopy;
  return mode;
}

void ApplyFillSetting(TCanvas& canvas, int fillSetting, const TBitmap& brushPattern) {
  static constexpr TBrushStyle kStyles[] = {bsClear,     bsSolid,     bsHorizontal, bsVertical,
                                            bsFDiagonal, bsBDiagonal, bsCross,      bsDiagCross};
  const int setting = kFillSettingRange.Clamp(fillSetting);
  if (setting == 8) {
    canvas.Brush.Bitmap = &brushPattern;
    return;
  }
  canvas.Brush.Bitmap = nullptr;
  canvas.Brush.Style = kStyles[setting];
}

int TextFontHeight(int size, int ppi) {
  return int(std::nearbyint(-(double(ppi) * size / 72.0)));
}

TFont TextFont(const TTextFontSettings& font, int angle, int ppi) {
  TFont made;
  made.Name = font.face;
  made.Height = TextFontHeight(font.size, ppi);
  made.Color = clBlack;
  made.Escapement = angle * 10;
  made.Weight = font.bold ? 700 : 400;
  made.Italic = font.italic;
  made.Underline = font.underline;
  made.StrikeOut = font.strikeout;
  return made;
}

void MakeTextFont(TCanvas& canvas, const TTextFontSettings& font, int angle, int ppi) {
  TFont made = TextFont(font, angle, ppi);
  made.Color = canvas.Font.Color;
  canvas.Font = made;
}

void ApplyStrokeSettings(TCanvas& canvas, int button, const TDrawingSettings& settings,
                         TBitmap& pasteBuffer, int ppi) {
  MakeTextFont(canvas, settings.font, settings.textAngle, ppi);
  canvas.Pen.Width = settings.penWidth;
  canvas.Pen.Style = psSolid;
  if (button == 0 || button == 1) {
    const TColor own = button == 0 ? settings.leftColor : settings.rightColor;
    const TColor other = button == 0 ? settings.rightColor : settings.leftColor;
    canvas.Pen.Color = own;
    canvas.Brush.Color = other;
    canvas.Font.Color = own;
  }
  pasteBuffer.TransparentColor = canvas.Brush.Color;
}

void TRepeatStepper::Press(TStepText text, int button) {
  if (button != 0 && button != 1) return;
  repeatKind = 1 + 2 * int(text) + button;
  if (text == stPenWidth) repeatTicks = 0;
}

std::optional<TStep> TRepeatStepper::Tick() {
  ++repeatTicks;
  if (repeatTicks <= 10) return std::nullopt;
  if (repeatKind == 0) repeatTicks = 0;
  return stepOfKind();
}

std::optional<TStep> TRepeatStepper::Release() {
  const std::optional<TStep> step = stepOfKind();
  repeatKind = 0;
  return step;
}

std::optional<TStep> TRepeatStepper::stepOfKind() const {
  if (repeatKind < 1 || repeatKind > 10) return std::nullopt;
  const int index = repeatKind - 1;
  return TStep{TStepText(index / 2), index % 2 == 0 ? +1 : -1};
}
