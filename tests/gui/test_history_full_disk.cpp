// SPDX-License-Identifier: GPL-3.0-or-later
// The program on a home whose disk really fills up: a small tmpfs of its own.
#include "core/settings_store.h"
#include "core/statistics_settings.h"
#include "platform/files/history_file.h"
#include "platform/settings/registry_file_store.h"
#include "test_support/main_form_fixture.h"
#include "test_support/message_box_closer.h"
#include "test_support/small_disk.h"
#include "ui/statistics/statistics_form.h"

#include <QLabel>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>

namespace kvarzel::testing {
namespace {

namespace fs = std::filesystem;

// A main window that keeps its history, with the history and the journals'
// fallback folder on a disk of 64 KB.
class HistoryFullDiskTest : public MainFormTest {
protected:
    void SetUp() override {
        if (!disk.Mounted())
            GTEST_SKIP() << disk.WhyNot();
        setenv("XDG_DATA_HOME", (disk.Path() / "data").c_str(), 1);
        setenv("XDG_STATE_HOME", (disk.Path() / "state").c_str(), 1);
        options.PeasCount = 4;
        options.TimerEnabled = false;
        options.BeepWrong = false;
        options.WaveWrong = false;
        SetSettingsStore(store.get());
        ASSERT_TRUE(SaveKeepHistory(store.get(), true));
        MainFormTest::SetUp();
    }
    void TearDown() override {
        if (!disk.Mounted())
            return;
        MainFormTest::TearDown();
        SetSettingsStore(nullptr);
        unsetenv("XDG_DATA_HOME");
        unsetenv("XDG_STATE_HOME");
    }

    // A four-pea training to its end, `during` after its start; the texts of
    // the boxes that came up, closed.
    QStringList PlayTraining(const std::function<void()>& during = [] {}) {
        MessageBoxCloser closer;
        Start();
        during();
        for (int pea = 0; pea < 4; ++pea)
            RightButton()->click();
        return closer.Texts;
    }
    std::size_t HistoryLines() const { return HistoryFile(UserHistoryPath()).Load().Records.size(); }
    int Journals() const {
        int count = 0;
        for (const fs::path& folder : {disk.Path() / "data", disk.Path() / "state"})
            if (fs::exists(folder))
                for (const auto& entry : fs::recursive_directory_iterator(folder))
                    count += entry.path().filename().string().find(".journal-") != std::string::npos;
        return count;
    }
    QString DialogStatus() {
        form->StatisticsDialog().Refresh();
        return form->StatisticsDialog().HistoryLabel->text();
    }
    void Close() {
        form->close();
        form.reset();
    }
    void Reopen() {
        form = std::make_unique<TMainForm>();
        formView = form.get();
        form->SetSoundOutput(sound);
        form->show();
    }

    SmallDisk disk{64 << 10};
    QTemporaryDir folder;
    std::unique_ptr<RegistryFileStore> store =
        std::make_unique<RegistryFileStore>((folder.path() + "/Kvarzel.reg").toStdString());
};

// A training that cannot have its journal's room is said before its first
// pea, runs unkept, and nothing ever claims it saved; one begun with room is
// kept whatever the disk does later, said to be kept for the next start,
// and written by it.
TEST_F(HistoryFullDiskTest, ATrainingIsToldUnkeptAtItsStartOrKeptThroughAFullDisk) {
    disk.Fill();
    const QStringList told = PlayTraining();
    ASSERT_EQ(told.size(), 2);
    EXPECT_EQ(told.front(), "Эта тренировка не будет сохранена в истории: нет места на диске. Она "
                            "пройдёт как обычно и войдёт только в оценку этой серии.");
    EXPECT_EQ(Journals(), 0);
    EXPECT_TRUE(DialogStatus().contains("не удалось создать журнал: 1. Причина: нет места на диске"))
        << DialogStatus().toStdString();
    // Room again: the next training is kept; the disk fills while it is
    // played, before the history file could be made.
    disk.Free();
    EXPECT_EQ(PlayTraining([this] { disk.Fill(); }).size(), 1) << "only the result";
    EXPECT_EQ(HistoryLines(), 0U);
    EXPECT_EQ(Journals(), 1);
    EXPECT_TRUE(DialogStatus().contains("при выходе и при следующем запуске"))
        << DialogStatus().toStdString();
    {
        MessageBoxCloser closer;
        Close();
        ASSERT_EQ(closer.Texts.size(), 1);
        EXPECT_TRUE(closer.Texts.front().contains("Причина: нет места на диске"));
        EXPECT_TRUE(closer.Texts.front().contains("Сохранено для записи при следующем запуске: 1"));
        EXPECT_FALSE(closer.Texts.front().contains("потеряно"));
    }
    disk.Free();
    Reopen();
    form->StatisticsDialog().Refresh();
    EXPECT_EQ(HistoryLines(), 1U);
    EXPECT_EQ(Journals(), 0);
}

} // namespace
} // namespace kvarzel::testing
