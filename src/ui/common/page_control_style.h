// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProxyStyle>

class QTabWidget;

namespace kvarzel {

// The look of a page control in the application's style, with the pane
// frame and tab height of the classic page control the windows are laid out
// for: the pages sit 4 pixels inside the pane on every side (a 2-pixel
// frame and a 2-pixel margin), and a tab is as tall as its text plus 8.
class PageControlStyle : public QProxyStyle {
public:
    static constexpr int PaneFrameWidth = 4;

    QRect subElementRect(SubElement element, const QStyleOption* option,
                         const QWidget* widget) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
};

// Gives the page control and its tab bar a style of their own, which the
// control owns.
void ApplyPageControlStyle(QTabWidget& pageControl);

} // namespace kvarzel
