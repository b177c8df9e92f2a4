// tst_splash.cpp: the splash window hands over once, after its timer, and only if still open.
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QtTest>
#include <ui/info/info_look.h>
#include <ui/info/splashwindow.h>

using tintwise::ui::SplashWindow;

class SplashWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void handsOverOnceWhenItsTimerFiresAndThenGoes();
    void clicksAndKeysDoNotSpeedItUp();
    void closingItFirstNeverHandsOverAndEndsTheProgram();
    void showsTheDoubledAmpersandAsOne_data();
    void showsTheDoubledAmpersandAsOne();
};

void SplashWindowTest::handsOverOnceWhenItsTimerFiresAndThenGoes()
{
    int handOvers = 0;
    bool splashStillShown = false;
    QPointer<SplashWindow> splash;
    splash = new SplashWindow([&] {
        ++handOvers;
        splashStillShown = splash && splash->isVisible();
    });
    splash->show();
    QTimer* timer = splash->splashTimer();
    QVERIFY(timer->isActive());
    QVERIFY(timer->isSingleShot());
    QCOMPARE(timer->interval(), 5000);

    timer->start(1);
    QTRY_VERIFY(splash.isNull());
    QCOMPARE(handOvers, 1);
    // The main window must be up before the splash closes, or the program would end.
    QVERIFY(splashStillShown);
}

void SplashWindowTest::clicksAndKeysDoNotSpeedItUp()
{
    int handOvers = 0;
    QPointer<SplashWindow> splash = new SplashWindow([&] { ++handOvers; });
    splash->show();
    QVERIFY(QTest::qWaitForWindowExposed(splash));
    QTest::mouseClick(splash, Qt::LeftButton);
    for (auto* label : splash->findChildren<QLabel*>()) {
        QTest::mouseClick(label, Qt::LeftButton);
    }
    QTest::keyClick(splash, Qt::Key_Return);
    QTest::keyClick(splash, Qt::Key_Escape);
    QTest::keyClick(splash, Qt::Key_Space);
    QTest::qWait(50);

    QVERIFY(splash);
    QVERIFY(splash->isVisible());
    QCOMPARE(handOvers, 0);
    QVERIFY(splash->splashTimer()->remainingTime() > 2500);
    delete splash;
}

void SplashWindowTest::closingItFirstNeverHandsOverAndEndsTheProgram()
{
    int handOvers = 0;
    QPointer<SplashWindow> splash = new SplashWindow([&] { ++handOvers; });
    splash->show();
    QVERIFY(QTest::qWaitForWindowExposed(splash));
    splash->splashTimer()->start(20);

    // The program's own event loop must end by itself once the splash, its only window,
    // is closed; the second timer only keeps a failing test from hanging.
    QVERIFY(QGuiApplication::quitOnLastWindowClosed());
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

void SplashWindowTest::showsTheDoubledAmpersandAsOne_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shown");
    QTest::newRow("stored message") << SplashWindow::lblMsgCaption()
                                    << "Romans 10:17; Luke 13:3&5; Matthew 10:32-33; "
                                       "Acts 8:35-39; Romans 6:3-5";
    QTest::newRow("access key mark") << "S&upport"
                                     << "Support";
}

void SplashWindowTest::showsTheDoubledAmpersandAsOne()
{
    QFETCH(QString, caption);
    QFETCH(QString, shown);
    QCOMPARE(tintwise::ui::captionText(caption), shown);
}

QTEST_MAIN(SplashWindowTest)
#include "tst_splash.moc"
