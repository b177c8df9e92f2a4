// bench_mainwindow.cpp: the cost of one "Correct?" click, redraw included, offscreen, and of a
// click on the bare window's button as its yardstick.
#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <bare_window.h>
#include <engine/game_board.h>
#include <filesystem>
#include <ui/main/mainwindow.h>

using tintwise::ui::MainWindow;

class MainWindowBench : public QObject
{
    Q_OBJECT

private slots:
    // A wrong guess moving into the next history row, then the repaint it causes. Once all
    // nine rows are full the next click would lose, so a new game comes first: one Start in
    // nine clicks is included, which makes the figure an upper bound for the click alone.
    void correctClickMovesTheGuessIntoTheHistory()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        MainWindow window;
        window.setProgramDirectory(
            std::filesystem::path(QFile::encodeName(dir.path()).toStdString()));
        window.setEndProgram([] {});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* start = window.findChild<QPushButton*>(QStringLiteral("CmdStart"));
        auto* correct = window.findChild<QPushButton*>(QStringLiteral("CmdCorrect"));
        QVERIFY(start && correct);

        QBENCHMARK
        {
            if (window.board().rowsInUse() == tintwise::engine::kHistoryRows) {
                QTest::mouseClick(start, Qt::LeftButton);
            }
            QTest::mouseClick(correct, Qt::LeftButton);
            QCoreApplication::processEvents();
        }
        QVERIFY(window.board().inProgress());
    }

    // The yardstick: a click on a push button that changes its caption, and the repaint.
    void bareButtonClick()
    {
        tintwise::bench::BareWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QString before = window.button()->text();

        QBENCHMARK
        {
            QTest::mouseClick(window.button(), Qt::LeftButton);
            QCoreApplication::processEvents();
        }
        QVERIFY(window.button()->text() != before);
    }
};

int main(int argc, char* argv[])
{
    // Measured without a display, as the tests run.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    MainWindowBench bench;
    return QTest::qExec(&bench, argc, argv);
}

#include "bench_mainwindow.moc"
