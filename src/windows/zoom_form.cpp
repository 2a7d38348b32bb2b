// The zoom window's controls and their places (client coordinates).
#include "windows/zoom_form.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

#include "draw/zoom_view.h"
#include "widgets/picture_box.h"
#include "windows/fixed_window.h"
#include "windows/zoom_host.h"

namespace {

constexpr QSize kClientSize(151, 253);
constexpr QPoint kPlace(576, 110);
constexpr int kStartZoom = 2;
constexpr int kLargeZoomStep = 2;
constexpr int kButtonSide = 25;

// A toggle's picture for up and down: ":/glyphs/NAME_off.xpm" and ":/glyphs/NAME_on.xpm".
QIcon ToggleGlyphs(const char* name) {
  QIcon icon;
  const QString path = QStringLiteral(":/glyphs/%1_%2.xpm").arg(QLatin1String(name));
  icon.addPixmap(QPixmap(path.arg(QLatin1String("off"))), QIcon::Normal, QIcon::Off);
  icon.addPixmap(QPixmap(path.arg(QLatin1String("on"))), QIcon::Normal, QIcon::On);
  return icon;
}

}  // namespace

TForm4::TForm4(TZoomHost& host, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint), host_(host) {
  setObjectName(QStringLiteral("TForm4"));
  setWindowTitle(QStringLiteral("Zoom"));
  SetFixedWindowSize(*this, kClientSize);
  move(kPlace);

  zoomage = new TPictureBox(kZoomViewSide, kZoomViewSide, this);
  zoomage->setObjectName(QStringLiteral("zoomage"));
  zoomage->setMouseTracking(true);
  zoomage->installEventFilter(this);
  zoomage->Picture().SetPixelFormat(document().PixelFormat());
  createMagnificationBar();
  createPositionControls();

  // The centre starts at the picture's width and height: just past its bottom-right corner,
  // where the position panel's cross-hair lies on its edges, out of sight.
  DrawZoom(document());  // hidden: draws nothing yet
  const TBitmap& picture = document();
  SetZoomCenter(TPoint{picture.Width(), picture.Height()});
}

void TForm4::createMagnificationBar() {
  Panel1 = new QWidget(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setGeometry(0, 152, 152, 25);

  redit = new QLabel(QString::number(kStartZoom), Panel1);
  redit->setObjectName(QStringLiteral("redit"));
  redit->setGeometry(0, 2, 25, 20);
  redit->setAlignment(Qt::AlignCenter);
  redit->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  QFont font = redit->font();
  font.setPixelSize(16);
  redit->setFont(font);
  hint(redit, QT_TR_NOOP("拡大倍率"));

  rebar = new QScrollBar(Qt::Horizontal, Panel1);
  rebar->setObjectName(QStringLiteral("rebar"));
  rebar->setGeometry(28, 2, 96, 20);
  rebar->setRange(kMinZoom, kMaxZoom);
  rebar->setValue(kStartZoom);
  rebar->setSingleStep(1);
  rebar->setPageStep(kLargeZoomStep);
  rebar->setFocusPolicy(Qt::NoFocus);
  rebar->setToolTip(tr("拡大倍率"));
  connect(rebar, &QScrollBar::valueChanged, this, [this] { rebarChange(); });

  stopbutton = toggle(Panel1, "stopbutton", "track", QRect(126, -1, kButtonSide, kButtonSide), QT_TR_NOOP("追跡拡大ｏｎ／ｏｆｆ"));
}

void TForm4::createPositionControls() {
  panel2 = new TPictureBox(kPositionPanelSide, kPositionPanelSide, this);
  panel2->setObjectName(QStringLiteral("panel2"));
  panel2->move(0, 177);
  panel2->setToolTip(tr("ズーム位置の設定"));
  panel2->setMouseTracking(true);
  panel2->installEventFilter(this);

  leftbutton = arrowButton("leftbutton", "←", 76, 201);
  upbutton = arrowButton("upbutton", "↑", 100, 177);
  downbutton = arrowButton("downbutton", "↓", 100, 225);
  rightbutton = arrowButton("rightbutton", "→", 125, 201);
  timeSpeed = toggle(this, "timeSpeed", "speed", QRect(100, 201, kButtonSide, kButtonSide), QT_TR_NOOP("スクロール速度"));
  connect(timeSpeed, &QToolButton::clicked, this, [this] { timeSpeedClick(); });

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  timeSpeedClick();
  connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
}

QPushButton* TForm4::arrowButton(const char* name, const char* caption, int x, int y) {
  auto* button = new QPushButton(QString::fromUtf8(caption), this);
  button->setObjectName(QLatin1String(name));
  button->setGeometry(x, y, kButtonSide, kButtonSide);
  button->setFocusPolicy(Qt::NoFocus);
  hint(button, QT_TR_NOOP("ズーム位置移動"));
  connect(button, &QPushButton::clicked, this, [this, button] { upside(button); });
  return button;
}

QToolButton* TForm4::toggle(QWidget* parent, const char* name, const char* glyphs, QRect place, const char* text) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QLatin1String(name));
  button->setGeometry(place);
  button->setCheckable(true);
  button->setChecked(true);
  button->setIcon(ToggleGlyphs(glyphs));
  button->setFocusPolicy(Qt::NoFocus);
  hint(button, text);
  return button;
}

// The control's hint goes to the main window's hint area while the pointer moves over it.
void TForm4::hint(QWidget* control, const char* text) {
  control->setStatusTip(tr(text));
  control->setMouseTracking(true);
  control->installEventFilter(this);
}

const TBitmap& TForm4::document() const { return host_.DocumentPicture(); }
