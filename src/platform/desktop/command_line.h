// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <string_view>

namespace kvarzel {

// What the command line asks for. The program reads two options, each of
// which answers on standard output instead of opening a window; every other
// argument is ignored.
enum class CommandLineRequest { RunProgram, ShowUsage, ShowVersion };

// The first of "-h" or "--help" and "--version" among the arguments after the
// program's name decides; without either the program runs.
CommandLineRequest ReadCommandLine(int argc, const char* const* argv);

// Writes the answer to a usage or version request (nothing for RunProgram)
// and returns the process's exit status: 0, or 1 when the text could not be
// written.
int AnswerCommandLine(CommandLineRequest request, std::string_view version, std::ostream& out);

} // namespace kvarzel
