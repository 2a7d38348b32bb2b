// The open dialog and files dropped on the window. Reading pictures other than BMP comes with
// the picture-files work through PictureReader.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QMimeData>
#include <cctype>

#include "app/error_guard.h"
#include "app/form1.h"
#include "app/open_filter.h"
#include "document/bmp_file.h"
#include "surface/surface_error.h"

namespace {

constexpr const char* kOpenFilter =
    "Bitmap , JPEG ,PNG|*.bmp;*.jpg;*.jpeg;*.png|Bitmap|*.bmp|PNG|*.png|JPEG|*.jpg;*.jpeg|"
    "すべてのファイル|*.*";

constexpr int kMaxDroppedPath = 260;  // longer dropped paths are cut, as the drop message does

}  // namespace

void ReadBmpPicture(const std::string& path, TBitmap& out) {
  const auto slash = path.find_last_of('/');
  const auto dot = path.find_last_of('.');
  const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  const std::string extension = hasExtension ? path.substr(dot + 1) : std::string();
  std::string lower = extension;
  for (char& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
  if (lower != "bmp") throw EInvalidGraphic("拡張子 ." + extension + " の画像形式は処理できません");
  LoadBmpFile(path, out);
}

QString TForm1::openFileName(const QString& proposed) {
  QFileDialog dialog(this, QString(), QString(), QtFileFilter(QString::fromUtf8(kOpenFilter)));
  dialog.setObjectName(QStringLiteral("OpenDialog1"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  if (!proposed.isEmpty()) dialog.selectFile(proposed);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().first();
}

void TForm1::openBClick() {
  const QString path = openFileName(dialogFileName_);
  if (path.isEmpty()) return;
  dialogFileName_ = path;
  LoadPictureFile(path);
  ResetDocumentView();
}

void TForm1::LoadPictureFile(const QString& path) {
  TBitmap loaded;
  (PictureReader ? PictureReader : ReadBmpPicture)(path.toStdString(), loaded);
  document_.Picture().Swap(loaded);
  document_.FileName = path.toStdString();
  DocumentReplaced();
}

void TForm1::FilesDropped(const QStringList& paths) {
  if (paths.isEmpty()) return;
  dialogFileName_ = paths.first().left(kMaxDroppedPath);
  RunGuarded(this, [this] { openBClick(); });
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
  QStringList paths;
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) paths << url.toLocalFile();
  }
  event->acceptProposedAction();
  FilesDropped(paths);
}
