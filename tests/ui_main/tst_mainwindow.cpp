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
#include <memory>
#include <ui/main/board_cell.h>
#include <ui/main/colours.h>
#include <ui/main/cursors.h>
#include <ui/main/mainwindow.h>

using tintwise::ui::BoardCell;
using tintwise::ui::MainWindow;
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

BoardCell* cell(const MainWindow& window, const QString& name)
{
    return child<BoardCell>(window, name);
}

QColor centrePixel(QWidget* widget)
{
    const QImage image = widget->grab().toImage();
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
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
        window.setProgramDirectory(
            std::filesystem::path(QFile::encodeName(dir.path()).toStdString()));
        window.setEndProgram([this] { ++ended; });
        window.show();
        window.activateWindow();
    }

    bool ready() { return dir.isValid() && QTest::qWaitForWindowActive(&window); }
    QString file(const QString& name) const { return dir.filePath(name); }

    void pick(int k) { click(child<QPushButton>(window, QStringLiteral("Cmd%1").arg(k))); }
    void paint(int n) { click(cell(window, QStringLiteral("TA%1").arg(n))); }
    void correct() { click(child<QPushButton>(window, QStringLiteral("CmdCorrect"))); }
    void trigger(const char* action) { child<QAction>(window, QLatin1String(action))->trigger(); }

    // Paints the guess row with the secret, picking each colour on the palette.
    void paintSecret()
    {
        for (int i = 0; i < engine::kCodeLength; ++i) {
            pick(engine::colourIndexOf(window.board().secret.cells[std::size_t(i)]));
            paint(i + 1);
        }
    }
};

// What a message box said, and what the board showed behind it while it was open.
struct SeenBox
{
    QString title;
    QString text;
    bool plainOkOnly = false;
    bool secretShown = false;
    QString txtRight;
    QColor t1Drawn;
};

// Closes every modal box soon after it opens and notes it. A box that never opens is simply
// missing from the notes, so a test fails on it instead of waiting.
class BoxCloser : public QObject
{
public:
    explicit BoxCloser(MainWindow& window) : m_window(window)
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
        if (box == nullptr) {
            SeenBox other;
            other.title = QStringLiteral("<not a message box>");
            boxes.append(other);
            modal->close();
            return;
        }
        SeenBox seen;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.plainOkOnly = box->textFormat() == Qt::PlainText &&
                           box->icon() == QMessageBox::NoIcon &&
                           box->standardButtons() == QMessageBox::Ok;
        BoardCell* t1 = cell(m_window, QStringLiteral("T1"));
        seen.secretShown = t1->isVisible();
        seen.txtRight = cell(m_window, QStringLiteral("TxtRight"))->text();
        const QImage board = m_window.centralWidget()->grab().toImage();
        seen.t1Drawn = board.pixelColor(t1->geometry().center() * board.devicePixelRatio());
        boxes.append(seen);
        box->button(QMessageBox::Ok)->click();
    }

    MainWindow& m_window;
    QTimer m_timer;
};

} // namespace

// --- a whole game with the mouse ---

class GameTest : public QObject
{
    Q_OBJECT

private slots:
    void winningGuessShowsTheSecretBehindTheBoxAndTheCountsAfterIt()
    {
        OpenWindow w;
        QVERIFY(w.ready());
        BoxCloser boxes(w.window);

        w.correct(); // an empty row is a wrong guess: it goes to row One
        QVERIFY(cell(w.window, "One1")->isVisible());
        QCOMPARE(cell(w.window, "OneC")->text(), QStringLiteral("0"));
        QCOMPARE(cell(w.window, "TxtRight")->text(), QString());
        QCOMPARE(w.window.focusWidget(), cell(w.window, "TA1"));

        w.paintSecret();
        w.correct();
        QCOMPARE(boxes.titles(), QStringList{"Fastest Time"});
        const SeenBox record = boxes.boxes.first();
        QCOMPARE(
            record.text,
            QStringLiteral("Congratulations! You Have the New Fastest Intermediate Time of 2"));
        QVERIFY(record.plainOkOnly);
        QVERIFY(record.secretShown);
        QCOMPARE(record.t1Drawn, tintwise::ui::toQColor(w.window.board().secret.cells[0]));
        QCOMPARE(record.txtRight, QString()); // the counts come after the box
        QCOMPARE(cell(w.window, "TxtRight")->text(), QStringLiteral("4"));
        QCOMPARE(cell(w.window, "TxtOop")->text(), QStringLiteral("0"));
        QVERIFY(!cell(w.window, "Two1")->isVisible());
        QCOMPARE(readFile(w.file("Interm.txt")), QByteArray("\"2\"\r\n"));

        w.correct(); // a game already won is scored again but not won again
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(cell(w.window, "TxtRight")->text(), QStringLiteral("4"));

        click(child<QPushButton>(w.window, "CmdStart"));
        QVERIFY(!cell(w.window, "T1")->isVisible());
        QVERIFY(!cell(w.window, "One1")->isVisible());
        QCOMPARE(cell(w.window, "TxtRight")->text(), QString());

        // A slower win than the record: congratulations, and the file stays as it is.
        w.correct();
        w.correct();
        w.paintSecret();
        w.correct();
        QCOMPARE(boxes.titles(), (QStringList{"Fastest Time", "Winner!"}));
        QCOMPARE(boxes.boxes.last().text,
                 QStringLiteral("Congratulations!  You Win!  To Play Again, Push Start."));
        QCOMPARE(readFile(w.file("Interm.txt")), QByteArray("\"2\"\r\n"));
    }

    void tenthWrongGuessLosesAndShowsTheSecret()
    {
        OpenWindow w;
        QVERIFY(w.ready());
        BoxCloser boxes(w.window);

        for (int guess = 1; guess <= 9; ++guess) {
            w.correct();
        }
        QVERIFY(boxes.boxes.isEmpty());
        QVERIFY(cell(w.window, "Nine1")->isVisible());
        QVERIFY(!cell(w.window, "T1")->isVisible());

        w.correct();
        QCOMPARE(boxes.titles(), QStringList{"Game Over!"});
        const SeenBox lost = boxes.boxes.first();
        QCOMPARE(lost.text, QStringLiteral("Sorry, You Lose!  To Play Again, Push Start."));
        QVERIFY(lost.plainOkOnly);
        QVERIFY(lost.secretShown);
        QCOMPARE(lost.t1Drawn, tintwise::ui::toQColor(w.window.board().secret.cells[0]));
        QCOMPARE(w.window.focusWidget(), child(w.window, "CmdStart"));
        QCOMPARE(cell(w.window, "TxtRight")->text(), QStringLiteral("0"));
        QVERIFY(!QFile::exists(w.file("Interm.txt")));
    }

    void cellsTakeThePickedColour()
    {
        OpenWindow w;
        QVERIFY(w.ready());
        BoardCell* ta[] = {cell(w.window, "TA1"), cell(w.window, "TA2"), cell(w.window, "TA3"),
                           cell(w.window, "TA4")};

        w.paint(2); // nothing picked yet: black
        QCOMPARE(ta[1]->colour(), engine::kBlack);
        QCOMPARE(centrePixel(ta[1]), QColor(0, 0, 0));

        w.pick(12);
        for (int n : {1, 3, 4}) {
            w.paint(n);
        }
        QCOMPARE(w.window.board().guess.cells, (engine::Code{0x0000FF, 0, 0x0000FF, 0x0000FF}));
        QCOMPARE(centrePixel(ta[0]), QColor(255, 0, 0)); // Light Red, not swapped to blue

        w.pick(9);
        w.paint(1);
        QCOMPARE(centrePixel(ta[0]), QColor(0, 0, 255));

        // Nothing else on the board reacts to a click.
        const engine::GameBoard before = w.window.board();
        for (const char* name : {"TxtRight", "TxtOop", "Label1", "Label2"}) {
            click(child(w.window, name));
        }
        QCOMPARE(w.window.board().guess.cells, before.guess.cells);
        QCOMPARE(w.window.board().guess.TxtRight, before.guess.TxtRight);
    }

    void pickSurvivesStartAndLevelChanges()
    {
        OpenWindow w;
        QVERIFY(w.ready());
        w.trigger("mnuDifficulty2");
        w.pick(14); // Light Yellow, only on the Advanced palette
        w.paint(1);
        click(child<QPushButton>(w.window, "CmdStart"));
        QCOMPARE(cell(w.window, "TA1")->colour(), engine::kWhite);
        w.trigger("mnuDifficulty0");
        QVERIFY(!child(w.window, "Cmd14")->isVisible());
        w.paint(3);
        QCOMPARE(cell(w.window, "TA3")->colour(), engine::QBColor(14));
        QCOMPARE(centrePixel(cell(w.window, "TA3")), QColor(255, 255, 0));
    }
};

// --- the File menu ---

class MenuTest : public QObject
{
    Q_OBJECT

private slots:
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

        w.trigger(qPrintable(QStringLiteral("mnuDifficulty%1").arg(index)));

        QCOMPARE(int(w.window.form().Dif()), colours);
        for (int k = 0; k < engine::kPaletteButtonCount; ++k) {
            QCOMPARE(child(w.window, QStringLiteral("Cmd%1").arg(k))->isVisible(), k < colours);
        }
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(
                child<QAction>(w.window, QStringLiteral("mnuDifficulty%1").arg(i))->isChecked(),
                i == index);
        }
        QVERIFY(!cell(w.window, "One1")->isVisible());
        QCOMPARE(cell(w.window, "TA1")->colour(), engine::kWhite);
    }

    void recordEntriesViewAndResetTheFiles()
    {
        OpenWindow w;
        QVERIFY(w.ready());
        BoxCloser boxes(w.window);

        w.trigger("mnuFastestBeginner");
        QCOMPARE(boxes.titles(), QStringList{"Fastest Beginner Time"});
        QCOMPARE(boxes.boxes.last().text,
                 QStringLiteral("No Fastest Beginner Time has been Established."));
        QCOMPARE(readFile(w.file("Begin.txt")), QByteArray("\"11\"\r\n"));
        QVERIFY(!QFile::exists(w.file("Interm.txt")));

        writeFile(w.file("Interm.txt"), "\"3\"\r\n");
        w.trigger("mnuFastestInterm");
        QCOMPARE(boxes.boxes.last().text, QStringLiteral("The Fastest Intermediate Time is \"3\""));

        // A hand-edited file is shown as the bytes it holds: no markup, Latin-1 characters.
        writeFile(w.file("Advance.txt"), "<b>9</b>\xE9\r\n");
        w.trigger("mnuFastestAdvanced");
        QCOMPARE(boxes.boxes.last().title, QStringLiteral("Fastest Advanced Time"));
        QCOMPARE(boxes.boxes.last().text,
                 QStringLiteral("The Fastest Advanced Time is <b>9</b>") + QChar(0xE9));
        QVERIFY(boxes.boxes.last().plainOkOnly);

        w.trigger("mnuReset");
        QCOMPARE(boxes.boxes.size(), 3); // reset says nothing when it works
        for (const char* name : {"Begin.txt", "Interm.txt", "Advance.txt"}) {
            QCOMPARE(readFile(w.file(name)), QByteArray("\"11\"\r\n"));
        }

        w.window.setProgramDirectory(
            std::filesystem::path(QFile::encodeName(w.file("no such directory")).toStdString()));
        w.trigger("mnuReset");
        QCOMPARE(boxes.titles().last(), QStringLiteral("Tintwise"));
        QCOMPARE(boxes.boxes.last().text, QStringLiteral("The fastest times could not be reset."));
    }
};

// --- the keyboard ---

class KeyboardTest : public QObject
{
    Q_OBJECT

private slots:
    void startHasTheFocusAndTabRunsThroughTheCommandButtons()
    {
        OpenWindow w;
        QVERIFY(w.ready());
        QCOMPARE(QApplication::focusWidget(), child(w.window, "CmdStart"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), child(w.window, "CmdCorrect"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), child(w.window, "Command1"));
    }

    void focusedButtonClicksOnKey_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("key");
        QTest::newRow("Correct? on Return") << "CmdCorrect" << int(Qt::Key_Return);
        QTest::newRow("Correct? on Enter") << "CmdCorrect" << int(Qt::Key_Enter);
        QTest::newRow("Correct? on Space") << "CmdCorrect" << int(Qt::Key_Space);
        QTest::newRow("palette on Return") << "Cmd5" << int(Qt::Key_Return);
    }

    void focusedButtonClicksOnKey()
    {
        QFETCH(QString, button);
        QFETCH(int, key);
        OpenWindow w;
        QVERIFY(w.ready());
        QWidget* focused = child(w.window, button);
        focused->setFocus();
        QTest::keyClick(focused, Qt::Key(key));
        if (button == QLatin1String("CmdCorrect")) {
            QVERIFY(cell(w.window, "One1")->isVisible());
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
        BoardCell* ta1 = cell(w.window, "TA1");
        QCOMPARE(QApplication::focusWidget(), ta1);

        QTest::keyClick(ta1, Qt::Key(key), Qt::ControlModifier);

        QCOMPARE(ta1->colour() == engine::kWhite, key == Qt::Key_S);
        QCOMPARE(howTo.count(), key == Qt::Key_H ? 1 : 0);
        QCOMPARE(w.ended, key == Qt::Key_X ? 1 : 0);
    }

    void everyWayOutEndsTheProgramAtOnce_data()
    {
        QTest::addColumn<QString>("way");
        QTest::newRow("Exit button") << "Command1";
        QTest::newRow("File > Exit") << "mnuFileExit";
        QTest::newRow("closing the window") << "close";
    }

    void everyWayOutEndsTheProgramAtOnce()
    {
        QFETCH(QString, way);
        OpenWindow w;
        QVERIFY(w.ready());
        BoxCloser boxes(w.window);
        if (way == QLatin1String("Command1")) {
            click(child(w.window, way));
        } else if (way == QLatin1String("mnuFileExit")) {
            w.trigger("mnuFileExit");
        } else {
            QVERIFY(w.window.close());
        }
        QCOMPARE(w.ended, 1);
        QVERIFY(boxes.boxes.isEmpty()); // no question asked
    }
};

// --- what the player sees ---

class LookTest : public QObject
{
    Q_OBJECT

private slots:
    void controlsKeepTheirPlaceInLogicalPixels()
    {
        OpenWindow w;
        QVERIFY(w.ready());
        QWidget* client = w.window.centralWidget();
        QCOMPARE(client->size(), QSize(490, 471));
        QCOMPARE(client->y(), w.window.menuBar()->geometry().bottom() + 1);

        const QList<QPair<const char*, QRect>> sample = {
            {"CmdStart", {400, 8, 81, 33}}, {"Cmd14", {8, 416, 25, 25}},
            {"TA1", {64, 80, 25, 27}},      {"TA4", {208, 80, 25, 25}},
            {"T3", {160, 24, 25, 25}},      {"Nine1", {64, 120, 25, 27}},
            {"OneOop", {320, 440, 25, 25}}, {"FiveC", {272, 280, 25, 25}},
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
            QVERIFY(label->width() >=
                        label->fontMetrics().horizontalAdvance(QStringLiteral("Correct")) ||
                    label->wordWrap());
            QVERIFY(label->height() >= label->heightForWidth(label->width()));
            QVERIFY(label->geometry().bottom() < 80);
        }

        const Qt::WindowFlags flags = w.window.windowFlags();
        QVERIFY(flags & Qt::WindowMinimizeButtonHint);
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QCOMPARE(w.window.windowTitle(), QStringLiteral("Tintwise"));
    }

    void opensCentredOnTheScreen()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QPoint offset =
            window.frameGeometry().center() - window.screen()->availableGeometry().center();
        QVERIFY2(offset.manhattanLength() <= 2,
                 qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
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
            QCOMPARE(centrePixel(child(w.window, "Cmd12")), QColor(255, 0, 0));
            QCOMPARE(centrePixel(child(w.window, "Cmd9")), QColor(0, 0, 255));
            QCOMPARE(centrePixel(child(w.window, "Cmd3")), QColor(0, 128, 128));
            QVERIFY(child(w.window, "Cmd12")->toolTip().isEmpty());
        }
        QApplication::setStyle(previous);
    }

    void cursorIsTheDiscOfThePickedColour()
    {
        OpenWindow w;
        QVERIFY(w.ready());
        auto discAt = [&](int x, int y) {
            const QPixmap disc = w.window.cursor().pixmap();
            return disc.toImage().pixelColor(QPoint(x, y) * disc.devicePixelRatio());
        };
        QCOMPARE(w.window.cursor().shape(), Qt::BitmapCursor);
        // Sharp on the window's screen: one image pixel per whole number of device pixels.
        QCOMPARE(w.window.cursor().pixmap().devicePixelRatio(),
                 std::ceil(w.window.devicePixelRatioF()));
        QCOMPARE(w.window.cursor().hotSpot(), QPoint(16, 16));
        QCOMPARE(discAt(16, 16), QColor(0, 0, 0));
        QCOMPARE(discAt(0, 0).alpha(), 0);

        w.pick(12);
        QCOMPARE(discAt(16, 16), QColor(255, 0, 0));
        w.trigger("mnuDifficulty0");
        QCOMPARE(discAt(16, 16), QColor(255, 0, 0));
    }

    void discImagesFollowTheRowRuleAtEveryScale_data()
    {
        QTest::addColumn<int>("scale");
        QTest::newRow("1x") << 1;
        QTest::newRow("2x") << 2;
    }

    void discImagesFollowTheRowRuleAtEveryScale()
    {
        QFETCH(int, scale);
        const QPixmap pixmap = tintwise::ui::discPixmap(engine::QBColor(10), scale);
        QCOMPARE(pixmap.deviceIndependentSize(), QSizeF(32, 32));
        const QImage image = pixmap.toImage();
        for (int y = 0; y < 32; ++y) {
            const int w = tintwise::ui::discHalfWidth(y);
            for (int x = 0; x < 32; ++x) {
                const bool opaque = x >= 16 - w && x <= 15 + w;
                for (int d = 0; d < scale * scale; ++d) {
                    const QColor pixel =
                        image.pixelColor(x * scale + d % scale, y * scale + d / scale);
                    QCOMPARE(pixel.alpha(), opaque ? 255 : 0);
                    if (opaque) {
                        QCOMPARE(pixel, QColor(0, 255, 0));
                    }
                }
            }
        }
        QCOMPARE(tintwise::ui::discHalfWidth(2), 0);
        QCOMPARE(tintwise::ui::discHalfWidth(3), 1);
        QCOMPARE(tintwise::ui::discHalfWidth(16), 13);
        QCOMPARE(tintwise::ui::discHalfWidth(28), 1);
    }

    void screenReadersHearNamesColoursAndCounts()
    {
        OpenWindow w;
        QVERIFY(w.ready());
        auto spoken = [&](const char* name, QAccessible::Text text) {
            return QAccessible::queryAccessibleInterface(child(w.window, name))->text(text);
        };
        QCOMPARE(spoken("TA1", QAccessible::Name), QStringLiteral("Guess cell 1"));
        QCOMPARE(spoken("T2", QAccessible::Name), QStringLiteral("Secret cell 2"));
        QCOMPARE(spoken("Three2", QAccessible::Name), QStringLiteral("History row 3, cell 2"));
        QCOMPARE(spoken("ThreeOop", QAccessible::Name),
                 QStringLiteral("History row 3, Out of Place"));
        QCOMPARE(spoken("Cmd12", QAccessible::Name), QStringLiteral("Light Red"));

        QCOMPARE(spoken("TA1", QAccessible::Value), QStringLiteral("Empty"));
        w.pick(12);
        w.paint(1);
        QCOMPARE(spoken("TA1", QAccessible::Value), QStringLiteral("Light Red"));
        w.correct();
        QCOMPARE(spoken("One1", QAccessible::Value), QStringLiteral("Light Red"));
        QCOMPARE(spoken("OneC", QAccessible::Value), cell(w.window, "OneC")->text());
        QVERIFY(!spoken("OneC", QAccessible::Value).isEmpty());
    }
};

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    int failed = 0;
    GameTest game;
    failed += QTest::qExec(&game, argc, argv);
    MenuTest menu;
    failed += QTest::qExec(&menu, argc, argv);
    KeyboardTest keyboard;
    failed += QTest::qExec(&keyboard, argc, argv);
    LookTest look;
    failed += QTest::qExec(&look, argc, argv);
    return failed == 0 ? 0 : 1;
}

#include "tst_mainwindow.moc"
