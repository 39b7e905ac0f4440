// SPDX-License-Identifier: GPL-3.0-or-later
#include "test_support/options_form_fixture.h"

#include "test_support/wait_for.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QTabWidget>
#include <QTimer>

#include <utility>

namespace kvarzel::testing {

void OptionsFormTest::SetUp() {
    previousDirectory = QDir::currentPath();
    ASSERT_TRUE(folder.isValid());
    QDir::setCurrent(folder.path());
    store = std::make_unique<RegistryFileStore>(folder.filePath("Kvarzel.reg").toStdString());
    SetSettingsStore(store.get());
}

void OptionsFormTest::TearDown() {
    DestroyForm();
    SetSettingsStore(nullptr);
    QDir::setCurrent(previousDirectory);
}

void OptionsFormTest::CreateForm() {
    form = std::make_unique<TOptionsForm>();
    form->SetSoundOutput(sound);
    waveButton = form->WaveButton;
}

void OptionsFormTest::DestroyForm() {
    waveButton = nullptr;
    form.reset();
}

void OptionsFormTest::Show() {
    if (!form)
        CreateForm();
    form->show();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
}

void OptionsFormTest::Press(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QWidget* focused = QApplication::focusWidget();
    QTest::keyClick(focused && focused->window() == form.get() ? focused : form.get(), key,
                    modifiers);
}

void OptionsFormTest::Type(const QString& text) {
    QTest::keyClicks(QApplication::focusWidget(), text);
}

void OptionsFormTest::Focus(QWidget* control) {
    // A chooser that has closed may leave no window active.
    QApplication::setActiveWindow(form.get());
    for (QWidget* page = control; page; page = page->parentWidget())
        if (page->parentWidget() &&
            page->parentWidget()->parentWidget() == static_cast<QWidget*>(form->PageControl))
            form->PageControl->setCurrentWidget(page);
    control->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(WaitFor([control] { return control->hasFocus(); }));
}

void OptionsFormTest::ShowPage(QWidget* page) {
    form->PageControl->setCurrentWidget(page);
}

namespace {

// Hands a file chooser to the test once it has read the folder it shows.
// The chooser lists its folder in a thread of its own; until that listing is
// in its model, the rows it shows, and so its selection and its file name
// field, still change as the listing comes in.
class ChooserAnswerer : public QObject {
public:
    explicit ChooserAnswerer(std::function<void(QFileDialog&)> answer)
        : answer_(std::move(answer)) {
        QApplication::instance()->installEventFilter(this);
    }
    bool Opened = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* chooser = qobject_cast<QFileDialog*>(watched);
        if (chooser && event->type() == QEvent::Show && !Opened) {
            // Shown from its modal loop, before that loop has delivered any of
            // the listing: the signal below cannot have gone by yet.
            Opened = true;
            AnswerOnceLoaded(*chooser);
        }
        return false;
    }

private:
    void AnswerOnceLoaded(QFileDialog& chooser) {
        auto* model = chooser.findChild<QFileSystemModel*>();
        if (!model) {
            ADD_FAILURE() << "the chooser has no folder model";
            chooser.reject();
            return;
        }
        const QString folder = QFileInfo(chooser.directory().absolutePath()).canonicalFilePath();
        connect(
            model, &QFileSystemModel::directoryLoaded, &chooser,
            [this, &chooser, folder](const QString& path) {
                if (!answered_ && QFileInfo(path).canonicalFilePath() == folder) {
                    answered_ = true;
                    answer_(chooser);
                }
            },
            Qt::QueuedConnection);
        // A folder that is never read would leave the modal loop running.
        QTimer::singleShot(30000, &chooser, [this, &chooser] {
            if (!answered_) {
                answered_ = true;
                ADD_FAILURE() << "the chooser never finished reading its folder";
                chooser.reject();
            }
        });
    }

    std::function<void(QFileDialog&)> answer_;
    bool answered_ = false;
};

} // namespace

bool OptionsFormTest::RunChooser(const std::function<void()>& action,
                                 const std::function<void(QFileDialog&)>& answer) {
    ChooserAnswerer answerer(answer);
    action();
    return answerer.Opened;
}

} // namespace kvarzel::testing
