// SPDX-License-Identifier: GPL-3.0-or-later
// The keys of the options dialog: Enter and Esc wherever the focus is, the
// page keys and the keys that open the file chooser.
#include "test_support/options_form_fixture.h"
#include "ui/options/file_name_edit.h"
#include "ui/options/hot_key_edit.h"
#include "ui/options/spin_edit.h"

#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

namespace kvarzel::testing {
namespace {

class OptionsKeys : public OptionsFormTest {
protected:
    void SetUp() override {
        OptionsFormTest::SetUp();
        QFile("Infected.wav").open(QIODevice::WriteOnly);
        QFile("notes.txt").open(QIODevice::WriteOnly);
        CreateForm();
        Options->BeepWrong = true;
        Show();
    }
    // Whether the keys open the chooser while WaveEdit has the focus; it is
    // cancelled at once.
    bool KeysOpenTheChooser(Qt::Key key, Qt::KeyboardModifiers modifiers) {
        Focus(form->WaveEdit);
        return RunChooser([&] { Press(key, modifiers); },
                          [](QFileDialog& chooser) { chooser.reject(); });
    }
};

TEST_F(OptionsKeys, EnterOnAnyControlButAPushButtonIsOk) {
    for (QWidget* control : std::initializer_list<QWidget*>{
             form->CountSpinEdit, form->RatioTrackBar, form->WhiteHotKey, form->TimerCheckBox,
             form->TimerSpinEdit, form->WaveCheckBox, form->WaveEdit,
             form->PageControl->tabBar()}) {
        Show();
        Focus(control);
        Press(control == form->TimerSpinEdit ? Qt::Key_Enter : Qt::Key_Return,
              control == form->TimerSpinEdit ? Qt::KeypadModifier : Qt::NoModifier);
        EXPECT_TRUE(Closed()) << control->objectName().toStdString();
        EXPECT_EQ(Result(), mrOk) << control->objectName().toStdString();
    }
}

TEST_F(OptionsKeys, EnterClicksTheFocusedPushButtonAndWithAModifierIsOk) {
    Focus(form->WaveButton);
    Press(Qt::Key_Return);
    Press(Qt::Key_Return);
    Focus(form->BeepButton);
    Press(Qt::Key_Return);
    EXPECT_EQ(sound.Played,
              (std::vector<std::string>{"wave Infected.wav", "wave Infected.wav", "beep 600 1"}));
    EXPECT_FALSE(Closed());

    Focus(form->WaveButton);
    Press(Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_TRUE(Closed());
    EXPECT_EQ(Result(), mrOk);
    EXPECT_EQ(sound.Played.size(), 3u);

    Show();
    Focus(form->CancelButton);
    Press(Qt::Key_Return);
    EXPECT_EQ(Result(), mrCancel);
    for (const auto modifiers : {Qt::ControlModifier, Qt::AltModifier}) {
        Show();
        Focus(form->CancelButton);
        Press(Qt::Key_Return, modifiers);
        EXPECT_EQ(Result(), mrOk);
    }
}

TEST_F(OptionsKeys, EscWithAnyModifiersCancelsEvenInAHotKeyField) {
    for (const auto modifiers : {Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier}) {
        Show();
        Focus(form->BlackHotKey);
        Press(Qt::Key_Escape, modifiers);
        EXPECT_TRUE(Closed());
        EXPECT_EQ(Result(), mrCancel);
        EXPECT_EQ(form->BlackHotKey->HotKey(), 0);
    }
}

TEST_F(OptionsKeys, TypedNumbersAreReadClampedWhenEnterIsPressedAtOnce) {
    Focus(form->CountSpinEdit);
    form->CountSpinEdit->selectAll();
    Type("0");
    Press(Qt::Key_Return);
    EXPECT_EQ(Options->PeasCount, 1);

    Show();
    Focus(form->CountSpinEdit);
    form->CountSpinEdit->selectAll();
    Press(Qt::Key_Backspace);
    EXPECT_EQ(form->CountSpinEdit->text(), "");
    Press(Qt::Key_Return);
    EXPECT_EQ(Options->PeasCount, 1);

    Show();
    Focus(form->TimerSpinEdit);
    form->TimerSpinEdit->selectAll();
    Type("700000");
    EXPECT_EQ(form->TimerSpinEdit->text(), "70000");
    QTest::mouseClick(form->OKButton, Qt::LeftButton);
    EXPECT_EQ(Options->TimeInterval, 60000);
}

TEST_F(OptionsKeys, BrowseKeysOpenTheChooserOnlyWithExactlyTheirModifiers) {
    EXPECT_TRUE(KeysOpenTheChooser(Qt::Key_Down, Qt::AltModifier));
    EXPECT_TRUE(KeysOpenTheChooser(Qt::Key_F4, Qt::NoModifier));
    EXPECT_TRUE(KeysOpenTheChooser(Qt::Key_O, Qt::ControlModifier));
    EXPECT_FALSE(KeysOpenTheChooser(Qt::Key_Down, Qt::AltModifier | Qt::ShiftModifier));
    EXPECT_FALSE(KeysOpenTheChooser(Qt::Key_Down, Qt::NoModifier));
    EXPECT_FALSE(KeysOpenTheChooser(Qt::Key_F4, Qt::AltModifier));
    EXPECT_FALSE(KeysOpenTheChooser(Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier));
    EXPECT_FALSE(Closed());
}

TEST_F(OptionsKeys, TheChooserStartsAtTheFieldsFileAndFillsTheFieldWithTheChosenPath) {
    form->WaveCheckBox->setChecked(true);
    form->WaveEdit->setText("Infected.wav");
    QString title, selected;
    QStringList filters;
    EXPECT_TRUE(RunChooser([&] { form->WaveSpeedButton->click(); },
                           [&](QFileDialog& chooser) {
                               title = chooser.windowTitle();
                               filters = chooser.nameFilters();
                               selected = chooser.selectedFiles().value(0);
                               // Typed into the file name field, as a user
                               // picks a file the filter hides.
                               auto* name = chooser.findChild<QLineEdit*>("fileNameEdit");
                               EXPECT_NE(name, nullptr);
                               if (name)
                                   name->setText("notes.txt");
                               static_cast<QDialog&>(chooser).accept();
                           }));
    EXPECT_EQ(title, "Выбор звукового файла");
    EXPECT_EQ(filters, QStringList({"Звуковые файлы (*.wav)", "Все файлы (*.*)"}));
    EXPECT_EQ(selected, folder.filePath("Infected.wav"));
    EXPECT_EQ(form->WaveEdit->text(), folder.filePath("notes.txt"));
    EXPECT_FALSE(form->WaveButton->isEnabled());

    EXPECT_TRUE(RunChooser([&] { form->WaveSpeedButton->click(); },
                           [](QFileDialog& chooser) { chooser.reject(); }));
    EXPECT_EQ(form->WaveEdit->text(), folder.filePath("notes.txt"));
    Press(Qt::Key_Return);
    EXPECT_EQ(Options->WaveFilename, folder.filePath("notes.txt").toStdString());
}

TEST_F(OptionsKeys, CtrlTabTurnsThePagesBothWaysWhileTheFocusIsOnThem) {
    Focus(form->CountSpinEdit);
    Press(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(form->PageControl->currentWidget(), form->ControlTabSheet);
    EXPECT_TRUE(form->PageControl->tabBar()->hasFocus());
    Press(Qt::Key_Tab, Qt::ControlModifier);
    Press(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(form->PageControl->currentWidget(), form->PeasTabSheet);
    Press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(form->PageControl->currentWidget(), form->SoundTabSheet);

    Focus(form->OKButton);
    Press(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(form->PageControl->currentWidget(), form->SoundTabSheet);
}

TEST_F(OptionsKeys, TabVisitsTheControlsInTheirOrder) {
    Focus(form->OKButton);
    QStringList visited;
    for (int i = 0; i < 5; ++i) {
        Press(Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(visited,
              QStringList({"CancelButton", "qt_tabwidget_tabbar", "CountSpinEdit", "RatioTrackBar", "OKButton"}));
}

} // namespace
} // namespace kvarzel::testing
