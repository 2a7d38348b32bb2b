#pragma once

// Marks a text of the core that the windows show in the user's language: it stays the
// program's own Japanese here, the windows look it up under `scope` (CoreText), and the
// translation tools collect it by this name.
#define TRANSLATABLE(scope, text) text
