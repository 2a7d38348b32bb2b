#include "imageops/ui/color_change_form.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <string>

#include "surface/canvas.h"
#include "widgets/picture_box.h"
#include "windows/fixed_window.h"

namespace {

constexpr int kPickerWidth = 128;
constexpr int kPickerHeight = 60;
constexpr int kMaxColumnX = 110;  // where each bar's maximum is written
// 9 points at 96 pixels per inch: "255" at kMaxColumnX ends on the picker's last column.
constexpr int kNumberFontHeight = -12;
constexpr TColor kBarColors[3] = {RGB(255, 0, 0), RGB(0, 128, 0), RGB(0, 0, 255)};

int ButtonNumber(Qt::MouseButton b) {
  return b == Qt::LeftButton ? 0 : b == Qt::RightButton ? 1 : b == Qt::MiddleButton ? 2 : -1;
}

}  // namespace

TCchangeform::TCchangeform(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("TCchangeform"));
  setWindowTitle(tr("色変換"));
  SetFixedWindowSize(*this, QSize(230, 122));
  Label1 = new QLabel(tr("変換範囲"), this);
  Label1->setGeometry(8, 4, 120, 18);
  colrange = new TPictureBox(kPickerWidth, kPickerHeight, this);
  colrange->setObjectName(QStringLiteral("colrange"));
  colrange->move(8, 24);
  colrange->installEventFilter(this);
  colrange->setMouseTracking(true);
  Label2 = new QLabel(tr("変換後の色"), this);
  Label2->setGeometry(148, 4, 80, 18);
  Shape1 = new QLabel(this);
  Shape1->setGeometry(152, 24, 50, 50);
  Button1 = new QPushButton(QStringLiteral("Ok"), this);
  Button1->setGeometry(8, 90, 70, 26);
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  Button2 = new QPushButton(QStringLiteral("Cancel"), this);
  Button2->setGeometry(86, 90, 70, 26);
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
  DrawColorRange();
}

void TCchangeform::FormShow(TColor target) {
  const TColor c = ColorToRGB(target);
  Shape1->setStyleSheet(QStringLiteral("background: rgb(%1,%2,%3); border: 1px solid black; border-radius: 8px;")
                            .arg(GetRValue(c)).arg(GetGValue(c)).arg(GetBValue(c)));
}

void TCchangeform::colrangeMouseDown(int button, int x, int y) {
  if (button != 0) return;
  draggedRow_ = RangeRowAt(y);
  MoveNearerBound(range_, draggedRow_, RangeValueAt(x));
  DrawColorRange();
}

void TCchangeform::colrangeMouseMove(int x, int /*y*/) {
  // A drag keeps to the bar it began on, wherever the pointer goes.
  if (draggedRow_ >= 0) MoveNearerBound(range_, draggedRow_, RangeValueAt(x));
  DrawColorRange();
}

void TCchangeform::colrangeMouseUp() { draggedRow_ = -1; }

void TCchangeform::DrawColorRange() {
  TBitmap& picture = colrange->Picture();
  TCanvas& canvas = picture.Canvas();
  canvas.Pen.Mode = pmCopy;
  canvas.Brush.Style = bsSolid;
  canvas.Brush.Color = clWhite;
  canvas.FillRect(picture.BoundsRect());
  canvas.Font.Color = clBlack;
  canvas.Font.Height = kNumberFontHeight;
  for (int row = 0; row < 3; ++row) {
    const int y = row * kRangeBarHeight;
    canvas.TextOut(0, y, std::to_string(range_.low[row]));
    canvas.TextOut(kMaxColumnX, y, std::to_string(range_.high[row]));
  }
  // Masked bars let the numbers show through.
  canvas.Pen.Mode = pmMask;
  for (int row = 0; row < 3; ++row) {
    canvas.Pen.Color = kBarColors[row];
    canvas.Brush.Color = kBarColors[row];
    const int y = row * kRangeBarHeight;
    canvas.Rectangle(range_.low[row] / 2, y, range_.high[row] / 2, y + kRangeBarHeight);
  }
  canvas.Pen.Mode = pmCopy;
  colrange->update();
}

bool TCchangeform::eventFilter(QObject* watched, QEvent* event) {
  if (watched != colrange) return QDialog::eventFilter(watched, event);
  const QEvent::Type type = event->type();
  if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
    return QDialog::eventFilter(watched, event);
  const auto* mouse = static_cast<QMouseEvent*>(event);
  const QPoint p = mouse->position().toPoint();
  if (type == QEvent::MouseButtonPress) {
    colrangeMouseDown(ButtonNumber(mouse->button()), p.x(), p.y());
  } else if (type == QEvent::MouseMove) {
    colrangeMouseMove(p.x(), p.y());
  } else {
    colrangeMouseUp();
  }
  return true;
}
