// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop/application.h"

#include "platform/desktop/application_hint.h"
#include "platform/desktop/message_box_icon.h"
#include "platform/desktop/qt_russian_texts.h"

#include <QApplication>
#include <QMessageBox>
#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace kvarzel {
namespace {

constexpr auto substituteFamily = "Liberation Sans";

QString& Title() {
    static QString title;
    return title;
}

void SubstituteFonts() {
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QLatin1String(substituteFamily));
    QFont::insertSubstitution(QStringLiteral("Arial"), QLatin1String(substituteFamily));
}

QString WithFullStop(const QString& text) {
    return text.endsWith(QLatin1Char('.')) ? text : text + QLatin1Char('.');
}

// Windows' rounding of a point size to pixels at 96 dpi (MulDiv).
int PixelsOfPoints(int points) {
    return (points * 96 + 36) / 72;
}

} // namespace

void InitApplication(QApplication& app) {
    SubstituteFonts();
    QApplication::setFont(MsSansSerifFont());
    InstallRussianQtTexts(app);
    ApplicationHint::Instance();
}

// Kept apart from QGuiApplication::applicationDisplayName, which Qt would
// append to the caption of every other window.
void SetApplicationTitle(const QString& title) {
    Title() = title;
}

// Until a title is set, the executable's name stands in, as on Windows.
QString ApplicationTitle() {
    if (Title().isEmpty() && QCoreApplication::instance() != nullptr)
        return QCoreApplication::applicationName();
    return Title();
}

// Named by the family that draws it. Asked for by its Windows name, the font
// would first be looked for among fontconfig's fallbacks for that unknown
// family, script by script, before the substitute is tried: on the main
// window's first paint, dearer than all of its text.
QFont MsSansSerifFont(bool bold) {
    QFont font(QString::fromLatin1(substituteFamily));
    font.setPixelSize(11);
    font.setBold(bold);
    return font;
}

QFont ArialFont(int pointSize, bool bold) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(std::max(1, PixelsOfPoints(pointSize)));
    font.setBold(bold);
    return font;
}

namespace {

bool noUserToAnswer = false;

} // namespace

void SetNoUserToAnswer() {
    noUserToAnswer = true;
}

bool NoUserToAnswer() {
    return noUserToAnswer;
}

void PrintApplicationError(const QString& text) {
    std::fprintf(stderr, "%s: %s\n", qPrintable(ApplicationTitle()), qPrintable(WithFullStop(text)));
}

void ShowApplicationError(const QString& text) {
    if (noUserToAnswer)
        return PrintApplicationError(text);
    QMessageBox box(QMessageBox::Critical, ApplicationTitle(), WithFullStop(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    NameMessageBoxIcon(box);
    box.exec();
}

QString ExecutablePath() {
    if (QCoreApplication::instance() != nullptr)
        return QCoreApplication::applicationFilePath();
    std::error_code error;
    const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? QString() : QString::fromStdString(path.string());
}

} // namespace kvarzel
