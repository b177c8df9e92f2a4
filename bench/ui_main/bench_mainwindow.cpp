// bench_mainwindow.cpp: the cost of one "Correct?" click, redraw included, offscreen.
#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <engine/game_board.h>
#include <filesystem>
#include <ui/main/mainwindow.h>

using tintwise::ui::MainWindow;

class MainWindowBench : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_window = std::make_unique<MainWindow>();
        m_window->setProgramDirectory(
            std::filesystem::path(QFile::encodeName(m_dir.path()).toStdString()));
        m_window->setEndProgram([] {});
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        m_start = m_window->findChild<QPushButton*>(QStringLiteral("CmdStart"));
        m_correct = m_window->findChild<QPushButton*>(QStringLiteral("CmdCorrect"));
        QVERIFY(m_start && m_correct);
    }

    void cleanup() { m_window.reset(); }

    // A wrong guess moving into the next history row, then the repaint it causes. Once all
    // nine rows are full the next click would lose, so a new game comes first: one Start in
    // nine clicks is included, which makes the figure an upper bound for the click alone.
    void correctClickMovesTheGuessIntoTheHistory()
    {
        QBENCHMARK
        {
            if (m_window->board().rowsInUse() == tintwise::engine::kHistoryRows) {
                QTest::mouseClick(m_start, Qt::LeftButton);
            }
            QTest::mouseClick(m_correct, Qt::LeftButton);
            QCoreApplication::processEvents();
        }
        QVERIFY(m_window->board().inProgress());
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<MainWindow> m_window;
    QPushButton* m_start = nullptr;
    QPushButton* m_correct = nullptr;
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
