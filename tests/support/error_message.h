#pragma once
// The message a failing file or drawing operation shows the user.
#include <functional>
#include <string>

#include "surface/surface_error.h"

// The message of the ESurfaceError that action raises, or "no error".
inline std::string ErrorMessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const ESurfaceError& e) {
    return e.what();
  }
  return "no error";
}
