// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace kvarzel {

// A message for screen readers alone. Screen readers speak a notification as
// it appears, wherever the focus is, while Qt's bridge tells them of a changed
// name or description without the new text. So this control of no size, which
// draws nothing and takes no focus, is a notification to accessibility tools:
// each message names it and shows it anew.
class SpokenNotice : public QWidget {
public:
    explicit SpokenNotice(QWidget* parent);

    void Announce(const QString& message);
};

} // namespace kvarzel
