// tst_mainwindow.cpp: plays the main window offscreen with the mouse and the keyboard.
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <engine/palette.h>
#include <filesystem>
#include <ui/main/board_cell.h>
#include <ui/main/colours.h>
#include <ui/main/cursors.h>
#include <ui/main/mainwindow.h>

using tintwise::ui::BoardCell;
using tintwise::ui::MainWindow;
using tintwise::ui::toQColor;
namespace engine = tintwise::engine;

namespace {

template <typename T = QWidget> T* child(const QObject& parent, const QString& name)
{
    T* found = parent.findChild<T*>(name);
    if (found == nullptr) {
        qFatal("no child named %s", qPrintable(name));
    }
    return found;
}

QColor pixelAt(QWidget* widget, QPoint logical)
{
    const QImage image = widget->grab().toImage();
    return image.pixelColor(logical * image.devicePixelRatio());
}

QColor centreOf(QWidget* widget) { return pixelAt(widget, widget->rect().center()); }

void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }

std::filesystem::path toPath(const QString& path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

// A main window on a temporary program directory, shown and active, whose "end the program"
// only counts.
struct OpenWindow
{
    QTemporaryDir dir;
    MainWindow window;
    int ended = 0;

    OpenWindow()
    {
        window.setProgramDirectory(toPath(dir.path()));
        window.setEndProgram([this] { ++ended; });
        window.show();
        window.activateWindow();
    }

    bool ready() { return dir.isValid() && QTest::qWaitForWindowActive(&window); }
    BoardCell* cell(const QString& name) const { return child<BoardCell>(window, name); }
    void pick(int k) { click(child(window, QStringLiteral("Cmd%1").arg(k))); }
    void paint(int n) { click(cell(QStringLiteral("TA%1").arg(n))); }
    void correct() { click(child(window, QStringLiteral("CmdCorrect"))); }
    void trigger(const QString& action) { child<QAction>(window, action)->trigger(); }

    QByteArray file(const QString& name) const
    {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    void writeFile(const QString& name, const QByteArray& bytes) const
    {
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::WriteOnly)) {
            file.write(bytes);
        }
    }

    void paintSecret()
    {
        for (int i = 0; i < engine::kCodeLength; ++i) {
            pick(engine::colourIndexOf(window.board().secret.cells[std::size_t(i)]));
            paint(i + 1);
        }
    }
};

// A message box as it was seen, and whether the board behind it showed the secret (drawn in
// its colour) and the counts.
struct SeenBox
{
    QString title;
    QString text;
    bool plainOkOnly = false;
    bool secretDrawn = false;
    bool countsShown = false;
};

// Closes every modal box soon after it opens and notes it. A box that never opens is only
// missing from the notes, so a test fails on it instead of waiting.
class BoxCloser : public QObject
{
public:
    explicit BoxCloser(OpenWindow& open) : m_open(open)
    {
        connect(&m_timer, &QTimer::timeout, this, &BoxCloser::poll);
        m_timer.start(5);
    }

    QList<SeenBox> boxes;

    QStringList titles() const
    {
        QStringList all;
        for (const SeenBox& box : boxes) {
            all << box.title;
        }
        return all;
    }

private:
    void poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) {
            return;
        }
        auto* box = qobject_cast<QMessageBox*>(modal);
        SeenBox seen;
        seen.title = box ? box->windowTitle() : QStringLiteral("<not a message box>");
        if (box != nullptr) {
            seen.text = box->text();
            seen.plainOkOnly = box->textFormat() == Qt::PlainText &&
                               box->icon() == QMessageBox::NoIcon &&
                               box->standardButtons() == QMessageBox::Ok;
            BoardCell* t1 = m_open.cell(QStringLiteral("T1"));
            seen.secretDrawn = t1->isVisible() &&
                               pixelAt(m_open.window.centralWidget(), t1->geometry().center()) ==
                                   toQColor(m_open.window.board().secret.cells[0]);
            seen.countsShown = !m_open.cell(QStringLiteral("TxtRight"))->text().isEmpty();
        }
        boxes.append(seen);
        modal->close();
    }

    OpenWindow& m_open;
    QTimer m_timer;
};

} // namespace

// --- playing with the mouse and the menus ---

class PlayTest : public QObject
{
    Q_OBJECT

private slots:
    void winShowsTheSecretBehindTheBoxAndTheCountsAfterIt()
    {
        OpenWindow w;
        QVERIFY(w.ready());
        BoxCloser boxes(w);

        w.correct(); // an empty row is a wrong guess: it goes to row One
        QVERIFY(w.cell("One1")->isVisible());
        QCOMPARE(w.cell("OneC")->text(), QStringLiteral("0"));
        QCOMPARE(w.cell("TxtRight")->text(), QString());
        QCOMPARE(w.window.focusWidget(), w.cell("TA1"));

        w.paintSecret();
        w.correct();
        QCOMPARE(boxes.titles(), QStringList{"Fastest Time"});
        const SeenBox record = boxes.boxes.first();
        QCOMPARE(
            record.text,
            QStringLiteral("Congratulations! You Have the New Fastest Intermediate Time of 2"));
        QVERIFY(record.plainOkOnly);
        QVERIFY(record.secretDrawn);
        QVERIFY(!record.countsShown);
        QCOMPARE(w.cell("TxtRight")->text(), QStringLiteral("4"));
        QCOMPARE(w.cell("TxtOop")->text(), QStringLiteral("0"));
        QVERIFY(!w.cell("Two1")->isVisible());
        QCOMPARE(w.file("Interm.txt"), QByteArray("\"2\"\r\n"));

        // A slower win than the record: congratulations, and the file stays as it is.
        click(child(w.window, "CmdStart"));
        QVERIFY(!w.cell("T1")->isVisible());
        QVERIFY(!w.cell("One1")->isVisible());
        w.correct();
        w.correct();
        w.paintSecret();
        w.correct();
        QCOMPARE(boxes.titles(), (QStringList{"Fastest Time", "Winner!"}));
        QCOMPARE(boxes.boxes.last().text,
                 QStringLiteral("Congratulations!  You Win!  To Play Again, Push Start."));
        QCOMPARE(w.file("Interm.txt"), QByteArray("\"2\"\r\n"));
    }

    void tenthWrongGuessLosesAndShowsTheSecret()
    {
        OpenWindow w;
        QVERIFY(w.ready());
        BoxCloser boxes(w);
        for (int guess = 1; guess <= 9; ++guess) {
            w.correct();
        }
        QVERIFY(boxes.boxes.isEmpty());
        QVERIFY(w.cell("Nine1")->isVisible());

        w.correct();
        QCOMPARE(boxes.titles(), QStringList{"Game Over!"});
        QCOMPARE(boxes.boxes.first().text,
                 QStringLiteral("Sorry, You Lose!  To Play Again, Push Start."));
        QVERIFY(boxes.boxes.first().plainOkOnly);
        QVERIFY(boxes.boxes.first().secretDrawn);
        QCOMPARE(w.window.focusWidget(), child(w.window, "CmdStart"));
        QCOMPARE(w.file("Interm.txt"), QByteArray("<missing>"));
    }

    void cellsTakeThePickedColourWhichSurvivesNewGames()
    {
        OpenWindow w;
        QVERIFY(w.ready());
        w.paint(2); // nothing picked yet: black
        QCOMPARE(centreOf(w.cell("TA2")), QColor(0, 0, 0));

        w.pick(12);
        w.paint(1);
        w.paint(4);
        QCOMPARE(w.window.board().guess.cells,
                 (engine::Code{0x0000FF, 0, engine::kWhite, 0x0000FF}));
        QCOMPARE(centreOf(w.cell("TA1")), QColor(255, 0, 0)); // Light Red, not swapped to blue
        w.pick(9);
        w.paint(1);
        QCOMPARE(centreOf(w.cell("TA1")), QColor(0, 0, 255));

        w.trigger("mnuDifficulty2");
        w.pick(14); // Light Yellow, only on the Advanced palette
        click(child(w.window, "CmdStart"));
        w.trigger("mnuDifficulty0");
        QVERIFY(!child(w.window, "Cmd14")->isVisible());
        w.paint(3);
        QCOMPARE(centreOf(w.cell("TA3")), QColor(255, 255, 0));

        // Nothing else on the board reacts to a click.
        const engine::Code guess = w.window.board().guess.cells;
        for (const char* name : {"TxtRight", "TxtOop", "Label1", "Label2"}) {
            click(child(w.window, name));
        }
        QCOMPARE(w.window.board().guess.cells, guess);
    }

    void levelEntriesSetPaletteCheckMarkAndNewGame_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("colours");
        QTest::newRow("Beginner") << 0 << 7;
        QTest::newRow("Intermediate, already checked") << 1 << 11;
        QTest::newRow("Advanced") << 2 << 15;
    }

    void levelEntriesSetPaletteCheckMarkAndNewGame()
    {
        QFETCH(int, index);
        QFETCH(int, colours);
        OpenWindow w;
        QVERIFY(w.ready());
        w.paint(1);
        w.correct();

        w.trigger(QStringLiteral("mnuDifficulty%1").arg(index));

        QCOMPARE(int(w.window.form().Dif()), colours);
        for (int k = 0; k < engine::kPaletteButtonCount; ++k) {
            QCOMPARE(child(w.window, QStringLiteral("Cmd%1").arg(k))->isVisible(), k < colours);
        }
        for (int i = 0; i < engine::kLevelCount; ++i) {
            const auto* entry = child<QAction>(w.window, QStringLiteral("mnuDifficulty%1").arg(i));
            QCOMPARE(entry->isChecked(), i == index);
        }
        QVERIFY(!w.cell("One1")->isVisible());
    }

    void recordEntriesViewAndResetTheFiles()
    {
        OpenWindow w;
        QVERIFY(w.ready());
        BoxCloser boxes(w);

        w.trigger("mnuFastestBeginner");
        QCOMPARE(boxes.titles(), QStringList{"Fastest Beginner Time"});
        QCOMPARE(boxes.boxes.last().text,
                 QStringLiteral("No Fastest Beginner Time has been Established."));
        QCOMPARE(w.file("Begin.txt"), QByteArray("\"11\"\r\n"));
        QCOMPARE(w.file("Interm.txt"), QByteArray("<missing>"));

        // A hand-edited file is shown as the bytes it holds: no markup, Latin-1 characters.
        w.writeFile("Advance.txt", "<b>9</b>\xE9\r\n");
        w.trigger("mnuFastestAdvanced");
        QCOMPARE(boxes.boxes.last().title, QStringLiteral("Fastest Advanced Time"));
        QCOMPARE(boxes.boxes.last().text,
                 QStringLiteral("The Fastest Advanced Time is <b>9</b>") + QChar(0xE9));
        QVERIFY(boxes.boxes.last().plainOkOnly);

        w.trigger("mnuReset");
        QCOMPARE(boxes.boxes.size(), 2); // reset says nothing when it works
        for (const char* name : {"Begin.txt", "Interm.txt", "Advance.txt"}) {
            QCOMPARE(w.file(name), QByteArray("\"11\"\r\n"));
        }

        w.window.setProgramDirectory(toPath(w.dir.filePath("no such directory")));
        w.trigger("mnuReset");
        QCOMPARE(boxes.titles().last(), QStringLiteral("Tintwise"));
        QCOMPARE(boxes.boxes.last().text, QStringLiteral("The fastest times could not be reset."));
    }
};

// --- the keyboard, the look and the ways out ---

class WindowTest : public QObject
{
    Q_OBJECT

private slots:
    void keysReachTheButtons_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("key");
        QTest::newRow("Correct? on Return") << "CmdCorrect" << int(Qt::Key_Return);
        QTest::newRow("Correct? on Enter") << "CmdCorrect" << int(Qt::Key_Enter);
        QTest::newRow("Correct? on Space") << "CmdCorrect" << int(Qt::Key_Space);
        QTest::newRow("palette on Return") << "Cmd5" << int(Qt::Key_Return);
    }

    void keysReachTheButtons()
    {
        QFETCH(QString, button);
        QFETCH(int, key);
        OpenWindow w;
        QVERIFY(w.ready());
        // Start has the focus at first, and Tab runs Start, Correct?, Exit.
        QCOMPARE(QApplication::focusWidget(), child(w.window, "CmdStart"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), child(w.window, "CmdCorrect"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), child(w.window, "Command1"));

        child(w.window, button)->setFocus();
        QTest::keyClick(child(w.window, button), Qt::Key(key));
        if (button == QLatin1String("CmdCorrect")) {
            QVERIFY(w.cell("One1")->isVisible());
        } else {
            QCOMPARE(w.window.form().CurrentColour(), engine::QBColor(5));
        }
    }

    void shortcutsWorkWhileABoardCellHasTheFocus_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Ctrl+S starts a game") << int(Qt::Key_S);
        QTest::newRow("Ctrl+H asks for the rules") << int(Qt::Key_H);
        QTest::newRow("Ctrl+X ends the program") << int(Qt::Key_X);
    }

    void shortcutsWorkWhileABoardCellHasTheFocus()
    {
        QFETCH(int, key);
        OpenWindow w;
        QVERIFY(w.ready());
        QSignalSpy howTo(&w.window, &MainWindow::howToPlayRequested);
        w.paint(1);
        QCOMPARE(QApplication::focusWidget(), w.cell("TA1"));

        QTest::keyClick(w.cell("TA1"), Qt::Key(key), Qt::ControlModifier);

        QCOMPARE(w.cell("TA1")->colour() == engine::kWhite, key == Qt::Key_S);
        QCOMPARE(howTo.count(), key == Qt::Key_H ? 1 : 0);
        QCOMPARE(w.ended, key == Qt::Key_X ? 1 : 0);
    }

    void everyWayOutEndsTheProgramWithoutAQuestion_data()
    {
        QTest::addColumn<QString>("way");
        QTest::newRow("Exit button") << "Command1";
        QTest::newRow("File > Exit") << "mnuFileExit";
        QTest::newRow("closing the window") << "close";
    }

    void everyWayOutEndsTheProgramWithoutAQuestion()
    {
        QFETCH(QString, way);
        OpenWindow w;
        QVERIFY(w.ready());
        BoxCloser boxes(w);
        if (way == QLatin1String("Command1")) {
            click(child(w.window, way));
        } else if (way == QLatin1String("mnuFileExit")) {
            w.trigger(way);
        } else {
            QVERIFY(w.window.close());
        }
        QCOMPARE(w.ended, 1);
        QVERIFY(boxes.boxes.isEmpty());
    }

    void controlsKeepTheirPlaceInLogicalPixels()
    {
        OpenWindow w;
        QVERIFY(w.ready());
        QWidget* client = w.window.centralWidget();
        QCOMPARE(client->size(), QSize(490, 471));
        QCOMPARE(client->y(), w.window.menuBar()->geometry().bottom() + 1);
        const QPoint offCentre =
            w.window.frameGeometry().center() - w.window.screen()->availableGeometry().center();
        QVERIFY(offCentre.manhattanLength() <= 2);

        const QList<QPair<const char*, QRect>> sample = {
            {"CmdStart", {400, 8, 81, 33}}, {"Cmd14", {8, 416, 25, 25}},
            {"TA1", {64, 80, 25, 27}},      {"T3", {160, 24, 25, 25}},
            {"Nine1", {64, 120, 25, 27}},   {"OneOop", {320, 440, 25, 25}},
        };
        for (int pass = 0; pass < 2; ++pass) {
            for (const auto& [name, rect] : sample) {
                QCOMPARE(child(w.window, name)->geometry(), rect);
            }
            w.window.resize(300, 200); // resizing clips or adds background, moves nothing
        }

        // The headings show their whole text and end above the active row.
        for (const char* name : {"Label1", "Label2"}) {
            auto* label = child<QLabel>(w.window, name);
            const QRect needed =
                label->fontMetrics().boundingRect(label->rect(), Qt::TextWordWrap, label->text());
            QVERIFY(label->rect().contains(needed));
            QVERIFY(label->geometry().bottom() < 80);
        }

        QVERIFY(w.window.windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(!(w.window.windowFlags() & Qt::WindowMaximizeButtonHint));
    }

    void paletteFacesShowTheirColourOnEveryStyle_data()
    {
        QTest::addColumn<QString>("style");
        for (const QString& key : QStyleFactory::keys()) {
            QTest::newRow(qPrintable(key)) << key;
        }
    }

    void paletteFacesShowTheirColourOnEveryStyle()
    {
        QFETCH(QString, style);
        const QString previous = QApplication::style()->name();
        QApplication::setStyle(style);
        {
            OpenWindow w;
            QVERIFY(w.ready());
            w.trigger("mnuDifficulty2");
            QCOMPARE(centreOf(child(w.window, "Cmd12")), QColor(255, 0, 0));
            QCOMPARE(centreOf(child(w.window, "Cmd9")), QColor(0, 0, 255));
            QCOMPARE(centreOf(child(w.window, "Cmd3")), QColor(0, 128, 128));
        }
        QApplication::setStyle(previous);
    }

    void cursorIsTheDiscOfThePickedColour()
    {
        OpenWindow w;
        QVERIFY(w.ready());
        auto discCentre = [&] {
            const QPixmap disc = w.window.cursor().pixmap();
            return disc.toImage().pixelColor(QPoint(16, 16) * disc.devicePixelRatio());
        };
        QCOMPARE(w.window.cursor().hotSpot(), QPoint(16, 16));
        // Sharp on the window's screen: each image pixel a whole number of device pixels.
        QCOMPARE(w.window.cursor().pixmap().devicePixelRatio(),
                 std::ceil(w.window.devicePixelRatioF()));
        QCOMPARE(discCentre(), QColor(0, 0, 0));
        w.pick(12);
        QCOMPARE(discCentre(), QColor(255, 0, 0));

        for (int scale : {1, 2}) {
            const QImage image = tintwise::ui::discPixmap(engine::QBColor(10), scale).toImage();
            QCOMPARE(image.size(), QSize(32, 32) * scale);
            for (int y = 0; y < 32 * scale; ++y) {
                const int halfWidth = tintwise::ui::discHalfWidth(y / scale);
                for (int x = 0; x < 32 * scale; ++x) {
                    const bool opaque = std::abs(2 * (x / scale) - 31) < 2 * halfWidth;
                    QCOMPARE(image.pixelColor(x, y),
                             opaque ? QColor(0, 255, 0) : QColor(Qt::transparent));
                }
            }
        }
        QCOMPARE(tintwise::ui::discHalfWidth(2), 0);
        QCOMPARE(tintwise::ui::discHalfWidth(28), 1);
        QCOMPARE(tintwise::ui::discHalfWidth(16), 13);
    }

    void screenReadersHearNamesColoursAndCounts()
    {
        OpenWindow w;
        QVERIFY(w.ready());
        auto spoken = [&](const char* name, QAccessible::Text text) {
            return QAccessible::queryAccessibleInterface(child(w.window, name))->text(text);
        };
        QCOMPARE(spoken("TA1", QAccessible::Name), QStringLiteral("Guess cell 1"));
        QCOMPARE(spoken("ThreeOop", QAccessible::Name),
                 QStringLiteral("History row 3, Out of Place"));
        QCOMPARE(spoken("Cmd4", QAccessible::Name), QStringLiteral("Red"));
        QVERIFY(child(w.window, "Cmd4")->toolTip().isEmpty());

        QCOMPARE(spoken("TA1", QAccessible::Value), QStringLiteral("Empty"));
        w.pick(4);
        w.paint(1);
        w.correct();
        QCOMPARE(spoken("One1", QAccessible::Value), QStringLiteral("Red"));
        QCOMPARE(spoken("OneC", QAccessible::Value), w.cell("OneC")->text());
        QVERIFY(!spoken("OneC", QAccessible::Value).isEmpty());
    }
};

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    PlayTest play;
    WindowTest window;
    const int failed = QTest::qExec(&play, argc, argv) + QTest::qExec(&window, argc, argv);
    return failed == 0 ? 0 : 1;
}

#include "tst_mainwindow.moc"
