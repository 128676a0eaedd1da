#pragma once
// Bringing a window to the front when another program has the focus (a file handed over by a
// second start, files dropped from a file manager).

class QWidget;

namespace kravelo {

// Restores the window's top-level window when it is minimised, raises it and activates it. On
// X11 the activation is also asked of the window manager as a pager or task bar asks it
// (_NET_ACTIVE_WINDOW, source 2), which focus-stealing prevention lets through, where an
// application's own request would only make the task-bar entry flash. True when the window is
// active already or the request went out.
bool ForceForeground(QWidget* window);

}  // namespace kravelo
