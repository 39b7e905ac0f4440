// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTreeWidget>

namespace kvarzel {

// The help's table of contents, whose current entry follows the page shown.
// Qt's tree tells accessibility tools that a new current entry has the focus
// even while the focus is elsewhere, so a screen reader reading the page would
// think itself in the tree after every link: this tree tells them only while
// it has the focus.
class TopicTree : public QTreeWidget {
    Q_OBJECT
public:
    using QTreeWidget::QTreeWidget;

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
};

} // namespace kvarzel
