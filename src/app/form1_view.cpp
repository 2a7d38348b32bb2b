// The View menu's zoom of the canvas: in and out about the view's centre, back to 1:1, the whole
// picture, the pixel grid; and the zoom shown as a percentage on the status bar. Ctrl+wheel
// zooms about the pointer in the scroll box itself.
#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

#include "app/form1.h"

namespace {

QMenu* ViewMenu(QMenuBar* bar) {
  return bar->findChild<QMenu*>(QStringLiteral("ViewMenu"));
}

QString PercentText(int level) { return QString::fromStdString(ZoomPercentText(level)); }

}  // namespace

void TForm1::createViewCommands() {
  auto s = [this](const char* text) { return tr(text); };
  QAction* in = makeAction("AzoomIn", s(QT_TR_NOOP("拡大表示(&I)")), s(QT_TR_NOOP("表示を拡大します")), QKeySequence(Qt::CTRL | Qt::Key_Plus), -1, 0);
  in->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
  QAction* out = makeAction("AzoomOut", s(QT_TR_NOOP("縮小表示(&O)")), s(QT_TR_NOOP("表示を縮小します")), QKeySequence(Qt::CTRL | Qt::Key_Minus), -1, 0);
  QAction* one = makeAction("AzoomOne", s(QT_TR_NOOP("等倍表示(&A)")), s(QT_TR_NOOP("絵を１対１で表示します")), QKeySequence(Qt::CTRL | Qt::Key_0), -1, 0);
  QAction* fit = makeAction("Afit", s(QT_TR_NOOP("全体表示")), s(QT_TR_NOOP("絵の全体を表示します")), QKeySequence(Qt::CTRL | Qt::Key_9), -1, 0);
  QAction* grid = makeAction("Agrid", s(QT_TR_NOOP("グリッド")), s(QT_TR_NOOP("４倍以上でピクセルの境目を表示します")), QKeySequence(Qt::CTRL | Qt::Key_G), -1, 0);
  grid->setCheckable(true);
  QMenu* view = ViewMenu(menuBar());
  view->addSeparator();
  view->addActions({in, out, one, fit, grid});

  connect(in, &QAction::triggered, this, [this] { ScrollBox1->ZoomStep(1); });
  connect(out, &QAction::triggered, this, [this] { ScrollBox1->ZoomStep(-1); });
  connect(one, &QAction::triggered, this, [this] { ScrollBox1->ZoomStep(kZoomOne - Image->ZoomLevel()); });
  connect(fit, &QAction::triggered, this, [this] { ScrollBox1->FitToView(); });
  connect(grid, &QAction::toggled, this, [this](bool on) { Image->SetGrid(on); });

  auto* shown = new QLabel(PercentText(Image->ZoomLevel()));
  shown->setObjectName(QStringLiteral("Lzoom"));
  shown->setToolTip(s(QT_TR_NOOP("表示倍率")));
  shown->setFixedWidth(60);
  shown->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  shown->setFrameShape(QFrame::Panel);
  shown->setFrameShadow(QFrame::Sunken);
  // After Label4, before the stretch that ends the bar.
  static_cast<QHBoxLayout*>(stateBar->layout())->insertWidget(4, shown);
  connect(ScrollBox1, &TScrollBox::zoomChanged, shown, [shown](int level) { shown->setText(PercentText(level)); });
}
