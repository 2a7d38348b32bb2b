// The fractal settings window's handlers: the up-downs write the parameter record, the sets
// and page presets, the colour strips and the motif editor.
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QMouseEvent>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <string>

#include "draw/wrap_step.h"
#include "fractal/fractal_pictures.h"
#include "fractal/ui/fractal_form.h"
#include "fractal/ui/fractal_host.h"
#include "surface/canvas.h"
#include "widgets/picture_box.h"
#include "widgets/up_down.h"

namespace {

constexpr float kPeakHeightStep = 0.02886751346f;

int ButtonNumber(Qt::MouseButton b) {
  return b == Qt::LeftButton ? 0 : b == Qt::RightButton ? 1 : b == Qt::MiddleButton ? 2 : -1;
}

}  // namespace

void TForm3::connectUpDowns() {
  // Each up-down redraws its preview with the new position and stores its value; the preview
  // shows its start position at once, drawn by first.
  const auto bindDrawnFirst = [this](TUpDown* ud, TPictureBox* preview, auto draw, auto store, auto first) {
    const auto apply = [ud, preview, draw, store] {
      draw(preview->Picture(), ud->Position());
      preview->update();
      store(ud->Position());
    };
    connect(ud, &TUpDown::Click, this, apply);
    first(preview->Picture(), ud->Position());
  };
  const auto bind = [&](TUpDown* ud, TPictureBox* preview, auto draw, auto store) {
    bindDrawnFirst(ud, preview, draw, store, draw);
  };
  bind(udK, Imk, DrawLevelPreview, [this](int v) { params_.levelCount = std::int8_t(v); });
  bind(UdBr, ImBr, DrawBranchPreview, [this](int v) { params_.branchCount = std::int8_t(v); });
  bind(UdS, ImS, DrawRatioPreview, [this](int v) { params_.ratio = float(v * 0.1); });
  // The window is built before anything asks for a random number: no draws until a click.
  bindDrawnFirst(UdR, ImR, DrawRandomnessPreview, [this](int v) { params_.randomness = std::int8_t(v); },
                 [](TBitmap& picture, int) { DrawStillRandomnessPreview(picture); });
  bind(UdW, ImW, DrawAnglePreview, [this](int v) { params_.spreadAngle = std::int8_t(v); });
  bind(udkc, imkc, DrawLevelPreview, [this](int v) { params_.levelCount = std::int8_t(v); });
  bind(udh, imh, DrawPeakHeightPreview, [this](int v) { params_.peakHeight = float(v * double(kPeakHeightStep)); });
  bind(udwc, imwc, DrawPeakWidthPreview, [this](int v) { params_.ratio = float(v / 9.0); });
  bind(udke, imke, DrawLevelPreview, [this](int v) { params_.levelCount = std::int8_t(v); });
  bind(udbe, Imbe, DrawBranchPreview, [this](int v) {
    DrawMotifEditor();
    params_.branchCount = std::int8_t(v);
  });
}

TFractalKind TForm3::Kind() const { return TFractalKind(page->currentIndex()); }

TFractalRun TForm3::RunSettings() const {
  TFractalRun run;
  run.kind = Kind();
  run.drawParent = parebox->isChecked();
  run.autoColor = run.kind == TFractalKind::Edit ? acEbutton->isChecked() : acbutton->isChecked();
  run.autoThin = anbutton->isChecked();
  run.thinDegree = anedit->value();
  run.motif = motif;
  run.repetition = TRepetition{SpinEdit5->value(), sx1->value(), sy1->value(), sx2->value(), sy2->value()};
  return run;
}

void TForm3::SetTreeParams(int levels, int branches, int ratioPosition, int randomness, int angle) {
  for (auto [ud, value] : {std::pair{udK, levels}, {UdBr, branches}, {UdS, ratioPosition}, {UdR, randomness}, {UdW, angle}}) {
    ud->SetPosition(value);
    emit ud->Click(TUpDown::btNext);
  }
}

void TForm3::SetKochParams(int recursions, int height, int width) {
  for (auto [ud, value] : {std::pair{udkc, recursions}, {udh, height}, {udwc, width}}) {
    ud->SetPosition(value);
    emit ud->Click(TUpDown::btNext);
  }
}

void TForm3::SetLevelColors(TPictureBox* stripBox, const std::array<TColor, 12>& colors) {
  params_.levelColors = colors;
  DrawColorStrip(stripBox->Picture(), params_.levelColors);
  stripBox->update();
  host_.SetDrawingColors(colors[0], colors[6]);
}

void TForm3::fcombChange() {
  const int index = fcomb->currentIndex();
  if (index >= 0 && index < int(kParameterSets.size())) {
    const TParameterSet& set = kParameterSets[std::size_t(index)];
    acbutton->setChecked(set.autoColor);
    anbutton->setChecked(set.autoThin);
    SetTreeParams(set.levels, set.branches, set.ratioPosition, set.randomness, set.angle);
    if (set.greenRamp) SetLevelColors(autocolor, kGreenRamp);
  }
  acbuttonClick(fcomb);
  anbuttonClick();
}

void TForm3::acbuttonClick(QObject* sender) {
  autocolor->setVisible(acbutton->isChecked());
  autocolorE->setVisible(acEbutton->isChecked());
  if (sender != acbutton && sender != acEbutton) return;
  // Pressing either button, down or up, starts the table afresh from the drawing colours.
  std::array<TColor, 12> colors;
  for (std::size_t i = 0; i < 12; ++i) colors[i] = i < 6 ? host_.LeftColor() : host_.RightColor();
  SetLevelColors(sender == acbutton ? autocolor : autocolorE, colors);
}

void TForm3::anbuttonClick() {
  anedit->setVisible(anbutton->isChecked());
  fcomb->clearEditText();
}

void TForm3::aneditChange() { fcomb->clearEditText(); }

void TForm3::autocolorMouseDown(TPictureBox* stripBox, int button, int x, int y) {
  const int cell = StripCell(x, y);
  if (cell >= 1 && cell <= 12 && (button == 0 || button == 1))
    params_.levelColors[std::size_t(cell - 1)] = button == 0 ? host_.LeftColor() : host_.RightColor();
  DrawColorStrip(stripBox->Picture(), params_.levelColors);
  stripBox->update();
}

void TForm3::pageChange(int index) {
  switch (TFractalKind(index)) {
    case TFractalKind::Tree: SetTreeParams(4, 2, 5, 2, 20); break;
    case TFractalKind::Koch: SetKochParams(4, 10, 3); break;
    case TFractalKind::Edit: EnterEditPage(); break;
    case TFractalKind::Repetition: {
      std::array<TColor, 12> colors;
      for (std::size_t i = 0; i < 12; ++i) colors[i] = i < 6 ? host_.LeftColor() : host_.RightColor();
      SetLevelColors(autocolorR, colors);
      break;
    }
  }
  parebox->setChecked(index == 0 || index == 3);
}

void TForm3::EnterEditPage() {
  udke->SetPosition(4);
  DrawLevelPreview(imke->Picture(), 4);
  imke->update();
  DrawBranchPreview(Imbe->Picture(), udbe->Position());
  Imbe->update();
  DrawMotifEditor();
  params_.levelCount = 4;
  params_.branchCount = std::int8_t(udbe->Position());
}

void TForm3::SelectChildLine(int n) {
  childNo = n;
  if (n >= 0 && n < 6) eb[std::size_t(n)]->setChecked(true);
}

void TForm3::DrawMotifEditor() {
  const int n = udbe->Position();
  for (int i = 1; i < 6; ++i) eb[std::size_t(i)]->setEnabled(n > i);
  ::DrawMotifEditor(edmage->Picture(), motif, n);
  edmage->update();
}

void TForm3::edmageMouseMove(int x, int y) {
  if (endPending) {
    const TPolarPoint p = MotifPointAt(x, y);
    motif[std::size_t(childNo)].endLen = p.len;
    motif[std::size_t(childNo)].endAngle = p.angle;
  }
  DrawMotifEditor();
  TCanvas& c = edmage->Picture().Canvas();
  c.Brush.Style = bsClear;
  c.Font.Color = clBlack;
  c.TextOut(2, 2, "(" + std::to_string(x - kMotifOrigin.X) + "," + std::to_string(y - kMotifOrigin.Y) + ")");
  c.Brush.Style = bsSolid;
  edmage->update();
}

void TForm3::edmageMouseUp(int button, int x, int y) {
  if (button != 0 || childNo < 0 || childNo > 5) return;
  endPending = !endPending;
  const TPolarPoint p = MotifPointAt(x, y);
  TMotifLine& line = motif[std::size_t(childNo)];
  if (endPending) {
    line.startLen = p.len;
    line.startAngle = p.angle;
  } else {
    line.endLen = p.len;
    line.endAngle = p.angle;
    SelectChildLine(WrapStep(childNo, 1, udbe->Position() - 1, 0));
  }
  DrawMotifEditor();
}

void TForm3::ShowDrawingTime(std::uint32_t milliseconds) {
  setWindowTitle(tr("rir（描画時間%1").arg(milliseconds));
}

bool TForm3::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
    return QDialog::eventFilter(watched, event);
  const auto* mouse = static_cast<QMouseEvent*>(event);
  const QPoint p = mouse->position().toPoint();
  if (watched == edmage) {
    if (type == QEvent::MouseMove) edmageMouseMove(p.x(), p.y());
    if (type == QEvent::MouseButtonRelease) edmageMouseUp(ButtonNumber(mouse->button()), p.x(), p.y());
    return true;
  }
  for (TPictureBox* s : {autocolor, autocolorE, autocolorR}) {
    if (watched == s && type == QEvent::MouseButtonPress) {
      autocolorMouseDown(s, ButtonNumber(mouse->button()), p.x(), p.y());
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TForm3::closeEvent(QCloseEvent* event) {
  event->ignore();
  host_.FractalWindowClosed();
}
