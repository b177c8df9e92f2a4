// bare_window.h: the yardstick of the benchmarks, a bare Qt window with one push button.
#pragma once

#include <QWidget>

class QPushButton;

namespace tintwise::bench {

// The least a Qt Widgets program shows that still draws text and answers a click: a window
// of the splash window's size holding one push button, which repaints with a new caption on
// every click. Start-up, memory and a click of the game are measured against it.
class BareWindow : public QWidget
{
public:
    BareWindow();

    QPushButton* button() const { return m_button; }

private:
    QPushButton* m_button = nullptr;
    int m_clicks = 0;
};

} // namespace tintwise::bench
