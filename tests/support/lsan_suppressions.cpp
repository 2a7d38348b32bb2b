// Leaks the sanitizer build must not count against the program. fontconfig keeps a few blocks of
// its parsed configuration files unreachable once it has loaded them (inside its XML parser, in
// the first face look-up of the text renderer); they are allocated once per process and never
// grow. LeakSanitizer asks for this function at start-up; other builds never call it.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
