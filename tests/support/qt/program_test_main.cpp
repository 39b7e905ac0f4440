// SPDX-License-Identifier: GPL-3.0-or-later
// The main of the test programs of the program's windows: before the first
// test runs, the application is made and prepared the way the program
// prepares its own, as every window expects.
#include "test_support/test_application.h"

#include <gmock/gmock.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleMock(&argc, argv);
    kvarzel::testing::ProgramTestApplication();
    return RUN_ALL_TESTS();
}
