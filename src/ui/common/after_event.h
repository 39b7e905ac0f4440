// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

class QEvent;
class QObject;
class QWidget;

namespace kvarzel {

// Runs `action` once, from the event loop, after the first event of `window`
// that `when` picks, once that event is done. Nothing runs if the window goes
// first. The watch returned is a child of the window until the action has run.
QObject* RunAfterEvent(QWidget& window, std::function<bool(const QEvent&)> when,
                       std::function<void()> action);

// Runs `action` as soon as `window` has been painted for the first time:
// work the first sight of the window does not need waits until the window
// is on the screen.
void RunAfterFirstPaint(QWidget& window, std::function<void()> action);

} // namespace kvarzel
