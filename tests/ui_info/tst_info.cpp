// tst_info.cpp: the splash hand-over, the about window, and finding the system-information program.
#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>
#include <ui/info/aboutwindow.h>
#include <ui/info/info_look.h>
#include <ui/info/splashwindow.h>
#include <ui/info/sysinfo.h>

using namespace tintwise::registry;
using namespace tintwise::ui;

using Bytes = std::vector<char>;
Q_DECLARE_METATYPE(Bytes)

namespace {

// What a fake desktop was asked to do. Shared, so that it outlives the about window that owns
// and deletes the desktop.
struct DesktopRecord
{
    std::vector<std::string> started; // every start attempted, in order
    std::vector<QUrl> opened;
    std::vector<std::pair<QWidget*, QString>> messages; // parent, "title: text"
};

// Files are tested for real; a program "starts" when a regular file is at its path.
class FakeInfoPlatform : public DesktopInfoPlatform
{
public:
    MemoryRegistry memory;
    std::shared_ptr<DesktopRecord> record = std::make_shared<DesktopRecord>();

    Registry& registry() override { return memory; }
    bool startProgram(const std::string& path) override
    {
        record->started.push_back(path);
        std::error_code error;
        return std::filesystem::is_regular_file(path, error);
    }
    void openUrl(const QUrl& url) override { record->opened.push_back(url); }
    void showMessage(QWidget* parent, const QString& title, const QString& text) override
    {
        record->messages.emplace_back(parent, title + ": " + text);
    }
};

// An about-window host that gives every window it makes its own recording desktop.
struct FakeHost
{
    std::vector<std::shared_ptr<const DesktopRecord>> records; // one per window, in order
    AboutWindowHost host{[this] {
        auto platform = std::make_unique<FakeInfoPlatform>();
        records.push_back(platform->record);
        return platform;
    }};

    AboutWindow* open()
    {
        host.showAboutWindow();
        return host.window();
    }
};

Bytes stored(const QString& text) { return MemoryRegistry::stringValue(text.toStdString()).data; }

} // namespace

class InfoWindowsTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_temp;

private slots:
    void initTestCase()
    {
        // The folder holds the Windows program; in "without" a folder has its name, no program.
        QVERIFY(QDir(m_temp.path()).mkpath("without/MSINFO32.EXE"));
        QVERIFY(QFile::copy("/bin/true", m_temp.filePath("MSINFO32.EXE")));
        QVERIFY(QFile::copy("/bin/true", m_temp.filePath("sys info")));
    }

    void splashIgnoresClicksAndKeysThenHandsOverOnceAfterItsTimerAndGoes()
    {
        int handOvers = 0;
        bool splashStillShown = false;
        QElapsedTimer clock;
        qint64 handedOverAt = 0;
        QPointer<SplashWindow> splash;
        clock.start();
        splash = new SplashWindow([&] {
            ++handOvers;
            handedOverAt = clock.elapsed();
            splashStillShown = splash && splash->isVisible();
        });
        splash->show();
        QVERIFY(QTest::qWaitForWindowExposed(splash));
        QCOMPARE(splash->findChild<QLabel*>("lblMsg")->text(),
                 "Romans 10:17; Luke 13:3&5; Matthew 10:32-33; Acts 8:35-39; Romans 6:3-5");
        QTest::mouseClick(splash, Qt::LeftButton);
        for (auto* label : splash->findChildren<QLabel*>()) {
            QTest::mouseClick(label, Qt::LeftButton);
        }
        for (auto key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Space}) {
            QTest::keyClick(splash, key);
        }
        QTest::qWait(50);
        QVERIFY(splash && splash->isVisible());
        QCOMPARE(handOvers, 0);
        // The real five seconds, never less: a coarse timer may fire up to 5% early.
        QTRY_VERIFY_WITH_TIMEOUT(splash.isNull(), 15000);
        QCOMPARE(handOvers, 1);
        QVERIFY2(handedOverAt >= 5000, qPrintable(QString::number(handedOverAt)));
        // The main window must be up before the splash closes, or the program would end.
        QVERIFY(splashStillShown);
    }

    void aboutIsOneWindowCaptionedOnEveryOpeningWhoseButtonsReachTheDesktop()
    {
        auto about = std::make_unique<FakeHost>();
        QPointer<AboutWindow> window = about->open();
        QCOMPARE(window->windowTitle(), QStringLiteral("About Tintwise"));
        // A narrow literal in the source: only a UTF-8 build gets the apostrophe right.
        const QString description = window->findChild<QLabel*>("lblDescription")->text();
        QVERIFY(description.endsWith(u"That\u2019s it.  Have Fun!"));

        QTest::mouseClick(window->findChild<QLabel*>("lblLink"), Qt::LeftButton);
        QTest::mouseClick(window->findChild<QPushButton*>("cmdSupport"), Qt::LeftButton);
        QTest::mouseClick(window->findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);
        const DesktopRecord& platform = *about->records.front();
        QCOMPARE(platform.opened, (std::vector<QUrl>{QUrl("https://www.example.com/tintwise/"),
                                                     QUrl("mailto:support@example.com")}));
        // Its desktop's registry is empty, so the box comes up over the about window.
        QCOMPARE(platform.messages.size(), std::size_t{1});
        QCOMPARE(platform.messages[0].first, window.data());
        QCOMPARE(platform.messages[0].second,
                 QStringLiteral("Tintwise: System Information Is Unavailable At This Time"));

        window->hide();
        QCOMPARE(about->open(), window);
        QVERIFY(window->isVisible());
        window->setWindowTitle(QStringLiteral("changed"));
        QTest::mouseClick(window->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        QTRY_VERIFY(window.isNull());
        window = about->open();
        QCOMPARE(window->windowTitle(), QStringLiteral("About Tintwise"));

        // Deleting the host takes the window with it, as ending the program does.
        about.reset();
        QVERIFY(window.isNull());
    }

    void enterAndEscCloseAboutWhateverButtonHasTheFocus_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        for (const char* button : {"cmdOK", "cmdSysInfo", "cmdSupport"}) {
            QTest::addRow("Return on %s", button) << QString(button) << int(Qt::Key_Return);
            QTest::addRow("Enter on %s", button) << QString(button) << int(Qt::Key_Enter);
            QTest::addRow("Esc on %s", button) << QString(button) << int(Qt::Key_Escape);
        }
    }

    void enterAndEscCloseAboutWhateverButtonHasTheFocus()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        FakeHost about;
        QPointer<AboutWindow> window = about.open();
        QCOMPARE(window->focusWidget(), window->findChild<QPushButton*>("cmdOK"));

        auto* button = window->findChild<QPushButton*>(focus);
        button->setFocus();
        QTest::keyClick(button, Qt::Key(key));
        QTRY_VERIFY(window.isNull());
        // The focused button is not pressed on the way.
        const DesktopRecord& platform = *about.records.front();
        QVERIFY(platform.started.empty() && platform.opened.empty() && platform.messages.empty());
    }

    void theLinkIsATabStopThatEnterAndSpaceOpenWithoutClosing_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("Enter") << int(Qt::Key_Enter);
        QTest::newRow("Space") << int(Qt::Key_Space);
    }

    void theLinkIsATabStopThatEnterAndSpaceOpenWithoutClosing()
    {
        QFETCH(int, key);
        FakeHost about;
        QPointer<AboutWindow> window = about.open();
        QStringList order;
        for (int i = 0; i < 4; ++i) {
            order << window->focusWidget()->objectName();
            QTest::keyClick(window->focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(order, (QStringList{"cmdOK", "cmdSysInfo", "lblLink", "cmdSupport"}));
        auto* link = window->findChild<QLabel*>("lblLink");
        QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(link);
        QCOMPARE(spoken->role(), QAccessible::Link);
        QCOMPARE(spoken->text(QAccessible::Name), AboutWindow::webAddress());

        link->setFocus();
        QTest::keyClick(link, Qt::Key(key));
        QTest::qWait(20);
        QVERIFY(window && window->isVisible());
        QCOMPARE(about.records.front()->opened,
                 std::vector<QUrl>{QUrl(AboutWindow::webAddress())});
        QTest::keyClick(link, Qt::Key_Escape);
        QTRY_VERIFY(window.isNull());
    }

    void theArtworkHasTwiceThePixelsForScreensOfPixelRatioTwo()
    {
        for (const char* logo : {":/logos/maker.png", ":/logos/product.png"}) {
            const QPixmap plain = artwork(logo, 1.0), sharp = artwork(logo, 2.0);
            QCOMPARE(sharp.size(), plain.size() * 2);
            QCOMPARE(sharp.deviceIndependentSize(), QSizeF(plain.size()));
        }
        QCOMPARE(programIcon().availableSizes(), (QList<QSize>{{16, 16}, {32, 32}, {64, 64}}));
    }

    void sysInfoTriesThePathValueThenTheLocationFolder_data()
    {
        QTest::addColumn<uint>("type"); // of the "PATH" value; 0 for none
        QTest::addColumn<Bytes>("path");
        QTest::addColumn<QString>("folder"); // the "MSINFO" value, if any
        QTest::addColumn<QStringList>("started");
        QTest::addColumn<bool>("message");

        const QString folder = m_temp.path(), without = m_temp.filePath("without");
        const QString program = m_temp.filePath("sys info"), gone = m_temp.filePath("gone");
        const QString inFolder = m_temp.filePath("MSINFO32.EXE");
        QTest::newRow("PATH names a program")
            << 1u << stored(program) << folder << QStringList{program} << false;
        // A failed start ends the lookup, though the folder holds the program.
        QTest::newRow("PATH names a missing program")
            << 1u << stored(gone) << folder << QStringList{gone} << true;
        // Another type reads as success with no text, and starting nothing fails.
        QTest::newRow("PATH of another type")
            << 3u << Bytes{1, 2} << folder << QStringList{""} << true;
        QTest::newRow("PATH of size 0") << 1u << Bytes{} << folder << QStringList{} << true;
        QTest::newRow("PATH over the buffer counts as none")
            << 1u << Bytes(1025, 'p') << folder << QStringList{inFolder} << false;
        QTest::newRow("folder holding the program")
            << 0u << Bytes{} << folder << QStringList{inFolder} << false;
        QTest::newRow("folder without it") << 0u << Bytes{} << without << QStringList{} << true;
        QTest::newRow("neither value") << 0u << Bytes{} << QString() << QStringList{} << true;
    }

    void sysInfoTriesThePathValueThenTheLocationFolder()
    {
        QFETCH(uint, type);
        QFETCH(Bytes, path);
        QFETCH(QString, folder);
        QFETCH(QStringList, started);
        QFETCH(bool, message);
        FakeInfoPlatform platform;
        if (type != 0) {
            platform.memory.setValue(kLocalMachine, kSysInfoKey, kSysInfoValue, {type, path});
        }
        if (!folder.isEmpty()) {
            platform.memory.setValue(kLocalMachine, kSysInfoLocationKey, kSysInfoLocationValue,
                                     {kRegString, stored(folder)});
        }
        StartSysInfo(platform, nullptr);

        QStringList tried;
        for (const std::string& attempt : platform.record->started) {
            tried << QString::fromStdString(attempt);
        }
        QCOMPARE(tried, started);
        QCOMPARE(platform.record->messages.size(), std::size_t(message));
        QCOMPARE(platform.memory.openKeyCount(), 0);
    }

    void desktopStartsAPathWholeAndNeverCutShort()
    {
        DesktopInfoPlatform desktop;
        // A blank in the path must not split it into a program and an argument.
        const std::string program = m_temp.filePath("sys info").toStdString();
        QVERIFY(desktop.startProgram(program));
        QVERIFY(!desktop.startProgram(program + std::string(1, '\0') + "x"));
        QVERIFY(!desktop.startProgram(m_temp.filePath("gone").toStdString()));
    }

    // Last, since it runs and ends the application's own event loop.
    void closingTheSplashFirstNeverHandsOverAndEndsTheProgram()
    {
        int handOvers = 0;
        QPointer<SplashWindow> splash = new SplashWindow([&] { ++handOvers; });
        splash->show();
        QVERIFY(QTest::qWaitForWindowExposed(splash));
        splash->splashTimer()->start(20);

        // The program's own event loop must end by itself once the splash, its only window,
        // is closed; the second timer only keeps a failing test from hanging.
        bool timerStopped = false;
        QTimer::singleShot(0, splash, [&] {
            splash->close();
            // Deletion comes later, so the timer itself must be stopped by the close.
            timerStopped = !splash->splashTimer()->isActive();
        });
        QTimer::singleShot(3000, qApp, [] { QCoreApplication::exit(1); });
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(timerStopped);

        QTest::qWait(100); // well past the shortened interval
        QCOMPARE(handOvers, 0);
        QVERIFY(splash.isNull());
    }
};

QTEST_MAIN(InfoWindowsTest)
#include "tst_info.moc"
