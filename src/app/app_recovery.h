#pragma once
// Nothing lost in a crash: while the picture has unsaved changes a recovery copy is kept in
// the background, and at start the copies that programs no longer running left behind are
// offered. Started by main() only, so programs built around TZudozoApp (tests, benchmarks)
// keep no copies unless they ask for them.
#include <QStringList>
#include <memory>
#include <string>

#include "recovery/recovery_store.h"

class TZudozoApp;
class TRecoveryScheduler;
struct TRecoveryCopy;

// False when recovery is switched off: by "--no-recovery" among the arguments (taken out of
// them, so it is not opened as a picture) or by the environment's ZUDOZO_NO_RECOVERY=1.
bool TakeRecoverySwitch(QStringList& arguments);

class TAppRecovery {
 public:
  // Watches the main window's picture and, once the event loop runs, offers the copies left
  // behind in folder. Returns null when no folder can be named.
  static std::unique_ptr<TAppRecovery> Start(TZudozoApp& app);
  TAppRecovery(TZudozoApp& app, std::string folder);
  // The copy is removed (the program ends normally).
  ~TAppRecovery();

  TRecoveryScheduler& Scheduler() { return *scheduler_; }
  // The offer of what programs no longer running left behind (Start runs it once the event
  // loop turns).
  void OfferLeftBehind();
  // True once every offer was answered (and a chosen copy restored). Events keep flowing while
  // an offer is shown, so anything that must come after the offers waits for this.
  bool OffersAnswered() const { return offersAnswered_; }

 private:
  void restore(TRecoveryCopy& copy, const std::string& path);
  bool offersAnswered_ = false;

  TZudozoApp& app_;
  TRecoveryStore store_;
  std::unique_ptr<TRecoveryScheduler> scheduler_;
};
