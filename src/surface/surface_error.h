#pragma once
// The error every drawing and picture operation raises. Its message is the text the user sees.
#include <stdexcept>
#include <string>

class ESurfaceError : public std::runtime_error {
 public:
  explicit ESurfaceError(const std::string& message) : std::runtime_error(message) {}
};

// A picture file that cannot be read as what it claims to be.
class EInvalidGraphic : public ESurfaceError {
 public:
  using ESurfaceError::ESurfaceError;
};

// A bitmap that cannot be held in memory; raised before anything is allocated or changed.
class EOutOfResources : public ESurfaceError {
 public:
  using ESurfaceError::ESurfaceError;
};
