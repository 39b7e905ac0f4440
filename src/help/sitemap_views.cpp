// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/sitemap_views.h"

#include <QListWidget>
#include <QTreeWidget>

namespace kvarzel {

namespace {

constexpr int pageRole = Qt::UserRole;

void addTreeItems(QTreeWidgetItem& parent, const std::vector<SitemapEntry>& entries) {
    for (const SitemapEntry& entry : entries) {
        auto* item = new QTreeWidgetItem(&parent, QStringList{entry.name});
        item->setData(0, pageRole, entry.local);
        addTreeItems(*item, entry.children);
    }
}

void addIndexItems(QListWidget& list, const std::vector<SitemapEntry>& entries, int depth) {
    for (const SitemapEntry& entry : entries) {
        auto* item = new QListWidgetItem(QString(depth * 4, u' ') + entry.name, &list);
        item->setData(pageRole, entry.local);
        addIndexItems(list, entry.children, depth + 1);
    }
}

// Contents may name a page with or without the leading "/" and with an anchor.
QString plainPage(const QString& page) {
    QString plain = page.section(u'#', 0, 0);
    return plain.startsWith(u'/') ? plain.mid(1) : plain;
}

QTreeWidgetItem* findPage(QTreeWidgetItem& parent, const QString& page) {
    for (int i = 0; i < parent.childCount(); ++i) {
        QTreeWidgetItem& child = *parent.child(i);
        if (plainPage(PageOfItem(child)).compare(page, Qt::CaseInsensitive) == 0) {
            return &child;
        }
        if (QTreeWidgetItem* found = findPage(child, page)) {
            return found;
        }
    }
    return nullptr;
}

} // namespace

void FillContentsTree(QTreeWidget& tree, const std::vector<SitemapEntry>& entries) {
    tree.clear();
    addTreeItems(*tree.invisibleRootItem(), entries);
    tree.expandAll();
}

void FillIndexList(QListWidget& list, const std::vector<SitemapEntry>& entries) {
    list.clear();
    addIndexItems(list, entries, 0);
}

QString PageOfItem(const QTreeWidgetItem& item) {
    return item.data(0, pageRole).toString();
}

QString PageOfItem(const QListWidgetItem& item) {
    return item.data(pageRole).toString();
}

void SelectPageInTree(QTreeWidget& tree, const QString& page) {
    if (QTreeWidgetItem* item = findPage(*tree.invisibleRootItem(), plainPage(page))) {
        tree.setCurrentItem(item);
    }
}

} // namespace kvarzel
