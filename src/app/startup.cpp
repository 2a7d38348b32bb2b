#include "app/startup.h"

#include <QApplication>
#include <QFile>
#include <QLabel>

#include "app/form1.h"
#include "app/help_window.h"
#include "app/version_form.h"
#include "document/ui/new_bmp_form.h"
#include "document/ui/png_form.h"
#include "fractal/ui/fractal_form.h"
#include "imageops/ui/color_change_form.h"
#include "imageops/ui/resize_form.h"
#include "widgets/bitmap_image.h"
#include "windows/tool_palette.h"
#include "windows/zoom_form.h"

namespace {

bool LoadResourcePicture(const char* name, TBitmap& out) {
  const QString path = QStringLiteral(":/pictures/%1.png").arg(QLatin1String(name));
  if (!QFile::exists(path)) return false;
  FromQImage(QImage(path), out);
  return true;
}

}  // namespace

void LoadResourcePictures(TCanvasDocument& document) {
  if (LoadResourcePicture("brush", document.BrushPattern())) document.BrushPattern().SetPixelFormat(pfDevice);
  LoadResourcePicture("mouse", document.MousePicture());
  if (LoadResourcePicture("pensize", document.PenSizePicture())) document.PenSizePicture().SetPixelFormat(pf1bit);
}

TZudozoApp::TZudozoApp(const QStringList& arguments) {
  LoadResourcePictures(document_);
  QApplication::setApplicationName(QStringLiteral("Zudozo"));
  // The tool palette's creation applies the stroke settings and opens the command line's
  // picture or resets the view.
  createWindows(arguments);
  form1_->StartHistory();
  // The first caption names the file with its folder; later ones name it without.
  form1_->setWindowTitle(QString::fromStdString(
      MainCaption(document_.FileName, newBmpForm_->Lpf->text().toStdString())));
}

TZudozoApp::~TZudozoApp() {
  // Hidden while still whole: hiding moves the keyboard focus, and the font box losing it
  // calls back into the main window.
  form1_->hide();
}

void TZudozoApp::createWindows(const QStringList& arguments) {
  form1_ = std::make_unique<TForm1>(document_, cursors_);
  windows_.push_back(form1_.get());
  auto* form3 = new TForm3(form1_->FractalParams, *form1_, form1_.get());
  windows_.push_back(form3);
  form1_->ConnectFractalWindow(form3);
  auto* form4 = new TForm4(*form1_, form1_.get());
  windows_.push_back(form4);
  form1_->ConnectZoomWindow(form4);
  form5_ = new TForm5(form1_.get());
  newBmpForm_ = new TNewBMPForm(document_, [this] { form1_->savebuttonClick(); }, form1_.get());
  pngForm_ = new TForm7(form1_.get());
  auto* resizeForm = new Tresizeform(form1_.get());
  auto* colorChangeForm = new TCchangeform(form1_.get());
  help_ = new THelpWindow(form1_.get());
  form1_->TakeDialogs({newBmpForm_, form5_, help_, pngForm_, resizeForm, colorChangeForm});
  // The palette starts the first picture, which the main window shows with the dialogs' help.
  auto* form2 = new TForm2(*form1_, arguments);
  windows_.insert(windows_.end(), {form5_, newBmpForm_, form2, pngForm_, resizeForm, colorChangeForm});
}

int TZudozoApp::Exec() {
  // The main window's close ends the loop at once: QApplication::quit would first ask every
  // other window to close and give up when one of them only hides itself.
  QApplication::setQuitOnLastWindowClosed(false);
  const QMetaObject::Connection ending =
      QObject::connect(form1_.get(), &TForm1::Closed, qApp, [] { QCoreApplication::exit(0); });
  ShowMainWindow();
  const int code = QApplication::exec();
  QObject::disconnect(ending);
  return code;
}

void TZudozoApp::ShowMainWindow() {
  form1_->show();
  form1_->activateWindow();
  form1_->setFocus();
}
