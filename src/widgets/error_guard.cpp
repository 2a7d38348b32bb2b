#include "widgets/error_guard.h"

#include <QMessageBox>
#include <exception>

bool RunGuarded(QWidget* parent, const std::function<void()>& command) {
  try {
    command();
    return true;
  } catch (const std::exception& error) {
    QMessageBox::critical(parent, QStringLiteral("Zudozo"), QString::fromUtf8(error.what()));
    return false;
  }
}
