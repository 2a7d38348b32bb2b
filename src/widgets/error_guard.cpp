#include "widgets/error_guard.h"

#include <QMessageBox>
#include <exception>

#include "language/ui/translations.h"
#include "surface/surface_error.h"

bool RunGuarded(QWidget* parent, const std::function<void()>& command) {
  try {
    command();
    return true;
  } catch (const std::exception& error) {
    const auto* surfaceError = dynamic_cast<const ESurfaceError*>(&error);
    QMessageBox::critical(parent, QStringLiteral("Zudozo"),
                          surfaceError ? CoreMessageText(surfaceError->Message()) : QString::fromUtf8(error.what()));
    return false;
  }
}
