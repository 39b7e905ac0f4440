// SPDX-License-Identifier: GPL-3.0-or-later
// Each show copies the record into the controls, OK copies them back, and
// Cancel leaves the record alone; the settings outlive the program.
#include "core/registry_reading.h"
#include "platform/desktop/application_hint.h"
#include "platform/keys/key_codes.h"
#include "test_support/message_box_closer.h"
#include "test_support/options_form_fixture.h"
#include "ui/options/file_name_edit.h"
#include "ui/options/hot_key_edit.h"
#include "ui/options/spin_edit.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QSlider>
#include <QSpontaneKeyEvent>
#include <QTabWidget>
#include <QToolButton>

namespace kvarzel::testing {
namespace {

using OptionsForm = OptionsFormTest;

TEST_F(OptionsForm, FirstShowAfterAFirstRunShowsTheDefaults) {
    Show();
    EXPECT_EQ(form->windowTitle(), "Параметры тренировок");
    EXPECT_EQ(form->size(), QSize(266, 240));
    EXPECT_EQ(form->PageControl->currentWidget(), form->PeasTabSheet);
    EXPECT_EQ(form->CountSpinEdit->text(), "10");
    EXPECT_EQ(form->RatioTrackBar->value(), 0);
    EXPECT_EQ(form->WhiteHotKey->text(), "");
    EXPECT_EQ(form->BlackHotKey->HotKey(), 0);
    EXPECT_TRUE(form->TimerCheckBox->isChecked());
    EXPECT_EQ(form->TimerSpinEdit->text(), "1000");
    EXPECT_FALSE(form->BeepCheckBox->isChecked());
    EXPECT_EQ(form->FrequencySpinEdit->text(), "600");
    EXPECT_EQ(form->DurationSpinEdit->text(), "1");
    EXPECT_FALSE(form->WaveCheckBox->isChecked());
    EXPECT_EQ(form->WaveEdit->text(), "");

    // Timer ticked, beep and wave not: the rules ran on the show.
    EXPECT_TRUE(form->TimerSpinEdit->isEnabled());
    EXPECT_TRUE(form->TimerMsLabel->isEnabled());
    for (QWidget* control : std::initializer_list<QWidget*>{
             form->BeepButton, form->FrequencyLabel, form->FrequencySpinEdit,
             form->FrequencyHzLabel, form->DurationLabel, form->DurationSpinEdit,
             form->DurationMsLabel, form->WaveLabel, form->WaveEdit, form->WaveSpeedButton,
             form->WaveButton})
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    for (QWidget* control :
         std::initializer_list<QWidget*>{form->BeepCheckBox, form->WaveCheckBox, form->SoundLabel,
                                         form->WhiteHotKey, form->OKButton})
        EXPECT_TRUE(control->isEnabled()) << control->objectName().toStdString();
}

// A fixed dialog border: the window manager is told the size cannot change,
// and the title bar offers the close button alone.
TEST_F(OptionsForm, TheBorderIsFixedWithTheCloseButtonOnly) {
    Show();
    EXPECT_EQ(form->minimumSize(), QSize(266, 240));
    EXPECT_EQ(form->maximumSize(), QSize(266, 240));
    const Qt::WindowFlags flags = form->windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Dialog);
    EXPECT_TRUE(flags.testFlags(Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowContextHelpButtonHint));
}

TEST_F(OptionsForm, FirstRunWithInfectedWaveTicksTheWaveAndEnablesItsTest) {
    QFile("Infected.wav").open(QIODevice::WriteOnly);
    Show();
    EXPECT_TRUE(form->WaveCheckBox->isChecked());
    EXPECT_EQ(form->WaveEdit->text(), "Infected.wav");
    EXPECT_TRUE(form->WaveEdit->isEnabled());
    EXPECT_TRUE(form->WaveButton->isEnabled());
}

TEST_F(OptionsForm, OkStoresEveryControlAndTheNextStartFindsIt) {
    Show();
    form->CountSpinEdit->SetValue(250);
    form->RatioTrackBar->setValue(7);
    form->WhiteHotKey->SetHotKey(ShortCut(VK_Q, {.Ctrl = true}));
    form->BlackHotKey->SetHotKey(ShortCut(VK_SPACE, {}));
    form->TimerCheckBox->setChecked(false);
    form->TimerSpinEdit->SetValue(1500);
    form->BeepCheckBox->setChecked(true);
    form->FrequencySpinEdit->SetValue(880);
    form->DurationSpinEdit->SetValue(120);
    form->WaveCheckBox->setChecked(true);
    form->WaveEdit->setText(" \"quoted\" name.wav ");
    QTest::mouseClick(form->OKButton, Qt::LeftButton);
    EXPECT_TRUE(Closed());
    EXPECT_EQ(Result(), mrOk);

    TOptions expected;
    expected.PeasCount = 250;
    expected.PeasRatio = 7;
    expected.KeyWhite = ShortCut(VK_Q, {.Ctrl = true});
    expected.KeyBlack = VK_SPACE;
    expected.TimerEnabled = false;
    expected.TimeInterval = 1500;
    expected.BeepWrong = true;
    expected.BeepFrequency = 880;
    expected.BeepDuration = 120;
    expected.WaveWrong = true;
    expected.WaveFilename = " \"quoted\" name.wav ";
    EXPECT_EQ(*Options, expected);

    DestroyForm();
    store = std::make_unique<RegistryFileStore>(folder.filePath("Kvarzel.reg").toStdString());
    SetSettingsStore(store.get());
    Show();
    expected.WaveFilename = " quoted name.wav ";
    EXPECT_EQ(*Options, expected);
    EXPECT_EQ(form->WhiteHotKey->text(), "Ctrl+Q");
    EXPECT_EQ(form->RatioTrackBar->value(), 7);
}

// OK saves at once, so that what the user confirmed survives the program's
// being cut off; Cancel writes nothing.
TEST_F(OptionsForm, OkSavesTheSettingsAtOnceAndCancelDoesNot) {
    const auto storedCount = [&] {
        const RegistryFileStore onDisk(folder.filePath("Kvarzel.reg").toStdString());
        return IntegerFrom(onDisk.ReadValue("Software\\Tellumor\\Kvarzel", "PeasCount"));
    };
    Show();
    form->CountSpinEdit->SetValue(25);
    QTest::mouseClick(form->OKButton, Qt::LeftButton);
    EXPECT_EQ(storedCount(), 25);
    Show();
    form->CountSpinEdit->SetValue(77);
    QTest::mouseClick(form->CancelButton, Qt::LeftButton);
    EXPECT_EQ(storedCount(), 25);
}

TEST_F(OptionsForm, AFailedSaveOnOkIsShownAndTheValuesAreTakenAllTheSame) {
    // The store's folder is a file, so the store can never be written.
    QFile blocker(folder.filePath("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    store =
        std::make_unique<RegistryFileStore>(folder.filePath("blocker/Kvarzel.reg").toStdString());
    SetSettingsStore(store.get());
    Show();
    form->CountSpinEdit->SetValue(25);
    {
        MessageBoxCloser closer;
        QTest::mouseClick(form->OKButton, Qt::LeftButton);
        ASSERT_EQ(closer.Texts.size(), 1);
        EXPECT_TRUE(closer.Texts[0].startsWith("Failed to set data for '"))
            << closer.Texts[0].toStdString();
    }
    EXPECT_TRUE(Closed());
    EXPECT_EQ(Result(), mrOk);
    EXPECT_EQ(Options->PeasCount, 25);
    MessageBoxCloser atTheEnd;
    DestroyForm();
    EXPECT_EQ(atTheEnd.Texts.size(), 1) << "the save at the end fails too";
}

TEST_F(OptionsForm, CancelEscAndTheCloseBoxKeepTheRecordAndTheNextShowShowsItAgain) {
    CreateForm();
    const TOptions before = *Options;
    for (const auto& cancel : std::vector<std::function<void()>>{
             [&] { QTest::mouseClick(form->CancelButton, Qt::LeftButton); },
             [&] { Press(Qt::Key_Escape); }, [&] { form->close(); }}) {
        Show();
        form->CountSpinEdit->SetValue(77);
        form->BeepCheckBox->setChecked(true);
        form->WhiteHotKey->SetHotKey(VK_F2);
        cancel();
        EXPECT_TRUE(Closed());
        EXPECT_EQ(Result(), mrCancel);
        EXPECT_EQ(*Options, before);
        // The controls keep the change until the next show.
        EXPECT_EQ(form->CountSpinEdit->text(), "77");
    }
    Show();
    EXPECT_EQ(form->CountSpinEdit->text(), "10");
    EXPECT_FALSE(form->BeepCheckBox->isChecked());
    EXPECT_FALSE(form->FrequencySpinEdit->isEnabled());
    EXPECT_EQ(form->WhiteHotKey->HotKey(), 0);
}

TEST_F(OptionsForm, ThePageLastViewedIsShownNextTimeAndOnlyCreationSelectsTheFirst) {
    Show();
    ShowPage(form->SoundTabSheet);
    Press(Qt::Key_Escape);
    Show();
    EXPECT_EQ(form->PageControl->currentWidget(), form->SoundTabSheet);
    Press(Qt::Key_Escape);
    DestroyForm();
    Show();
    EXPECT_EQ(form->PageControl->currentWidget(), form->PeasTabSheet);
}

TEST_F(OptionsForm, RecordsOutOfRangeShowClampedAndOkStoresThemWithinRange) {
    CreateForm();
    Options->PeasCount = 0;
    Options->PeasRatio = 25;
    Options->TimeInterval = -5;
    Options->BeepFrequency = 40000;
    Options->BeepDuration = 2147483647;
    Show();
    EXPECT_EQ(form->CountSpinEdit->text(), "1");
    EXPECT_EQ(form->RatioTrackBar->value(), 20);
    EXPECT_EQ(form->BlackQLabel->text(), "?");
    EXPECT_EQ(form->TimerSpinEdit->text(), "1");
    EXPECT_EQ(form->FrequencySpinEdit->text(), "32767");
    EXPECT_EQ(form->DurationSpinEdit->text(), "60000");
    QTest::mouseClick(form->OKButton, Qt::LeftButton);
    EXPECT_EQ(Options->PeasCount, 1);
    EXPECT_EQ(Options->PeasRatio, 20);
    EXPECT_EQ(Options->TimeInterval, 1);
    EXPECT_EQ(Options->BeepFrequency, 32767);
    EXPECT_EQ(Options->BeepDuration, 60000);
}

TEST_F(OptionsForm, AWaveNameItCannotShowAsItIsGoesBackUnchanged) {
    const std::string notUtf8 = "zvuk-\xC0\xFF\xE9.wav";
    const std::string huge = std::string(10 << 20, 'a') + ".wav";
    for (const std::string& name : {notUtf8, huge}) {
        CreateForm();
        Options->WaveWrong = true;
        Options->WaveFilename = name;
        Show();
        EXPECT_FALSE(form->WaveButton->isEnabled());
        EXPECT_LE(form->WaveEdit->text().size(), form->WaveEdit->maxLength());
        Press(Qt::Key_Return);
        EXPECT_EQ(Options->WaveFilename, name);
        DestroyForm();
    }
}

TEST_F(OptionsForm, AnEditedWaveNameIsTakenAsTyped) {
    CreateForm();
    Options->WaveWrong = true;
    Options->WaveFilename = "old-\xFF.wav";
    Show();
    Focus(form->WaveEdit);
    Press(Qt::Key_End);
    Press(Qt::Key_Backspace);
    Press(Qt::Key_Return);
    EXPECT_EQ(Options->WaveFilename, "old-\xEF\xBF\xBD.wa");
}

TEST_F(OptionsForm, TheWaveTestIsEnabledOnlyForAnExistingWaveFileWhileTicked) {
    QFile("Loud.WAV").open(QIODevice::WriteOnly);
    QFile("notes.txt").open(QIODevice::WriteOnly);
    QDir().mkdir("folder.wav");
    Show();
    form->WaveEdit->setText("Loud.WAV");
    EXPECT_FALSE(form->WaveButton->isEnabled());
    form->WaveCheckBox->setChecked(true);
    EXPECT_TRUE(form->WaveButton->isEnabled());
    for (const char* name : {"missing.wav", "folder.wav", "notes.txt", "/dev/null"}) {
        form->WaveEdit->setText(name);
        EXPECT_FALSE(form->WaveButton->isEnabled()) << name;
    }
    form->WaveEdit->setText(folder.filePath("Loud.WAV"));
    EXPECT_TRUE(form->WaveButton->isEnabled());
    form->WaveCheckBox->setChecked(false);
    EXPECT_FALSE(form->WaveButton->isEnabled());
    EXPECT_FALSE(form->WaveEdit->isEnabled());
}

TEST_F(OptionsForm, TestButtonsSoundTheFieldsAndTheWaveButtonTakesTheFocusAfterwards) {
    QFile("Infected.wav").open(QIODevice::WriteOnly);
    CreateForm();
    Options->BeepWrong = true;
    Show();
    ShowPage(form->SoundTabSheet);
    form->FrequencySpinEdit->setText("99999");
    form->DurationSpinEdit->setText("");
    QTest::mouseClick(form->BeepButton, Qt::LeftButton);
    QTest::mouseClick(form->WaveButton, Qt::LeftButton);
    EXPECT_EQ(sound.Played, (std::vector<std::string>{"beep 32767 1", "wave Infected.wav"}));
    EXPECT_TRUE(form->WaveButton->isEnabled());
    EXPECT_TRUE(form->WaveButton->hasFocus());
    EXPECT_FALSE(Closed());
}

TEST_F(OptionsForm, ThePictureButtonsHintIsTheApplicationHint) {
    Show();
    ShowPage(form->SoundTabSheet);
    QTest::mouseMove(form->WaveLabel, {2, 2});
    QApplication::processEvents();
    QTest::mouseMove(form->WaveSpeedButton, {10, 10});
    QApplication::processEvents();
    EXPECT_EQ(ApplicationHint::Instance().Hint(), "Выберите звуковой файл");
    EXPECT_EQ(form->WaveSpeedButton->toolTip(), "Выберите звуковой файл");
    // Tab reaches it; a click leaves the focus where it was.
    EXPECT_EQ(form->WaveSpeedButton->focusPolicy(), Qt::TabFocus);
}

TEST_F(OptionsForm, ComingBackFromTheTaskBarKeepsTheChanges) {
    Show();
    form->CountSpinEdit->SetValue(42);
    QShowEvent restored;
    QSpontaneKeyEvent::setSpontaneous(&restored);
    qApp->notify(form.get(), &restored);
    EXPECT_EQ(form->CountSpinEdit->text(), "42");
}

} // namespace
} // namespace kvarzel::testing
