// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop/command_line.h"

namespace kvarzel {
namespace {

constexpr std::string_view Usage =
    "Использование: kvarzel [-h | --help | -v | --version]\n"
    "Кварзель — тренажёр интуиции: угадывайте цвет каждой горошины,\n"
    "которую вынимают из ведра, и следите за долей верных ответов.\n"
    "\n"
    "  -h, --help      показать эту справку и выйти\n"
    "  -v, --version   показать версию и выйти\n"
    "\n"
    "Другие аргументы не действуют. Параметры тренировок хранятся в файле\n"
    "${XDG_CONFIG_HOME:-~/.config}/Tellumor/Kvarzel.reg.\n";

// A long option given by its name or a start of it.
bool IsLongOption(std::string_view argument, std::string_view name) {
    const std::string_view given = argument.substr(2);
    return argument.starts_with("--") && !given.empty() && name.starts_with(given);
}

CommandLineRequest OptionRequest(std::string_view argument) {
    if (argument == "-h" || IsLongOption(argument, "help"))
        return CommandLineRequest::ShowUsage;
    if (argument == "-v" || IsLongOption(argument, "version"))
        return CommandLineRequest::ShowVersion;
    return CommandLineRequest::RefuseOption;
}

} // namespace

CommandLine ReadCommandLine(int argc, const char* const* argv) {
    for (int i = 1; i < argc && argv != nullptr && argv[i] != nullptr; ++i) {
        const std::string_view argument(argv[i]);
        if (argument == "--")
            break;
        // "-" alone names standard input to programs that read files: no option.
        if (argument.starts_with('-') && argument != "-")
            return {OptionRequest(argument), std::string(argument)};
    }
    return {};
}

int AnswerCommandLine(const CommandLine& line, std::string_view versionText, std::ostream& out,
                      std::ostream& errors, bool russian) {
    switch (line.Request) {
    case CommandLineRequest::RefuseOption:
        if (russian)
            errors << "kvarzel: неизвестный параметр «" << line.Option
                   << "»; список параметров: kvarzel --help\n";
        else
            errors << "kvarzel: unknown option '" << line.Option
                   << "'; try 'kvarzel --help' for the options\n";
        errors.flush();
        return 2;
    case CommandLineRequest::ShowUsage:
        out << Usage;
        break;
    case CommandLineRequest::ShowVersion:
        out << versionText;
        break;
    case CommandLineRequest::RunProgram:
        break;
    }
    out.flush();
    return out ? 0 : 1;
}

} // namespace kvarzel
