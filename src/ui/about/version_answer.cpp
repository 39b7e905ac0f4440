// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/about/version_answer.h"

#include "ui/about/about_texts.h"
#include "ui/about/version_strings.h"

namespace kvarzel {

std::string VersionAnswer(const VersionResource& resource) {
    VersionStrings strings;
    ReadVersionStrings(strings, resource);
    const QString text = QStringLiteral("kvarzel ") + strings.FileVersion + QLatin1Char('\n') +
                         CopyrightNotice() + QLatin1Char('\n') + QStringLiteral("Лицензия: ") +
                         strings.LegalCopyright +
                         QStringLiteral(" <https://www.gnu.org/licenses/gpl-3.0.html>.\n"
                                        "Это свободная программа: её можно изменять и "
                                        "распространять.\n"
                                        "Гарантий нет в той мере, в какой это допускает закон.\n");
    return text.toStdString();
}

} // namespace kvarzel
