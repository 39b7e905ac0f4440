// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop/program_application.h"

#include "platform/desktop/application.h"

namespace kvarzel {
namespace {

char* ProgramName(int argc, char** argv) {
    static char fallback[] = "kvarzel";
    return argc > 0 && argv != nullptr && argv[0] != nullptr ? argv[0] : fallback;
}

} // namespace

ProgramNameArguments::ProgramNameArguments(char* programName) : values_{programName, nullptr} {}

// The arguments are declared a base before QApplication, so they exist
// before Qt reads them and as long as it keeps them.
ProgramApplication::ProgramApplication(int argc, char** argv)
    : ProgramNameArguments(ProgramName(argc, argv)), QApplication(count_, values_) {
    InitApplication(*this);
}

} // namespace kvarzel
