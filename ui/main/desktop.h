// desktop.h: what the windows ask of the desktop beyond Qt: placement by the frame, the task bar,
// bringing a window back, and ending the program at once.
#pragma once

#include <QRect>

class QWidget;

namespace tintwise::ui {

// Whether the windows are Wayland surfaces, which the compositor places and cannot be asked to
// restore once minimised.
bool onWayland();

// Places a top-level window that is about to be shown so that its frame, title bar included, is
// centred on area (logical pixels). On X11 the window manager is asked for the frame's size
// before the window is mapped; where it does not answer, the frame counts as none. On Wayland
// the compositor places windows, and this does nothing.
void centreFrameOn(QWidget* window, const QRect& area);

// The screen's free area that window is on (or the primary screen's), in logical pixels.
QRect workArea(const QWidget* window);

// Centres a top-level window that is about to be shown, frame and all, in its screen's free
// area.
void centreOnScreen(QWidget* window);

// Keeps a window that is about to be shown out of the task bar. Call it before each showing:
// the window manager forgets the state when a window is hidden.
void keepOutOfTaskBar(QWidget* window);

// Shows window if hidden, restores it if minimised, raises it and gives it the keyboard. A
// Wayland client cannot restore a window the compositor has minimised, nor learn that it has:
// there the window is mapped anew, which brings it to the front with the keyboard.
void bringBack(QWidget* window);

// Ends the process now with status: standard output and error are flushed and, in a build with
// LeakSanitizer, the leak check runs first; nothing else does. Qt's teardown is skipped because
// on Wayland it can wait for ever on its event thread; the display server removes the windows.
[[noreturn]] void endProgramNow(int status);

} // namespace tintwise::ui
