// The history of many steps from the main window: its Edit menu items after Undo, where the
// picture changes, and what a restored picture needs on screen.
#include <QLabel>
#include <QMenu>

#include "app/form1.h"
#include "history/ui/history_commands.h"

void TForm1::createHistory(QMenu* edit) {
  THistoryCommands::THost host;
  host.picture = [this]() -> TBitmap& { return document_.Picture(); };
  host.fileName = [this] { return document_.FileName; };
  host.drawing = [this] { return session_.Drawing(); };
  host.restored = [this](const TRestoreResult& result) {
    // A change like any other, but the history knows it already.
    if (result.replaced) session_.Events().Replaced(&historyFollower_);
    else session_.Events().Changed(result.changed, &historyFollower_);
    if (result.renamed) {
      document_.FileName = result.name;
      showDocumentName();
    }
    redrawZoom();
  };
  host.showHint = [this](const QString& hint) { ShowHint(hint); };
  // The mark of a changed picture stands in the status area; the caption stays as New, Open
  // and Save write it.
  host.showChanged = [this](bool on) {
    if (Lchanged_) Lchanged_->setText(on ? tr("変更あり") : QString());
  };
  History = new THistoryCommands(std::move(host), this);
  historyFollower_.changed = [this](const TRect& r) { History->MarkDirty(r); };
  historyFollower_.replaced = [this] { History->MarkReplaced(); };
  edit->addActions({History->Aundo, History->Aredo});
}

void TForm1::StartHistory() { History->Start(); }

void TForm1::PictureOpened(bool keepBefore) {
  if (keepBefore) History->Opened();
  else History->Start();
}

void TForm1::PictureSaved() { History->Saved(); }

bool TForm1::PictureModified() { return History->Modified(); }

bool TForm1::PictureUnsaved() { return History->Unsaved(); }
