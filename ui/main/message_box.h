// message_box.h: the game's message box: a title, a text and an OK button, modal, no icon.
#pragma once

#include <QString>

class QWidget;

namespace tintwise::ui {

// Shows the box centred on owner's window, blocking the program's other windows, and returns
// once the player has closed it (OK, Enter, Esc or the frame's close button); the keyboard then
// goes back to owner's window. The text is shown as it is, markup and all.
void showMessageBox(QWidget* owner, const QString& title, const QString& text);

} // namespace tintwise::ui
