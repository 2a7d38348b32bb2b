/* Waits until an X window shows something painted: start-up's end for bench/startup.sh.
 * A window that is mapped but not yet painted is one colour (the server leaves its contents
 * undefined, which Xvfb shows as a plain fill); a painted main window has toolbars, a palette
 * and a picture. A row and a column of the window are read every millisecond until more than a
 * twentieth of their pixels differ from its top-left one.
 * Usage: wait_painted WINDOW_ID [TIMEOUT_MS]; exits 0 once painted, 1 on timeout or error. */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

/* Pixels of one line of the window (a row or a column) that differ from the window's first
 * pixel; -1 when it cannot be read. A line is cheap for the server to give. */
static long differing(Display* display, Window window, int x, int y, unsigned width, unsigned height,
                      unsigned long first) {
  XImage* image = XGetImage(display, window, x, y, width, height, AllPlanes, ZPixmap);
  if (!image) return -1;
  long count = 0;
  for (unsigned i = 0; i < width * height; ++i)
    count += XGetPixel(image, (int)(i % width), (int)(i / width)) != first;
  XDestroyImage(image);
  return count;
}

static int painted(Display* display, Window window) {
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable) return 0;
  XImage* corner = XGetImage(display, window, 0, 0, 1, 1, AllPlanes, ZPixmap);
  if (!corner) return 0;
  const unsigned long first = XGetPixel(corner, 0, 0);
  XDestroyImage(corner);
  const unsigned w = (unsigned)attributes.width, h = (unsigned)attributes.height;
  const long across = differing(display, window, 0, (int)h / 2, w, 1, first);
  const long down = differing(display, window, (int)w / 3, 0, 1, h, first);
  return across > 0 && down > 0 && (across + down) * 20 > (long)(w + h);
}

/* A window that goes away while it is read is reported by the polling, not by an exit. */
static int ignoreError(Display* display, XErrorEvent* error) {
  (void)display;
  (void)error;
  return 0;
}

int main(int argc, char** argv) {
  if (argc < 2) return 1;
  Display* display = XOpenDisplay(NULL);
  if (!display) return 1;
  XSetErrorHandler(ignoreError);
  const Window window = (Window)strtoul(argv[1], NULL, 0);
  const long timeoutMs = argc > 2 ? atol(argv[2]) : 10000;
  const struct timespec tick = {0, 1000000};
  for (long waited = 0; waited < timeoutMs; ++waited) {
    if (painted(display, window)) return 0;
    nanosleep(&tick, NULL);
  }
  fprintf(stderr, "wait_painted: window %s not painted within %ld ms\n", argv[1], timeoutMs);
  return 1;
}
