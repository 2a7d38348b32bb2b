#pragma once
// The drawing settings every stroke takes besides its points: the two colours, pen width, pen
// mode, fill setting and text font, their ranges, and the operations that put them on a canvas
// at the start of a stroke.
//
// The settings panel holds the live values in its controls; it gathers them into a
// TDrawingSettings whenever one of these operations runs.
#include <optional>
#include <string>

#include "surface/canvas.h"
#include "surface/canvas_types.h"
#include "surface/color.h"

class TBitmap;

// An inclusive range low..high; every change of a bounded setting is clamped into it.
struct TValueRange {
  int low;
  int high;
  int Clamp(int v) const { return v < low ? low : v > high ? high : v; }
};

inline constexpr TValueRange kPenWidthRange{1, 50};
inline constexpr TValueRange kColorByteRange{0, 255};
inline constexpr TValueRange kFillSettingRange{0, 8};
inline constexpr TValueRange kPenModeRange{0, 3};
inline constexpr TValueRange kFontSizeRange{1, 99};
inline constexpr TValueRange kTextAngleRange{-180, 180};

// Face and style of the text tools. An empty face lets the text renderer choose.
struct TTextFontSettings {
  std::string face;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
  int size = 9;  // points, kFontSizeRange
};

struct TDrawingSettings {
  TColor leftColor = clBlack;
  TColor rightColor = clWhite;
  int penWidth = 1;     // kPenWidthRange
  int fillSetting = 0;  // kFillSettingRange: 0 clear, 1 solid, 2..7 hatches, 8 the brush pattern
  int penMode = 0;      // kPenModeRange: 0 copy, 1 not-xor, 2 merge, 3 mask
  int textAngle = 0;    // degrees, kTextAngleRange
  TTextFontSettings font;
};

// The mix mode of pen and brush for a pen-mode position.
TPenMode PenModeOf(int penMode);

// The raster operation of bitmap drawing for a pen-mode position. The paste buffer is drawn
// transparently only with the plain copy, so its Transparent flag is set to match.
TCopyMode CopyModeOf(int penMode, TBitmap& pasteBuffer);

// Sets the canvas brush for a fill setting. Setting 8 draws with brushPattern, which must
// outlive its use by the canvas; every other setting drops a pattern set before.
void ApplyFillSetting(TCanvas& canvas, int fillSetting, const TBitmap& brushPattern);

// The pixel height of a text font: -(ppi * size / 72), ties to even (negative: character height).
int TextFontHeight(int size, int ppi);

// The text font turned by angle degrees, in black.
TFont TextFont(const TTextFontSettings& font, int angle, int ppi = kPixelsPerInch);

// Replaces the canvas font by the text font turned by angle degrees. The font colour stays.
void MakeTextFont(TCanvas& canvas, const TTextFontSettings& font, int angle, int ppi = kPixelsPerInch);

// Prepares the canvas for a stroke begun with a mouse button (0 left, 1 right, 2 middle): the
// text font at the settings' angle, the pen width, a solid pen, then the colours by button
// (left: pen and font in the left colour on a right-colour brush; right: the reverse; other
// buttons keep the colours), and the paste buffer's transparent colour := the brush colour.
void ApplyStrokeSettings(TCanvas& canvas, int button, const TDrawingSettings& settings,
                         TBitmap& pasteBuffer, int ppi = kPixelsPerInch);

// The five click-to-step texts of the panel and the values they step.
enum TStepText { stPenWidth, stFontSize, stRed, stGreen, stBlue };

struct TStep {
  TStepText text;
  int delta;  // +1 or -1; the stepped value clamps at its range
};

// Auto-repeat of the click-to-step texts, driven by a 33 ms timer. A press chooses the repeat
// kind (1 + 2 * text, +1 for the right button); ticks step once the counter has passed 10;
// the release steps once more and ends the repeat. So a click steps once.
class TRepeatStepper {
 public:
  // Other buttons than left (0) and right (1) leave the kind as it was. Only a press on the
  // pen-width text restarts the tick counter.
  void Press(TStepText text, int button);
  // One timer tick: the step to make now, if any.
  std::optional<TStep> Tick();
  // The release on any stepping text: the step of the kind held, if any, made at once.
  std::optional<TStep> Release();

  int repeatKind = 0;   // 0 none, 1..10 the text and direction held
  int repeatTicks = 0;

 private:
  std::optional<TStep> stepOfKind() const;
};
