// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/desktop/version_resource.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <map>

namespace kvarzel::testing {

// A version resource on disk for one test: entries written as files under
// StringFileInfo/<block>/, byte for byte.
class VersionBlockFolder {
public:
    void Write(const QString& block, const std::map<QString, QByteArray>& entries) {
        const QString folder = folder_.path() + "/StringFileInfo/" + block;
        QDir().mkpath(folder);
        for (const auto& [key, text] : entries) {
            QFile file(folder + "/" + key);
            if (file.open(QIODevice::WriteOnly))
                file.write(text);
        }
    }
    VersionResource Resource() const { return VersionResource(folder_.path()); }

private:
    QTemporaryDir folder_;
};

} // namespace kvarzel::testing
