// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/about/about_texts.h"

#include "ui/about/version_strings.h"

namespace kvarzel {
namespace {

constexpr QChar CR(13), LF(10);

QString CopyrightLine(const VersionStrings& strings) {
    return CopyrightNotice() + QStringLiteral(" (") + strings.LegalCopyright + QLatin1Char(')');
}

} // namespace

QString CopyrightNotice() {
    return QStringLiteral("© 2026 Tellumor");
}

QString AboutHeaderText(const VersionStrings& strings) {
    return strings.FileDescription + CR + QStringLiteral("Версия ") + strings.FileVersion + CR +
           LF + LF + CopyrightLine(strings) + CR;
}

QString AboutAcknowledgementsText() {
    return QString(CR) + LF + LF + LF + LF +
           QStringLiteral("Спасибо всем, кто проверял программу") + CR +
           QStringLiteral("и помогал сделать её лучше.") + CR +
           QStringLiteral("Доверяйте своей интуиции!");
}

} // namespace kvarzel
