// The main window's menus, the region pop-up menu and the tool bar.
#include <QCoreApplication>
#include <QAction>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include "app/form1.h"
#include "widgets/error_guard.h"

namespace {

QAction* MenuItem(QMenu* menu, const char* name, const char* caption, const QKeySequence& key = {}) {
  QAction* item = menu->addAction(QCoreApplication::translate("TForm1", caption));
  item->setObjectName(QLatin1String(name));
  item->setShortcut(key);
  return item;
}

}  // namespace

void TForm1::createMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MainMenu"));
  QMenu* file = bar->addMenu(tr("ファイル(&F)"));
  file->addActions({Anew_, Aopen_, Asave_, Asaveas_, Aclose_, Aclosesave_});

  // The edit commands other than Undo are bound by the image operations.
  QMenu* edit = bar->addMenu(tr("編集(&E)"));
  edit->addAction(Aretrun_);
  createHistory(edit);
  Mcut_ = MenuItem(edit, "Mcut", QT_TR_NOOP("全切り取り(&T)"), QKeySequence(Qt::CTRL | Qt::Key_X));
  Mcopy_ = MenuItem(edit, "Mcopy", QT_TR_NOOP("全コピー(&C)"), QKeySequence(Qt::CTRL | Qt::Key_C));
  MPaste_ = MenuItem(edit, "MPaste", QT_TR_NOOP("全貼り付け(&P)"), QKeySequence(Qt::CTRL | Qt::Key_V));
  Mallselect_ = MenuItem(edit, "Mallselect", QT_TR_NOOP("全域選択(&E)"), QKeySequence(Qt::CTRL | Qt::Key_A));
  Mpastefile = MenuItem(edit, "Mpastefile", QT_TR_NOOP("ファイルから貼り付け(&F)"), QKeySequence(Qt::CTRL | Qt::Key_F));
  connectCommand(Mpastefile, &TForm1::MpastefileClick);
  R1_ = MenuItem(edit, "R1", QT_TR_NOOP("拡大縮小(&R)"), QKeySequence(Qt::CTRL | Qt::Key_R));

  QMenu* view = bar->addMenu(tr("表示(&V)"));
  view->setObjectName(QStringLiteral("ViewMenu"));
  view->addActions({Azoom_, Afrac_, Apoint_, AtoolP_});

  QMenu* help = bar->addMenu(tr("ヘルプ(&H)"));
  MContents_ = MenuItem(help, "MContents", QT_TR_NOOP("目次(&C)"));
  Mversion_ = MenuItem(help, "Mversion", QT_TR_NOOP("バージョン(&V)"));
  connectCommand(MContents_, &TForm1::Help1Click);
  connectCommand(Mversion_, &TForm1::MversionClick);

  // The region menu: region editing and select-all open it and bind its items.
  PopupMenu1_ = new QMenu(this);
  PopupMenu1_->setObjectName(QStringLiteral("PopupMenu1"));
  MenuItem(PopupMenu1_, "Mmcut", QT_TR_NOOP("切り取り(&T)"));
  MenuItem(PopupMenu1_, "Mmcopy", QT_TR_NOOP("コピー(&C)"));
  connectCommand(MenuItem(PopupMenu1_, "Mpsave", QT_TR_NOOP("ファイルへ保存(&S)")), &TForm1::MpsaveClick);
  MenuItem(PopupMenu1_, "Mholizon", QT_TR_NOOP("左右反転(&H)"));
  MenuItem(PopupMenu1_, "Mvert", QT_TR_NOOP("上下反転(&V)"));
  MenuItem(PopupMenu1_, "Mcolor", QT_TR_NOOP("色変換(&E)"));
  MenuItem(PopupMenu1_, "Mprecover", QT_TR_NOOP("部分回復(&P)"));
  MenuItem(PopupMenu1_, "Mbrush", QT_TR_NOOP("ブラシ読み込み(&B)"));
  QMenu* gradient = PopupMenu1_->addMenu(tr("グラデーション(&G)"));
  gradient->menuAction()->setObjectName(QStringLiteral("G1"));
  MenuItem(gradient, "MgraH", QT_TR_NOOP("横縞(&H)"));
  MenuItem(gradient, "MgraV", QT_TR_NOOP("縦縞(&V)"));
  MenuItem(PopupMenu1_, "Enter1", QT_TR_NOOP("キャンセル(&Q)"));  // choosing it only closes the menu
}

void TForm1::createToolsBar() {
  ToolsBar_ = new QToolBar(QStringLiteral("ToolsBar"), this);
  ToolsBar_->setObjectName(QStringLiteral("ToolsBar"));
  ToolsBar_->setMovable(false);
  ToolsBar_->setFloatable(false);
  ToolsBar_->setIconSize(QSize(16, 16));
  ToolsBar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
  addToolBar(Qt::TopToolBarArea, ToolsBar_);

  auto button = [this](QAction* action, const char* name) {
    ToolsBar_->addAction(action);
    auto* b = qobject_cast<QToolButton*>(ToolsBar_->widgetForAction(action));
    b->setObjectName(QLatin1String(name));
    b->setFixedSize(23, 22);
    return b;
  };
  button(Aclosesave_, "saveclose");
  ToolsBar_->addSeparator();
  button(Anew_, "newB");
  button(Aopen_, "openB");
  saveB_ = button(Asave_, "saveB");
  button(Asaveas_, "saveasB");
  ToolsBar_->addSeparator();
  button(Aretrun_, "returnB");
  button(Aorigin_, "originB");
  button(Apoly_, "plineB");
  button(Asym_, "symB");
  ToolsBar_->addSeparator();
  button(Azoom_, "zoomB");
  button(Afrac_, "zudozoB");
  button(Apoint_, "pointB");
  button(AtoolP_, "Toolshow");

  tbarhelp_ = new QMenu(this);
  tbarhelp_->setObjectName(QStringLiteral("tbarhelp"));
  connectCommand(MenuItem(tbarhelp_, "Help3", QT_TR_NOOP("ヘルプ")), &TForm1::Help3Click);
  ToolsBar_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(ToolsBar_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { tbarhelp_->popup(ToolsBar_->mapToGlobal(at)); });
}

QAction* TForm1::regionMenuItem(const char* name) const {
  return PopupMenu1_->findChild<QAction*>(QLatin1String(name), Qt::FindChildrenRecursively);
}
