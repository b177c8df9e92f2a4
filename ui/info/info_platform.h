// info_platform.h: what the about window needs from the desktop, behind one interface for tests.
#pragma once

#include <QString>
#include <memory>
#include <registry/registry.h>
#include <string>

class QUrl;
class QWidget;

namespace tintwise::ui {

class InfoPlatform
{
public:
    virtual ~InfoPlatform() = default;

    virtual registry::Registry& registry() = 0;

    // Starts the program at path on its own: the path is the whole command, there are no
    // arguments, no shell and no waiting. False when it could not be started.
    virtual bool startProgram(const std::string& path) = 0;

    // Whether path names an existing normal file: not a folder, not hidden, not a system file.
    virtual bool isNormalFile(const std::string& path) = 0;

    // Hands a mail or web address to the desktop's default program; failures go unreported.
    virtual void openUrl(const QUrl& url) = 0;

    // A modal message box with an OK button only and no icon.
    virtual void showMessage(QWidget* parent, const QString& title, const QString& text) = 0;
};

// The real desktop: the system registry (or its stand-in), QProcess, QDesktopServices and the
// game's message box.
class DesktopInfoPlatform : public InfoPlatform
{
public:
    DesktopInfoPlatform();

    registry::Registry& registry() override { return *m_registry; }
    bool startProgram(const std::string& path) override;
    bool isNormalFile(const std::string& path) override;
    void openUrl(const QUrl& url) override;
    void showMessage(QWidget* parent, const QString& title, const QString& text) override;

private:
    std::unique_ptr<registry::Registry> m_registry;
};

} // namespace tintwise::ui
