// SPDX-License-Identifier: GPL-3.0-or-later
// The options dialog on each of its pages, and the ratio strip at both ends
// and in the middle of the scale.
#include "core/options.h"
#include "core/settings_store.h"
#include "platform/keys/key_codes.h"
#include "platform/settings/registry_file_store.h"
#include "screenshot_registry.h"
#include "ui/options/options_form.h"

#include <QGroupBox>
#include <QSlider>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace kvarzel::screenshots {
namespace {

// The dialog on a few set keys and sounds, loaded from and saved to a store
// of its own, so that the user's settings stay untouched.
struct ShownOptionsForm {
    explicit ShownOptionsForm(int page) {
        SetSettingsStore(&store);
        form = std::make_unique<TOptionsForm>();
        Options->KeyWhite = ShortCut(VK_W, {.Ctrl = true});
        Options->KeyBlack = ShortCut(VK_SPACE, {});
        Options->BeepWrong = true;
        Options->WaveWrong = true;
        Options->WaveFilename = "/usr/share/sounds/wrong.wav";
        form->PageControl->setCurrentIndex(page);
        form->show();
        (void)QTest::qWaitForWindowExposed(form.get());
    }
    ~ShownOptionsForm() {
        form.reset();
        SetSettingsStore(nullptr);
    }
    QTemporaryDir folder;
    RegistryFileStore store{folder.filePath("Kvarzel.reg").toStdString()};
    std::unique_ptr<TOptionsForm> form;
};

bool RenderPage(const QString& folder, const QString& name, int page) {
    ShownOptionsForm shown(page);
    return SaveWidget(*shown.form, folder, name);
}

bool RenderStrip(const QString& folder, int ratio) {
    ShownOptionsForm shown(0);
    shown.form->RatioTrackBar->setValue(ratio);
    return SaveWidget(*shown.form->RatioGroupBox, folder,
                      QStringLiteral("options_ratio_%1").arg(ratio));
}

const Register peas{"options_peas",
                    [](const QString& folder) { return RenderPage(folder, "options_peas", 0); }};
const Register control{"options_control", [](const QString& folder) {
                           return RenderPage(folder, "options_control", 1);
                       }};
const Register sound{"options_sound",
                     [](const QString& folder) { return RenderPage(folder, "options_sound", 2); }};
const Register strip0{"options_ratio_0",
                      [](const QString& folder) { return RenderStrip(folder, 0); }};
const Register strip10{"options_ratio_10",
                       [](const QString& folder) { return RenderStrip(folder, 10); }};
const Register strip20{"options_ratio_20",
                       [](const QString& folder) { return RenderStrip(folder, 20); }};

} // namespace
} // namespace kvarzel::screenshots
