// info_platform.cpp: the desktop's registry, program start, file test, addresses and messages.
#include "info_platform.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>
#include <filesystem>
#include <ui/main/message_box.h>

namespace tintwise::ui {

namespace {

// Registry text is in the system's 8-bit code page.
QString fromSystemText(const std::string& text)
{
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

DesktopInfoPlatform::DesktopInfoPlatform() : m_registry(registry::makeSystemRegistry()) {}

bool DesktopInfoPlatform::startProgram(const std::string& path)
{
    // A NUL would cut the path short, and the program started would not be the one named.
    if (path.empty() || path.find('\0') != std::string::npos) {
        return false;
    }
    return QProcess::startDetached(fromSystemText(path), {});
}

bool DesktopInfoPlatform::isNormalFile(const std::string& path)
{
    // Hidden and system are Windows attributes; here every regular file is a normal one.
    std::error_code error;
    return std::filesystem::is_regular_file(std::filesystem::path(path), error);
}

void DesktopInfoPlatform::openUrl(const QUrl& url) { QDesktopServices::openUrl(url); }

void DesktopInfoPlatform::showMessage(QWidget* parent, const QString& title, const QString& text)
{
    showMessageBox(parent, title, text);
}

} // namespace tintwise::ui
