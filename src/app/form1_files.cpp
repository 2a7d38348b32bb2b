// Picture files: Open, Save, Save As, saving the selected region, paste from file, and files
// dropped on the window. The codecs are chosen by the loader and saver of the core; the PNG
// settings dialog confirms every PNG write.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QAbstractButton>
#include <QFileDialog>
#include <QRegularExpression>
#include <QGuiApplication>
#include <QMimeData>
#include "app/clipboard_picture.h"
#include "app/form1.h"
#include "app/open_filter.h"
#include "document/picture_loader.h"
#include "document/picture_saver.h"
#include "document/ui/png_form.h"
#include "draw/tool_table.h"
#include "png/viraviz.h"
#include "widgets/error_guard.h"

namespace {

constexpr const char* kOpenFilter =
    "Bitmap , JPEG ,PNG ,WebP ,TIFF ,GIF ,TGA|*.bmp;*.jpg;*.jpeg;*.png;*.webp;*.tif;*.tiff;*.gif;*.tga|"
    "Bitmap|*.bmp|PNG|*.png|JPEG|*.jpg;*.jpeg|WebP|*.webp|TIFF|*.tif;*.tiff|GIF|*.gif|TGA|*.tga|";
constexpr const char* kAllFilesFilter = QT_TRANSLATE_NOOP("TForm1", "すべてのファイル|*.*");

constexpr const char* kSaveFilter = "PNG|*.png|bitmap|*.bmp|JPEG|*.jpg";

constexpr int kMaxDroppedPath = 260;  // longer dropped paths are cut, as the drop message does

}  // namespace

QString TForm1::openFileName(const QString& proposed) {
  QFileDialog dialog(this, QString(), QString(), QtFileFilter(QString::fromUtf8(kOpenFilter) + tr(kAllFilesFilter)));
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
  // Open asks nothing: a changed picture stays one Ctrl+Z away.
  const bool keepBefore = PictureModified();
  LoadPictureFile(path);
  ResetDocumentView();
  PictureOpened(keepBefore);
}

void TForm1::LoadPictureFile(const QString& path) {
  if (path.isEmpty()) return;
  TBitmap loaded;
  LoadPicture(path.toStdString(), loaded);
  document_.Picture().Swap(loaded);
  document_.FileName = path.toStdString();
  DocumentReplaced();
}

QString TForm1::saveFileName() {
  QFileDialog dialog(this, QString(), QString(), QtFileFilter(QString::fromUtf8(kSaveFilter)));
  dialog.setObjectName(QStringLiteral("SaveDialog"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  // A name typed without an extension takes the one of the chosen file type.
  const auto takeSuffix = [&dialog](const QString& filter) {
    static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
    const QRegularExpressionMatch match = pattern.match(filter);
    if (match.hasMatch()) dialog.setDefaultSuffix(match.captured(1));
  };
  takeSuffix(dialog.selectedNameFilter());
  connect(&dialog, &QFileDialog::filterSelected, &dialog, takeSuffix);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().first();
}

bool TForm1::savePicture(const TBitmap& bitmap, const QString& path) {
  return SavePictureFile(bitmap, path.toStdString(), [this](VIRAVIZ& picture) {
    PngForm->SetPicture(&picture);
    return PngForm->exec() == QDialog::Accepted;
  });
}

void TForm1::savebuttonClick() { saveDocument(); }

bool TForm1::saveDocument() {
  if (document_.FileName.empty()) return saveDocumentAs();
  const QString path = QString::fromStdString(document_.FileName);
  if (!savePicture(document_.Picture(), path)) return saveDocumentAs();
  // The document shows what the file holds: JPEG's losses, 32 bits for JPEG and PNG.
  LoadPictureFile(path);
  ResetDocumentView();
  PictureSaved();
  return true;
}

void TForm1::saveasbuttonClick() { saveDocumentAs(); }

bool TForm1::saveDocumentAs() {
  // Save As and Save hand the turn to each other until a file is written or the dialog is
  // cancelled; the name stays the last one chosen either way.
  for (;;) {
    const QString path = saveFileName();
    if (path.isEmpty()) return false;
    document_.FileName = path.toStdString();
    if (savePicture(document_.Picture(), path)) {
      LoadPictureFile(path);
      ResetDocumentView();
      PictureSaved();
      return true;
    }
  }
}

void TForm1::MpsaveClick() {
  const QString path = saveFileName();
  if (path.isEmpty()) return;
  const TRect r = SelectedRegion;
  TBitmap region(r.Width(), r.Height(), pfDevice);
  region.Canvas().CopyRect(TRect{0, 0, r.Width(), r.Height()}, document_.Picture().Canvas(), r);
  savePicture(region, path);
}

void TForm1::MpastefileClick() {
  const QString path = openFileName(dialogFileName_);
  if (!path.isEmpty()) {
    dialogFileName_ = path;
    TBitmap loaded;
    LoadPicture(path.toStdString(), loaded);
    document_.PasteBuffer().Swap(loaded);
  }
  // The canvas behaves as the paste tool's from now on; the tool number, its toolbar picture
  // and the modifiers stay as they were.
  session_.Figure().figure = kToolPaste;
  if (QAbstractButton* button = toolButtons[kToolPaste]) button->setChecked(true);
  ScrollBox1->setCursor(cursors_.Slot(kToolPaste));
  Image->setCursor(cursors_.Slot(kToolPaste));
  if (!document_.PasteBuffer().Empty()) {
    WriteClipboardPicture(document_.PasteBuffer());
  }
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
