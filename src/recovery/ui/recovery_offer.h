#pragma once
// The offer, at start, of the pictures that programs no longer running left unsaved.
#include <QDialog>
#include <functional>
#include <string>

#include "recovery/recovery_file.h"
#include "recovery/recovery_store.h"

class QPushButton;

// "前回終了時に保存されなかった絵があります。復元しますか？" with the copy's time, file name
// and a small picture; 復元 (the default button), 破棄 and 後で. Closing it otherwise counts as
// 後で.
class TRecoveryOfferForm : public QDialog {
  Q_OBJECT

 public:
  enum Answer { Restore, Discard, Later };
  static constexpr int kThumbnailWidth = 160;
  static constexpr int kThumbnailHeight = 120;

  TRecoveryOfferForm(const TRecoveryCopy& copy, QWidget* parent);
  Answer Chosen() const { return chosen_; }

  QPushButton* restoreButton = nullptr;
  QPushButton* discardButton = nullptr;
  QPushButton* laterButton = nullptr;

 private:
  Answer chosen_ = Later;
};

// Offers, oldest first, every copy left behind in store. A copy that cannot be read is
// reported and set aside as ".bad". 復元 hands the copy and its path to restore and ends the
// offer (one picture is edited at a time; the rest wait for the next start); 破棄 removes the
// copy; 後で keeps it.
void OfferLeftBehindCopies(const TRecoveryStore& store, QWidget* parent,
                           const std::function<void(TRecoveryCopy& copy, const std::string& path)>& restore);
