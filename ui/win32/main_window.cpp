// main_window.cpp: frmMain's messages, handlers and window effects, drawn from the engine's board.
#include "main_window.h"

#include <cassert>
#include <records/fastest_time_store.h>
#include <ui/layout/main_window.h>

namespace tintwise::win32 {

namespace {

// Resizable and minimisable, but the fixed board has nothing to gain from maximising.
constexpr DWORD kStyle = (WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX) | WS_CLIPCHILDREN;

} // namespace

MainWindow::MainWindow(HINSTANCE instance, std::function<void()> howToPlay)
    : Form(layout::frmMain()), m_form(static_cast<engine::WindowEffects&>(*this)),
      m_howToPlay(std::move(howToPlay))
{
    createMenu();
    create(instance, kClassName, kStyle, 0, m_menu);
    wireControls();
    m_announcer.create(m_hwnd, instance);
    Form_Load();
    focusControl(m_CmdStart);
}

bool MainWindow::translateAccelerator(MSG& message) const
{
    return message.hwnd != nullptr && GetAncestor(message.hwnd, GA_ROOT) == m_hwnd &&
           TranslateAcceleratorW(m_hwnd, m_accelerators.get(), &message) != 0;
}

void MainWindow::onLayout()
{
    fitLabels();
    m_imlCursors.build(dpi());
    applyCursor();
    const auto icon = [this](int metric) {
        const int side = GetSystemMetricsForDpi(metric, dpi());
        return UniqueIcon(static_cast<HICON>(
            LoadImageW(instance(), MAKEINTRESOURCEW(1), IMAGE_ICON, side, side, 0)));
    };
    // The icons in use go only once the window holds their successors.
    UniqueIcon big = icon(SM_CXICON);
    UniqueIcon small = icon(SM_CXSMICON);
    SendMessageW(m_hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    SendMessageW(m_hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    m_bigIcon = std::move(big);
    m_smallIcon = std::move(small);
}

void MainWindow::refreshBoard()
{
    const engine::GameBoard& b = m_form.board();
    for (std::size_t i = 0; i < engine::kCodeLength; ++i) {
        m_T[i].show(b.secret.cells[i], {}, b.secret.shown);
        m_TA[i].show(b.guess.cells[i], {}, true);
    }
    m_TxtRight.show(engine::kWhite, b.guess.TxtRight, true);
    m_TxtOop.show(engine::kWhite, b.guess.TxtOop, true);
    for (std::size_t r = 0; r < engine::kHistoryRows; ++r) {
        const engine::HistoryRow& row = b.rows[r];
        HistoryRowBoxes& boxes = m_rows[r];
        for (std::size_t i = 0; i < engine::kCodeLength; ++i) {
            boxes.cells[i].show(row.cells[i], {}, row.shown);
        }
        boxes.correct.show(engine::kWhite, row.correct, row.shown);
        boxes.outOfPlace.show(engine::kWhite, row.outOfPlace, row.shown);
    }
    // A box that goes while it has the focus hands it on, as Tab would.
    const HWND focus = GetFocus();
    if (focus != nullptr && IsChild(m_hwnd, focus) && !IsWindowVisible(focus)) {
        focusControl(GetNextDlgTabItem(m_hwnd, focus, FALSE));
    }
}

void MainWindow::applyCursor()
{
    UniqueCursor cursor = m_imlCursors.cursor(m_cursorColour);
    // Shown at once if the pointer is over the window: a pick is made with it there.
    POINT at{};
    GetCursorPos(&at);
    const HWND under = WindowFromPoint(at);
    RECT client{};
    GetClientRect(m_hwnd, &client);
    MapWindowPoints(m_hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    if (under != nullptr && (IsChild(m_hwnd, under) || (under == m_hwnd && PtInRect(&client, at)))) {
        SetCursor(cursor ? cursor.get() : LoadCursorW(nullptr, IDC_ARROW));
    }
    m_cursor = std::move(cursor);
}

LRESULT MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_announcer.handle(message)) {
        return 0;
    }
    switch (message) {
    case WM_COMMAND: {
        // Menu entries and accelerators come without a control; buttons say they were clicked,
        // the second click of a double click included. Enter with no button focused comes as
        // IDOK, and does nothing.
        const auto command = m_commands.find(LOWORD(wParam));
        if (command != m_commands.end() &&
            (lParam == 0 || HIWORD(wParam) == BN_CLICKED || HIWORD(wParam) == BN_DOUBLECLICKED)) {
            command->second();
            return 0;
        }
        break;
    }
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        const layout::Control* c = tableControl(item.hwndItem);
        if (item.CtlType == ODT_BUTTON && c != nullptr) {
            drawPaletteButton(item, c->background.value_or(engine::kBlack), dpi());
            return TRUE;
        }
        break;
    }
    case WM_CTLCOLORSTATIC: {
        // A read-only edit asks here; anything it draws of its own goes under the box's fill.
        const layout::Control* c = tableControl(reinterpret_cast<HWND>(lParam));
        if (c != nullptr && (c->kind == layout::Kind::Cell || c->kind == layout::Kind::CountBox)) {
            const HDC dc = reinterpret_cast<HDC>(wParam);
            const auto box = m_boxes.find(reinterpret_cast<HWND>(lParam));
            const COLORREF fill =
                box != m_boxes.end() ? box->second->fill() : GetSysColor(COLOR_WINDOW);
            SetTextColor(dc, fill);
            SetBkColor(dc, fill);
            return reinterpret_cast<LRESULT>(solidBrush(fill));
        }
        break;
    }
    case WM_SETCURSOR:
        // The disc of the picked colour, over the board and its controls alike.
        if (LOWORD(lParam) == HTCLIENT && m_cursor) {
            SetCursor(m_cursor.get());
            return TRUE;
        }
        break;
    case WM_ENDSESSION: // the session ends: as if the window were closed
        if (wParam == FALSE) {
            return 0;
        }
        [[fallthrough]];
    case WM_CLOSE: // the close box or the system menu
        Form_QueryUnload();
    default:
        break;
    }
    return Form::handleMessage(message, wParam, lParam);
}

// --- handlers ---

void MainWindow::Form_Load()
{
    m_form.Form_Load();
    refreshBoard();
}

void MainWindow::Form_QueryUnload()
{
    // The program ends at once, its windows with it. Nothing is open or unsaved: the record
    // files are written and closed within the handler that writes them.
    ExitProcess(0);
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
    m_announcer.say(m_narration.scored(m_form.board()));
}

void MainWindow::Command1_Click() { Form_QueryUnload(); }

void MainWindow::Cmd_Click(int k)
{
    m_form.Cmd_Click(k);
    refreshBoard();
    m_announcer.say(layout::pickedText(k));
}

void MainWindow::TA_Click(int n)
{
    m_form.TA_Click(n);
    refreshBoard();
    m_announcer.say(layout::paintedText(n, m_form.board().guess.cells[std::size_t(n - 1)]));
}

void MainWindow::mnuFileExit_Click() { Form_QueryUnload(); }

void MainWindow::mnuHelpHowTo_Click() { m_howToPlay(); }

// --- engine::WindowEffects ---

void MainWindow::setPaletteButtonVisible(int k, bool shown)
{
    assert(k >= 0 && k < engine::kPaletteButtonCount);
    ShowWindow(m_Cmd[std::size_t(k)], shown ? SW_SHOWNA : SW_HIDE);
}

void MainWindow::setDifficultyChecked(int index, bool checked)
{
    assert(index >= 0 && index < engine::kLevelCount);
    CheckMenuItem(m_menu, static_cast<UINT>(m_mnuDifficulty[std::size_t(index)]),
                  MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void MainWindow::showMessage(std::string_view title, std::string_view text)
{
    // The box is modal and the handler waits in it: draw the board as it stands first, so that
    // a won or lost game's secret shows behind the box.
    refreshBoard();
    UpdateWindow(m_hwnd);
    m_announcer.say(m_narration.boxOpened(m_form.board())); // heard once the box has been read
    MessageBoxW(m_hwnd, widenLatin1(text).c_str(), widenLatin1(title).c_str(), MB_OK);
}

void MainWindow::setFocus(engine::FocusTarget target)
{
    switch (target) {
    case engine::FocusTarget::TA1:
        focusControl(m_TA[0].hwnd());
        break;
    case engine::FocusTarget::CmdStart:
        focusControl(m_CmdStart);
        break;
    }
}

void MainWindow::setCursorColour(engine::ColourIndex k)
{
    m_cursorColour = k;
    applyCursor();
}

records::NativePath MainWindow::programDirectory() const { return records::programDirectory(); }

std::string MainWindow::timeOfDay() const
{
    wchar_t text[80] = {};
    const int length = GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, nullptr, nullptr, text,
                                       static_cast<int>(std::size(text)));
    return length > 1 ? narrow(std::wstring_view(text, std::size_t(length - 1))) : std::string();
}

} // namespace tintwise::win32
