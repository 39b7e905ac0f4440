// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/sitemap_views.h"

#include <QListWidget>
#include <QTreeWidget>

namespace kvarzel {

namespace {

constexpr int PageRole = Qt::UserRole;

void AddTreeItems(QTreeWidgetItem& parent, const std::vector<SitemapEntry>& entries) {
    for (const SitemapEntry& entry : entries) {
        auto* item = new QTreeWidgetItem(&parent, QStringList{entry.Name});
        item->setData(0, PageRole, entry.Local);
        AddTreeItems(*item, entry.Children);
    }
}

void AddIndexItems(QListWidget& list, const std::vector<SitemapEntry>& entries, int depth) {
    for (const SitemapEntry& entry : entries) {
        auto* item = new QListWidgetItem(QString(depth * 4, u' ') + entry.Name, &list);
        item->setData(PageRole, entry.Local);
        AddIndexItems(list, entry.Children, depth + 1);
    }
}

// Contents may name a page with or without the leading "/" and with an anchor.
QString PlainPage(const QString& page) {
    QString plain = page.section(u'#', 0, 0);
    return plain.startsWith(u'/') ? plain.mid(1) : plain;
}

QTreeWidgetItem* FindPage(QTreeWidgetItem& parent, const QString& page) {
    for (int i = 0; i < parent.childCount(); ++i) {
        QTreeWidgetItem& child = *parent.child(i);
        if (PlainPage(PageOfItem(child)).compare(page, Qt::CaseInsensitive) == 0) {
            return &child;
        }
        if (QTreeWidgetItem* found = FindPage(child, page)) {
            return found;
        }
    }
    return nullptr;
}

} // namespace

void FillContentsTree(QTreeWidget& tree, const std::vector<SitemapEntry>& entries) {
    tree.clear();
    AddTreeItems(*tree.invisibleRootItem(), entries);
    tree.expandAll();
}

void FillIndexList(QListWidget& list, const std::vector<SitemapEntry>& entries) {
    list.clear();
    AddIndexItems(list, entries, 0);
}

QString PageOfItem(const QTreeWidgetItem& item) {
    return item.data(0, PageRole).toString();
}

QString PageOfItem(const QListWidgetItem& item) {
    return item.data(PageRole).toString();
}

void SelectPageInTree(QTreeWidget& tree, const QString& page) {
    if (QTreeWidgetItem* item = FindPage(*tree.invisibleRootItem(), PlainPage(page))) {
        tree.setCurrentItem(item);
    }
}

} // namespace kvarzel
