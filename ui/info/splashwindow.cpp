// splashwindow.cpp: the splash window's controls, its timer and the hand-over to the main window.
#include "splashwindow.h"

#include "info_look.h"

#include <QCloseEvent>
#include <QLabel>
#include <QTimer>
#include <ui/layout/info_windows.h>
#include <ui/main/desktop.h>

namespace tintwise::ui {

namespace {

// A tool window stays out of the task bar and, unlike a splash-screen window, keeps a frame
// with a close button: closing the splash is how the player ends the program before it starts.
constexpr Qt::WindowFlags kSplashFlags = Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                         Qt::WindowCloseButtonHint |
                                         Qt::MSWindowsFixedSizeDialogHint;

} // namespace

SplashWindow::SplashWindow(std::function<void()> showMainWindow, QWidget* parent)
    : QWidget(parent, kSplashFlags), m_showMainWindow(std::move(showMainWindow))
{
    setObjectName(fromUtf8(layout::frmSplash().name));
    setAttribute(Qt::WA_DeleteOnClose);
    // Qt lets no tool window end the program by closing; this one must, being the only window.
    setAttribute(Qt::WA_QuitOnClose, true);
    // An empty title makes Qt fall back to the application's name; a blank shows nothing.
    setWindowTitle(QStringLiteral(" "));
    setFont(tableFont(*layout::frmSplash().font));
    setFixedSize(clientSize(layout::frmSplash()));
    createControls();
    centreOnScreen(this);
    Form_Load();
}

void SplashWindow::createControls()
{
    for (const layout::Control& c : layout::frmSplash().controls) {
        createInfoControl(c, this);
    }

    tmrSplash = new QTimer(this);
    tmrSplash->setObjectName(QStringLiteral("tmrSplash"));
    tmrSplash->setSingleShot(true);
    // A coarse timer may fire up to 5% early; the splash must stay its full five seconds.
    tmrSplash->setTimerType(Qt::PreciseTimer);
    connect(tmrSplash, &QTimer::timeout, this, &SplashWindow::tmrSplash_Timer);
}

void SplashWindow::Form_Load()
{
    tmrSplash->setInterval(layout::kSplashMilliseconds);
    tmrSplash->start();
}

void SplashWindow::tmrSplash_Timer()
{
    tmrSplash->stop();
    // The main window is shown before the splash closes, so the program never has no window.
    if (m_showMainWindow) {
        auto showMainWindow = std::move(m_showMainWindow);
        m_showMainWindow = nullptr;
        showMainWindow();
    }
    close();
}

void SplashWindow::showEvent(QShowEvent* event)
{
    // Qt::Tool keeps it out of the task bar only where the window manager says so itself.
    keepOutOfTaskBar(this);
    QWidget::showEvent(event);
}

void SplashWindow::closeEvent(QCloseEvent* event)
{
    // The window is deleted only later; a timer still running could hand over meanwhile.
    tmrSplash->stop();
    m_showMainWindow = nullptr;
    QWidget::closeEvent(event);
}

} // namespace tintwise::ui
