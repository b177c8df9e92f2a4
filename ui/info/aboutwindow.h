// aboutwindow.h: frmAbout, the rules of the game, the maker's links and the system-information
// launcher; and the host that keeps at most one of it open.
#pragma once

#include "info_platform.h"

#include <QDialog>
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <registry/registry.h>
#include <string>

class QPushButton;

namespace tintwise::ui {

class LinkLabel;

class AboutWindow : public QDialog
{
    Q_OBJECT

public:
    // A null platform means the real desktop.
    explicit AboutWindow(std::unique_ptr<InfoPlatform> platform = nullptr,
                         QWidget* parent = nullptr);
    ~AboutWindow() override;

    void StartSysInfo();
    bool GetKeyValue(registry::RegistryRoot KeyRoot, const std::string& KeyName,
                     const std::string& SubKeyRef, std::string& KeyVal);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private slots:
    void cmdOK_Click();
    void cmdSysInfo_Click();
    void cmdSupport_Click();
    void lblLink_Click();

private:
    void createControls();
    void Form_Load();

    std::unique_ptr<InfoPlatform> m_platform;
    LinkLabel* lblLink = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;
    QPushButton* cmdSupport = nullptr;
};

// Keeps at most one about window: asking again brings the open one to the front, restored if
// it was minimised, and one closed with "OK" is made anew next time. Deleting the host deletes
// an open about window, so it goes with the program.
class AboutWindowHost : public QObject
{
    Q_OBJECT

public:
    using PlatformFactory = std::function<std::unique_ptr<InfoPlatform>()>;

    // makePlatform gives each new about window its desktop; empty means the real one.
    explicit AboutWindowHost(PlatformFactory makePlatform = {}, QObject* parent = nullptr);
    ~AboutWindowHost() override;

    AboutWindow* window() const { return m_window; }

public slots:
    // owner: the window the about window stays above (its transient parent), if any.
    void showAboutWindow(QWidget* owner = nullptr);

private:
    PlatformFactory m_makePlatform;
    QPointer<AboutWindow> m_window;
};

} // namespace tintwise::ui
