// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/help_context.h"

#include <QObject>
#include <QVariant>

namespace kvarzel {
namespace {
constexpr const char* HelpContextProperty = "kvarzelHelpContext";
}

void SetHelpContext(QObject* object, int context) {
    object->setProperty(HelpContextProperty, context);
}

int HelpContext(const QObject* object) {
    return object ? object->property(HelpContextProperty).toInt() : 0;
}

} // namespace kvarzel
