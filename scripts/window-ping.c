// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Asks an X window whether its program still answers, the way a window manager does
// (_NET_WM_PING), and waits for the answer. A program whose event loop is stuck cannot answer.
//   window-ping WINDOW [MILLISECONDS]
// Prints the milliseconds the answer took. Exit 0: answered; 1: no answer in time; 2: the
// window is gone or takes no pings. Built by scripts/gui-soak.sh: cc window-ping.c -lX11
#define _POSIX_C_SOURCE 200809L
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

static int windowGone = 0;

static int onError(Display *display, XErrorEvent *error)
{
    (void)display;
    if (error->error_code == BadWindow) windowGone = 1;
    return 0;
}

static long nowMs(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000L + t.tv_nsec / 1000000L;
}

int main(int argc, char **argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: %s WINDOW [MILLISECONDS]\n", argv[0]);
        return 2;
    }
    const Window window = (Window)strtoul(argv[1], NULL, 0);
    const long limit = argc > 2 ? strtol(argv[2], NULL, 10) : 5000;
    Display *display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "window-ping: cannot open the display\n");
        return 2;
    }
    XSetErrorHandler(onError);
    const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    const Atom ping = XInternAtom(display, "_NET_WM_PING", False);
    Atom *list = NULL;
    int count = 0, takesPings = 0;
    if (XGetWMProtocols(display, window, &list, &count)) {
        for (int i = 0; i < count; ++i)
            if (list[i] == ping) takesPings = 1;
        XFree(list);
    }
    XSync(display, False);
    if (windowGone || !takesPings) {
        fprintf(stderr, "window-ping: window 0x%lx %s\n", (unsigned long)window,
                windowGone ? "is gone" : "takes no pings");
        return 2;
    }
    // The answer goes to the root window for the window manager; a client that listens to
    // the root's structure or substructure hears it too (toolkits differ in which they name).
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, StructureNotifyMask | SubstructureNotifyMask);
    // Our own stamp, so an answer to the window manager's ping is not taken for ours.
    const long stamp = (long)((getpid() * 7919L + nowMs()) & 0x7fffffffL);
    XEvent event;
    memset(&event, 0, sizeof event);
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = protocols;
    event.xclient.format = 32;
    event.xclient.data.l[0] = (long)ping;
    event.xclient.data.l[1] = stamp;
    event.xclient.data.l[2] = (long)window;
    const long start = nowMs();
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
    for (;;) {
        while (XPending(display)) {
            XEvent in;
            XNextEvent(display, &in);
            if (in.type == ClientMessage && in.xclient.message_type == protocols &&
                (Atom)in.xclient.data.l[0] == ping && in.xclient.data.l[1] == stamp &&
                (Window)in.xclient.data.l[2] == window) {
                printf("%ld\n", nowMs() - start);
                XCloseDisplay(display);
                return 0;
            }
        }
        const long left = limit - (nowMs() - start);
        if (left <= 0 || windowGone) break;
        struct pollfd fd = {ConnectionNumber(display), POLLIN, 0};
        poll(&fd, 1, (int)left);
    }
    XCloseDisplay(display);
    return windowGone ? 2 : 1;
}
