// main_window_controls.cpp: frmMain's board, buttons, tooltips and menus wired to its handlers,
// all from the shared table of the window.
#include "main_window.h"

#include <algorithm>
#include <cassert>
#include <ui/layout/main_window.h>
#include <vector>

namespace tintwise::win32 {

void MainWindow::wireControls()
{
    m_CmdStart = control("CmdStart");
    m_commands[GetDlgCtrlID(m_CmdStart)] = [this] { CmdStart_Click(); };
    m_commands[GetDlgCtrlID(control("CmdCorrect"))] = [this] { CmdCorrect_Click(); };
    m_commands[GetDlgCtrlID(control("Command1"))] = [this] { Command1_Click(); };
    for (int k = 0; k < engine::kPaletteButtonCount; ++k) {
        m_Cmd[std::size_t(k)] = control(layout::paletteButtonName(k));
        m_commands[GetDlgCtrlID(m_Cmd[std::size_t(k)])] = [this, k] { Cmd_Click(k); };
    }

    // Boxes without a background of their own take the system's box colour.
    auto attach = [this](BoardBox& box, const std::string& name, std::function<void()> onClick = {}) {
        const layout::Control& c = m_layout.control(name);
        box.attach(control(name),
                   c.kind == layout::Kind::Cell ? BoardBox::Kind::Cell : BoardBox::Kind::Count,
                   c.background ? colorRef(*c.background) : GetSysColor(COLOR_WINDOW),
                   std::move(onClick));
        m_boxes[box.hwnd()] = &box;
    };
    for (int n = 1; n <= engine::kCodeLength; ++n) {
        attach(m_TA[std::size_t(n - 1)], layout::guessCellName(n), [this, n] { TA_Click(n); });
        attach(m_T[std::size_t(n - 1)], layout::secretCellName(n));
    }
    attach(m_TxtRight, "TxtRight");
    attach(m_TxtOop, "TxtOop");
    for (int r = 0; r < engine::kHistoryRows; ++r) {
        HistoryRowBoxes& row = m_rows[std::size_t(r)];
        for (int n = 1; n <= engine::kCodeLength; ++n) {
            attach(row.cells[std::size_t(n - 1)], layout::historyCellName(r, n));
        }
        attach(row.correct, layout::historyCorrectName(r));
        attach(row.outOfPlace, layout::historyOutOfPlaceName(r));
    }

    m_toolTips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                 WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hwnd, nullptr,
                                 instance(), nullptr);
    for (const layout::Control& c : m_layout.controls) {
        if (c.toolTip.empty()) {
            continue;
        }
        std::wstring text = widen(c.toolTip);
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = m_hwnd;
        tool.uId = reinterpret_cast<UINT_PTR>(control(c.name));
        tool.lpszText = text.data();
        SendMessageW(m_toolTips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void MainWindow::createMenu()
{
    // The entries the window answers itself; the game answers the others.
    using Handler = void (MainWindow::*)();
    static const std::map<std::string_view, Handler> handlers = {
        {"mnuFileExit", &MainWindow::mnuFileExit_Click},
        {"mnuHelpHowTo", &MainWindow::mnuHelpHowTo_Click},
    };

    // The entries come depth first; menus[d] is the open menu that holds entries of depth d.
    m_menu = CreateMenu();
    std::vector<HMENU> menus{m_menu};
    std::vector<ACCEL> accelerators;
    const std::vector<layout::MenuEntry>& entries = layout::mainMenu();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const layout::MenuEntry& e = entries[i];
        menus.resize(std::size_t(e.depth) + 1);
        std::wstring text = widen(e.caption);
        if (e.shortcut != 0) {
            text += L"\tCtrl+";
            text += static_cast<wchar_t>(e.shortcut);
            accelerators.push_back({FVIRTKEY | FCONTROL, static_cast<WORD>(e.shortcut),
                                    static_cast<WORD>(e.id)});
        }
        if (i + 1 < entries.size() && entries[i + 1].depth > e.depth) {
            const HMENU submenu = CreatePopupMenu();
            AppendMenuW(menus.back(), MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(submenu),
                        text.c_str());
            menus.push_back(submenu);
            continue;
        }
        if (e.separator) {
            AppendMenuW(menus.back(), MF_SEPARATOR, static_cast<UINT_PTR>(e.id), nullptr);
            continue;
        }
        AppendMenuW(menus.back(), MF_STRING | (e.checked ? MF_CHECKED : MF_UNCHECKED),
                    static_cast<UINT_PTR>(e.id), text.c_str());
        if (e.name == "mnuDifficulty") {
            m_mnuDifficulty[std::size_t(e.index)] = e.id;
        }
        if (e.formClick) {
            m_commands[e.id] = [this, &e] {
                e.formClick(m_form);
                refreshBoard();
            };
            continue;
        }
        const auto handler = handlers.find(e.name);
        assert(handler != handlers.end());
        m_commands[e.id] = [this, method = handler->second] { (this->*method)(); };
    }
    m_accelerators.reset(
        CreateAcceleratorTableW(accelerators.data(), static_cast<int>(accelerators.size())));
}

void MainWindow::fitLabels()
{
    // The headings were sized for a narrower font than most systems use. A heading whose text
    // needs more room grows around its centre and upwards, so it still ends just above the
    // active row and never clips its text.
    const HDC dc = GetDC(m_hwnd);
    const HGDIOBJ oldFont = SelectObject(dc, windowFont());
    for (const layout::Control& c : m_layout.controls) {
        if (c.kind != layout::Kind::Label) {
            continue;
        }
        const RECT designed = deviceRect(c.twips, dpi());
        const std::wstring text = widen(layout::captionText(c.caption));
        int width = designed.right - designed.left;
        for (std::size_t start = 0; c.wordWrap && start < text.size();) {
            const std::size_t end = std::min(text.find(L' ', start), text.size());
            SIZE extent{};
            GetTextExtentPoint32W(dc, text.c_str() + start, static_cast<int>(end - start), &extent);
            width = std::max(width, static_cast<int>(extent.cx));
            start = end + 1;
        }
        RECT needed{0, 0, width, 0};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed,
                  DT_CALCRECT | DT_NOPREFIX | (c.wordWrap ? DT_WORDBREAK : DT_SINGLELINE));
        width = std::max(width, static_cast<int>(needed.right));
        const int height =
            std::max(static_cast<int>(designed.bottom - designed.top), static_cast<int>(needed.bottom));
        const int left = designed.left - (width - (designed.right - designed.left)) / 2;
        SetWindowPos(control(c.name), nullptr, left, designed.bottom - height, width, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SelectObject(dc, oldFont);
    ReleaseDC(m_hwnd, dc);
}

} // namespace tintwise::win32
