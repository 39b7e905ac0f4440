// SPDX-License-Identifier: GPL-3.0-or-later
// Plays one kept three-pea training to its end into the history file given
// as the only argument, as a copy of the program does, then ends. The
// kill-point tests run it with a kill placed in the writing of its line.
#include "core/options.h"
#include "core/statistics_settings.h"
#include "test_support/history_program.h"
#include "test_support/memory_registry_store.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    QCoreApplication application(argc, argv);
    kvarzel::TOptions options;
    options.PeasCount = 3;
    options.TimerEnabled = false;
    options.BeepWrong = false;
    options.WaveWrong = false;
    kvarzel::Options = &options;
    kvarzel::testing::MemoryRegistryStore settings;
    kvarzel::SaveKeepHistory(&settings, true);
    kvarzel::testing::HistoryProgram program(settings, argv[1]);
    kvarzel::TrainingRun& training = program.Training();
    training.Start();
    while (training.UnderWay())
        training.ProcessAnswer(kvarzel::Answer::White);
    return 0;
}
