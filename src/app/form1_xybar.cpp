// The coordinate bar xyBar: a typed point and a panel on which presses, moves and releases act
// at that point, so that any tool draws at exact coordinates; F11 shows and hides it.
#include <QCoreApplication>
#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QSpinBox>
#include <climits>

#include "app/click_panel.h"
#include "app/form1.h"
#include "draw/picture_corners.h"
#include "widgets/error_guard.h"

namespace {

// The corners of the picture in xBox's order; "内" is the corner pixel, "外" one past it.
constexpr const char* kCornerItems[kPictureCornerCount] = {
    QT_TRANSLATE_NOOP("TForm1", "左上"), QT_TRANSLATE_NOOP("TForm1", "右上(内)"), QT_TRANSLATE_NOOP("TForm1", "右上(外)"),
    QT_TRANSLATE_NOOP("TForm1", "左下(内）"), QT_TRANSLATE_NOOP("TForm1", "左下(外）"), QT_TRANSLATE_NOOP("TForm1", "右下(内)"),
    QT_TRANSLATE_NOOP("TForm1", "右下(外)")};

QSpinBox* typedCoordinate(const char* name, const char* hint) {
  auto* edit = new QSpinBox;
  edit->setObjectName(QLatin1String(name));
  edit->setRange(INT_MIN, INT_MAX);  // points outside the picture are drawn clipped
  edit->setStatusTip(QCoreApplication::translate("TForm1", hint));
  edit->setProperty("Tag", 99);  // a text entry: typed digits are coordinates, not tool keys
  edit->setFixedWidth(60);
  return edit;
}

}  // namespace

void TForm1::createCoordinateBar() {
  auto* row = new QHBoxLayout(xyBar_);
  row->setContentsMargins(2, 1, 2, 1);
  row->setSpacing(2);

  auto* panel = new TClickPanel(QStringLiteral("Click"), xyBar_);
  panel->setObjectName(QStringLiteral("xyPanel"));
  panel->setFixedSize(40, 21);
  xyPanel_ = panel;
  connect(panel, &TClickPanel::panelMouse, this, [this](const TCanvasMouse& m) {
    RunGuarded(this, [&] {
      if (m.kind == TCanvasMouse::Down) xyPanelMouseDown(m.Button);
      else if (m.kind == TCanvasMouse::Move) xyPanelMouseMove();
      else xyPanelMouseUp(m.Button);
    });
  });

  xBox_ = new QComboBox(xyBar_);
  xBox_->setObjectName(QStringLiteral("xBox"));
  for (const char* item : kCornerItems) xBox_->addItem(tr(item));
  connect(xBox_, &QComboBox::activated, this, [this] { xBoxChange(); });

  xedit_ = typedCoordinate("xedit", QT_TR_NOOP("X座標"));
  yedit_ = typedCoordinate("yedit", QT_TR_NOOP("Ｙ座標"));
  connect(yedit_, &QSpinBox::valueChanged, this, [this] { yeditChange(); });

  for (QWidget* control : std::initializer_list<QWidget*>{xyPanel_, xBox_, xedit_, yedit_}) row->addWidget(control);
  connect(Apoint_, &QAction::triggered, this, [this] { RunGuarded(this, [&] { pointClick(); }); });
}

void TForm1::xyPanelMouseDown(int button) { ImageMouseDown(Image, button, xedit_->value(), yedit_->value()); }
void TForm1::xyPanelMouseMove() { ImageMouseMove(Image, xedit_->value(), yedit_->value()); }
void TForm1::xyPanelMouseUp(int button) { ImageMouseUp(Image, button, xedit_->value(), yedit_->value()); }

void TForm1::xBoxChange() {
  if (xBox_->currentIndex() < 0) return;
  const TBitmap& picture = document_.Picture();
  const TPoint corner = PictureCorner(xBox_->currentIndex(), picture.Width(), picture.Height());
  xedit_->setValue(corner.X);
  // The point still names the corner chosen; only a typed y stops naming it.
  const QSignalBlocker keepCorner(yedit_);
  yedit_->setValue(corner.Y);
}

void TForm1::yeditChange() { xBox_->setCurrentIndex(-1); }

void TForm1::pointClick() {
  xyBar_->setHidden(!xyBar_->isHidden());
  Apoint_->setChecked(!xyBar_->isHidden());
}
