#pragma once
// TForm3, the fractal settings window "rir": four pages, one per kind of figure grown from a
// stroke (tree, Koch curve, a motif drawn by the user, repetition). Its controls write the
// program's parameter record at once; the page that is showing is the kind in force.
#include <QDialog>
#include <array>

#include "fractal/fractal_params.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QMenu;
class QSpinBox;
class QTabWidget;
class QToolButton;
class TFractalHost;
class THintWatcher;
class TPictureBox;
class TUpDown;

class TForm3 : public QDialog {
  Q_OBJECT
 public:
  // params and host outlive the window.
  TForm3(TFractalParams& params, TFractalHost& host, QWidget* parent = nullptr);

  QTabWidget* page;
  // Tree page.
  TUpDown *udK, *UdBr, *UdS, *UdR, *UdW;
  TPictureBox *Imk, *ImBr, *ImS, *ImR, *ImW;
  QToolButton *acbutton, *anbutton;
  TPictureBox* autocolor;
  QSpinBox* anedit;
  QComboBox* fcomb;
  // Koch page.
  TUpDown *udkc, *udh, *udwc;
  TPictureBox *imkc, *imh, *imwc;
  // Edit page.
  TUpDown *udke, *udbe;
  TPictureBox *imke, *Imbe, *edmage;
  QCheckBox* parebox;
  QToolButton* acEbutton;
  TPictureBox* autocolorE;
  std::array<QToolButton*, 6> eb{};
  // Repetition page.
  QSpinBox *sx1, *sy1, *sx2, *sy2, *SpinEdit5;
  QToolButton* acRbutton;
  TPictureBox* autocolorR;
  QMenu* fpop;

  // The motif and the editor's state.
  std::array<TMotifLine, 6> motif{};
  int childNo = 0;
  bool endPending = false;

  TFractalKind Kind() const;
  // The window's part of a run: kind, parent, auto colour and thinning, motif, repetition.
  TFractalRun RunSettings() const;

  void fcombChange();
  void pageChange(int index);
  void acbuttonClick(QObject* sender);
  // Both clear the text of fcomb only: the chosen set stays chosen.
  void anbuttonClick();
  void aneditChange();
  void autocolorMouseDown(TPictureBox* strip, int button, int x, int y);
  void SetTreeParams(int levels, int branches, int ratioPosition, int randomness, int angle);
  void SetKochParams(int recursions, int height, int width);
  void SetLevelColors(TPictureBox* strip, const std::array<TColor, 12>& colors);
  void EnterEditPage();
  void SelectChildLine(int n);
  void DrawMotifEditor();
  void edmageMouseMove(int x, int y);
  void edmageMouseUp(int button, int x, int y);
  // Shows the drawing time of the last run in the caption.
  void ShowDrawingTime(std::uint32_t milliseconds);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void createTreePage(QWidget* tab);
  void createKochPage(QWidget* tab);
  void createEditPage(QWidget* tab);
  void createRepetitionPage(QWidget* tab);
  TUpDown* upDown(QWidget* tab, int x, int y, int min, int max, int start, const char* hint, TPictureBox** preview);
  QToolButton* toggle(QWidget* tab, int x, int y, const char* hint);
  TPictureBox* strip(QWidget* tab, int x, int y, int width, const char* hint);
  QSpinBox* spin(QWidget* tab, int x, int y, int min, int max, int start, const char* hint);
  void hint(QWidget* w, const char* text);
  // The menu fpop on a right click anywhere on the control.
  void withPopup(QWidget* control);
  void connectUpDowns();

  TFractalParams& params_;
  TFractalHost& host_;
  THintWatcher* hints_ = nullptr;
};
