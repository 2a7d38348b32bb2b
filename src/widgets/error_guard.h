#pragma once
// The application's error box: every command runs inside RunGuarded, so an error raised by
// the core (a picture that cannot be read, a bitmap too large) stops only that command and
// shows its message; the document stays as it was.
#include <functional>

class QWidget;

// Runs command; a std::exception escaping it is shown in a modal error box over parent
// (titled "Zudozo") with the exception's message. Returns false when the command failed.
bool RunGuarded(QWidget* parent, const std::function<void()>& command);
