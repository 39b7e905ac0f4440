// SPDX-License-Identifier: GPL-3.0-or-later
// Every GUI test program gets one application object, made the way the
// program makes it, before its first test runs.
#include "platform/desktop/application.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {

class GuiApplication : public ::testing::Environment {
public:
    void SetUp() override {
        if (QCoreApplication::instance())
            return;
        static int argc = 1;
        static char name[] = "kvarzel_gui_test";
        static char* argv[] = {name, nullptr};
        application_ = new QApplication(argc, argv);
        kvarzel::InitApplication(*application_);
        kvarzel::SetApplicationTitle("Кварзель");
    }

private:
    QApplication* application_ = nullptr;
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new GuiApplication);

} // namespace
