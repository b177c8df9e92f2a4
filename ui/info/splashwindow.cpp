// splashwindow.cpp: the splash window's controls, its timer and the hand-over to the main window.
#include "splashwindow.h"

#include "info_look.h"

#include <QCloseEvent>
#include <QLabel>
#include <QTimer>
#include <ui/main/desktop.h>

namespace tintwise::ui {

namespace {

constexpr int kSplashMilliseconds = 5000;

// A tool window stays out of the task bar and, unlike a splash-screen window, keeps a frame
// with a close button: closing the splash is how the player ends the program before it starts.
constexpr Qt::WindowFlags kSplashFlags = Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                         Qt::WindowCloseButtonHint |
                                         Qt::MSWindowsFixedSizeDialogHint;

} // namespace

SplashWindow::SplashWindow(std::function<void()> showMainWindow, QWidget* parent)
    : QWidget(parent, kSplashFlags), m_showMainWindow(std::move(showMainWindow))
{
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose);
    // Qt lets no tool window end the program by closing; this one must, being the only window.
    setAttribute(Qt::WA_QuitOnClose, true);
    // An empty title makes Qt fall back to the application's name; a blank shows nothing.
    setWindowTitle(QStringLiteral(" "));
    setFont(windowFont());
    setFixedSize(twips(4545), twips(4815));
    createControls();
    centreOnScreen(this);
    Form_Load();
}

QString SplashWindow::lblMsgCaption()
{
    return QStringLiteral(
        "Romans 10:17; Luke 13:3&&5; Matthew 10:32-33; Acts 8:35-39; Romans 6:3-5");
}

void SplashWindow::createControls()
{
    picQuillon =
        makePictureBox(this, QStringLiteral("picQuillon"), QStringLiteral(":/logos/maker.png"),
                       twips(120), twips(120), twips(4350), twips(1380));

    lblProud = new QLabel(tr("Proudly Presents"), this);
    lblProud->setObjectName(QStringLiteral("lblProud"));
    QFont proud(QStringLiteral("Times New Roman"));
    proud.setStyleHint(QFont::Serif);
    proud.setPointSizeF(21.75);
    proud.setBold(true);
    lblProud->setFont(proud);
    lblProud->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblProud->setGeometry(twips(240), twips(1680), twips(4230), twips(615));

    picTintwise =
        makePictureBox(this, QStringLiteral("picTintwise"), QStringLiteral(":/logos/product.png"),
                       twips(200), twips(2520), twips(4200), twips(1290));

    lblCopyright = new QLabel(tr("Copyright \u00A9 2026 Tintwise Developers"), this);
    lblCopyright->setObjectName(QStringLiteral("lblCopyright"));
    lblCopyright->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblCopyright->setGeometry(twips(120), twips(3960), twips(4335), twips(255));

    lblMsg = new QLabel(captionText(lblMsgCaption()), this);
    lblMsg->setObjectName(QStringLiteral("lblMsg"));
    lblMsg->setTextFormat(Qt::PlainText);
    lblMsg->setWordWrap(true);
    lblMsg->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblMsg->setGeometry(twips(480), twips(4320), twips(3615), twips(375));

    for (QLabel* label : {lblProud, lblCopyright}) {
        label->setTextFormat(Qt::PlainText);
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
    tmrSplash->setInterval(kSplashMilliseconds);
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
