// tst_info.cpp: the splash hand-over, the about window, and finding the system-information program.
#include <QtTest>
#include <ui/info/aboutwindow.h>
#include <ui/info/info_look.h>
#include <ui/info/splashwindow.h>
#include <ui/layout/info_windows.h>

using namespace tintwise::registry;
using namespace tintwise::ui;
using Value = MemoryRegistry::Value;
Q_DECLARE_METATYPE(Value)

namespace {

// The real desktop, but for its registry, with a note of what it is asked to do. The notes are
// shared, so that they outlive the about window that owns and deletes the desktop.
struct NotingDesktop : DesktopInfoPlatform
{
    MemoryRegistry memory;
    std::shared_ptr<QStringList> notes = std::make_shared<QStringList>();

    Registry& registry() override { return memory; }
    bool startProgram(const std::string& path) override
    {
        *notes << "start " + QString::fromStdString(path);
        return DesktopInfoPlatform::startProgram(path);
    }
    void openUrl(const QUrl& url) override { *notes << "open " + url.toString(); }
    void showMessage(QWidget* parent, const QString& title, const QString& text) override
    {
        *notes << (parent ? parent->objectName() : "nothing") + " shows " + title + ": " + text;
    }
};

Value text(const QString& text) { return MemoryRegistry::stringValue(text.toStdString()); }

} // namespace

class InfoWindowsTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_temp;

private slots:
    void initTestCase()
    {
        // Paths are relative to here. It holds the Windows program, and "sys info" holds the
        // PATH value's program; in "without" a folder has the program's name.
        QVERIFY(QDir::setCurrent(m_temp.path()) && QDir().mkpath("without/MSINFO32.EXE"));
        QVERIFY(QFile::copy("/bin/true", "MSINFO32.EXE") && QFile::copy("/bin/true", "sys info"));
    }

    void enterAndEscCloseTheOneAboutWindowUnpressedButOpenTheLink_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        for (const char* focus : {"cmdOK", "cmdSysInfo", "cmdSupport", "lblLink"}) {
            for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Space}) {
                if (focus[0] == 'l' || key != Qt::Key_Space) { // Space presses a button
                    QTest::addRow("%s on %s", qPrintable(QKeySequence(key).toString()), focus)
                        << QString(focus) << key;
                }
            }
        }
    }

    void enterAndEscCloseTheOneAboutWindowUnpressedButOpenTheLink()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        std::shared_ptr<const QStringList> notes; // the first window's
        auto host = std::make_unique<AboutWindowHost>([&notes] {
            auto desktop = std::make_unique<NotingDesktop>();
            notes = notes ? notes : desktop->notes;
            return desktop;
        });
        host->showAboutWindow();
        QPointer<AboutWindow> window = host->window();
        window->findChild<QWidget*>(focus)->setFocus();
        QTest::keyClick(window->focusWidget(), Qt::Key(key));
        const bool opens = focus == "lblLink" && key != Qt::Key_Escape;
        QCOMPARE(window->isVisible(), opens);
        QTRY_VERIFY(opens || window.isNull()); // a closed window goes, and the notes stay
        QCOMPARE(*notes, opens ? QStringList{"open " + fromUtf8(tintwise::layout::kWebAddress)} : QStringList{});
        // Asked again, the host brings back the open window, else makes one titled alike.
        host->showAboutWindow();
        QCOMPARE(host->window() == window, opens);
        QCOMPARE((window = host->window())->windowTitle(), QStringLiteral("About Tintwise"));
        host.reset(); // as ending the program does
        QVERIFY(window.isNull());
    }

    void theArtworkHasTwiceThePixelsForScreensOfPixelRatioTwo()
    {
        for (const char* logo : {":/logos/maker.png", ":/logos/product.png"}) {
            const QPixmap plain = artwork(logo, 1.0), sharp = artwork(logo, 2.0);
            QCOMPARE(sharp.size(), plain.size() * 2);
            QCOMPARE(sharp.deviceIndependentSize(), QSizeF(plain.size()));
        }
    }

    void sysInfoTriesThePathValueThenTheLocationFolder_data()
    {
        QTest::addColumn<Value>("path");   // of type 0: no "PATH" value
        QTest::addColumn<Value>("folder"); // the "MSINFO" value; of type 0: none
        QTest::addColumn<QStringList>("asked");
        auto row = [](const char* name, const Value& path, const Value& folder, QStringList asked) {
            QTest::newRow(name) << path << folder << asked;
        };
        const Value none{0, {}}, here = text(".");
        const QString no =
            "frmAbout shows Tintwise: System Information Is Unavailable At This Time";
        // A blank in the path must not split it into a program and an argument.
        row("PATH names a program", text("./sys info"), here, {"start ./sys info"});
        // A failed start ends the lookup, though the folder holds the program.
        row("PATH names a missing program", text("./gone"), here, {"start ./gone", no});
        // A NUL would cut the path short, and the program started would not be the one named.
        const QString cut = QString("./sys info") + QChar(0) + "x";
        row("PATH with a NUL in it", text(cut), here, {"start " + cut, no});
        // Another type reads as success with no text, and starting nothing fails.
        row("PATH of another type", {3, {1, 2}}, here, {"start ", no});
        row("PATH of size 0", {1, {}}, here, {no});
        row("PATH over the buffer counts as none", {1, std::vector(1025, 'p')}, here,
            {"start ./MSINFO32.EXE"});
        row("folder holding the program", none, here, {"start ./MSINFO32.EXE"});
        row("folder without it", none, text("without"), {no});
        row("neither value", none, none, {no});
    }

    void sysInfoTriesThePathValueThenTheLocationFolder()
    {
        QFETCH(Value, path);
        QFETCH(Value, folder);
        QFETCH(QStringList, asked);
        auto desktop = std::make_unique<NotingDesktop>();
        if (path.type != 0) {
            desktop->memory.setValue(kLocalMachine, kSysInfoKey, kSysInfoValue, path);
        }
        if (folder.type != 0) {
            desktop->memory.setValue(kLocalMachine, kSysInfoLocationKey, kSysInfoLocationValue,
                                     folder);
        }
        const NotingDesktop& asks = *desktop;
        AboutWindow about(std::move(desktop)); // the box's parent
        QTest::keyClick(about.findChild<QWidget*>("cmdSysInfo"), Qt::Key_Space);
        QCOMPARE(*asks.notes, asked);
        QCOMPARE(asks.memory.openKeyCount(), 0);
    }

    // Last, since it runs and ends the application's own event loop.
    void closingTheSplashFirstNeverHandsOverAndEndsTheProgram()
    {
        bool handedOver = false, timerStopped = false;
        QPointer<SplashWindow> splash = new SplashWindow([&] { handedOver = true; });
        splash->show();
        splash->splashTimer()->start(20);
        QTimer::singleShot(0, splash, [&] {
            splash->close();
            // Deletion comes later, so the close itself must stop the timer.
            timerStopped = !splash->splashTimer()->isActive();
        });
        // The program's own event loop must end by itself once the splash, its only window,
        // is closed; the second timer only keeps a failing test from hanging.
        QTimer::singleShot(3000, qApp, [] { QCoreApplication::exit(1); });
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(timerStopped);
        QTest::qWait(100); // well past the shortened interval
        QVERIFY(!handedOver);
    }
};

QTEST_MAIN(InfoWindowsTest)
#include "tst_info.moc"
