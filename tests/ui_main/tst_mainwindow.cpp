// tst_mainwindow.cpp: the main window's logic offscreen: level entries. What a player sees, and a
// screen reader hears, is the end-to-end suite's part; it also finds the keyboard given back after
// a box with no window manager to do it.
#include <QAction>
#include <QMenu>
#include <QTest>
#include <ui/main/mainwindow.h>

using namespace tintwise;

// The main window, shown, with handles on its parts by object name. Nothing here wins a game,
// so no record file is written beside the test program.
struct Window : ui::MainWindow
{
    Window() { show(); }
    void click(const char* name) { QTest::mouseClick(findChild<QWidget*>(name), Qt::LeftButton); }
    QList<QAction*> levels() const { return findChild<QMenu*>("mnuFileDifficulty")->actions(); }
    QList<bool> marks() const
    {
        return {levels()[0]->isChecked(), levels()[1]->isChecked(), levels()[2]->isChecked()};
    }
};

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void levelEntriesSetPaletteAndCheckMarkAndStartAfreshKeepingThePick_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("colours");
        QTest::newRow("Beginner") << 0 << 7;
        QTest::newRow("Intermediate") << 1 << 11;
        QTest::newRow("Advanced, already checked") << 2 << 15;
    }

    void levelEntriesSetPaletteAndCheckMarkAndStartAfreshKeepingThePick()
    {
        QFETCH(int, index);
        QFETCH(int, colours);
        Window w;
        QCOMPARE(w.marks(), QList<bool>({false, true, false})); // Intermediate, alone
        w.levels()[2]->trigger();
        w.click("Cmd14"); // Light Yellow, only on the Advanced palette
        w.click("CmdCorrect");
        QVERIFY(w.findChild<QWidget*>("One1")->isVisible());

        w.levels()[index]->trigger();
        for (int k = 0; k < engine::kPaletteButtonCount; ++k) {
            QCOMPARE(w.findChild<QWidget*>("Cmd" + QString::number(k))->isVisible(), k < colours);
        }
        QCOMPARE(w.marks(), QList<bool>({index == 0, index == 1, index == 2}));
        QVERIFY(w.findChild<QWidget*>("One1")->isHidden()); // a new game
        w.click("TA3");                                     // the pick outlives it
        QCOMPARE(w.findChild<ui::BoardCell*>("TA3")->colour(), engine::QBColor(14));
    }
};

QTEST_MAIN(MainWindowTest)

#include "tst_mainwindow.moc"
