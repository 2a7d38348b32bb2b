#include "app/form1.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QToolBar>
#include <QVBoxLayout>

#include "draw/ui/pstate_panel.h"
#include "history/ui/history_commands.h"

TForm1::TForm1(TCanvasDocument& document, const TCursorSlots& cursors)
    : document_(document), cursors_(cursors), session_(document) {
  setObjectName(QStringLiteral("TForm1"));
  setWindowTitle(QStringLiteral("Zudozo"));
  QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
  font.setPixelSize(12);
  setFont(font);
  setAcceptDrops(true);

  createActions();
  createMenus();
  connectImageOperations();
  connectRegionCommands();
  connectClipboardCommands();
  createToolsBar();
  setCentralWidget(createClientArea());
  canvasFollower_.changed = [this](const TRect& r) { Image->InvalidateDocument(r); };
  canvasFollower_.replaced = [this] { ScrollBox1->DocumentReplaced(); };
  session_.Events().Subscribe(canvasFollower_);
  session_.Events().Subscribe(historyFollower_);
  session_.SetHost(*this);
  createViewCommands();
  createStrokeControls();
  // The panel's own start-up runs here, after the document exists: font list, fill setting,
  // pen mode, pen width, font size and the colour samples.
  PstatePanel = new TPstatePanel(*this, pstateHost_);
  pstateHost_->layout()->addWidget(PstatePanel);
  connectKeys();
  watchHints();

  resize(501, 488);
  setMinimumWidth(500);
  if (QScreen* screen = this->screen()) move(screen->availableGeometry().center() - rect().center());
}

void TForm1::createStateBar() {
  stateBar = new QWidget;
  stateBar->setObjectName(QStringLiteral("stateBar"));
  auto* row = new QHBoxLayout(stateBar);
  row->setContentsMargins(2, 1, 2, 1);
  row->setSpacing(2);
  auto label = [&](const char* name, const QString& text, int width, Qt::Alignment align) {
    auto* l = new QLabel(text);
    l->setObjectName(QLatin1String(name));
    l->setFixedWidth(width);
    l->setAlignment(align | Qt::AlignVCenter);
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, Qt::white);
    l->setPalette(p);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    row->addWidget(l);
    return l;
  };
  Label1_ = label("Label1", tr("座標"), 60, Qt::AlignRight);
  Label2_ = label("Label2", tr("移動距離"), 60, Qt::AlignRight);
  Label3_ = label("Label3", tr("角度"), 60, Qt::AlignRight);
  Label4_ = label("Label4", QString(), 212, Qt::AlignLeft);
  Lchanged_ = label("Lchanged", QString(), 52, Qt::AlignHCenter);
  Lchanged_->setToolTip(tr("保存していない変更があると「変更あり」"));
  row->addStretch(1);
}

QWidget* TForm1::createClientArea() {
  auto* client = new QWidget;
  auto* column = new QVBoxLayout(client);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);

  xyBar_ = new QWidget;  // the coordinate bar; its controls come with the keyboard work
  xyBar_->setObjectName(QStringLiteral("xyBar"));
  xyBar_->hide();
  column->addWidget(xyBar_);

  createStateBar();
  column->addWidget(stateBar);

  ScrollBox1 = new TScrollBox(document_.Picture(), client);
  Image = ScrollBox1->Image();
  connect(ScrollBox1, &TScrollBox::canvasMouse, this, &TForm1::ImageMouse);
  column->addWidget(ScrollBox1, 1);

  ToolBar3 = new QToolBar;
  ToolBar3->setObjectName(QStringLiteral("ToolBar3"));
  ToolBar3->setFixedHeight(6);
  column->addWidget(ToolBar3);

  pstateHost_ = new QWidget;
  pstateHost_->setObjectName(QStringLiteral("PstatePanel"));
  pstateHost_->setFixedHeight(91);
  pstateHost_->setToolTip(TPstatePanel::tr("ペンの状態パネル"));
  auto* hostLayout = new QVBoxLayout(pstateHost_);  // the panel is added into it
  hostLayout->setContentsMargins(0, 0, 0, 0);
  column->addWidget(pstateHost_);
  return client;
}

void TForm1::TakeDialogs(const TMainDialogs& dialogs) {
  NewBMPForm = dialogs.newPicture;
  VersionForm = dialogs.version;
  HelpWindow = dialogs.help;
  PngForm = dialogs.png;
  ResizeForm = dialogs.resize;
  CchangeForm = dialogs.colorChange;
}

void TForm1::ShowHint(const QString& hint) { Label4_->setText(hint); }

// Every drawing into the picture comes through these two, which is how the canvas, the
// history and the recovery copy learn what changed.
void TForm1::InvalidateDocument(const TRect& r) { session_.Changed(r); }

void TForm1::DocumentReplaced() { session_.Replaced(); }
