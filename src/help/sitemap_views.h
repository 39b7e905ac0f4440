// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "help/sitemap.h"

class QListWidget;
class QListWidgetItem;
class QTreeWidget;
class QTreeWidgetItem;

namespace kvarzel {

// The table of contents and the index as the viewer lists them; every item
// keeps the page it opens.
void FillContentsTree(QTreeWidget& tree, const std::vector<SitemapEntry>& entries);
void FillIndexList(QListWidget& list, const std::vector<SitemapEntry>& entries);

QString PageOfItem(const QTreeWidgetItem& item);
QString PageOfItem(const QListWidgetItem& item);

// Highlights the first contents item that opens the page (anchors aside);
// leaves the highlight alone when the contents have no such item.
void SelectPageInTree(QTreeWidget& tree, const QString& page);

} // namespace kvarzel
