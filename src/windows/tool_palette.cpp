#include "windows/tool_palette.h"

#include <QAction>
#include <QButtonGroup>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QMainWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QToolTip>
#include <array>

#include "draw/other_shapes.h"
#include "widgets/error_guard.h"
#include "widgets/toolbar_icons.h"
#include "windows/palette_frame.h"
#include "windows/palette_host.h"

namespace {

struct ToolButtonPlace {
  const char* name;
  QPoint position;
};

// By tool number - 1: the three rows of buttons, each row starting further right.
constexpr std::array<ToolButtonPlace, kToolCount> kToolButtons{{
    {"curvebutton", {-2, 0}},     {"linebutton", {20, 0}},       {"fillellipse", {42, 0}},
    {"filltributton", {64, 0}},   {"fillrect", {86, 0}},         {"fillround", {108, 0}},
    {"polybutton", {130, 0}},     {"etcButton", {166, 0}},       {"floodbutton", {7, 22}},
    {"spoitbutton", {29, 22}},    {"spraybutton", {51, 22}},     {"copybutton", {73, 22}},
    {"pasterectbutton", {95, 22}}, {"stumpsbutton", {117, 22}},  {"stretchbutton", {138, 22}},
    {"rotatebutton", {160, 22}},  {"textbutton", {18, 44}},      {"texlinebutton", {40, 44}},
}};
constexpr int kPolygonTool = 7;
constexpr int kOtherShapeTool = 8;

struct OtherShapeItem {
  const char* name;
  const char* caption;
  int tag;  // a TOtherShape
};

constexpr std::array<OtherShapeItem, 8> kOtherShapeItems{{
    {"N3", QT_TRANSLATE_NOOP("TForm2", "二重四角 回"), osDoubleRect},   {"N4", QT_TRANSLATE_NOOP("TForm2", "二十円 ◎"), osDoubleEllipse},
    {"N2", QT_TRANSLATE_NOOP("TForm2", "矢印 →"), osArrow},            {"N8", QT_TRANSLATE_NOOP("TForm2", "矢印 ⇒"), osBlockArrow},
    {"N7", QT_TRANSLATE_NOOP("TForm2", "抵抗 /Ｗ"), osResistor},        {"N5", QT_TRANSLATE_NOOP("TForm2", "ルーペ ―○"), osLoupeCircle},
    {"N6", QT_TRANSLATE_NOOP("TForm2", "ルーペ ―□"), osLoupeSquare},   {"N9", QT_TRANSLATE_NOOP("TForm2", "十字 ×"), osCross},
}};

// Outer size, place and size limits of the window, frame included.
constexpr QSize kOuterSize(217, 122);
constexpr QPoint kOuterPlace(30, 284);
constexpr QSize kOuterMinimum(210, 93);
constexpr QSize kOuterMaximum(350, 700);
// The memo as laid out in a client area of kDesignClient; it keeps its distances to all
// four sides when the window is resized.
constexpr QSize kDesignClient(210, 96);
constexpr QRect kMemoDesign(63, 44, 147, 52);

// Under Wayland the palette rides in a frame inside the main window (see TPaletteFrame).
bool FloatsInsideMainWindow() { return QGuiApplication::platformName() == QLatin1String("wayland"); }

}  // namespace

TForm2::TForm2(TPaletteHost& host, const QStringList& arguments)
    : QWidget(&host.PaletteOwner(), FloatsInsideMainWindow() ? Qt::Widget : Qt::Tool | Qt::WindowStaysOnTopHint),
      host_(host) {
  setObjectName(QStringLiteral("TForm2"));
  setWindowTitle(QStringLiteral("Tools"));
  setToolTip(tr("ツールパレット(各ボタンはキーボードに対応）"));
  setMinimumSize(kOuterMinimum);
  setMaximumSize(kOuterMaximum);
  resize(kOuterSize);
  if (FloatsInsideMainWindow()) {
    frame_ = new TPaletteFrame(host.PaletteOwner(), *this);
    applyOuterSize();
  } else {
    move(kOuterPlace);
  }
  host.ToolPaletteCreated(*this);

  createMenus();
  createToolButtons();
  createShapeControls();
  createMemo();
  runCreationSteps(arguments);
  show();
}

QPolygon TForm2::OutlinePolygon(QSize outer, int clientHeight) {
  const int w = outer.width(), h = outer.height();
  const int c = h - clientHeight - 2;
  return QPolygon({QPoint(0, 0), QPoint(0, c + 22), QPoint(11, c + 22), QPoint(11, c + 44),
                   QPoint(22, c + 44), QPoint(22, c + 66), QPoint(33, c + 66), QPoint(33, h),
                   QPoint(w, h), QPoint(w, 0)});
}

void TForm2::createToolButtons() {
  toolGroup = new QButtonGroup(this);
  toolGroup->setExclusive(true);
  for (int tag = 1; tag <= kToolCount; ++tag) {
    const ToolButtonPlace& place = kToolButtons[tag - 1];
    QAction* action = host_.ToolAction(tag);
    auto* button = new TPaletteButton(this);
    button->setObjectName(QLatin1String(place.name));
    button->setProperty("Tag", tag);
    button->move(place.position);
    button->setIcon(ToolbarIcon(tag + 11));
    toolGroup->addButton(button, tag);
    watch(button, action->statusTip());
    if (tag != kOtherShapeTool) offerHelp(button);
    // The action selects the tool; the group has already pressed this button, so the button
    // of the tool actually selected is pressed again (a stroke under way keeps its tool).
    connect(button, &QAbstractButton::clicked, this, [this, action] {
      action->trigger();
      showSelectedTool();
    });
  }
  curvebutton = static_cast<TPaletteButton*>(toolGroup->button(1));
  polybutton = static_cast<TPaletteButton*>(toolGroup->button(kPolygonTool));
  etcButton = static_cast<TPaletteButton*>(toolGroup->button(kOtherShapeTool));
}

void TForm2::createShapeControls() {
  poldit = new TUpDown(3, 10, true, this, Qt::Vertical);
  poldit->setObjectName(QStringLiteral("poldit"));
  poldit->setGeometry(152, 0, 14, 22);
  poldit->SetPosition(6);
  watch(poldit, tr("Ｎ角形のＮ"));
  offerHelp(poldit);
  connect(poldit, &TUpDown::Click, this, &TForm2::polditClick);

  etcSelectB = new QToolButton(this);
  etcSelectB->setObjectName(QStringLiteral("etcSelectB"));
  etcSelectB->setGeometry(188, 0, 11, 23);
  etcSelectB->setText(QStringLiteral("↓"));
  etcSelectB->setFocusPolicy(Qt::NoFocus);
  etcSelectB->setToolTip(tr("図形選択"));
  watch(etcSelectB, tr("図形選択"));
  connect(etcSelectB, &QToolButton::clicked, this, &TForm2::etcSelectBClick);

  etcUD = new TUpDown(1, 9, false, this, Qt::Vertical);
  etcUD->setObjectName(QStringLiteral("etcUD"));
  etcUD->setGeometry(198, 0, 11, 23);
  etcUD->SetPosition(5);
  etcUD->setToolTip(tr("パラメータ"));
  watch(etcUD, tr("パラメータ"));
  connect(etcUD, &TUpDown::Click, this, &TForm2::etcUDClick);
}

void TForm2::createMemo() {
  edit7 = new QPlainTextEdit(QStringLiteral("ABCDEF"), this);
  edit7->setObjectName(QStringLiteral("edit7"));
  edit7->setProperty("Tag", 99);  // a text entry: typed keys are its own, not tool keys
  edit7->setStatusTip(tr("テキスト入力"));
  edit7->setGeometry(kMemoDesign);
  edit7->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  edit7->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);  // long lines scroll with the cursor
  edit7->setLineWrapMode(QPlainTextEdit::NoWrap);
  QFont font = edit7->font();
  font.setPixelSize(16);
  edit7->setFont(font);
  edit7->setFocus();  // the window's focus control whenever it is active
}

void TForm2::createMenus() {
  Tpalhelp = new QMenu(this);
  Tpalhelp->setObjectName(QStringLiteral("Tpalhelp"));
  N1 = Tpalhelp->addAction(tr("ヘルプ"));
  N1->setObjectName(QStringLiteral("N1"));
  connect(N1, &QAction::triggered, this, [this] { RunGuarded(this, [this] { N1Click(); }); });

  editmenu = new QMenu(this);
  editmenu->setObjectName(QStringLiteral("editmenu"));
  for (const OtherShapeItem& entry : kOtherShapeItems) {
    QAction* item = editmenu->addAction(tr(entry.caption));
    item->setObjectName(QLatin1String(entry.name));
    item->setData(entry.tag);
  }
  connect(editmenu, &QMenu::triggered, this, &TForm2::EtcClick);
}

void TForm2::runCreationSteps(const QStringList& arguments) {
  // A relative name is recorded by its full path, so the caption and Save name the same file
  // wherever the program's working folder is later.
  host_.StartPicture(arguments.isEmpty() ? QString() : QFileInfo(arguments.first()).absoluteFilePath());
  std::array<QAbstractButton*, kToolCount + 1> buttons{};
  for (QAbstractButton* button : toolGroup->buttons()) buttons[toolGroup->id(button)] = button;
  host_.TakeToolButtons(buttons);
  host_.SelectTool(1);
  polybutton->setText(QStringLiteral("6"));
}

void TForm2::watch(QWidget* control, const QString& hint) {
  control->setStatusTip(hint);
  QList<QWidget*> parts = control->findChildren<QWidget*>();
  parts.prepend(control);
  for (QWidget* part : parts) {
    part->setMouseTracking(true);
    part->installEventFilter(this);
    hintControls_.insert(part, control);
  }
}

void TForm2::offerHelp(QWidget* control) {
  control->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(control, &QWidget::customContextMenuRequested, this,
          [this, control](const QPoint& at) { Tpalhelp->popup(control->mapToGlobal(at)); });
}

bool TForm2::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseMove) hint2Move(hintControls_.value(watched));
  return QWidget::eventFilter(watched, event);
}

bool TForm2::event(QEvent* event) {
  // The window's own tool tip belongs to its free area: controls without a tool tip of their
  // own pass the request up here, and get none.
  if (event->type() == QEvent::ToolTip && childAt(static_cast<QHelpEvent*>(event)->pos())) {
    QToolTip::hideText();
    event->ignore();
    return true;
  }
  return QWidget::event(event);
}

void TForm2::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const int rightGap = kDesignClient.width() - (kMemoDesign.x() + kMemoDesign.width());
  const int bottomGap = kDesignClient.height() - (kMemoDesign.y() + kMemoDesign.height());
  edit7->setGeometry(kMemoDesign.x(), kMemoDesign.y(), width() - kMemoDesign.x() - rightGap,
                     height() - kMemoDesign.y() - bottomGap);
  applyOutline();
}

void TForm2::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  applyOuterSize();
  applyOutline();
}

void TForm2::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  applyOuterSize();
}

void TForm2::applyOuterSize() {
  // The window system tells the frame only once the window is on screen: the client area
  // then gives up the frame's share of the outer size and limits, once.
  const QSize frame = frame_ ? TPaletteFrame::Margins() : frameGeometry().size() - size();
  if (outerSizeFitted_ || frame.isNull()) return;
  outerSizeFitted_ = true;
  setMinimumSize(kOuterMinimum - frame);
  setMaximumSize(kOuterMaximum - frame);
  resize(size() - frame);
}

void TForm2::applyOutline() {
  const QRect outer = frame_ ? frame_->geometry() : frameGeometry();
  const QRect client = frame_ ? QRect(frame_->pos() + pos(), size()) : geometry();
  QPolygon outline = OutlinePolygon(outer.size(), client.height());
  if (frame_) frame_->setMask(QRegion(outline, Qt::WindingFill));
  outline.translate(outer.topLeft() - client.topLeft());
  setMask(QRegion(outline, Qt::WindingFill));
}
