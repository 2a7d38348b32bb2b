// The main window's menus, the region pop-up menu and the tool bar.
#include <QAction>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include "app/form1.h"
#include "widgets/error_guard.h"

namespace {

QAction* MenuItem(QMenu* menu, const char* name, const char* caption, const QKeySequence& key = {}) {
  QAction* item = menu->addAction(QString::fromUtf8(caption));
  item->setObjectName(QLatin1String(name));
  item->setShortcut(key);
  return item;
}

}  // namespace

void TForm1::createMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MainMenu"));
  QMenu* file = bar->addMenu(QStringLiteral("ファイル(&F)"));
  file->addActions({Anew, Aopen, Asave, Asaveas, Aclose, Aclosesave});

  // The edit commands other than Undo are bound by the image operations.
  QMenu* edit = bar->addMenu(QStringLiteral("編集(&E)"));
  edit->addAction(Aretrun);
  createHistory(edit);
  Mcut = MenuItem(edit, "Mcut", "全切り取り(&T)", QKeySequence(Qt::CTRL | Qt::Key_X));
  Mcopy = MenuItem(edit, "Mcopy", "全コピー(&C)", QKeySequence(Qt::CTRL | Qt::Key_C));
  MPaste = MenuItem(edit, "MPaste", "全貼り付け(&P)", QKeySequence(Qt::CTRL | Qt::Key_V));
  Mallselect = MenuItem(edit, "Mallselect", "全域選択(&E)", QKeySequence(Qt::CTRL | Qt::Key_A));
  Mpastefile = MenuItem(edit, "Mpastefile", "ファイルから貼り付け(&F)", QKeySequence(Qt::CTRL | Qt::Key_F));
  connectCommand(Mpastefile, &TForm1::MpastefileClick);
  R1 = MenuItem(edit, "R1", "拡大縮小(&R)", QKeySequence(Qt::CTRL | Qt::Key_R));

  QMenu* view = bar->addMenu(QStringLiteral("表示(&V)"));
  view->addActions({Azoom, Afrac, Apoint, AtoolP});

  QMenu* help = bar->addMenu(QStringLiteral("ヘルプ(&H)"));
  MContents = MenuItem(help, "MContents", "目次(&C)");
  Mversion = MenuItem(help, "Mversion", "バージョン(&V)");
  connectCommand(MContents, &TForm1::Help1Click);
  connectCommand(Mversion, &TForm1::MversionClick);

  // The region menu: region editing and select-all open it and bind its items.
  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  MenuItem(PopupMenu1, "Mmcut", "切り取り(&T)");
  MenuItem(PopupMenu1, "Mmcopy", "コピー(&C)");
  connectCommand(MenuItem(PopupMenu1, "Mpsave", "ファイルへ保存(&S)"), &TForm1::MpsaveClick);
  MenuItem(PopupMenu1, "Mholizon", "左右反転(&H)");
  MenuItem(PopupMenu1, "Mvert", "上下反転(&V)");
  MenuItem(PopupMenu1, "Mcolor", "色変換(&E)");
  MenuItem(PopupMenu1, "Mprecover", "部分回復(&P)");
  MenuItem(PopupMenu1, "Mbrush", "ブラシ読み込み(&B)");
  QMenu* gradient = PopupMenu1->addMenu(QStringLiteral("グラデーション(&G)"));
  gradient->menuAction()->setObjectName(QStringLiteral("G1"));
  MenuItem(gradient, "MgraH", "横縞(&H)");
  MenuItem(gradient, "MgraV", "縦縞(&V)");
  MenuItem(PopupMenu1, "Enter1", "キャンセル(&Q)");  // choosing it only closes the menu
}

void TForm1::createToolsBar() {
  ToolsBar = new QToolBar(QStringLiteral("ToolsBar"), this);
  ToolsBar->setObjectName(QStringLiteral("ToolsBar"));
  ToolsBar->setMovable(false);
  ToolsBar->setFloatable(false);
  ToolsBar->setIconSize(QSize(16, 16));
  ToolsBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
  addToolBar(Qt::TopToolBarArea, ToolsBar);

  auto button = [this](QAction* action, const char* name) {
    ToolsBar->addAction(action);
    auto* b = qobject_cast<QToolButton*>(ToolsBar->widgetForAction(action));
    b->setObjectName(QLatin1String(name));
    b->setFixedSize(23, 22);
    return b;
  };
  button(Aclosesave, "saveclose");
  ToolsBar->addSeparator();
  button(Anew, "newB");
  button(Aopen, "openB");
  saveB = button(Asave, "saveB");
  button(Asaveas, "saveasB");
  ToolsBar->addSeparator();
  button(Aretrun, "returnB");
  button(Aorigin, "originB");
  button(Apoly, "plineB");
  button(Asym, "symB");
  ToolsBar->addSeparator();
  button(Azoom, "zoomB");
  button(Afrac, "zudozoB");
  button(Apoint, "pointB");
  button(AtoolP, "Toolshow");

  tbarhelp = new QMenu(this);
  tbarhelp->setObjectName(QStringLiteral("tbarhelp"));
  connectCommand(MenuItem(tbarhelp, "Help3", "ヘルプ"), &TForm1::Help3Click);
  ToolsBar->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(ToolsBar, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { tbarhelp->popup(ToolsBar->mapToGlobal(at)); });
}

QAction* TForm1::regionMenuItem(const char* name) const {
  return PopupMenu1->findChild<QAction*>(QLatin1String(name), Qt::FindChildrenRecursively);
}
