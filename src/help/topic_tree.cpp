// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/topic_tree.h"

namespace kvarzel {

void TopicTree::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    if (hasFocus())
        QTreeWidget::currentChanged(current, previous);
    else
        // The item view's own part: the current entry, without the tree's focus event.
        QAbstractItemView::currentChanged(current, previous);
}

} // namespace kvarzel
