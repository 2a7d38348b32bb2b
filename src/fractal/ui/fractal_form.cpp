// The fractal settings window's controls and their places.
#include "fractal/ui/fractal_form.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>

#include "fractal/fractal_pictures.h"
#include "fractal/ui/fractal_host.h"
#include "language/ui/translations.h"
#include "widgets/hint_watcher.h"
#include "widgets/picture_box.h"
#include "widgets/up_down.h"

namespace {

const char* const kHintProperty = "zudozoHint";

}  // namespace

TForm3::TForm3(TFractalParams& params, TFractalHost& host, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint), params_(params), host_(host) {
  setObjectName(QStringLiteral("TForm3"));
  setWindowTitle(QStringLiteral("rir"));
  resize(300, 150);  // room for the four page captions in the interface font
  move(453, 103);
  fpop = new QMenu(this);
  QAction* help = fpop->addAction(tr("ヘルプ"));
  help->setObjectName(QStringLiteral("Help1"));
  connect(help, &QAction::triggered, this, [this] { host_.ShowHelpKeyword(QStringLiteral("rir")); });
  // No pop-up hints: the hint of the control under the pointer goes to the main window.
  hints_ = new THintWatcher(
      [this](QObject* control) { host_.ShowHint(control->property(kHintProperty).toString()); }, this);

  page = new QTabWidget(this);
  page->setObjectName(QStringLiteral("page"));
  page->setGeometry(0, 0, 300, 150);
  const char* captions[] = {QT_TR_NOOP("木構造"), QT_TR_NOOP("コッホ曲線"), QT_TR_NOOP("編集"), QT_TR_NOOP("繰り返し")};
  const char* names[] = {"treetab", "cohhotab", "EditTab", "reptab"};
  QWidget* tabs[4];
  for (int i = 0; i < 4; ++i) {
    tabs[i] = new QWidget;
    tabs[i]->setObjectName(QLatin1String(names[i]));
    page->addTab(tabs[i], tr(captions[i]));
  }
  createTreePage(tabs[0]);
  createKochPage(tabs[1]);
  createEditPage(tabs[2]);
  createRepetitionPage(tabs[3]);
  connectUpDowns();
  connect(page, &QTabWidget::currentChanged, this, &TForm3::pageChange);
  // The start: the tree page, the first set chosen without applying it, line 1 of the motif.
  fcomb->setCurrentIndex(0);
  connect(fcomb, &QComboBox::activated, this, [this] { fcombChange(); });
  SelectChildLine(0);
  DrawMotifEditor();
  DrawColorStrip(autocolor->Picture(), params_.levelColors);
  DrawColorStrip(autocolorE->Picture(), params_.levelColors);
  DrawColorStrip(autocolorR->Picture(), params_.levelColors);
}

void TForm3::hint(QWidget* w, const char* text) {
  w->setProperty(kHintProperty, tr(text));
  hints_->Watch(w);
}

void TForm3::withPopup(QWidget* control) {
  // Every part of a control (a spin box's edit field, an up-down's arrows) opens the menu
  // instead of a menu of its own.
  QList<QWidget*> parts = control->findChildren<QWidget*>();
  parts.prepend(control);
  for (QWidget* part : parts) {
    part->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(part, &QWidget::customContextMenuRequested, this,
            [this, part](const QPoint& p) { fpop->popup(part->mapToGlobal(p)); });
  }
}

TUpDown* TForm3::upDown(QWidget* tab, int x, int y, int min, int max, int start, const char* text, TPictureBox** preview) {
  *preview = new TPictureBox(30, 30, tab);
  (*preview)->move(x, y);
  auto* ud = new TUpDown(min, max, true, tab, Qt::Vertical);
  ud->setGeometry(x + 31, y, 14, 30);
  ud->SetPosition(start);
  hint(*preview, text);
  hint(ud, text);
  withPopup(*preview);
  withPopup(ud);
  return ud;
}

QToolButton* TForm3::toggle(QWidget* tab, int x, int y, const char* text) {
  auto* b = new QToolButton(tab);
  b->setCheckable(true);
  b->setAutoRaise(true);
  b->setGeometry(x, y, 25, 25);
  hint(b, text);
  return b;
}

TPictureBox* TForm3::strip(QWidget* tab, int x, int y, int width, const char* text) {
  auto* s = new TPictureBox(width, 20, tab);
  s->move(x, y);
  hint(s, text);
  s->installEventFilter(this);  // a press edits a cell
  return s;
}

QSpinBox* TForm3::spin(QWidget* tab, int x, int y, int min, int max, int start, const char* text) {
  auto* s = new QSpinBox(tab);
  s->setRange(min, max);
  s->setValue(start);
  s->setGeometry(x, y, 44, 22);
  if (text) hint(s, text);
  withPopup(s);
  return s;
}

void TForm3::createTreePage(QWidget* tab) {
  udK = upDown(tab, 2, 4, 0, 6, 0, QT_TR_NOOP("枝別れの回数"), &Imk);
  UdBr = upDown(tab, 50, 4, 0, 6, 0, QT_TR_NOOP("枝の本数"), &ImBr);
  UdS = upDown(tab, 98, 4, -10, 10, 5, QT_TR_NOOP("枝の縮率"), &ImS);
  UdR = upDown(tab, 146, 4, 0, 10, 0, QT_TR_NOOP("ランダムさ"), &ImR);
  UdW = upDown(tab, 194, 4, 0, 90, 0, QT_TR_NOOP("枝の開き角度"), &ImW);
  acbutton = toggle(tab, 2, 40, QT_TR_NOOP("自動色変換"));
  acbutton->setText(tr("色"));
  autocolor = strip(tab, 30, 42, 60, QT_TR_NOOP("左から順、上ペン色、下背景色"));
  autocolor->hide();
  anbutton = toggle(tab, 96, 40, QT_TR_NOOP("自動枝細"));
  anbutton->setText(tr("細"));
  anedit = spin(tab, 124, 42, 1, 9, 4, QT_TR_NOOP("枝細程度"));
  anedit->hide();
  fcomb = new QComboBox(tab);
  fcomb->setObjectName(QStringLiteral("fcomb"));
  fcomb->setGeometry(2, 70, 200, 24);
  // A combo with a text of its own: clearing the text keeps the chosen set, which turning
  // fractal drawing on applies again. Typed text never becomes an item.
  fcomb->setEditable(true);
  fcomb->setInsertPolicy(QComboBox::NoInsert);
  for (const TParameterSet& set : kParameterSets) fcomb->addItem(CoreText("ParameterSet", set.name));
  fcomb->setToolTip(QString());
  fcomb->setProperty(kHintProperty, tr("パラメータセット"));
  withPopup(fcomb);
  connect(acbutton, &QToolButton::clicked, this, [this] { acbuttonClick(acbutton); });
  connect(anbutton, &QToolButton::clicked, this, [this] { anbuttonClick(); });
  connect(anedit, &QSpinBox::valueChanged, this, [this] { aneditChange(); });
}

void TForm3::createKochPage(QWidget* tab) {
  udkc = upDown(tab, 2, 4, 0, 6, 4, QT_TR_NOOP("再帰回数"), &imkc);
  udh = upDown(tab, 50, 4, 1, 20, 10, QT_TR_NOOP("山の高さ"), &imh);
  udwc = upDown(tab, 98, 4, 0, 9, 3, QT_TR_NOOP("山の幅"), &imwc);
}

void TForm3::createEditPage(QWidget* tab) {
  udke = upDown(tab, 2, 4, 0, 6, 4, QT_TR_NOOP("再帰回数"), &imke);
  udbe = upDown(tab, 2, 40, 1, 6, 4, QT_TR_NOOP("枝の本数"), &Imbe);
  edmage = new TPictureBox(150, 80, tab);
  edmage->setObjectName(QStringLiteral("edmage"));
  edmage->move(50, 4);
  edmage->setMouseTracking(true);
  edmage->setCursor(host_.LineToolCursor());
  edmage->installEventFilter(this);
  withPopup(edmage);
  auto* group = new QButtonGroup(this);
  group->setExclusive(true);
  for (int i = 0; i < 6; ++i) {
    eb[std::size_t(i)] = new QToolButton(tab);
    eb[std::size_t(i)]->setObjectName(QStringLiteral("eb%1").arg(i));
    eb[std::size_t(i)]->setText(QString::number(i + 1));
    eb[std::size_t(i)]->setCheckable(true);
    eb[std::size_t(i)]->setGeometry(50 + 25 * i, 88, 24, 20);
    hint(eb[std::size_t(i)], QT_TR_NOOP("子線Ｎｏ"));
    group->addButton(eb[std::size_t(i)], i);
  }
  connect(group, &QButtonGroup::idClicked, this, &TForm3::SelectChildLine);
  parebox = new QCheckBox(tr("親"), tab);
  parebox->setObjectName(QStringLiteral("parebox"));
  parebox->setGeometry(204, 4, 48, 20);
  parebox->setChecked(true);
  hint(parebox, QT_TR_NOOP("親の線も描く"));
  withPopup(parebox);
  connect(parebox, &QCheckBox::toggled, this, [this] { DrawMotifEditor(); });
  acEbutton = toggle(tab, 204, 28, QT_TR_NOOP("自動色変換"));
  acEbutton->setText(tr("色"));
  autocolorE = strip(tab, 204, 56, 60, QT_TR_NOOP("左から順、上ペン色、下背景色"));
  autocolorE->hide();
  connect(acEbutton, &QToolButton::clicked, this, [this] { acbuttonClick(acEbutton); });
}

void TForm3::createRepetitionPage(QWidget* tab) {
  const char* labels[] = {"X1", "Y1", "X2", "Y2"};
  QSpinBox** spins[] = {&sx1, &sy1, &sx2, &sy2};
  const int starts[] = {1, 1, -1, -1};
  for (int i = 0; i < 4; ++i) {
    auto* label = new QLabel(QLatin1String(labels[i]), tab);
    label->setGeometry(2 + 62 * i, 6, 18, 20);
    hint(label, QT_TR_NOOP("座標の変位"));
    withPopup(label);
    *spins[i] = spin(tab, 20 + 62 * i, 4, -10, 10, starts[i], QT_TR_NOOP("座標の変位"));
  }
  auto* count = new QLabel(tr("回数"), tab);
  count->setGeometry(2, 36, 30, 20);
  withPopup(count);
  SpinEdit5 = spin(tab, 34, 34, 1, 200, 20, nullptr);
  acRbutton = toggle(tab, 100, 32, QT_TR_NOOP("自動色変換"));
  acRbutton->setText(tr("色"));
  acRbutton->setCheckable(false);
  autocolorR = strip(tab, 130, 34, 10, QT_TR_NOOP("上ペン色、下背景色"));
}
