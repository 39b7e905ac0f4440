#pragma once

#include <functional>

class QWidget;

namespace kvarzel {

// Runs `action` once, from the event loop, as soon as `window` has been
// painted for the first time: work the first sight of the window does not
// need waits until the window is on the screen. Nothing runs if the window
// goes first.
void RunAfterFirstPaint(QWidget& window, std::function<void()> action);

} // namespace kvarzel
