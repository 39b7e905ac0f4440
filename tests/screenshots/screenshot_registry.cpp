// SPDX-License-Identifier: GPL-3.0-or-later
#include "screenshot_registry.h"

#include <QApplication>
#include <QPixmap>
#include <QWidget>

namespace kvarzel::screenshots {

std::vector<Shot>& Registry() {
    static std::vector<Shot> shots;
    return shots;
}

Register::Register(QString name, std::function<bool(const QString& folder)> render) {
    Registry().push_back({std::move(name), std::move(render)});
}

bool SaveWidget(QWidget& widget, const QString& folder, const QString& name) {
    QApplication::processEvents();
    return widget.grab().save(folder + "/" + name + ".png");
}

} // namespace kvarzel::screenshots
