#pragma once
// Windows of a fixed size. Under Wayland the title bar is drawn by Qt itself, and it offers
// maximize on every window: a compositor that grants it demands a window of the screen's
// size, which a fixed window cannot take, and ends the program's connection (and so the
// program) when the window keeps its size. Such windows therefore draw their own caption
// there: the whole title, a close button, and a drag that moves the window; nothing that
// could maximize it. Elsewhere the window system's frame is kept.

class QSize;
class QWidget;

// Fixes the size of window's client area, whose children are placed by hand.
void SetFixedWindowSize(QWidget& window, QSize size);
// For a window that lays out its children and fixes its own size (a message box), before it
// is shown.
void GiveFixedWindowCaption(QWidget& window);

// The height of the caption the program draws, 0 where the window system draws the frame.
int FixedWindowCaptionHeight();
