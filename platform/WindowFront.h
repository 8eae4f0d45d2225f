#pragma once

class QWidget;

namespace platform {

// Restores the window if it is minimised and brings it to the top; the modal pop-up it
// currently shows, if any, is the one that takes the focus. Returns false without a window.
bool BringToFront(QWidget* window);

} // namespace platform
