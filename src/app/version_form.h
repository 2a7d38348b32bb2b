#pragma once
// TForm5, the version window: the program's picture with its version, the author's credit
// and a small joke. Any click on the picture or the version, or any typed key, closes it.
#include <QDialog>

class QLabel;

class TForm5 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm5(QWidget* parent = nullptr);

  QLabel *vermage, *Label3, *StaticText1, *StaticText2;

  // The author's label: a beep and an error box without buttons ("あなたは今不正な処理を
  // 行いました"), closed by its close box; the version window stays open.
  void StaticText1Click();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};
