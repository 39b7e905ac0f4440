// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>
#include <vector>

class QWidget;

namespace kvarzel::screenshots {

// A shot renders one window or state into <folder>/<name>.png and returns
// false when it could not.
struct Shot {
    QString name;
    std::function<bool(const QString& folder)> render;
};

std::vector<Shot>& Registry();

struct Register {
    Register(QString name, std::function<bool(const QString& folder)> render);
};

// Grabs a widget (shown offscreen) into <folder>/<name>.png.
bool SaveWidget(QWidget& widget, const QString& folder, const QString& name);

} // namespace kvarzel::screenshots
