#pragma once
// The program's command-line runs, which need no display: converting a picture file through
// the same reading and saving as the window program, the usage text and the version.
//
//   zudozo --convert IN OUT [--png-level 0..3] [--interlace] [--transparent RRGGBB]
//   zudozo --help
//   zudozo --version
#include <optional>
#include <ostream>
#include <string>
#include <vector>

// args are the program's arguments after its name. When the first is one of the options above,
// runs the command, writes its output to out and its errors to err (the program's messages),
// and returns the exit code: 0 done, 1 the conversion failed, 2 the arguments are wrong.
// An option of two dashes that is none of these nor "--no-recovery" is a mistake too (2).
// Otherwise returns nothing: the arguments are the window program's.
std::optional<int> RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The window program's arguments are "--no-recovery" and a picture file. An argument that starts
// with optionStart ("--" before the platform has taken its own options of one dash out, "-"
// after) and is not "--no-recovery" is a mistake: returns 2 after writing it and the usage to
// err; otherwise nothing.
std::optional<int> CheckWindowArguments(const std::vector<std::string>& args, std::ostream& err,
                                        const std::string& optionStart);
