#include "platform/foreground.h"

#include <QGuiApplication>
#include <QWidget>

#include <X11/Xlib.h>

namespace kravelo {

namespace {

bool AskWindowManager(unsigned long window) {
    const QByteArray name = qgetenv("DISPLAY");
    Display* display = XOpenDisplay(name.isEmpty() ? nullptr : name.constData());
    if (!display) return false;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = 2;  // source: pager
    event.xclient.data.l[1] = CurrentTime;
    const Status sent = XSendEvent(display, DefaultRootWindow(display), False,
                                   SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(display);
    XCloseDisplay(display);
    return sent != 0;
}

}  // namespace

bool ForceForeground(QWidget* widget) {
    if (!widget) return false;
    QWidget* window = widget->window();
    if (window->isActiveWindow()) return true;
    if (window->isMinimized()) window->showNormal();
    window->raise();
    window->activateWindow();
    bool asked = true;
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        asked = AskWindowManager(static_cast<unsigned long>(window->winId()));
    return window->isActiveWindow() || asked;
}

}  // namespace kravelo
