// aboutwindow.cpp: the about window's controls, its buttons and link, and its single-instance host.
#include "aboutwindow.h"

#include "info_look.h"
#include "sysinfo.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QUrl>
#include <QWindow>
#include <registry/key_value.h>
#include <ui/main/desktop.h>

namespace tintwise::ui {

namespace {

// Out of the task bar, a fixed frame with a close button and neither minimize nor maximize.
constexpr Qt::WindowFlags kAboutFlags = Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                        Qt::WindowCloseButtonHint |
                                        Qt::MSWindowsFixedSizeDialogHint;

QLabel* makeLabel(QWidget* parent, const QString& objectName, const QString& text, int left,
                  int top, int width, int height)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(objectName);
    // Plain text keeps the description's double blanks, which rich text would collapse.
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(left, top, width, height);
    return label;
}

QPushButton* makeButton(QWidget* parent, const QString& objectName, const QString& text, int left,
                        int top, int width, int height)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(objectName);
    // Enter belongs to "OK" whichever button has the focus; Space still presses the focused one.
    button->setAutoDefault(false);
    button->setGeometry(left, top, width, height);
    return button;
}

void setTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

} // namespace

AboutWindow::AboutWindow(std::unique_ptr<InfoPlatform> platform, QWidget* parent)
    : QDialog(parent, kAboutFlags), m_platform(std::move(platform))
{
    if (!m_platform) {
        m_platform = std::make_unique<DesktopInfoPlatform>();
    }
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The main window alone decides when the program ends.
    setAttribute(Qt::WA_QuitOnClose, false);
    setModal(false);
    setFont(windowFont());
    setFixedSize(twips(6390), twips(6840));
    createControls();
    centreOnScreen(this);
    Form_Load();
}

AboutWindow::~AboutWindow() = default;

QString AboutWindow::descriptionText()
{
    return tr("Tintwise is a game that requires concentration and deductive reasoning.  The "
              "object of the game is to guess, in the correct order, the colors that the "
              "computer has selected.  To begin, you push the Start button (or ctrl+S or File "
              "Menu, Start). The computer will then randomly select four colors.  There are 7 "
              "colors for the beginner game, 11 colors for the intermediate game, and 15 colors "
              "for the advanced game.  Please note that the computer will not choose the same "
              "color more than once per game.  You then, click the colors you desire and then "
              "click the boxes where you think those colors belong.  Then, you push the Correct? "
              "Button.  The computer will then give you hints on the numbers that you have "
              "right.  In the Correct column will be the number of colors that you have right "
              "and in the right place.  In the Out Of Place column will be the number of colors "
              "that you have right but in the wrong place.  If you have all four colors right in "
              "the right place, you win.  If not, try another guess.  Continue these steps until "
              "either you win (all four colors correct) or you lose by not getting all four "
              "colors correct in ten guesses.  That\u2019s it.  Have Fun!");
}

QString AboutWindow::webAddress() { return QStringLiteral("https://www.example.com/tintwise/"); }

QString AboutWindow::supportAddress() { return QStringLiteral("mailto:support@example.com"); }

void AboutWindow::createControls()
{
    picTintwise =
        makePictureBox(this, QStringLiteral("picTintwise"), QStringLiteral(":/logos/product.png"),
                       twips(1080), twips(120), twips(4200), twips(1290));

    LblVersion = makeLabel(this, QStringLiteral("LblVersion"), tr("Version 3.1"), twips(1125),
                           twips(1560), twips(3975), twips(255));

    lblDescription = makeLabel(this, QStringLiteral("lblDescription"), descriptionText(),
                               twips(120), twips(2040), twips(6165), twips(2805));
    lblDescription->setWordWrap(true);
    setTextColour(lblDescription, Qt::black);

    lblLink = new LinkLabel(webAddress(), this);
    lblLink->setObjectName(QStringLiteral("lblLink"));
    lblLink->setGeometry(twips(120), twips(4980), twips(6135), twips(225));
    lblLink->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QFont linkFont = windowFont();
    linkFont.setUnderline(true);
    lblLink->setFont(linkFont);
    setTextColour(lblLink, QColor(0, 0, 255));

    cmdOK = makeButton(this, QStringLiteral("cmdOK"), tr("OK"), twips(4965), twips(5505),
                       twips(1260), twips(345));
    cmdOK->setDefault(true);

    Label1 = makeLabel(this, QStringLiteral("Label1"),
                       tr("Warning: this program is protected by copyright law. Reproducing or "
                          "distributing it, or any part of it, without the permission of "
                          "Tintwise Developers is not allowed."),
                       twips(120), twips(5520), twips(4335), twips(1185));
    Label1->setWordWrap(true);
    setTextColour(Label1, Qt::black);

    cmdSysInfo = makeButton(this, QStringLiteral("cmdSysInfo"), tr("&System Info..."), twips(4980),
                            twips(5955), twips(1245), twips(345));
    cmdSupport = makeButton(this, QStringLiteral("cmdSupport"), tr("S&upport"), twips(4980),
                            twips(6405), twips(1245), twips(345));

    // The buttons and the link take the focus; "OK" first, so it has it when the window opens.
    setTabOrder(cmdOK, cmdSysInfo);
    setTabOrder(cmdSysInfo, lblLink);
    setTabOrder(lblLink, cmdSupport);
    cmdOK->setFocus();

    connect(cmdOK, &QPushButton::clicked, this, &AboutWindow::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &AboutWindow::cmdSysInfo_Click);
    connect(cmdSupport, &QPushButton::clicked, this, &AboutWindow::cmdSupport_Click);
    connect(lblLink, &LinkLabel::activated, this, &AboutWindow::lblLink_Click);
}

void AboutWindow::Form_Load() { setWindowTitle(tr("About ") + appTitle()); }

void AboutWindow::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    // Line1: a grey line over a two-pixel white one, an etched separator across the window.
    QPainter painter(this);
    painter.fillRect(QRect(0, twips(5325), twips(6390), 1), QColor(128, 128, 128));
    painter.fillRect(QRect(0, twips(5340), twips(6375), 2), QColor(255, 255, 255));
}

void AboutWindow::showEvent(QShowEvent* event)
{
    // Qt::Tool keeps it out of the task bar only where the window manager says so itself.
    keepOutOfTaskBar(this);
    QDialog::showEvent(event);
}

void AboutWindow::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    // Minimised, it hands the keyboard to the window it stays above: some window managers give
    // it to no window at all, and the keys that would bring it back would go nowhere.
    if (event->type() == QEvent::WindowStateChange && isMinimized() && !onWayland() &&
        windowHandle() != nullptr && windowHandle()->transientParent() != nullptr) {
        windowHandle()->transientParent()->requestActivate();
    }
}

void AboutWindow::cmdOK_Click() { close(); }

void AboutWindow::cmdSysInfo_Click() { StartSysInfo(); }

void AboutWindow::cmdSupport_Click() { m_platform->openUrl(QUrl(supportAddress())); }

void AboutWindow::lblLink_Click() { m_platform->openUrl(QUrl(webAddress())); }

void AboutWindow::StartSysInfo() { tintwise::ui::StartSysInfo(*m_platform, this); }

bool AboutWindow::GetKeyValue(registry::RegistryRoot KeyRoot, const std::string& KeyName,
                              const std::string& SubKeyRef, std::string& KeyVal)
{
    return registry::GetKeyValue(m_platform->registry(), KeyRoot, KeyName, SubKeyRef, KeyVal);
}

AboutWindowHost::AboutWindowHost(PlatformFactory makePlatform, QObject* parent)
    : QObject(parent), m_makePlatform(std::move(makePlatform))
{
}

AboutWindowHost::~AboutWindowHost() { delete m_window.data(); }

void AboutWindowHost::showAboutWindow(QWidget* owner)
{
    if (m_window == nullptr) {
        m_window = new AboutWindow(m_makePlatform ? m_makePlatform() : nullptr);
        // Transient rather than a child widget: it stays above the main window and out of the
        // task bar, yet keeps no owner that would delete it or share its font.
        if (owner != nullptr && owner->window()->windowHandle() != nullptr) {
            m_window->winId();
            m_window->windowHandle()->setTransientParent(owner->window()->windowHandle());
        }
    }
    bringBack(m_window);
}

} // namespace tintwise::ui
