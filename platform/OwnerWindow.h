#pragma once

class QWindow;

namespace platform {

// Wraps the window of the program that started the controller; nullptr for handle 0 or where
// the windowing system cannot reach other programs' windows. The caller owns the wrapper.
QWindow* ForeignWindow(long long handle);

} // namespace platform
