#pragma once
// The history's commands in a window: "元に戻す(&Z)" (Ctrl+Z) and "やり直し(&Y)" (Ctrl+Y,
// Ctrl+Shift+Z), each enabled while there is something to undo or redo.
//
// The window tells where it drew (MarkDirty, MarkReplaced); a change becomes a step when the
// command that made it has returned, or when the window calls Commit at the end of a stroke.
// Nothing is stored while a stroke is under way, and Undo and Redo wait until it is over.
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

#include "history/picture_history.h"

class QAction;
class QWidget;

class THistoryCommands : public QObject {
 public:
  // What the history takes from its window.
  struct THost {
    std::function<TBitmap&()> picture;
    std::function<std::string()> fileName;  // the file the picture came from or went to
    std::function<bool()> drawing;  // a stroke is under way
    // Undo or Redo changed the picture: repaint what changed (or everything, after a new
    // picture); a step of Open or New gives back its file name too.
    std::function<void(const TRestoreResult&)> restored;
    std::function<void(const QString&)> showHint;
    // Whether the picture differs from its file, after every change of the history's state.
    std::function<void(bool changed)> showChanged;
  };
  // The actions go to the window (their shortcuts work wherever the program has the focus).
  THistoryCommands(THost host, QWidget* window);

  QAction* Aundo = nullptr;
  QAction* Aredo = nullptr;

  void MarkDirty(const TRect& r);
  void MarkReplaced();
  // Stores the change under way as a step, unless a stroke is under way.
  void Commit();
  // A new history at the present picture (start-up, Open, New): nothing to undo, unmodified.
  void Start();
  // Open or New put the present picture in place of a changed one: that one stays a step
  // back, with its file name; the present picture counts as unmodified.
  void Opened();
  // The present picture is the one in the file (after Save, with the picture read back).
  void Saved();
  // The picture differs from the one saved or opened; the whole picture is looked at, so
  // this is for rare questions like the one on exit.
  bool Modified();
  // The same as far as the changes the window told of go: cheap enough for every copy of
  // unsaved work.
  bool Unsaved();
  void Undo();
  void Redo();
  TPictureHistory& Steps() { return history_; }

 private:
  void scheduleCommit();
  // Undo or Redo: go back or forth one step unless a stroke is under way.
  void step(TRestoreResult (TPictureHistory::*go)(TBitmap&), const QString& outOfMemory);
  void showState();
  // The first shortage of each history is told in the status area; the picture stays.
  void reportOutOfMemory(const QString& text);

  THost host_;
  QWidget* window_;
  TPictureHistory history_;
  QTimer commitTimer_;
  bool reported_ = false;  // the shortage of memory was told (once for each history)
};
