#include "language/core_message.h"

std::string TCoreMessage::Filled() const {
  std::string filled;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool placeholder = text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9';
    const std::size_t part = placeholder ? std::size_t(text[i + 1] - '1') : 0;
    if (placeholder && part < parts.size()) {
      filled += parts[part];
      ++i;
    } else {
      filled += text[i];
    }
  }
  return filled;
}
