// mainwindow.cpp: frmMain's handlers and window effects, drawn from the engine's board.
#include "mainwindow.h"

#include "announcer.h"
#include "colours.h"
#include "cursors.h"
#include "desktop.h"
#include "message_box.h"
#include "palette_button.h"

#include <QAction>
#include <QCloseEvent>
#include <QPushButton>
#include <QWindow>
#include <cassert>
#include <cstdlib>
#include <engine/new_game.h>
#include <records/fastest_time_store.h>
#include <ui/layout/main_window.h>

namespace tintwise::ui {

namespace {

QString latin1(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), m_form(static_cast<engine::WindowEffects&>(*this)),
      m_endProgram([] { endProgramNow(EXIT_SUCCESS); })
{
    setObjectName(latin1(layout::frmMain().name));
    setWindowTitle(QString::fromStdString(layout::frmMain().caption));
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

void MainWindow::showEvent(QShowEvent* event)
{
    if (!m_centred) {
        m_centred = true;
        centreOnScreen(this);
        // The cursor image depends on the screen's pixel ratio: follow the window there.
        if (QWindow* handle = windowHandle()) {
            connect(handle, &QWindow::screenChanged, this, &MainWindow::applyCursor);
        }
        applyCursor();
    }
    QMainWindow::showEvent(event);
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
        static_cast<PaletteButton*>(m_Cmd[i])->setPicked(m_form.CurrentColour() ==
                                                         engine::QBColor(int(i)));
    }
    m_announcer->say(QString::fromStdString(layout::pickedText(k)));
}

void MainWindow::TA_Click(int n)
{
    m_form.TA_Click(n);
    refreshBoard();
    m_announcer->say(
        QString::fromStdString(layout::paintedText(n, board().guess.cells[std::size_t(n - 1)])));
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
    showMessageBox(this, latin1(title), latin1(text)); // a record file's markup shows as its bytes
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

records::NativePath MainWindow::programDirectory() const
{
    // Not Qt's application folder: it goes through text and comes back empty for a folder
    // whose name is not valid in the locale's encoding, which would put the records in the
    // working directory.
    return m_programDirectory ? m_programDirectory->native() : records::programDirectory();
}

std::string MainWindow::timeOfDay() const
{
    // QCoreApplication has already taken the C locale from the environment.
    return engine::localTimeOfDay();
}

} // namespace tintwise::ui
