#pragma once
// The error every drawing and picture operation raises. Its message is the text the user sees.
#include <stdexcept>
#include <string>

#include "language/core_message.h"

class ESurfaceError : public std::runtime_error {
 public:
  // A message that is shown as it stands, in every language.
  explicit ESurfaceError(const std::string& message) : std::runtime_error(message), message_{message, {}} {}
  // A message in the program's own words, which the windows translate.
  explicit ESurfaceError(TCoreMessage message) : std::runtime_error(message.Filled()), message_(std::move(message)) {}

  const TCoreMessage& Message() const { return message_; }

 private:
  TCoreMessage message_;
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
