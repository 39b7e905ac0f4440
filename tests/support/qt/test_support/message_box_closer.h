// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QTimer>

namespace kvarzel::testing {

// Closes every modal message box that comes up while it lives, remembering
// their texts; runs inside the boxes' own event loops.
class MessageBoxCloser {
public:
    MessageBoxCloser();
    QStringList Texts;
    QStringList Captions;

private:
    QTimer timer_;
};

} // namespace kvarzel::testing
