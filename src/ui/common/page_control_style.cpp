// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/page_control_style.h"

#include <QStyleOption>
#include <QTabBar>
#include <QTabWidget>

namespace kvarzel {
namespace {

// Room around a tab's text: 3 pixels above and below it and the tab's
// 2-pixel edge.
constexpr int TabTextPadding = 8;

} // namespace

QRect PageControlStyle::subElementRect(SubElement element, const QStyleOption* option,
                                       const QWidget* widget) const {
    if (element == SE_TabWidgetTabContents) {
        constexpr int frame = PaneFrameWidth;
        return subElementRect(SE_TabWidgetTabPane, option, widget)
            .adjusted(frame, frame, -frame, -frame);
    }
    return QProxyStyle::subElementRect(element, option, widget);
}

QSize PageControlStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                         const QSize& size, const QWidget* widget) const {
    QSize result = QProxyStyle::sizeFromContents(type, option, size, widget);
    if (type == CT_TabBarTab && option != nullptr) {
        const int height = option->fontMetrics.height() + TabTextPadding;
        const auto* tab = qstyleoption_cast<const QStyleOptionTab*>(option);
        const bool vertical =
            tab != nullptr &&
            (tab->shape == QTabBar::RoundedWest || tab->shape == QTabBar::RoundedEast ||
             tab->shape == QTabBar::TriangularWest || tab->shape == QTabBar::TriangularEast);
        (vertical ? result.rwidth() : result.rheight()) = height;
    }
    return result;
}

void ApplyPageControlStyle(QTabWidget& pageControl) {
    auto* style = new PageControlStyle;
    style->setParent(&pageControl);
    pageControl.setStyle(style);
    pageControl.tabBar()->setStyle(style);
}

} // namespace kvarzel
