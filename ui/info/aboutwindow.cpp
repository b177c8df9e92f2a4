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
#include <ui/layout/info_windows.h>
#include <ui/main/colours.h>
#include <ui/main/desktop.h>

namespace tintwise::ui {

namespace {

// Out of the task bar, a fixed frame with a close button and neither minimize nor maximize.
constexpr Qt::WindowFlags kAboutFlags = Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                        Qt::WindowCloseButtonHint |
                                        Qt::MSWindowsFixedSizeDialogHint;

} // namespace

AboutWindow::AboutWindow(std::unique_ptr<InfoPlatform> platform, QWidget* parent)
    : QDialog(parent, kAboutFlags), m_platform(std::move(platform))
{
    if (!m_platform) {
        m_platform = std::make_unique<DesktopInfoPlatform>();
    }
    setObjectName(fromUtf8(layout::frmAbout().name));
    setAttribute(Qt::WA_DeleteOnClose);
    // The main window alone decides when the program ends.
    setAttribute(Qt::WA_QuitOnClose, false);
    setModal(false);
    setFont(tableFont(*layout::frmAbout().font));
    setFixedSize(clientSize(layout::frmAbout()));
    createControls();
    centreOnScreen(this);
    Form_Load();
}

AboutWindow::~AboutWindow() = default;

void AboutWindow::createControls()
{
    const layout::WindowLayout& frm = layout::frmAbout();
    for (const layout::Control& c : frm.controls) {
        createInfoControl(c, this);
    }
    cmdOK = infoControl<QPushButton>(this, "cmdOK");
    cmdSysInfo = infoControl<QPushButton>(this, "cmdSysInfo");
    cmdSupport = infoControl<QPushButton>(this, "cmdSupport");
    lblLink = infoControl<LinkLabel>(this, "lblLink");
    cmdOK->setDefault(true);
    // Made in focus order, so "OK" comes first and has the focus when the window opens.
    cmdOK->setFocus();

    connect(cmdOK, &QPushButton::clicked, this, &AboutWindow::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &AboutWindow::cmdSysInfo_Click);
    connect(cmdSupport, &QPushButton::clicked, this, &AboutWindow::cmdSupport_Click);
    connect(lblLink, &LinkLabel::activated, this, &AboutWindow::lblLink_Click);
}

void AboutWindow::Form_Load() { setWindowTitle(fromUtf8(layout::frmAbout().caption)); }

void AboutWindow::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    // Line1: a grey line over a two-pixel white one, an etched separator across the window.
    QPainter painter(this);
    for (const layout::Control& c : layout::frmAbout().controls) {
        if (c.kind == layout::Kind::Line) {
            painter.fillRect(pixelRect(c.twips), toQColor(c.background.value_or(engine::kBlack)));
        }
    }
}

void AboutWindow::showEvent(QShowEvent* event)
{
    // Qt::Tool keeps it out of the task bar only where the window manager says so itself.
    keepOutOfTaskBar(this);
    QDialog::showEvent(event);
}

void AboutWindow::cmdOK_Click() { close(); }

void AboutWindow::cmdSysInfo_Click() { StartSysInfo(); }

void AboutWindow::cmdSupport_Click() { m_platform->openUrl(QUrl(fromUtf8(layout::kSupportAddress))); }

void AboutWindow::lblLink_Click() { m_platform->openUrl(QUrl(fromUtf8(layout::kWebAddress))); }

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
