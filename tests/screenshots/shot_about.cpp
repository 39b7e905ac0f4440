// SPDX-License-Identifier: GPL-3.0-or-later
// The About dialog as the menu opens it, and with the mouse over the e-mail link.
#include "screenshot_registry.h"
#include "ui/about/about_form.h"
#include "ui/about/text_label.h"

#include <QTest>

namespace kvarzel::screenshots {
namespace {

bool RenderAbout(const QString& folder, const QString& name, bool emailHovered) {
    TAboutForm form;
    form.show();
    (void)QTest::qWaitForWindowExposed(&form);
    if (emailHovered)
        QTest::mouseMove(form.EmailLabel, {4, 4});
    return SaveWidget(form, folder, name);
}

const Register about{"about",
                     [](const QString& folder) { return RenderAbout(folder, "about", false); }};

const Register hovered{"about_link_hovered", [](const QString& folder) {
                           return RenderAbout(folder, "about_link_hovered", true);
                       }};

} // namespace
} // namespace kvarzel::screenshots
