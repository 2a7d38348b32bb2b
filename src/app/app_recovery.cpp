#include "app/app_recovery.h"

#include <QObject>
#include <QTimer>
#include <cstdlib>

#include "app/form1.h"
#include "app/startup.h"
#include "document/picture_loader.h"
#include "recovery/recovery_file.h"
#include "recovery/ui/recovery_offer.h"
#include "recovery/ui/recovery_scheduler.h"

namespace {

// The file a recovery copy was made from, as Open reads it; false when there is none to read.
bool LoadStartingPicture(const std::string& fileName, TBitmap& picture) {
  if (fileName.empty()) return false;
  TBitmap loaded;
  try {
    LoadPicture(fileName, loaded);
  } catch (const std::exception&) {
    return false;
  }
  picture.Swap(loaded);
  return true;
}

}  // namespace

bool TakeRecoverySwitch(QStringList& arguments) {
  const bool offByArgument = arguments.removeAll(QStringLiteral("--no-recovery")) > 0;
  return !offByArgument && qEnvironmentVariable("ZUDOZO_NO_RECOVERY") != QStringLiteral("1");
}

std::unique_ptr<TAppRecovery> TAppRecovery::Start(TZudozoApp& app) {
  std::string folder = RecoveryFolder(std::getenv("XDG_STATE_HOME"), std::getenv("HOME"));
  if (folder.empty()) return nullptr;
  auto recovery = std::make_unique<TAppRecovery>(app, std::move(folder));
  QTimer::singleShot(0, &app.Form1(), [keeper = recovery.get()] { keeper->OfferLeftBehind(); });
  return recovery;
}

TAppRecovery::TAppRecovery(TZudozoApp& app, std::string folder) : app_(app), store_(std::move(folder)) {
  TForm1& form1 = app.Form1();
  scheduler_ = std::make_unique<TRecoveryScheduler>(
      app.Document(), [&form1] { return form1.DrawingFlag(); }, [&form1] { return form1.PictureUnsaved(); },
      store_.PathFor(CurrentProcess()));
  scheduler_->SetReporter([&form1](const QString& text) { form1.ShowHint(text); });
  form1.EditEvents().Subscribe(*scheduler_);
  // However the process ends once the main window has closed, the copy goes with the window.
  QObject::connect(&form1, &TForm1::Closed, scheduler_.get(), [this] {
    app_.Form1().EditEvents().Unsubscribe(*scheduler_);
    scheduler_->DocumentClean();
    scheduler_->Writer().WaitIdle();
  });
}

TAppRecovery::~TAppRecovery() { app_.Form1().EditEvents().Unsubscribe(*scheduler_); }

void TAppRecovery::OfferLeftBehind() {
  OfferLeftBehindCopies(store_, &app_.Form1(),
                        [this](TRecoveryCopy& copy, const std::string& path) { restore(copy, path); });
  offersAnswered_ = true;
}

void TAppRecovery::restore(TRecoveryCopy& copy, const std::string& path) {
  // The picture the work began from (its file, or a new white picture without one) comes first:
  // Ctrl+Z goes back to it, and a copy that differs from it in nothing is no unsaved work.
  TCanvasDocument& document = app_.Document();
  TForm1& form1 = app_.Form1();
  if (!LoadStartingPicture(copy.fileName, document.Picture()))
    document.ReplaceWithNewPicture(copy.picture.Width(), copy.picture.Height(), copy.picture.PixelFormat());
  document.FileName = copy.fileName;
  form1.ResetDocumentView();
  form1.StartHistory();
  document.Picture().Swap(copy.picture);
  form1.DocumentReplaced();
  if (!form1.PictureUnsaved()) {
    TRecoveryStore::Remove(path);
    return;
  }
  // The picture is unsaved work again: the copy it came from becomes this program's own, and a
  // fresh one follows.
  scheduler_->Adopt(path);
  scheduler_->DocumentChanged();
}
