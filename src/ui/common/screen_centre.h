#pragma once

class QWidget;

namespace kvarzel {

// Places a window in the middle of the screen it is on.
void CentreOnScreen(QWidget& window);

} // namespace kvarzel
