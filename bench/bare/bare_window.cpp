// bare_window.cpp: the bare window's button and the caption it changes on each click.
#include "bare_window.h"

#include <QPushButton>

namespace tintwise::bench {

BareWindow::BareWindow()
{
    setFixedSize(303, 321); // the splash window's client area
    m_button = new QPushButton(QStringLiteral("Click 0"), this);
    m_button->setGeometry(200, 8, 81, 33); // the size of the game's command buttons
    connect(m_button, &QPushButton::clicked, this,
            [this] { m_button->setText(QStringLiteral("Click %1").arg(++m_clicks)); });
}

} // namespace tintwise::bench
