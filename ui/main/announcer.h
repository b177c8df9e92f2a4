// announcer.h: the main window's voice: short texts that a screen reader speaks at once.
#pragma once

#include <QElapsedTimer>
#include <QStringList>
#include <QWidget>

namespace tintwise::ui {

// An empty notification in the corner of the window: nothing on screen, to assistive technology
// a notification whose text is the last thing said. Screen readers speak a notification as it is
// shown, whatever has the keyboard focus; a change of a box's text they speak only on the focus.
class Announcer : public QWidget
{
public:
    explicit Announcer(QWidget* parent);

    // Speaks text once the window the player is in has settled. A screen reader stops speaking
    // when the active window changes, and reads a new window first: text said as a message box
    // opens is heard after the box, text said as it closes after the window behind it.
    void say(const QString& text);

private:
    void speakWhenSettled();

    QStringList m_pending;
    QElapsedTimer m_sinceWindowChange;
};

} // namespace tintwise::ui
