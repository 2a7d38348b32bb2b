#include "draw/ui/pstate_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

#include "draw/settings_pictures.h"
#include "surface/bitmap.h"
#include "surface/canvas.h"

namespace {

constexpr int kPanelHeight = 91;
constexpr int kPanelWidth = 500;

int buttonNumber(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton: return 0;
    case Qt::RightButton: return 1;
    case Qt::MiddleButton: return 2;
    default: return 3;
  }
}

TPanelMouse panelMouse(const QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  return TPanelMouse{buttonNumber(e->button()), p.x(), p.y(), e->buttons(), e->modifiers(),
                     e->type() == QEvent::MouseButtonDblClick};
}

QLabel* label(const QString& text, const QRect& where, QWidget* parent) {
  auto* l = new QLabel(text, parent);
  l->setGeometry(where);
  return l;
}

QCheckBox* checkBox(const char* text, const QRect& where, QWidget* parent) {
  auto* box = new QCheckBox(QString::fromUtf8(text), parent);
  box->setGeometry(where);
  box->setFocusPolicy(Qt::NoFocus);
  return box;
}

}  // namespace

TPstatePanel::TPstatePanel(TPstateHost& host, QWidget* parent) : QWidget(parent), host_(host) {
  setObjectName(QStringLiteral("PstatePanel"));
  setFixedHeight(kPanelHeight);
  setMinimumWidth(kPanelWidth);
  QFont panelFont = font();
  panelFont.setPixelSize(12);
  setFont(panelFont);
  watch(this, QT_TR_NOOP("ペンの状態パネル"));
  createValueHolders();
  createPictures();
  createTexts();
  createFontControls();
  Timer = new QTimer(this);
  Timer->setInterval(33);
  connect(Timer, &QTimer::timeout, this, &TPstatePanel::TimerTimer);
  Timer->start();
  startUp();
}

void TPstatePanel::createValueHolders() {
  penwidth = new TBoundedValue(kPenWidthRange, 1, this);
  sbr = new TBoundedValue(kColorByteRange, 0, this);
  sbg = new TBoundedValue(kColorByteRange, 0, this);
  sbb = new TBoundedValue(kColorByteRange, 0, this);
  Fsize = new TBoundedValue(kFontSizeRange, 9, this);
  connect(penwidth, &TBoundedValue::Change, this, &TPstatePanel::penwidthChange);
  for (TBoundedValue* bar : {sbr, sbg, sbb}) connect(bar, &TBoundedValue::Change, this, &TPstatePanel::sbrChange);
  connect(Fsize, &TBoundedValue::Change, this, &TPstatePanel::FsizeChange);
}

void TPstatePanel::createPictures() {
  penshape = new TPictureBox(kPenShapeSide, kPenShapeSide, this);
  penshape->move(2, 2);
  penshape->setCursor(Qt::PointingHandCursor);
  watch(penshape, QT_TR_NOOP("左右ペン色"));
  penimage = new TPictureBox(kPenImageWidth, kPenImageHeight, this);
  penimage->move(56, 16);
  penimage->setCursor(Qt::CrossCursor);
  watch(penimage, QT_TR_NOOP("ペンの大きさ(→　←)"));
  fontimage = new TPictureBox(kPenImageWidth, kPenImageHeight, this);
  fontimage->move(56, 50);
  watch(fontimage, QT_TR_NOOP("フォントの大きさ(↑↓)"));
  brImage = new TPictureBox(kModeImageSide, kModeImageSide, this);
  brImage->move(110, 4);
  watch(brImage, QT_TR_NOOP("塗りつぶし設定(z,x)"));
  pmimage = new TPictureBox(kModeImageSide, kModeImageSide, this);
  pmimage->move(140, 4);
  watch(pmimage, QT_TR_NOOP("ペンモード設定(c,v)"));
  rgbimage = new TPictureBox(kRGBImageWidth, kRGBImageHeight, this);
  rgbimage->move(212, 2);
  rgbimage->setCursor(Qt::CrossCursor);
  watch(rgbimage, "");
  cgrid = new TPictureBox(kColorGridWidth, kColorGridHeight, this);
  cgrid->move(212, 54);
  cgrid->setCursor(Qt::CrossCursor);
  watch(cgrid, QT_TR_NOOP("カラーサンプル"));

  brbar = new TUpDown(kFillSettingRange.low, kFillSettingRange.high, true, this);
  brbar->setGeometry(110, 31, 25, 14);
  pmbar = new TUpDown(kPenModeRange.low, kPenModeRange.high, true, this);
  pmbar->setGeometry(140, 31, 25, 14);
  for (TUpDown* bar : {brbar, pmbar}) {
    const char* hint = bar == brbar ? QT_TR_NOOP("塗りつぶし設定(z,x)") : QT_TR_NOOP("ペンモード設定(c,v)");
    watch(bar, hint);
    watch(bar->PrevButton(), hint);
    watch(bar->NextButton(), hint);
  }
  connect(brbar, &TUpDown::Click, this, [this] { brbarClick(brbar); });
  connect(pmbar, &TUpDown::Click, this, [this] { pmbarClick(pmbar); });
}

void TPstatePanel::createTexts() {
  pstext = label(QStringLiteral("Pen:1"), QRect(56, 2, 50, 14), this);
  watch(pstext, QT_TR_NOOP("ペンの大きさ(→　←)"));
  Fstext = label(QStringLiteral("Font:9"), QRect(56, 36, 50, 14), this);
  watch(Fstext, QT_TR_NOOP("フォントの大きさ(↑↓)"));
  lr = label(QStringLiteral("R:0"), QRect(170, 2, 40, 16), this);
  watch(lr, QT_TR_NOOP("RGB値（赤）"));
  lg = label(QStringLiteral("G:0"), QRect(170, 18, 40, 16), this);
  watch(lg, QT_TR_NOOP("RGB値（緑）"));
  lb = label(QStringLiteral("B:0"), QRect(170, 34, 40, 16), this);
  watch(lb, QT_TR_NOOP("RGB値（青）"));
}

void TPstatePanel::createFontControls() {
  fcom = new TFontNameBox(this);
  fcom->setEditable(true);
  fcom->setInsertPolicy(QComboBox::NoInsert);
  fcom->setGeometry(342, 2, 156, 20);
  fcom->setStatusTip(tr("フォント名"));
  fcom->setProperty("Tag", 99);  // a text-entry control: single-key shortcuts are off in it
  bold = checkBox("Bold", QRect(342, 25, 80, 18), this);
  watch(bold, QT_TR_NOOP("強調"));
  italic = checkBox("Italic", QRect(422, 25, 78, 18), this);
  watch(italic, QT_TR_NOOP("斜体"));
  underline = checkBox("Underline", QRect(342, 45, 80, 18), this);
  watch(underline, QT_TR_NOOP("下線"));
  strikeout = checkBox("Strikeout", QRect(422, 45, 78, 18), this);
  watch(strikeout, QT_TR_NOOP("取り消し線"));
  escapement = new QScrollBar(Qt::Horizontal, this);
  escapement->setRange(kTextAngleRange.low, kTextAngleRange.high);
  escapement->setPageStep(10);
  escapement->setGeometry(342, 68, 122, 16);
  escapement->setStatusTip(tr("文字の角度"));
  estatext = label(QStringLiteral("0"), QRect(468, 66, 30, 16), this);
  watch(estatext, QT_TR_NOOP("文字の角度"));

  // The box shows the document font's name without choosing an entry, so the text tools
  // leave the face to the text renderer until a face is picked.
  fcom->setEditText(QString::fromStdString(documentCanvas().Font.Name));
  // Picking the entry whose name is already typed changes no text but does select a face.
  connect(fcom, &QComboBox::editTextChanged, this, [this] { fcomChange(fcom); });
  connect(fcom, &QComboBox::activated, this, [this] { fcomChange(fcom); });
  for (QCheckBox* box : {bold, italic, underline, strikeout})
    connect(box, &QCheckBox::toggled, this, [this, box] { fcomChange(box); });
  connect(escapement, &QScrollBar::valueChanged, this, &TPstatePanel::escapementChange);
}

void TPstatePanel::startUp() {
  brbarClick(nullptr);
  pmbarClick(nullptr);
  penwidthChange();
  FsizeChange();
  PaintColorGrid();
}

void TPstatePanel::watch(QWidget* control, const char* hint) {
  control->setStatusTip(tr(hint));
  control->setMouseTracking(true);
  if (control != this) control->installEventFilter(this);
}

TCanvas& TPstatePanel::documentCanvas() { return host_.DocumentPicture().Canvas(); }

int TPstatePanel::PixelsPerInch() const { return logicalDpiY(); }

void TPstatePanel::HintMove(QObject* sender) {
  if (auto* w = qobject_cast<QWidget*>(sender)) host_.ShowHint(w->statusTip());
}

void TPstatePanel::mouseMoveEvent(QMouseEvent* event) {
  // Moves that a child passed on are the child's: only the panel's own ground shows its hint.
  if (!childAt(event->position().toPoint())) HintMove(this);
  QWidget::mouseMoveEvent(event);
}

bool TPstatePanel::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      mouseDown(watched, panelMouse(static_cast<QMouseEvent*>(event)));
      break;
    case QEvent::MouseMove:
      mouseMove(watched, panelMouse(static_cast<QMouseEvent*>(event)));
      break;
    case QEvent::MouseButtonRelease:
      mouseUp(watched);
      break;
    default:
      return QWidget::eventFilter(watched, event);
  }
  // Pictures and texts have no mouse behaviour of their own; passing their events on would
  // let the panel take a drag for a move over its own ground.
  return qobject_cast<TPictureBox*>(watched) || qobject_cast<QLabel*>(watched);
}

void TPstatePanel::mouseDown(QObject* control, const TPanelMouse& m) {
  if (control == penshape) penshapeMouseDown(penshape, m);
  else if (control == cgrid) cgridMouseDown(m);
  else if (control == rgbimage) rgbimageMouseDown(m);
  else if (control == penimage) penimageMouseDown(m);
  else if (control == fontimage) fontimageMouseDown(m);
  else if (control == pstext) penMouseDown(m);
  else if (control == Fstext) FstextMouseDown(m);
  else if (control == lr) lrMouseDown(m);
  else if (control == lg) lgMouseDown(m);
  else if (control == lb) lbMouseDown(m);
}

void TPstatePanel::mouseMove(QObject* control, const TPanelMouse& m) {
  if (control == rgbimage) rgbimageMouseMove(m);
  else if (control == penimage) penimageMouseMove(m);
  else if (control == fontimage) fontimageMouseMove(m);
  else if (control != cgrid) HintMove(control);
}

void TPstatePanel::mouseUp(QObject* control) {
  if (control == rgbimage || control == penimage || control == fontimage) pfrMouseUp();
  else if (control == pstext || control == Fstext || control == lr || control == lg || control == lb)
    palfuncMouseUp();
}
