// The command-line tool: `holdsync [options] FILE|DIR...` checks scores with the plug-in's
// command; `holdsync --demo` runs it on the built-in demo score.
#pragma once

#include <ostream>

// Runs the tool with its arguments; returns the exit status (0 no finding, 1 findings,
// 2 a file could not be checked or the arguments are wrong). Progress goes to `err` only
// when `showProgress` is set.
int RunHoldsync(int argc, const char* const* argv, std::ostream& out, std::ostream& err, bool showProgress);
