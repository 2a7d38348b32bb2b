#pragma once
// Keeps the recovery copy of the picture up to date while it has unsaved changes: a copy is
// written a little after the last change, never while a stroke is under way, and removed when
// the picture is clean again or the program ends normally. The user-interface thread only
// hands the picture's pixels (shared, copy on write) to the worker, which compresses and
// writes them.
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

#include "document/canvas_document.h"
#include "recovery/recovery_writer.h"
#include "session/edit_events.h"

class TRecoveryScheduler : public QObject, public TEditListener {
 public:
  // Quiet time after the last change before a copy is written.
  static constexpr int kQuietMs = 2000;
  // While a stroke is under way the copy waits this much longer, again and again.
  static constexpr int kStrokeRetryMs = 500;
  // Changes that never pause still get a copy once the first of them is this old.
  static constexpr int kLongestWaitMs = 20000;

  // document outlives the scheduler; strokeUnderWay tells whether a stroke is being drawn,
  // unsaved whether the picture differs from its file (a picture changed and changed back is
  // no unsaved work; null: every change is); path is this program's copy file.
  TRecoveryScheduler(const TCanvasDocument& document, std::function<bool()> strokeUnderWay,
                     std::function<bool()> unsaved, std::string path, QObject* parent = nullptr);
  // The program ends normally: the copy is removed (a copy in flight is given up).
  ~TRecoveryScheduler() override;

  // Pixels, size or format of the picture changed (drawing, Undo, a paste, an operation).
  void DocumentChanged();
  // The picture is what its file holds, or a new picture: after Open, New and Save.
  void DocumentClean();
  // What the editing session tells.
  void PictureChanged(const TRect&) override { DocumentChanged(); }
  void PictureReplaced() override { DocumentChanged(); }
  void PictureClean() override { DocumentClean(); }

  // Makes a copy left by another program this program's own (the file is renamed, so it is
  // never missing), for a picture restored from it.
  void Adopt(const std::string& leftBehindPath);
  // Writes the copy now if one is due (also during a stroke); removes it instead when the
  // picture is its file's again.
  void WriteNow();
  // Where the user is told, once, that copies cannot be written (and unsaved work so is not
  // kept), and once more when they can again; each time a line goes to stderr too.
  void SetReporter(std::function<void(const QString&)> tell);
  const std::string& Path() const { return writer_.Path(); }
  TRecoveryWriter& Writer() { return writer_; }

 private:
  void timeUp();
  void copyResult(bool written, const std::string& why);

  const TCanvasDocument& document_;
  std::function<bool()> strokeUnderWay_;
  std::function<bool()> unsaved_;
  TRecoveryWriter writer_;
  QTimer timer_;
  QElapsedTimer dueSince_;  // valid while a copy is due
  std::function<void(const QString&)> tell_;
  bool failing_ = false;  // the last copy could not be written
};
