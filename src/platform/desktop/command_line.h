// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <string>
#include <string_view>

namespace kvarzel {

// What the command line asks for. The program knows two options, each of
// which answers on standard output instead of opening a window, as GNU and Qt
// programs have them: -h, --help and -v, --version, a long one also by any
// start of its name (--vers). Any other option is refused; other arguments,
// and everything after "--", are left alone.
enum class CommandLineRequest { RunProgram, ShowUsage, ShowVersion, RefuseOption };

struct CommandLine {
    CommandLineRequest Request = CommandLineRequest::RunProgram;
    std::string Option; // the option that decided, as given

    bool operator==(const CommandLine&) const = default;
};

// The first option among the arguments after the program's name decides.
CommandLine ReadCommandLine(int argc, const char* const* argv);

// Answers a request other than RunProgram: the usage or `versionText` on
// `out`, or for a refused option one line on `errors` that names it and points
// to --help, in Russian when `russian`. Returns the process's exit status: 0;
// 1 when the answer could not be written; 2 for a refused option.
int AnswerCommandLine(const CommandLine& line, std::string_view versionText, std::ostream& out,
                      std::ostream& errors, bool russian);

} // namespace kvarzel
