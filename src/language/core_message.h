#pragma once

#include <string>
#include <vector>

// A message of the core in the program's own words, with the parts it fills in kept apart, so
// that the windows can show it in the user's language: `text` is marked
// TRANSLATABLE("Error", ...) where it is written, %1 to %9 in it stand for `parts`.
struct TCoreMessage {
  std::string text;
  std::vector<std::string> parts;

  // The text with its parts in place (a part's own "%1" stays as it is).
  std::string Filled() const;
};
