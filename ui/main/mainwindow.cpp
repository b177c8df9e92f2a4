// mainwindow.cpp: frmMain's controls, menus and handlers, drawn from the engine's board.
#include "mainwindow.h"

#include "announcer.h"
#include "colours.h"
#include "cursors.h"
#include "palette_button.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <cassert>
#include <engine/levels.h>
#include <engine/new_game.h>
#include <records/fastest_time_store.h>

namespace tintwise::ui {

namespace {

// Positions and sizes are kept in twips, as the board was designed, and turned into logical
// pixels at 15 twips a pixel; Qt's own scaling then fits them to the screen.
constexpr int kTwipsPerPixel = 15;

constexpr int px(int twips)
{
    assert(twips % kTwipsPerPixel == 0);
    return twips / kTwipsPerPixel;
}

void place(QWidget* widget, int left, int top, int width, int height)
{
    widget->setGeometry(px(left), px(top), px(width), px(height));
}

constexpr int kClientWidth = 7350;
constexpr int kClientHeight = 7065;
constexpr engine::ColourValue kBackground = 0xE0E0E0;
constexpr engine::ColourValue kHistoryCountBackground = 0xC0FFFF; // pale yellow

constexpr int kBoxSize = 375;
constexpr int kTallBoxHeight = 405; // TA1, TA2 and Nine1 reach a little lower
constexpr std::array<int, engine::kCodeLength> kCellLefts = {960, 1680, 2400, 3120};
constexpr int kCorrectLeft = 4080;
constexpr int kOutOfPlaceLeft = 4800;
constexpr int kSecretTop = 360;
constexpr int kActiveTop = 1200;

// History row One is at the bottom; each later row sits 600 twips higher.
constexpr int historyTop(int row) { return 6600 - 600 * row; }

QString latin1(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// The client area: the board is placed by hand, so it has a size of its own but no layout,
// and resizing the window moves nothing.
class ClientArea : public QWidget
{
public:
    using QWidget::QWidget;
    QSize sizeHint() const override { return {px(kClientWidth), px(kClientHeight)}; }
};

// The headings were sized for a narrower font than most desktops use. A heading whose text
// needs more room grows around its centre and upwards, so it still ends just above the
// active row and never clips its text.
void fitLabel(QLabel* label)
{
    const QRect designed = label->geometry();
    int width = designed.width();
    if (label->wordWrap()) {
        const QFontMetrics metrics = label->fontMetrics();
        for (const QString& word : label->text().split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            width = std::max(width, metrics.horizontalAdvance(word));
        }
    } else {
        width = std::max(width, label->sizeHint().width());
    }
    const int height = std::max(designed.height(), label->wordWrap() ? label->heightForWidth(width)
                                                                     : label->sizeHint().height());
    QRect fitted(0, 0, width, height);
    fitted.moveBottom(designed.bottom());
    fitted.moveLeft(designed.left() - (width - designed.width()) / 2);
    label->setGeometry(fitted);
}

} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), m_form(static_cast<engine::WindowEffects&>(*this)), m_endProgram([] {
          QApplication::closeAllWindows();
          QCoreApplication::quit();
      })
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Tintwise"));
    // Resizable and minimisable, but the fixed board has nothing to gain from maximising.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);

    createControls();
    createActions();
    m_announcer = new Announcer(centralWidget());
    resize(sizeHint());
    applyCursor();

    Form_Load();
    m_CmdStart->setFocus(Qt::OtherFocusReason);
}

MainWindow::~MainWindow() = default;

void MainWindow::setProgramDirectory(std::filesystem::path directory)
{
    m_programDirectory = std::move(directory);
}

void MainWindow::setEndProgram(std::function<void()> endProgram)
{
    m_endProgram = std::move(endProgram);
}

void MainWindow::createControls()
{
    auto* client = new ClientArea(this);
    client->setObjectName(QStringLiteral("clientArea"));
    QPalette background = client->palette();
    background.setColor(QPalette::Window, toQColor(kBackground));
    client->setPalette(background);
    client->setAutoFillBackground(true);
    setCentralWidget(client);

    // Created in focus order: the three command buttons first, then the palette and the board.
    struct CommandButton
    {
        QPushButton** member;
        const char* name;
        const char* caption;
        const char* toolTip;
        int top;
    };
    const CommandButton commands[] = {
        {&m_CmdStart, "CmdStart", QT_TR_NOOP("&Start"), QT_TR_NOOP("Click to Start A New Game"),
         120},
        {&m_CmdCorrect, "CmdCorrect", QT_TR_NOOP("&Correct?"),
         QT_TR_NOOP("Click to See If You Win"), 3240},
        {&m_Command1, "Command1", QT_TR_NOOP("E&xit"), QT_TR_NOOP("Click to Exit"), 6480},
    };
    for (const CommandButton& command : commands) {
        auto* button = new QPushButton(tr(command.caption), client);
        button->setObjectName(QLatin1String(command.name));
        button->setToolTip(tr(command.toolTip));
        // Enter clicks a focused button outside dialogs too.
        button->setAutoDefault(true);
        place(button, 6000, command.top, 1215, 495);
        *command.member = button;
    }
    connect(m_CmdStart, &QPushButton::clicked, this, &MainWindow::CmdStart_Click);
    connect(m_CmdCorrect, &QPushButton::clicked, this, &MainWindow::CmdCorrect_Click);
    connect(m_Command1, &QPushButton::clicked, this, &MainWindow::Command1_Click);

    for (int k = 0; k < engine::kPaletteButtonCount; ++k) {
        auto* button = new PaletteButton(toQColor(engine::QBColor(k)), client);
        button->setObjectName(QStringLiteral("Cmd%1").arg(k));
        button->setAccessibleName(latin1(engine::colourName(k)));
        button->setAutoDefault(true);
        place(button, 120, 1200 + 360 * k, kBoxSize, kBoxSize);
        button->hide();
        connect(button, &QPushButton::clicked, this, [this, k] { Cmd_Click(k); });
        m_Cmd[static_cast<std::size_t>(k)] = button;
    }

    auto makeBox = [client](BoardCell::Kind kind, const QString& name, const QString& spoken,
                            int left, int top, int height) {
        auto* box = new BoardCell(kind, client);
        box->setObjectName(name);
        box->setAccessibleName(spoken);
        place(box, left, top, kBoxSize, height);
        return box;
    };

    for (int i = 0; i < engine::kCodeLength; ++i) {
        const int n = i + 1;
        BoardCell* cell = makeBox(BoardCell::Kind::Cell, QStringLiteral("TA%1").arg(n),
                                  tr("Guess cell %1").arg(n), kCellLefts[std::size_t(i)],
                                  kActiveTop, n <= 2 ? kTallBoxHeight : kBoxSize);
        connect(cell, &BoardCell::clicked, this, [this, n] { TA_Click(n); });
        m_TA[std::size_t(i)] = cell;
    }
    m_TxtRight = makeBox(BoardCell::Kind::Count, QStringLiteral("TxtRight"), tr("Correct"),
                         kCorrectLeft, kActiveTop, kBoxSize);
    m_TxtOop = makeBox(BoardCell::Kind::Count, QStringLiteral("TxtOop"), tr("Out of Place"),
                       kOutOfPlaceLeft, kActiveTop, kBoxSize);

    for (int i = 0; i < engine::kCodeLength; ++i) {
        m_T[std::size_t(i)] = makeBox(BoardCell::Kind::Cell, QStringLiteral("T%1").arg(i + 1),
                                      tr("Secret cell %1").arg(i + 1), kCellLefts[std::size_t(i)],
                                      kSecretTop, kBoxSize);
        m_T[std::size_t(i)]->hide();
    }

    for (int r = 0; r < engine::kHistoryRows; ++r) {
        const QString word = QLatin1String(engine::kHistoryRowNames[std::size_t(r)]);
        const QString row = tr("History row %1").arg(r + 1);
        const int top = historyTop(r);
        HistoryRowWidgets& widgets = m_rows[std::size_t(r)];
        for (int i = 0; i < engine::kCodeLength; ++i) {
            const bool tall = r == engine::kHistoryRows - 1 && i == 0; // Nine1
            widgets.cells[std::size_t(i)] =
                makeBox(BoardCell::Kind::Cell, word + QString::number(i + 1),
                        tr("%1, cell %2").arg(row).arg(i + 1), kCellLefts[std::size_t(i)], top,
                        tall ? kTallBoxHeight : kBoxSize);
        }
        widgets.correct = makeBox(BoardCell::Kind::Count, word + QLatin1String("C"),
                                  tr("%1, Correct").arg(row), kCorrectLeft, top, kBoxSize);
        widgets.outOfPlace =
            makeBox(BoardCell::Kind::Count, word + QLatin1String("Oop"),
                    tr("%1, Out of Place").arg(row), kOutOfPlaceLeft, top, kBoxSize);
        widgets.correct->setBackground(toQColor(kHistoryCountBackground));
        widgets.outOfPlace->setBackground(toQColor(kHistoryCountBackground));
        for (BoardCell* cell : widgets.cells) {
            cell->hide();
        }
        widgets.correct->hide();
        widgets.outOfPlace->hide();
    }

    auto* label1 = new QLabel(tr("Correct"), client);
    label1->setObjectName(QStringLiteral("Label1"));
    place(label1, 3960, 840, 615, 255);
    fitLabel(label1);
    auto* label2 = new QLabel(tr("Out of Place"), client);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setWordWrap(true);
    place(label2, 4800, 720, 615, 375);
    fitLabel(label2);

    // A one-pixel rule under the menu bar in the frame colour, wider than the window.
    auto* line = new QWidget(client);
    line->setObjectName(QStringLiteral("Line1"));
    QPalette frame = line->palette();
    frame.setColor(QPalette::Window, frame.color(QPalette::Shadow));
    line->setPalette(frame);
    line->setAutoFillBackground(true);
    line->setGeometry(0, 0, px(8280), 1);

    setTabOrder(m_CmdStart, m_CmdCorrect);
    setTabOrder(m_CmdCorrect, m_Command1);
}

void MainWindow::createActions()
{
    QMenu* fileMenu = menuBar()->addMenu(tr("&File"));
    fileMenu->setObjectName(QStringLiteral("mnuFileMenu"));

    QAction* start = fileMenu->addAction(tr("&Start New Game"));
    start->setObjectName(QStringLiteral("mnuFileStart"));
    start->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(start, &QAction::triggered, this, &MainWindow::mnuFileStart_Click);

    // Checkable entries without an action group: the form clears all three marks and then
    // sets one, and a group would fight that.
    QMenu* difficulty = fileMenu->addMenu(tr("&Game Difficulty"));
    difficulty->setObjectName(QStringLiteral("mnuFileDifficulty"));
    const engine::LevelInfo* startLevel = engine::levelOfColourCount(engine::kStartDif);
    for (const engine::LevelInfo& level : engine::kLevels) {
        QAction* entry = difficulty->addAction(latin1(level.menuCaption));
        entry->setObjectName(QStringLiteral("mnuDifficulty%1").arg(level.menuIndex));
        entry->setCheckable(true);
        entry->setChecked(&level == startLevel);
        const int index = level.menuIndex;
        connect(entry, &QAction::triggered, this, [this, index] { mnuDifficulty_Click(index); });
        m_mnuDifficulty[std::size_t(index)] = entry;
    }

    QMenu* fastest = fileMenu->addMenu(tr("&View Fastest Times"));
    fastest->setObjectName(QStringLiteral("mnuFastest"));
    QAction* beginner = fastest->addAction(tr("B&eginner"));
    beginner->setObjectName(QStringLiteral("mnuFastestBeginner"));
    connect(beginner, &QAction::triggered, this, &MainWindow::mnuFastestBeginner_Click);
    QAction* interm = fastest->addAction(tr("I&ntermediate"));
    interm->setObjectName(QStringLiteral("mnuFastestInterm"));
    connect(interm, &QAction::triggered, this, &MainWindow::mnuFastestInterm_Click);
    QAction* advanced = fastest->addAction(tr("A&dvanced"));
    advanced->setObjectName(QStringLiteral("mnuFastestAdvanced"));
    connect(advanced, &QAction::triggered, this, &MainWindow::mnuFastestAdvanced_Click);

    QAction* reset = fileMenu->addAction(tr("&Reset Fastest Times"));
    reset->setObjectName(QStringLiteral("mnuReset"));
    connect(reset, &QAction::triggered, this, &MainWindow::mnuReset_Click);

    fileMenu->addSeparator()->setObjectName(QStringLiteral("mnuFilebar1"));

    QAction* exit = fileMenu->addAction(tr("E&xit"));
    exit->setObjectName(QStringLiteral("mnuFileExit"));
    exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    connect(exit, &QAction::triggered, this, &MainWindow::mnuFileExit_Click);

    QMenu* helpMenu = menuBar()->addMenu(tr("&Help"));
    helpMenu->setObjectName(QStringLiteral("mnuHelpMenu"));
    QAction* howTo = helpMenu->addAction(tr("How To &Play"));
    howTo->setObjectName(QStringLiteral("mnuHelpHowTo"));
    howTo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    connect(howTo, &QAction::triggered, this, &MainWindow::mnuHelpHowTo_Click);
}

void MainWindow::showEvent(QShowEvent* event)
{
    if (!m_centred) {
        m_centred = true;
        centreOnScreen();
        // The cursor image depends on the screen's pixel ratio: follow the window there.
        if (QWindow* handle = windowHandle()) {
            connect(handle, &QWindow::screenChanged, this, &MainWindow::applyCursor);
        }
        applyCursor();
    }
    QMainWindow::showEvent(event);
}

void MainWindow::centreOnScreen()
{
    const QScreen* target = screen();
    if (target == nullptr) {
        return;
    }
    const QRect available = target->availableGeometry();
    // Before the first show the frame is not known yet; the client size is close enough.
    const QSize outer = frameGeometry().size().expandedTo(size());
    move(available.center() - QPoint(outer.width() / 2, outer.height() / 2));
}

void MainWindow::applyCursor() { setCursor(discCursor(m_cursorColour, devicePixelRatioF())); }

void MainWindow::closeEvent(QCloseEvent* event)
{
    Form_QueryUnload();
    event->accept();
}

void MainWindow::refreshBoard()
{
    const engine::GameBoard& b = m_form.board();
    for (std::size_t i = 0; i < engine::kCodeLength; ++i) {
        m_T[i]->setColour(b.secret.cells[i]);
        m_T[i]->setVisible(b.secret.shown);
        m_TA[i]->setColour(b.guess.cells[i]);
    }
    m_TxtRight->setText(QString::fromStdString(b.guess.TxtRight));
    m_TxtOop->setText(QString::fromStdString(b.guess.TxtOop));
    for (std::size_t r = 0; r < engine::kHistoryRows; ++r) {
        const engine::HistoryRow& row = b.rows[r];
        HistoryRowWidgets& widgets = m_rows[r];
        for (std::size_t i = 0; i < engine::kCodeLength; ++i) {
            widgets.cells[i]->setColour(row.cells[i]);
            widgets.cells[i]->setVisible(row.shown);
        }
        widgets.correct->setText(QString::fromStdString(row.correct));
        widgets.outOfPlace->setText(QString::fromStdString(row.outOfPlace));
        widgets.correct->setVisible(row.shown);
        widgets.outOfPlace->setVisible(row.shown);
    }
}

// --- handlers ---

void MainWindow::Form_Load()
{
    m_form.Form_Load();
    refreshBoard();
}

void MainWindow::Form_QueryUnload()
{
    // Ending closes every window, this one included, which comes back here: once is enough.
    if (m_ending) {
        return;
    }
    m_ending = true;
    m_endProgram();
}

void MainWindow::CmdStart_Click()
{
    m_form.CmdStart_Click();
    refreshBoard();
}

void MainWindow::CmdCorrect_Click()
{
    m_narration.scoring();
    m_form.CmdCorrect_Click();
    refreshBoard();
    m_announcer->say(QString::fromStdString(m_narration.scored(board())));
}

void MainWindow::Command1_Click() { Form_QueryUnload(); }

void MainWindow::Cmd_Click(int k)
{
    m_form.Cmd_Click(k);
    refreshBoard();
    for (std::size_t i = 0; i < m_Cmd.size(); ++i) {
        m_Cmd[i]->setPicked(m_form.CurrentColour() == engine::QBColor(int(i)));
    }
    m_announcer->say(QString::fromStdString(pickedText(k)));
}

void MainWindow::TA_Click(int n)
{
    m_form.TA_Click(n);
    refreshBoard();
    m_announcer->say(QString::fromStdString(paintedText(n, board().guess.cells[std::size_t(n - 1)])));
}

void MainWindow::mnuFileStart_Click()
{
    m_form.mnuFileStart_Click();
    refreshBoard();
}

void MainWindow::mnuDifficulty_Click(int index)
{
    m_form.mnuDifficulty_Click(index);
    refreshBoard();
}

void MainWindow::mnuFastestBeginner_Click()
{
    m_form.mnuFastestBeginner_Click();
    refreshBoard();
}

void MainWindow::mnuFastestInterm_Click()
{
    m_form.mnuFastestInterm_Click();
    refreshBoard();
}

void MainWindow::mnuFastestAdvanced_Click()
{
    m_form.mnuFastestAdvanced_Click();
    refreshBoard();
}

void MainWindow::mnuReset_Click()
{
    m_form.mnuReset_Click();
    refreshBoard();
}

void MainWindow::mnuFileExit_Click() { Form_QueryUnload(); }

void MainWindow::mnuHelpHowTo_Click() { emit howToPlayRequested(); }

// --- engine::WindowEffects ---

void MainWindow::setPaletteButtonVisible(int k, bool shown)
{
    assert(k >= 0 && k < engine::kPaletteButtonCount);
    m_Cmd[std::size_t(k)]->setVisible(shown);
}

void MainWindow::setDifficultyChecked(int index, bool checked)
{
    assert(index >= 0 && index < engine::kLevelCount);
    m_mnuDifficulty[std::size_t(index)]->setChecked(checked);
}

void MainWindow::showMessage(std::string_view title, std::string_view text)
{
    // The box is modal and the handler waits in it: draw the board as it stands first, so
    // that a won or lost game's secret shows behind the box.
    refreshBoard();
    m_announcer->say(QString::fromStdString(m_narration.boxOpened(board())));
    QMessageBox box(QMessageBox::NoIcon, latin1(title), latin1(text), QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText); // a record file's markup is shown as the bytes it holds
    box.exec();
    // Hand the keyboard back to the board: where no window manager does so, the keys would
    // otherwise go nowhere once the box is gone.
    activateWindow();
}

void MainWindow::setFocus(engine::FocusTarget target)
{
    switch (target) {
    case engine::FocusTarget::TA1:
        m_TA[0]->setFocus(Qt::OtherFocusReason);
        break;
    case engine::FocusTarget::CmdStart:
        m_CmdStart->setFocus(Qt::OtherFocusReason);
        break;
    }
}

void MainWindow::setCursorColour(engine::ColourIndex k)
{
    m_cursorColour = k;
    applyCursor();
}

std::filesystem::path MainWindow::programDirectory() const
{
    // Not Qt's application folder: it goes through text and comes back empty for a folder
    // whose name is not valid in the locale's encoding, which would put the records in the
    // working directory.
    return m_programDirectory ? *m_programDirectory : records::programDirectory();
}

std::string MainWindow::timeOfDay() const
{
    // QCoreApplication has already taken the C locale from the environment.
    return engine::localTimeOfDay();
}

} // namespace tintwise::ui
