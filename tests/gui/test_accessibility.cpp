// SPDX-License-Identifier: GPL-3.0-or-later
// What the windows tell a screen reader, read through Qt's accessibility
// interfaces of the real controls, and the keys that reach what a mouse reaches.
#include "chart/chart.h"
#include "platform/keys/key_codes.h"
#include "test_support/main_form_fixture.h"
#include "test_support/message_box_closer.h"
#include "test_support/options_form_fixture.h"
#include "test_support/version_block.h"
#include "ui/about/about_form.h"
#include "ui/about/text_label.h"
#include "ui/common/accessible_names.h"
#include "ui/main/bucket_view.h"
#include "ui/main/signal_circle.h"
#include "ui/options/file_name_edit.h"
#include "ui/options/hot_key_clear_button.h"
#include "ui/options/hot_key_edit.h"
#include "ui/options/spin_edit.h"

#include <QAccessible>
#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QSet>
#include <QSlider>
#include <QToolButton>

#include <functional>
#include <vector>

namespace kvarzel::testing {
namespace {

QString AccessibleText(QObject* control, QAccessible::Text kind) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
    return accessible ? accessible->text(kind) : QStringLiteral("<no interface>");
}

QString NameOf(QObject* control) {
    return AccessibleText(control, QAccessible::Name);
}

QString DescriptionOf(QObject* control) {
    return AccessibleText(control, QAccessible::Description);
}

// Every accessible below `root`, depth first.
void CollectAccessibles(QAccessibleInterface* root, std::vector<QAccessibleInterface*>& found) {
    for (int i = 0; i < root->childCount(); ++i) {
        if (QAccessibleInterface* child = root->child(i)) {
            found.push_back(child);
            CollectAccessibles(child, found);
        }
    }
}

TEST(WithoutMnemonicTest, TheMarksGoAndADoubledAmpersandStaysOne) {
    const std::vector<std::pair<QString, QString>> cases = {
        {"&Белая", "Белая"},      {"О&К", "ОК"},        {"Звук && свет", "Звук & свет"},
        {"Частота:", "Частота:"}, {"конец&", "конец&"}, {"", ""}};
    for (const auto& [caption, spoken] : cases)
        EXPECT_EQ(WithoutMnemonic(caption), spoken) << caption.toStdString();
}

class OptionsAccessibilityTest : public OptionsFormTest {};

TEST_F(OptionsAccessibilityTest, FieldsAreNamedByTheirLabelsAndDescribedByUnitAndRange) {
    CreateForm();
    struct Expected {
        QWidget* control;
        QString name;
        QString description;
    };
    const std::vector<Expected> table = {
        {form->CountSpinEdit, "Сколько засыпать горошин в ведро:", "горошин, от 1 до 9999"},
        {form->TimerSpinEdit, "Контролировать время ответа", "миллисекунд, от 1 до 60000"},
        {form->FrequencySpinEdit, "Частота:", "герц, от 37 до 32767"},
        {form->DurationSpinEdit, "Длительность:", "миллисекунд, от 1 до 60000"},
        {form->WhiteHotKey, "Белая:", "Дополнительная клавиша выбора белой горошины"},
        {form->BlackHotKey, "Чёрная:", "Дополнительная клавиша выбора чёрной горошины"},
        {form->WaveEdit,
         "Звуковой файл:", "Звуковой файл (*.wav); выбрать его: Alt+Вниз, F4 или Ctrl+O"},
        {form->WaveSpeedButton, "Выберите звуковой файл", "Открывает окно выбора звукового файла"},
        {form->BeepButton, "Тест", "Проверить звук системного динамика"},
        {form->WaveButton, "Тест", "Проверить звук звуковой карты"},
        {form->RatioTrackBar, "Соотношение белых и чёрных",
         "Чёрных горошин в двадцатых долях; при 0 и 20 цвет каждой горошины выпадает случайно"},
        {form->WhiteClearButton, "Очистить клавишу белой горошины",
         "Очистить: без дополнительной клавиши"},
        {form->BlackClearButton, "Очистить клавишу чёрной горошины",
         "Очистить: без дополнительной клавиши"},
    };
    for (const Expected& expected : table) {
        SCOPED_TRACE(expected.control->objectName().toStdString());
        EXPECT_EQ(NameOf(expected.control), expected.name);
        EXPECT_EQ(DescriptionOf(expected.control), expected.description);
    }
    // The labels point at what they name, which screen readers report as "labelled by".
    EXPECT_EQ(form->CountLabel->buddy(), form->CountSpinEdit);
    EXPECT_EQ(form->WhiteLabel->buddy(), form->WhiteHotKey);
    EXPECT_EQ(form->BlackLabel->buddy(), form->BlackHotKey);
    EXPECT_EQ(form->WaveLabel->buddy(), form->WaveEdit);
}

// The labels a screen reader follows: the one beside a field, and for the
// timer field none, since the unit beside it would stand for the check box.
TEST_F(OptionsAccessibilityTest, EachFieldIsLabelledByWhatASightedUserReadsBesideIt) {
    CreateForm();
    const auto labelsOf = [](QWidget* control) {
        QStringList labels;
        for (const auto& [label, relation] :
             QAccessible::queryAccessibleInterface(control)->relations(QAccessible::Label))
            labels << label->text(QAccessible::Name);
        return labels;
    };
    EXPECT_EQ(labelsOf(form->CountSpinEdit), QStringList{"Сколько засыпать горошин в ведро:"});
    EXPECT_EQ(labelsOf(form->FrequencySpinEdit), QStringList{"Частота:"});
    const QStringList timerLabels = labelsOf(form->TimerSpinEdit);
    EXPECT_TRUE(timerLabels.isEmpty()) << timerLabels.join('|').toStdString();
    EXPECT_EQ(form->TimerMsLabel->buddy(), nullptr);
    EXPECT_EQ(NameOf(form->TimerSpinEdit), WithoutMnemonic(form->TimerCheckBox->text()));
}

// A number field is a spin button: a screen reader reads its value within its
// range, and may set it, clamped like a typed number.
TEST_F(OptionsAccessibilityTest, NumberFieldsTellTheirValueAndRange) {
    CreateForm();
    struct Range {
        SpinEdit* field;
        int minimum;
        int maximum;
    };
    for (const Range& range : {Range{form->CountSpinEdit, 1, 9999},
                               Range{form->TimerSpinEdit, 1, 60000},
                               Range{form->FrequencySpinEdit, 37, 32767},
                               Range{form->DurationSpinEdit, 1, 60000}}) {
        SCOPED_TRACE(range.field->objectName().toStdString());
        QAccessibleInterface* field = QAccessible::queryAccessibleInterface(range.field);
        EXPECT_EQ(field->role(), QAccessible::SpinBox);
        QAccessibleValueInterface* value = field->valueInterface();
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(value->minimumValue().toInt(), range.minimum);
        EXPECT_EQ(value->maximumValue().toInt(), range.maximum);
        EXPECT_EQ(value->minimumStepSize().toInt(), 1);
        range.field->setText("250");
        EXPECT_EQ(value->currentValue().toInt(), 250);
        EXPECT_EQ(field->text(QAccessible::Value), "250");
        value->setCurrentValue(range.maximum + 1);
        EXPECT_EQ(range.field->Value(), range.maximum);
        ASSERT_NE(field->textInterface(), nullptr);
        EXPECT_EQ(field->textInterface()->text(0, -1), range.field->text());
        QAccessibleEditableTextInterface* edit = field->editableTextInterface();
        ASSERT_NE(edit, nullptr);
        edit->replaceText(0, -1, "42");
        EXPECT_EQ(range.field->text(), "42");
        edit->replaceText(0, -1, "4x");
        EXPECT_EQ(range.field->text(), "42") << "a letter is refused, as when typed";
        edit->deleteText(0, 1);
        edit->insertText(1, "5");
        EXPECT_EQ(range.field->text(), "25");
    }
}

// Every one-line field's text is one run of attributes, whatever the offset:
// a screen reader that reads a field run by run reads all of it.
TEST_F(OptionsAccessibilityTest, OneLineFieldsAreReadWholeAndEditedOnlyWhereTheUserTypes) {
    CreateForm();
    form->WhiteHotKey->SetHotKey(ShortCut(VK_F5, {.Ctrl = true}));
    form->WaveEdit->setText("/tmp/звук.wav");
    form->CountSpinEdit->SetValue(1000);
    struct Field {
        QLineEdit* control;
        bool editable;
    };
    for (const Field& field :
         {Field{form->WhiteHotKey, false}, Field{form->WaveEdit, true},
          Field{form->CountSpinEdit, true}}) {
        SCOPED_TRACE(field.control->objectName().toStdString());
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(field.control);
        QAccessibleTextInterface* text = accessible->textInterface();
        ASSERT_NE(text, nullptr);
        const int length = static_cast<int>(field.control->text().size());
        ASSERT_EQ(text->characterCount(), length);
        for (int offset = 0; offset < length; ++offset) {
            int start = -1;
            int end = -1;
            text->attributes(offset, &start, &end);
            EXPECT_EQ(std::make_pair(start, end), std::make_pair(0, length)) << offset;
        }
        int start = -1;
        int end = -1;
        EXPECT_EQ(text->textAtOffset(length - 1, QAccessible::LineBoundary, &start, &end),
                  field.control->text());
        EXPECT_EQ(accessible->state().readOnly, !field.editable);
        EXPECT_EQ(accessible->editableTextInterface() != nullptr, field.editable);
        text->setSelection(0, 1, 3);
        EXPECT_EQ(field.control->selectedText(), field.control->text().mid(1, 2));
    }
}

// Tab into a hot-key field selects nothing, which a screen reader would read
// before the field's name; a number field's text is selected, for typing over.
TEST_F(OptionsAccessibilityTest, TabSelectsTheTextOfANumberFieldButNotOfAHotKeyField) {
    Show();
    form->WhiteHotKey->SetHotKey(VK_F5);
    ShowPage(form->ControlTabSheet);
    form->WhiteHotKey->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(form->WhiteHotKey->hasFocus());
    EXPECT_FALSE(form->WhiteHotKey->hasSelectedText());
    form->TimerCheckBox->setChecked(true);
    form->TimerSpinEdit->setEnabled(true);
    form->TimerSpinEdit->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(form->TimerSpinEdit->selectedText(), form->TimerSpinEdit->text());
}

TEST_F(OptionsAccessibilityTest, EachSpinArrowSaysWhatItDoesToWhichField) {
    CreateForm();
    QSet<QString> descriptions;
    for (SpinEdit* field : {form->CountSpinEdit, form->TimerSpinEdit, form->FrequencySpinEdit,
                            form->DurationSpinEdit}) {
        const QString field_name = NameOf(field);
        EXPECT_EQ(NameOf(field->UpButton()), "Увеличить");
        EXPECT_EQ(NameOf(field->DownButton()), "Уменьшить");
        EXPECT_EQ(DescriptionOf(field->UpButton()), field_name + " — увеличить на 1");
        EXPECT_EQ(DescriptionOf(field->DownButton()), field_name + " — уменьшить на 1");
        descriptions << DescriptionOf(field->UpButton()) << DescriptionOf(field->DownButton());
    }
    EXPECT_EQ(descriptions.size(), 8);
}

// Whatever the dialog holds, a screen reader finds a name on everything the user can operate.
TEST_F(OptionsAccessibilityTest, EveryControlInTheAccessibleTreeHasAName) {
    Show();
    std::vector<QAccessibleInterface*> all;
    CollectAccessibles(QAccessible::queryAccessibleInterface(form.get()), all);
    const QSet<QAccessible::Role> operated = {QAccessible::PushButton,   QAccessible::CheckBox,
                                              QAccessible::EditableText, QAccessible::Slider,
                                              QAccessible::PageTab,      QAccessible::ButtonMenu,
                                              QAccessible::SpinBox,      QAccessible::ComboBox};
    int checked = 0;
    for (QAccessibleInterface* accessible : all) {
        if (!operated.contains(accessible->role()))
            continue;
        ++checked;
        EXPECT_FALSE(accessible->text(QAccessible::Name).isEmpty())
            << accessible->object()->objectName().toStdString() << " role " << accessible->role();
    }
    // Three pages, OK, Cancel, two test buttons, three check boxes, the track bar, four number
    // fields with two arrows each, two hot-key fields, the file field and its browse button.
    EXPECT_GE(checked, 3 + 2 + 2 + 3 + 1 + 4 * 3 + 2 + 2);
}

TEST_F(OptionsAccessibilityTest, TheBrowseButtonFollowsTheFileFieldInTheTabOrderAndSpaceOpensIt) {
    Show();
    form->WaveCheckBox->setChecked(true);
    Focus(form->WaveEdit);
    Press(Qt::Key_Tab);
    ASSERT_TRUE(form->WaveSpeedButton->hasFocus());
    const bool opened = RunChooser([this] { Press(Qt::Key_Space); },
                                   [](QFileDialog& chooser) { chooser.reject(); });
    EXPECT_TRUE(opened);
    Focus(form->WaveSpeedButton);
    Press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(form->WaveEdit->hasFocus());
    // A click opens the chooser without taking the focus from the field.
    EXPECT_TRUE(RunChooser([this] { QTest::mouseClick(form->WaveSpeedButton, Qt::LeftButton); },
                           [](QFileDialog& chooser) { chooser.reject(); }));
    EXPECT_FALSE(form->WaveSpeedButton->hasFocus());
}

class SignalAccessibilityTest : public MainFormTest {
protected:
    void SetUp() override {
        options.TimerEnabled = false;
        options.PeasCount = 4;
        MainFormTest::SetUp();
    }
};

TEST_F(SignalAccessibilityTest, TheCircleSaysThePeaAndTheVerdictAfterEachAnswer) {
    MessageBoxCloser closer;
    Start();
    struct Answer {
        bool right;
        QString spoken;
    };
    const std::vector<Answer> answers = {{true, "верно, горошина 1"},
                                         {false, "неверно, горошина 2"},
                                         {false, "неверно, горошина 3"},
                                         {true, "верно, горошина 4"}};
    auto* notice = form->findChild<QWidget*>("TrainingNotice");
    ASSERT_NE(notice, nullptr);
    QWidget* focused = QApplication::focusWidget();
    int checked = 0;
    for (const Answer& answer : answers) {
        (answer.right ? RightButton() : WrongButton())->click();
        // Screen readers speak a notification as it appears, wherever the focus is.
        EXPECT_EQ(NameOf(notice), answer.spoken);
        EXPECT_TRUE(notice->isVisible());
        if (Drawn() == options.PeasCount)
            break; // the last answer ends the training and hides the circle
        EXPECT_EQ(QApplication::focusWidget(), focused);
        EXPECT_EQ(NameOf(form->SignalShape), answer.spoken);
        EXPECT_EQ(NameOf(form->CounterLabel), answer.spoken);
        ++checked;
    }
    EXPECT_EQ(checked, 3);
    // The notice takes neither the focus nor a pixel.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(notice)->role(), QAccessible::Notification);
    EXPECT_TRUE(notice->size().isEmpty());
    EXPECT_EQ(notice->focusPolicy(), Qt::NoFocus);
}

TEST_F(SignalAccessibilityTest, MainWindowControlsAreNamedAndTheAnswerButtonsDescribed) {
    EXPECT_EQ(NameOf(form->WhiteButton), "Белая");
    EXPECT_EQ(NameOf(form->BlackButton), "Чёрная");
    EXPECT_EQ(DescriptionOf(form->WhiteButton), "Я чувствую, что сейчас выпадет БЕЛАЯ горошина!");
    EXPECT_EQ(DescriptionOf(form->BlackButton), "Я чувствую, что сейчас выпадет ЧЁРНАЯ горошина!");
    EXPECT_EQ(NameOf(form->AverageEdit), "Среднее значение по всем тренировкам:");
    EXPECT_EQ(NameOf(form->IntuitionChart), "Результаты тренировок");
    EXPECT_EQ(DescriptionOf(form->IntuitionChart),
              "Масштабирование левой кнопкой мыши, прокрутка - правой");
    EXPECT_EQ(NameOf(form->BucketImage), "Ведро с горошинами");
}

class AboutAccessibilityTest : public ::testing::Test {
protected:
    AboutAccessibilityTest() {
        block.Write("041904E3", {{"FileDescription", "Тренажёр интуиции"},
                                 {"FileVersion", "3.2.1.0"},
                                 {"LegalCopyright", "Все права защищены"},
                                 {"ProductName", "Кварзель"}});
        form = std::make_unique<TAboutForm>(nullptr, block.Resource());
        form->SetLinkOpener([this](const QString& link) { opened << link; });
        form->show();
        QApplication::setActiveWindow(form.get());
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    void Press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }

    VersionBlockFolder block;
    std::unique_ptr<TAboutForm> form;
    QStringList opened;
};

TEST_F(AboutAccessibilityTest, TabGoesFromTheButtonToTheLinksAndEnterOrSpaceOpensThem) {
    ASSERT_TRUE(form->OKButton->hasFocus());
    const QString email = form->EmailLabel->statusTip();
    const QString website = form->WebsiteLabel->statusTip();
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
        opened.clear();
        form->OKButton->setFocus(Qt::TabFocusReason);
        Press(Qt::Key_Tab);
        ASSERT_TRUE(form->EmailLabel->hasFocus()) << key;
        Press(key);
        Press(Qt::Key_Tab);
        ASSERT_TRUE(form->WebsiteLabel->hasFocus()) << key;
        Press(key);
        EXPECT_EQ(opened, QStringList({email, website})) << key;
        EXPECT_TRUE(form->isVisible()) << key;
    }
    // A link opened from the keyboard turns blue, as after a click.
    EXPECT_EQ(form->WebsiteLabel->FontColour(), QColor(0, 0, 255));
    EXPECT_EQ(NameOf(form->EmailLabel), form->EmailLabel->Caption());
    EXPECT_EQ(DescriptionOf(form->EmailLabel), email);
    EXPECT_EQ(DescriptionOf(form->WebsiteLabel), website);
}

// Opening, a screen reader says the dialog's name, then its text with the version.
TEST_F(AboutAccessibilityTest, TheDialogSaysWhichProgramItIsAbout) {
    EXPECT_EQ(form->windowTitle(), "О программе");
    EXPECT_EQ(NameOf(form.get()), "О программе «Кварзель»");
    EXPECT_TRUE(NameOf(form->AboutLabel).contains("Версия 3.2.1.0"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(form->AboutLabel)->role(),
              QAccessible::StaticText);
    VersionBlockFolder nameless;
    nameless.Write("041904E3", {{"FileDescription", "Тренажёр интуиции"}});
    TAboutForm without(nullptr, nameless.Resource());
    EXPECT_EQ(NameOf(&without), "О программе");
}

// The links are links, which a screen reader can press as Enter does.
TEST_F(AboutAccessibilityTest, TheLinksAreLinksThatAPressFollows) {
    for (TextLabel* link : {form->EmailLabel, form->WebsiteLabel}) {
        SCOPED_TRACE(link->objectName().toStdString());
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(link);
        EXPECT_EQ(accessible->role(), QAccessible::Link);
        EXPECT_EQ(accessible->text(QAccessible::Name), link->Caption());
        EXPECT_TRUE(accessible->state().focusable);
        QAccessibleActionInterface* actions = accessible->actionInterface();
        ASSERT_NE(actions, nullptr);
        ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        opened.clear();
        actions->doAction(QAccessibleActionInterface::pressAction());
        EXPECT_EQ(opened, QStringList{link->statusTip()});
    }
    QAccessibleInterface* contact = QAccessible::queryAccessibleInterface(form->ContactLabel);
    EXPECT_EQ(contact->role(), QAccessible::StaticText);
    EXPECT_FALSE(contact->actionInterface() &&
                 contact->actionInterface()->actionNames().contains(
                     QAccessibleActionInterface::pressAction()));
}

// Pixels of the label's border in its font colour.
int FramePixels(TextLabel& label) {
    const QImage picture = label.grab().toImage();
    const QRgb colour = label.FontColour().rgb();
    int count = 0;
    for (int x = 0; x < picture.width(); ++x)
        count +=
            (picture.pixel(x, 0) == colour) + (picture.pixel(x, picture.height() - 1) == colour);
    return count;
}

TEST_F(AboutAccessibilityTest, AFocusedLinkHasADottedFrameInItsColourAndLosesItWithTheFocus) {
    TextLabel& link = *form->WebsiteLabel;
    const int unfocused = FramePixels(link);
    form->OKButton->setFocus(Qt::TabFocusReason);
    Press(Qt::Key_Tab);
    Press(Qt::Key_Tab);
    ASSERT_TRUE(link.hasFocus());
    // Every other pixel of the top and bottom rows.
    EXPECT_GE(FramePixels(link), unfocused + link.width() / 2);
    Press(Qt::Key_Tab);
    ASSERT_FALSE(link.hasFocus());
    EXPECT_EQ(FramePixels(link), unfocused);
}

} // namespace
} // namespace kvarzel::testing
