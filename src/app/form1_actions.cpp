// The main window's actions: captions, hints, shortcuts, pictures and tags, and the commands
// of this window bound to them. Actions whose commands come with other windows are created
// here with their texts and keys and are bound by those windows.
#include <QAction>
#include <QActionGroup>

#include "app/form1.h"
#include "widgets/toolbar_icons.h"
#include "widgets/error_guard.h"

namespace {

struct ToolAction {
  const char* name;
  const char* hint;
};

constexpr std::array<ToolAction, kToolCount> kToolActions{{
    {"Acurve", QT_TRANSLATE_NOOP("TForm1", "自由曲線(1)")},      {"Aline", QT_TRANSLATE_NOOP("TForm1", "直線(2)")},
    {"Aellipse", QT_TRANSLATE_NOOP("TForm1", "楕円(3)")},        {"Atriangle", QT_TRANSLATE_NOOP("TForm1", "三角形(4)")},
    {"Arectangel", QT_TRANSLATE_NOOP("TForm1", "四角形(5)")},    {"Arrect", QT_TRANSLATE_NOOP("TForm1", "角丸四角(6)")},
    {"Apolygone", QT_TRANSLATE_NOOP("TForm1", "正N角形(7)")},    {"Aetc", QT_TRANSLATE_NOOP("TForm1", "その他の図形(8)")},
    {"Aflood", QT_TRANSLATE_NOOP("TForm1", "領域塗りつぶし(q)")}, {"Aspoit", QT_TRANSLATE_NOOP("TForm1", "スポイト(w)")},
    {"Aspray", QT_TRANSLATE_NOOP("TForm1", "スプレー(e)")},      {"Aselect", QT_TRANSLATE_NOOP("TForm1", "領域編集(r)")},
    {"Apaste", QT_TRANSLATE_NOOP("TForm1", "貼付け(t)")},        {"Astump", QT_TRANSLATE_NOOP("TForm1", "連続貼付け(y)")},
    {"Astretch", QT_TRANSLATE_NOOP("TForm1", "任意サイズ貼付け(u)")}, {"Arotate", QT_TRANSLATE_NOOP("TForm1", "任意角度貼付(i)")},
    {"Atext", QT_TRANSLATE_NOOP("TForm1", "テキスト(a)")},       {"Atexline", QT_TRANSLATE_NOOP("TForm1", "任意角度テキスト(s)")},
}};

constexpr int kFirstToolImage = 12;

}  // namespace

QAction* TForm1::makeAction(const char* name, const QString& caption, const QString& hint,
                            const QKeySequence& shortcut, int image, int tag) {
  auto* action = new QAction(caption, this);
  action->setObjectName(QLatin1String(name));
  action->setToolTip(hint.isEmpty() ? caption : hint);
  action->setStatusTip(hint);
  action->setShortcut(shortcut);
  action->setShortcutContext(Qt::ApplicationShortcut);
  action->setData(tag);
  if (image >= 0) action->setIcon(ToolbarIcon(image));
  addAction(action);  // shortcuts work even for actions on no menu or toolbar
  return action;
}

void TForm1::connectCommand(QAction* action, void (TForm1::*command)()) {
  connect(action, &QAction::triggered, this, [this, command] { RunGuarded(this, [&] { (this->*command)(); }); });
}

void TForm1::createActions() {
  auto s = [this](const char* text) { return tr(text); };
  Aclose_ = makeAction("Aclose", s(QT_TR_NOOP("即終了(&Z)")), s(QT_TR_NOOP("絵を保存せずに終了します")), QKeySequence(Qt::SHIFT | Qt::Key_Escape), 0, 0);
  Anew_ = makeAction("Anew", s(QT_TR_NOOP("新規作成(&N)")), s(QT_TR_NOOP("キャンバスを新しくします")), Qt::Key_F1, 1, 0);
  Aopen_ = makeAction("Aopen", s(QT_TR_NOOP("絵を開く(&O)")), s(QT_TR_NOOP("画像ファイルを読み込みます")), Qt::Key_F2, 2, 0);
  Asave_ = makeAction("Asave", s(QT_TR_NOOP("上書き保存(&S)")), s(QT_TR_NOOP("現在のファイルに上書き保存します")), Qt::Key_F3, 3, 0);
  Asaveas_ = makeAction("Asaveas", s(QT_TR_NOOP("名前をつけて保存(&A)")), s(QT_TR_NOOP("新しくファイル名をつけて保存します")), Qt::Key_F4, 4, 0);
  Aretrun_ = makeAction("Aretrun", s(QT_TR_NOOP("元に戻す(&U)")), s(QT_TR_NOOP("１つ前の操作に戻します")), Qt::Key_F5, 5, 0);
  Aorigin_ = makeAction("Aorigin", QString(), s(QT_TR_NOOP("始点ロック")), Qt::Key_F6, 6, 1);
  Apoly_ = makeAction("Apoly", s("Apoly"), s(QT_TR_NOOP("連続描画")), Qt::Key_F7, 7, 2);
  Asym_ = makeAction("Asym", s("Asym"), s(QT_TR_NOOP("点対称描画")), Qt::Key_F8, 8, 3);
  Azoom_ = makeAction("Azoom", s(QT_TR_NOOP("拡大図(&Z)")), s(QT_TR_NOOP("拡大図の表示／非表示")), Qt::Key_F9, 9, 0);
  Afrac_ = makeAction("Afrac", s("rir(&F)"), s(QT_TR_NOOP("rirのON/OFF")), Qt::Key_F10, 10, 0);
  Apoint_ = makeAction("Apoint", s(QT_TR_NOOP("座標パネル(&P)")), s(QT_TR_NOOP("座標パネルの表示／非表示")), Qt::Key_F11, 11, 0);
  AtoolP_ = makeAction("AtoolP", s(QT_TR_NOOP("ツールパレット(&T)")), s(QT_TR_NOOP("ツールパレットの表示／非表示")), Qt::Key_F12, 12, 0);
  Acleft = makeAction("Acleft", s("Acleft"), QString(), QKeySequence(Qt::CTRL | Qt::Key_Left), -1, 5);
  Acright = makeAction("Acright", s("Acright"), QString(), QKeySequence(Qt::CTRL | Qt::Key_Right), -1, 6);
  Acup = makeAction("Acup", s("Acup"), QString(), QKeySequence(Qt::CTRL | Qt::Key_Up), -1, 7);
  Acdown_ = makeAction("Acdown", s("Acdown"), QString(), QKeySequence(Qt::CTRL | Qt::Key_Down), -1, 8);
  Aclosesave_ = makeAction("Aclosesave", s(QT_TR_NOOP("終了(&X)")), s(QT_TR_NOOP("終了します")), Qt::Key_Escape, 0, 0);

  // The three drawing modifiers: at most one down, and all may be up.
  modifierGroup = new QActionGroup(this);
  modifierGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  for (QAction* a : {Aorigin_, Apoly_, Asym_}) {
    a->setCheckable(true);
    modifierGroup->addAction(a);
  }
  for (QAction* a : {Azoom_, Afrac_, Apoint_, AtoolP_}) a->setCheckable(true);
  AtoolP_->setChecked(true);

  for (int i = 0; i < kToolCount; ++i) {
    ToolActions[i] = makeAction(kToolActions[i].name, QString(), s(kToolActions[i].hint),
                                QKeySequence(), kFirstToolImage + i, i + 1);
  }

  connectCommand(Aclose_, &TForm1::AcloseExecute);
  connectCommand(Aclosesave_, &TForm1::savecloseClick);
  connectCommand(Anew_, &TForm1::newBClick);
  connectCommand(Aopen_, &TForm1::openBClick);
  connectCommand(Asave_, &TForm1::savebuttonClick);
  connectCommand(Asaveas_, &TForm1::saveasbuttonClick);
  connectCommand(Aretrun_, &TForm1::returnbuttonClick);
  for (QAction* tool : ToolActions) {
    const int tag = tool->data().toInt();
    connect(tool, &QAction::triggered, this, [this, tag] { RunGuarded(this, [&] { dtExecute(tag); }); });
  }
  connectModifierKeys();
  connectCommand(AtoolP_, &TForm1::toolshowClick);
}
