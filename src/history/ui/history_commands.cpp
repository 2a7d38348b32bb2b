#include "history/ui/history_commands.h"

#include <QCoreApplication>
#include <QAction>
#include <QKeySequence>
#include <QWidget>

#include "widgets/error_guard.h"

namespace {

QAction* HistoryAction(QWidget* window, const char* name, const char* caption, const char* hint,
                       const QList<QKeySequence>& keys) {
  auto* action = new QAction(QCoreApplication::translate("THistoryCommands", caption), window);
  action->setObjectName(QLatin1String(name));
  action->setStatusTip(QCoreApplication::translate("THistoryCommands", hint));
  action->setShortcuts(keys);
  action->setShortcutContext(Qt::ApplicationShortcut);
  action->setEnabled(false);
  window->addAction(action);
  return action;
}

}  // namespace

THistoryCommands::THistoryCommands(THost host, QWidget* window)
    : QObject(window), host_(std::move(host)), window_(window) {
  Aundo = HistoryAction(window, "Aundo", QT_TRANSLATE_NOOP("THistoryCommands", "元に戻す(&Z)"),
                        QT_TRANSLATE_NOOP("THistoryCommands", "操作を１つずつ取り消します"),
                        {QKeySequence(Qt::CTRL | Qt::Key_Z)});
  Aredo = HistoryAction(window, "Aredo", QT_TRANSLATE_NOOP("THistoryCommands", "やり直し(&Y)"),
                        QT_TRANSLATE_NOOP("THistoryCommands", "取り消した操作をやり直します"),
                        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  for (QAction* action : {Aundo, Aredo}) {
    connect(action, &QAction::hovered, this, [this, action] { host_.showHint(action->statusTip()); });
  }
  connect(Aundo, &QAction::triggered, this, [this] { RunGuarded(window_, [this] { Undo(); }); });
  connect(Aredo, &QAction::triggered, this, [this] { RunGuarded(window_, [this] { Redo(); }); });
  // A command's change becomes a step once the command has returned to the event loop.
  commitTimer_.setSingleShot(true);
  commitTimer_.setInterval(0);
  connect(&commitTimer_, &QTimer::timeout, this, [this] { Commit(); });
}

void THistoryCommands::MarkDirty(const TRect& r) {
  history_.MarkDirty(r);
  scheduleCommit();
}

void THistoryCommands::MarkReplaced() {
  history_.MarkReplaced();
  scheduleCommit();
}

// During a stroke the stroke's end commits; a timer on every pointer move would cost time.
void THistoryCommands::scheduleCommit() {
  if (!host_.drawing() && !commitTimer_.isActive()) commitTimer_.start();
}

void THistoryCommands::Commit() {
  if (host_.drawing()) return;
  if (history_.Commit(host_.picture()) == TCommitResult::Restarted)
    reportOutOfMemory(QCoreApplication::translate("THistoryCommands", "メモリ不足のため、それまでの履歴を消しました"));
  showState();
}

void THistoryCommands::Start() {
  history_.Reset(host_.picture(), host_.fileName());
  reported_ = false;
  showState();
}

void THistoryCommands::Opened() {
  history_.MarkReplaced();
  history_.Rename(host_.fileName());
  Saved();
}

void THistoryCommands::Saved() {
  Commit();
  history_.NameSaved(host_.fileName());
  history_.MarkSaved();
  showState();
}

bool THistoryCommands::Modified() {
  history_.MarkReplaced();
  Commit();
  return history_.Modified();
}

bool THistoryCommands::Unsaved() {
  Commit();
  return history_.Modified();
}

void THistoryCommands::Undo() { step(&TPictureHistory::Undo, QCoreApplication::translate("THistoryCommands", "メモリ不足のため、元に戻せません")); }

void THistoryCommands::Redo() { step(&TPictureHistory::Redo, QCoreApplication::translate("THistoryCommands", "メモリ不足のため、やり直せません")); }

void THistoryCommands::step(TRestoreResult (TPictureHistory::*go)(TBitmap&), const QString& outOfMemory) {
  if (host_.drawing()) return;
  const TRestoreResult result = (history_.*go)(host_.picture());
  if (result.outOfMemory) reportOutOfMemory(outOfMemory);
  if (result.applied) host_.restored(result);
  showState();
}

void THistoryCommands::showState() {
  Aundo->setEnabled(history_.CanUndo());
  Aredo->setEnabled(history_.CanRedo());
  if (host_.showChanged) host_.showChanged(history_.Modified());
}

void THistoryCommands::reportOutOfMemory(const QString& text) {
  if (reported_) return;
  reported_ = true;
  host_.showHint(text);
}
