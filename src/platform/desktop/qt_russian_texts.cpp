// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop/qt_russian_texts.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace kvarzel {
namespace {

// Qt's Russian catalogue leaves "OK" in Latin letters; Russian Windows, and
// so our users, read it in Cyrillic.
class CyrillicOkTranslator : public QTranslator {
public:
    using QTranslator::QTranslator;

    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override {
        (void)context;
        (void)disambiguation;
        (void)n;
        if (sourceText != nullptr && qstrcmp(sourceText, "OK") == 0)
            return QStringLiteral("ОК");
        return {};
    }

    bool isEmpty() const override { return false; }
};

} // namespace

void InstallRussianQtTexts(QApplication& app) {
    auto* catalogue = new QTranslator(&app);
    if (catalogue->load(QStringLiteral("qtbase_ru"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(catalogue);
    else
        delete catalogue;
    // Installed last, so asked first.
    QApplication::installTranslator(new CyrillicOkTranslator(&app));
}

} // namespace kvarzel
