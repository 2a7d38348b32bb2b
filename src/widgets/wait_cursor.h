#pragma once
// The hourglass while a long operation runs, put back also when it fails.
#include <QApplication>

struct TWaitCursor {
  TWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~TWaitCursor() { QApplication::restoreOverrideCursor(); }
  TWaitCursor(const TWaitCursor&) = delete;
  TWaitCursor& operator=(const TWaitCursor&) = delete;
};
