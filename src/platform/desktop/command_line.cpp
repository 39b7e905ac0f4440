// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop/command_line.h"

#include <string_view>

namespace kvarzel {
namespace {

constexpr std::string_view Usage =
    "Использование: kvarzel [-h | --help | --version]\n"
    "Кварзель — тренажёр интуиции: угадывайте цвет каждой горошины,\n"
    "которую вынимают из ведра, и следите за долей верных ответов.\n"
    "\n"
    "  -h, --help   показать эту справку и выйти\n"
    "  --version    показать версию и выйти\n"
    "\n"
    "Другие аргументы не действуют. Параметры тренировок хранятся в файле\n"
    "${XDG_CONFIG_HOME:-~/.config}/Tellumor/Kvarzel.reg.\n";

} // namespace

CommandLineRequest ReadCommandLine(int argc, const char* const* argv) {
    for (int i = 1; i < argc && argv != nullptr && argv[i] != nullptr; ++i) {
        const std::string_view argument(argv[i]);
        if (argument == "-h" || argument == "--help")
            return CommandLineRequest::ShowUsage;
        if (argument == "--version")
            return CommandLineRequest::ShowVersion;
    }
    return CommandLineRequest::RunProgram;
}

int AnswerCommandLine(CommandLineRequest request, std::string_view version, std::ostream& out) {
    if (request == CommandLineRequest::ShowUsage)
        out << Usage;
    else if (request == CommandLineRequest::ShowVersion)
        out << "Кварзель " << version << '\n';
    out.flush();
    return out ? 0 : 1;
}

} // namespace kvarzel
