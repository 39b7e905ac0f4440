#include "options_form_fixture.h"

#include "gui_support.h"

#include <QFileDialog>
#include <QTabWidget>
#include <QTimer>

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

bool OptionsFormTest::RunChooser(const std::function<void()>& action,
                                 const std::function<void(QFileDialog&)>& answer) {
    bool opened = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            opened = true;
            answer(*chooser);
        }
    });
    poll.start(10);
    action();
    return opened;
}

} // namespace kvarzel::testing
