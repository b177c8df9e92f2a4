// tst_about.cpp: the about window's caption, its keys, its links and the one-window host.
#include "fake_info_platform.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>
#include <ui/info/aboutwindow.h>

using tintwise::ui::AboutWindow;
using tintwise::ui::AboutWindowHost;
using tintwise::ui::test::FakeInfoPlatform;

class AboutWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void captionIsSetAnewOnEveryOpening();
    void askingAgainBringsBackTheSameWindow();
    void enterAndEscCloseItWhateverButtonHasTheFocus_data();
    void enterAndEscCloseItWhateverButtonHasTheFocus();
    void supportAndLinkOpenTheirAddresses();
    void descriptionKeepsItsDoubleBlanks();

private:
    AboutWindow* openAbout();

    std::unique_ptr<AboutWindowHost> m_host;
    std::vector<FakeInfoPlatform*> m_platforms; // one per window made
};

void AboutWindowTest::init()
{
    m_platforms.clear();
    m_host = std::make_unique<AboutWindowHost>([this] {
        auto platform = std::make_unique<FakeInfoPlatform>();
        m_platforms.push_back(platform.get());
        return platform;
    });
}

void AboutWindowTest::cleanup() { m_host.reset(); }

AboutWindow* AboutWindowTest::openAbout()
{
    m_host->showAboutWindow();
    return m_host->window();
}

void AboutWindowTest::captionIsSetAnewOnEveryOpening()
{
    QPointer<AboutWindow> about = openAbout();
    QCOMPARE(about->windowTitle(), QStringLiteral("About Tintwise"));
    about->setWindowTitle(QStringLiteral("changed"));
    QTest::mouseClick(about->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    QTRY_VERIFY(about.isNull());

    about = openAbout();
    QCOMPARE(about->windowTitle(), QStringLiteral("About Tintwise"));
    QCOMPARE(m_platforms.size(), std::size_t{2});
}

void AboutWindowTest::askingAgainBringsBackTheSameWindow()
{
    AboutWindow* first = openAbout();
    first->hide();
    AboutWindow* second = openAbout();
    QCOMPARE(second, first);
    QVERIFY(second->isVisible());
    QCOMPARE(m_platforms.size(), std::size_t{1});

    // Deleting the host takes the window with it, as ending the program does.
    QPointer<AboutWindow> about = second;
    m_host.reset();
    QVERIFY(about.isNull());
}

void AboutWindowTest::enterAndEscCloseItWhateverButtonHasTheFocus_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    for (const char* button : {"cmdOK", "cmdSysInfo", "cmdSupport"}) {
        QTest::addRow("Return on %s", button) << QString::fromLatin1(button) << int(Qt::Key_Return);
        QTest::addRow("Enter on %s", button) << QString::fromLatin1(button) << int(Qt::Key_Enter);
        QTest::addRow("Esc on %s", button) << QString::fromLatin1(button) << int(Qt::Key_Escape);
    }
}

void AboutWindowTest::enterAndEscCloseItWhateverButtonHasTheFocus()
{
    QFETCH(QString, focus);
    QFETCH(int, key);
    QPointer<AboutWindow> about = openAbout();
    QCOMPARE(about->focusWidget(), about->findChild<QPushButton*>("cmdOK"));

    auto* button = about->findChild<QPushButton*>(focus);
    button->setFocus();
    QTest::keyClick(button, Qt::Key(key));
    QTRY_VERIFY(about.isNull());
    const FakeInfoPlatform& platform = *m_platforms.front();
    QVERIFY(platform.started.empty() && platform.opened.empty() && platform.messages.empty());
}

void AboutWindowTest::supportAndLinkOpenTheirAddresses()
{
    AboutWindow* about = openAbout();
    auto* link = about->findChild<QLabel*>("lblLink");
    QCOMPARE(link->text(), AboutWindow::webAddress());
    QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(link, Qt::LeftButton);
    QTest::mouseClick(about->findChild<QPushButton*>("cmdSupport"), Qt::LeftButton);

    const std::vector<QUrl> expected{QUrl("https://www.example.com/tintwise/"),
                                     QUrl("mailto:support@example.com")};
    QCOMPARE(m_platforms.front()->opened, expected);
    QVERIFY(about->isVisible());
}

void AboutWindowTest::descriptionKeepsItsDoubleBlanks()
{
    auto* description = openAbout()->findChild<QLabel*>("lblDescription");
    QCOMPARE(description->textFormat(), Qt::PlainText);
    const QString text = description->text();
    QVERIFY(text.startsWith("Tintwise is a game that requires concentration and deductive "
                            "reasoning.  The object"));
    QVERIFY(text.contains("Start). The computer"));
    QVERIFY(text.endsWith(QString::fromUtf8("That\xE2\x80\x99s it.  Have Fun!")));
    QCOMPARE(text.count("  "), 14);
}

QTEST_MAIN(AboutWindowTest)
#include "tst_about.moc"
