#include "app/version_form.h"
#include "windows/fixed_window.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QStyle>

namespace {

QLabel* SunkenLabel(const QString& text, const QString& hint, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  label->setToolTip(hint);
  return label;
}

// An error box with no buttons at all: only the title bar's close box ends it.
void ShowButtonlessError(QWidget* parent, const QString& text) {
  QDialog box(parent);
  box.setObjectName(QStringLiteral("InvalidOperationBox"));
  box.setWindowTitle(QStringLiteral("Zudozo"));
  auto* row = new QHBoxLayout(&box);
  auto* icon = new QLabel(&box);
  icon->setPixmap(box.style()->standardIcon(QStyle::SP_MessageBoxCritical).pixmap(32, 32));
  row->addWidget(icon);
  row->addWidget(new QLabel(text, &box));
  box.exec();
}

}  // namespace

TForm5::TForm5(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName(QStringLiteral("TForm5"));
  setWindowTitle(tr("バージョン情報"));
  SetFixedWindowSize(*this, QSize(200, 222));

  vermage = new QLabel(this);
  vermage->setGeometry(0, 0, 200, 200);
  vermage->setPixmap(QPixmap(QStringLiteral(":/version/zudozo.png")));
  vermage->setToolTip(QStringLiteral("Click↓"));

  Label3 = new QLabel(QStringLiteral("ver 4.34"), vermage);
  QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
  font.setPixelSize(19);
  font.setBold(true);
  Label3->setFont(font);
  Label3->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
  Label3->move(109, 142);
  Label3->adjustSize();
  Label3->setToolTip(tr("バージョン"));

  StaticText2 = SunkenLabel(QStringLiteral("Zudozo"), QStringLiteral("rir"), this);
  StaticText2->setGeometry(2, 202, 60, 18);
  StaticText1 = SunkenLabel(tr("作: ずどぞ工房"), tr("作者です"), this);
  StaticText1->setGeometry(96, 202, 102, 18);
  StaticText1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

  for (QLabel* l : {vermage, Label3, StaticText1}) l->installEventFilter(this);
}

void TForm5::StaticText1Click() {
  QApplication::beep();
  ShowButtonlessError(this, tr("あなたは今不正な処理を行いました"));
}

bool TForm5::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::MouseButtonRelease) return QDialog::eventFilter(watched, event);
  if (watched == StaticText1) {
    StaticText1Click();
  } else {
    accept();  // the picture or the version text
  }
  return true;
}

void TForm5::keyPressEvent(QKeyEvent* event) {
  if (!event->text().isEmpty()) {
    accept();
    return;
  }
  QDialog::keyPressEvent(event);
}
