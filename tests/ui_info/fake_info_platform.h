// fake_info_platform.h: an in-memory registry and a desktop that records what it was asked.
#pragma once

#include <QString>
#include <QUrl>
#include <filesystem>
#include <string>
#include <ui/info/info_platform.h>
#include <vector>

namespace tintwise::ui::test {

// Files are tested for real; programs "start" when a regular file is at their path.
class FakeInfoPlatform : public DesktopInfoPlatform
{
public:
    struct Message
    {
        QWidget* parent;
        QString title;
        QString text;
    };

    MemoryRegistry memory;
    std::vector<std::string> started; // every start attempted, in order
    std::vector<QUrl> opened;
    std::vector<Message> messages;

    Registry& registry() override { return memory; }
    bool startProgram(const std::string& path) override
    {
        started.push_back(path);
        std::error_code error;
        return std::filesystem::is_regular_file(path, error);
    }
    void openUrl(const QUrl& url) override { opened.push_back(url); }
    void showMessage(QWidget* parent, const QString& title, const QString& text) override
    {
        messages.push_back({parent, title, text});
    }
};

} // namespace tintwise::ui::test
