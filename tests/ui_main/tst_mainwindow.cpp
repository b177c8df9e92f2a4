// tst_mainwindow.cpp: plays the main window offscreen with the mouse and the keyboard.
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <ui/main/colours.h>
#include <ui/main/cursors.h>
#include <ui/main/mainwindow.h>

using namespace tintwise;

namespace {

template <typename T = QWidget> T* child(const QObject& parent, const QString& name)
{
    T* found = parent.findChild<T*>(name);
    if (found == nullptr) {
        qFatal("no child named %s", qPrintable(name));
    }
    return found;
}

QColor centreOf(QWidget* widget)
{
    const QImage image = widget->grab().toImage();
    return image.pixelColor(widget->rect().center() * image.devicePixelRatio());
}

void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }

// The cursor image's pixel at a logical position, whatever the device pixel ratio.
QColor cursorPixel(const QWidget& window, QPoint logical)
{
    const QImage image = window.cursor().pixmap().toImage();
    return image.pixelColor(logical * image.devicePixelRatio());
}

// A main window on a temporary program directory, shown and active, whose "end the program"
// only counts. Every modal box is noted and closed soon after it opens; a box that never
// opens is only missing from the notes, so a test fails on it instead of waiting.
struct OpenWindow
{
    QTemporaryDir dir;
    ui::MainWindow window;
    int ended = 0;
    QStringList boxes; // titles, marked when not plain and with what showed behind them
    QStringList texts;
    QTimer boxCloser;

    OpenWindow()
    {
        window.setProgramDirectory(QFile::encodeName(dir.path()).toStdString());
        window.setEndProgram([this] { ++ended; });
        QObject::connect(&boxCloser, &QTimer::timeout, [this] { closeBox(); });
        boxCloser.start(5);
        window.show();
        window.activateWindow();
    }

    bool ready() { return dir.isValid() && QTest::qWaitForWindowActive(&window); }
    ui::BoardCell* cell(const QString& name) const { return child<ui::BoardCell>(window, name); }
    void pick(int k) { click(child(window, QStringLiteral("Cmd%1").arg(k))); }
    void paint(int n) { click(cell(QStringLiteral("TA%1").arg(n))); }
    void correct() { click(child(window, QStringLiteral("CmdCorrect"))); }
    void trigger(const QString& action) { child<QAction>(window, action)->trigger(); }

    QString spoken(const QString& name) const
    {
        return QAccessible::queryAccessibleInterface(child(window, name))->text(QAccessible::Name);
    }

    // A box's text as the screen reader's bridge reads it: a read-only text's whole text.
    QString shown(const QString& name) const
    {
        QAccessibleInterface* box = QAccessible::queryAccessibleInterface(cell(name));
        QAccessibleTextInterface* text = box->textInterface();
        if (text == nullptr || box->role() != QAccessible::EditableText || !box->state().readOnly) {
            return QStringLiteral("<not a read-only text>");
        }
        return text->text(0, text->characterCount());
    }

    QList<int> checkedLevels() const
    {
        QList<int> checked;
        for (int i = 0; i < engine::kLevelCount; ++i) {
            if (child<QAction>(window, QStringLiteral("mnuDifficulty%1").arg(i))->isChecked()) {
                checked << i;
            }
        }
        return checked;
    }

    void closeBox()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) {
            return;
        }
        QString seen = QStringLiteral("not a message box");
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            const bool plain = box->textFormat() == Qt::PlainText &&
                               box->icon() == QMessageBox::NoIcon &&
                               box->standardButtons() == QMessageBox::Ok;
            // The secret counts as drawn when its first cell shows in the secret's colour, to
            // the eye and to a screen reader.
            ui::BoardCell* t1 = cell(QStringLiteral("T1"));
            const engine::ColourValue first = window.board().secret.cells[0];
            const bool secret =
                t1->isVisible() && centreOf(t1) == ui::toQColor(first) &&
                shown("T1") == QString::fromStdString(
                                   std::string(engine::colourName(engine::colourIndexOf(first))));
            seen = box->windowTitle() + (plain ? "" : " [not plain]") +
                   (secret ? " [secret drawn]" : "") +
                   (cell(QStringLiteral("TxtRight"))->text().isEmpty() ? "" : " [counts shown]");
            texts << box->text();
        }
        boxes << seen;
        modal->close();
    }
};

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void finishedGamesAreDrawnBehindAPlainBox()
    {
        OpenWindow w;
        QVERIFY(w.ready());
        w.pick(4);
        w.paint(1);
        w.correct(); // a wrong guess: row One shows it, to the eye and to a screen reader
        QVERIFY(w.cell("One1")->isVisible());
        QCOMPARE(centreOf(w.cell("One1")), QColor(128, 0, 0));
        const QString count = QString::fromStdString(w.window.board().rows[0].correct);
        // The hidden secret gives nothing away.
        const QStringList texts = {w.shown("One1"), w.shown("One2"),     w.shown("OneC"),
                                   w.shown("TA1"),  w.shown("TxtRight"), w.shown("T1")};
        QCOMPARE(texts, (QStringList{"Red", "Empty", count, "Empty", "", ""}));
        QCOMPARE(w.window.focusWidget(), w.cell("TA1"));

        for (int guess = 2; guess <= 9; ++guess) {
            w.correct();
        }
        QVERIFY(w.cell("Nine1")->isVisible());
        w.correct(); // the tenth wrong guess loses
        QCOMPARE(w.boxes, QStringList{"Game Over! [secret drawn] [counts shown]"});
        QCOMPARE(w.window.focusWidget(), child(w.window, "CmdStart"));
        QTRY_COMPARE(QApplication::activeWindow(), &w.window); // the keyboard is back

        click(child(w.window, "CmdStart"));
        QVERIFY(!w.cell("T1")->isVisible());
        for (int i = 0; i < engine::kCodeLength; ++i) {
            w.pick(engine::colourIndexOf(w.window.board().secret.cells[std::size_t(i)]));
            w.paint(i + 1);
        }
        w.correct(); // a win on the first guess, whose counts are written after the box
        QCOMPARE(w.boxes.last(), QStringLiteral("Fastest Time [secret drawn]"));
        QCOMPARE(w.cell("TxtRight")->text(), QStringLiteral("4"));
    }

    void levelEntriesSetPaletteAndCheckMarkAndKeepThePick_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("colours");
        QTest::newRow("Beginner") << 0 << 7;
        QTest::newRow("Intermediate") << 1 << 11;
        QTest::newRow("Advanced, already checked") << 2 << 15;
    }

    void levelEntriesSetPaletteAndCheckMarkAndKeepThePick()
    {
        QFETCH(int, index);
        QFETCH(int, colours);
        OpenWindow w;
        QVERIFY(w.ready());
        QCOMPARE(w.checkedLevels(), QList<int>{1}); // Intermediate, alone
        // The cursor is the disc of the picked colour, black at first, with its middle at the
        // hot spot and a transparent corner.
        QCOMPARE(w.window.cursor().hotSpot(), QPoint(16, 16));
        QCOMPARE(cursorPixel(w.window, {16, 16}), QColor(0, 0, 0));
        QCOMPARE(cursorPixel(w.window, {0, 0}).alpha(), 0);
        w.paint(1); // nothing picked yet: black
        QCOMPARE(centreOf(w.cell("TA1")), QColor(0, 0, 0));
        w.trigger("mnuDifficulty2");
        w.pick(14); // Light Yellow, only on the Advanced palette
        QCOMPARE(cursorPixel(w.window, {16, 16}), QColor(255, 255, 0));
        w.correct();

        w.trigger(QStringLiteral("mnuDifficulty%1").arg(index));
        for (int k = 0; k < engine::kPaletteButtonCount; ++k) {
            QCOMPARE(child(w.window, QStringLiteral("Cmd%1").arg(k))->isVisible(), k < colours);
        }
        QCOMPARE(w.checkedLevels(), QList<int>{index});
        QVERIFY(!w.cell("One1")->isVisible());

        click(child(w.window, "CmdStart"));
        w.paint(3); // the pick outlives both; swapped bytes would give light cyan
        QCOMPARE(centreOf(w.cell("TA3")), QColor(255, 255, 0));
    }

    void recordEntriesReadAndResetTheFilesOfTheProgramDirectory()
    {
        OpenWindow w;
        QVERIFY(w.ready());
        // A hand-edited line is shown as the bytes it holds: no markup, Latin-1 characters.
        QFile edited(w.dir.filePath("Advance.txt"));
        QVERIFY(edited.open(QIODevice::WriteOnly));
        edited.write("<b>9</b>\xE9\r\n");
        edited.close();
        for (const char* entry : {"mnuFastestBeginner", "mnuFastestInterm", "mnuFastestAdvanced"}) {
            w.trigger(entry);
        }
        QCOMPARE(w.boxes, (QStringList{"Fastest Beginner Time", "Fastest Intermediate Time",
                                       "Fastest Advanced Time"}));
        QCOMPARE(w.texts.value(2),
                 QStringLiteral("The Fastest Advanced Time is <b>9</b>") + QChar(0xE9));

        w.trigger("mnuReset"); // says nothing when it works
        QCOMPARE(w.boxes.size(), 3);
        QVERIFY(edited.open(QIODevice::ReadOnly));
        QCOMPARE(edited.readAll(), QByteArray("\"11\"\r\n"));
    }

    void keysReachTheirHandlers_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("effect");
        auto row = [](const char* keys, const char* focus, const char* effect) {
            QTest::addRow("%s on %s", keys, focus) << focus << QKeySequence(keys) << effect;
        };
        row("Return", "CmdCorrect", "guess");
        row("Enter", "CmdCorrect", "guess");
        row("Space", "CmdCorrect", "guess");
        row("Return", "Cmd5", "pick");
        row("Space", "Command1", "end");
        // A focused guess cell is painted from the keyboard as by a click.
        row("Space", "TA2", "paint");
        row("Return", "TA2", "paint");
        row("Enter", "TA2", "paint");
        // Shortcuts must work while a board cell, which takes the focus, has it.
        row("Ctrl+S", "TA1", "new game");
        row("Ctrl+H", "TA1", "rules");
        row("Ctrl+X", "TA1", "end");
    }

    void keysReachTheirHandlers()
    {
        QFETCH(QString, focus);
        QFETCH(QKeySequence, keys);
        QFETCH(QString, effect);
        OpenWindow w;
        QVERIFY(w.ready());
        QSignalSpy rules(&w.window, &ui::MainWindow::howToPlayRequested);
        // Start has the focus at first, and Tab runs Start, Correct?, Exit.
        for (const char* name : {"CmdStart", "CmdCorrect", "Command1"}) {
            QCOMPARE(QApplication::focusWidget(), child(w.window, name));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        w.paint(1); // a clicked cell takes the focus
        QCOMPARE(QApplication::focusWidget(), w.cell("TA1"));
        w.correct(); // row One in use

        child(w.window, focus)->setFocus();
        QTest::keySequence(QApplication::focusWidget(), keys);
        QStringList effects = {w.cell("TA2")->colour() != engine::kWhite ? "paint" : "",
                               w.cell("Two1")->isVisible() ? "guess" : "",
                               w.window.form().CurrentColour() ? "pick" : "",
                               w.cell("One1")->isHidden() ? "new game" : "",
                               rules.count() == 1 ? "rules" : "",
                               w.ended == 1 ? "end" : ""};
        effects.removeAll(QString());
        QCOMPARE(effects, QStringList{effect});

        // Closing the window is a way out too, and the program is ended once.
        QVERIFY(w.window.close());
        QCOMPARE(w.ended, 1);
        QVERIFY(w.boxes.isEmpty());
    }

    void theBoardLooksTheSameOnEveryStyle_data()
    {
        QTest::addColumn<QString>("style");
        for (const QString& key : QStyleFactory::keys()) {
            QTest::newRow(qPrintable(key)) << key;
        }
    }

    void theBoardLooksTheSameOnEveryStyle()
    {
        QFETCH(QString, style);
        const QString previous = QApplication::style()->name();
        QApplication::setStyle(style);
        OpenWindow w;
        QVERIFY(w.ready());
        QCOMPARE(w.window.centralWidget()->size(), QSize(490, 471));
        const QList<std::tuple<QString, QRect, QString>> sample = {
            {"CmdStart", {400, 8, 81, 33}, "Start"},
            {"Cmd14", {8, 416, 25, 25}, "Light Yellow"},
            {"TA1", {64, 80, 25, 27}, "Guess cell 1"},
            {"T3", {160, 24, 25, 25}, "Secret cell 3"},
            {"Nine1", {64, 120, 25, 27}, "History row 9, cell 1"},
            {"OneOop", {320, 440, 25, 25}, "History row 1, Out of Place"},
        };
        for (int pass = 0; pass < 2; ++pass) {
            for (const auto& [name, rect, spoken] : sample) {
                QCOMPARE(child(w.window, name)->geometry(), rect);
                QCOMPARE(w.spoken(name), spoken);
            }
            w.window.resize(300, 200); // resizing clips or adds background, moves nothing
        }

        // The headings show their whole text and end above the active row.
        for (const char* name : {"Label1", "Label2"}) {
            auto* label = child<QLabel>(w.window, name);
            QVERIFY(label->rect().contains(
                label->fontMetrics().boundingRect(label->rect(), Qt::TextWordWrap, label->text())));
            QVERIFY(label->geometry().bottom() < 80);
        }

        // A palette button's face is its colour, whatever the style would draw.
        w.trigger("mnuDifficulty2");
        QCOMPARE(centreOf(child(w.window, "Cmd12")), QColor(255, 0, 0));
        QApplication::setStyle(previous);
    }

    void theCursorDiscKeepsItsShapeAtAnyScale()
    {
        // A fractional pixel ratio rounds up to whole device pixels per image pixel.
        const QImage disc = ui::discPixmap(engine::QBColor(10), 1).toImage();
        QImage twice = ui::discCursor(10, 1.5).pixmap().toImage();
        twice.setDevicePixelRatio(1);
        QCOMPARE(twice, disc.scaled(64, 64));
        // Row 16 is the widest, columns 3 to 28; rows 0 to 2 are empty.
        QCOMPARE(disc.pixelColor(3, 16), QColor(0, 255, 0));
        QCOMPARE(disc.pixelColor(29, 16), QColor(Qt::transparent));
        QCOMPARE(disc.pixelColor(16, 2), QColor(Qt::transparent));
    }
};

QTEST_MAIN(MainWindowTest)

#include "tst_mainwindow.moc"
