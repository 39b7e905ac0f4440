// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>

namespace kvarzel {

// The command line Qt is started with: the program's name and nothing else.
class ProgramNameArguments {
protected:
    explicit ProgramNameArguments(char* programName);

    int count_ = 1;
    char* values_[2];
};

// The program's application object. The program reads no arguments, and
// Qt's own options (-reverse, -style, -stylesheet ...) must not reach its
// windows either, so Qt sees the program's name alone. Prepared as
// InitApplication does.
class ProgramApplication : private ProgramNameArguments, public QApplication {
public:
    ProgramApplication(int argc, char** argv);
};

} // namespace kvarzel
