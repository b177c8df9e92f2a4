// mainwindow_controls.cpp: frmMain's controls and menus, built from the shared table of the
// window, and wired to the window's handlers.
#include "colours.h"
#include "layout_qt.h"
#include "mainwindow.h"
#include "palette_button.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <algorithm>
#include <cassert>
#include <map>
#include <ui/layout/main_window.h>

namespace tintwise::ui {

namespace {

// The client area: the board is placed by hand, so it has a size of its own but no layout,
// and resizing the window moves nothing.
class ClientArea : public QWidget
{
public:
    using QWidget::QWidget;
    QSize sizeHint() const override { return clientSize(layout::frmMain()); }
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

// One control of the table as a widget of the client area, placed but not yet wired.
QWidget* createControl(const layout::Control& c, QWidget* client)
{
    QWidget* widget = nullptr;
    switch (c.kind) {
    case layout::Kind::CommandButton: {
        auto* button = new QPushButton(fromUtf8(c.caption), client);
        // Enter clicks a focused button outside dialogs too.
        button->setAutoDefault(true);
        widget = button;
        break;
    }
    case layout::Kind::PaletteButton: {
        auto* button = new PaletteButton(toQColor(c.background.value_or(engine::kBlack)), client);
        button->setAutoDefault(true);
        widget = button;
        break;
    }
    case layout::Kind::Cell:
    case layout::Kind::CountBox: {
        auto* box = new BoardCell(
            c.kind == layout::Kind::Cell ? BoardCell::Kind::Cell : BoardCell::Kind::Count, client);
        if (c.kind == layout::Kind::CountBox && c.background) {
            box->setBackground(toQColor(*c.background));
        }
        widget = box;
        break;
    }
    case layout::Kind::Label: {
        auto* label = new QLabel(fromUtf8(layout::captionText(c.caption)), client);
        label->setWordWrap(c.wordWrap);
        widget = label;
        break;
    }
    case layout::Kind::Line: {
        // In the frame colour of the platform.
        widget = new QWidget(client);
        QPalette frame = widget->palette();
        frame.setColor(QPalette::Window, frame.color(QPalette::Shadow));
        widget->setPalette(frame);
        widget->setAutoFillBackground(true);
        break;
    }
    case layout::Kind::PictureBox:
    case layout::Kind::Link:
        assert(false && "the main window has none");
        return nullptr;
    }
    widget->setObjectName(QString::fromStdString(c.name));
    if (!c.toolTip.empty()) {
        widget->setToolTip(fromUtf8(c.toolTip));
    }
    if (!c.accessibleName.empty()) {
        widget->setAccessibleName(fromUtf8(c.accessibleName));
    }
    widget->setGeometry(pixelRect(c.twips));
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        fitLabel(label);
    }
    if (!c.shown) {
        widget->hide();
    }
    return widget;
}

} // namespace

void MainWindow::createControls()
{
    const layout::WindowLayout& frm = layout::frmMain();
    auto* client = new ClientArea(this);
    client->setObjectName(QStringLiteral("clientArea"));
    QPalette background = client->palette();
    background.setColor(QPalette::Window, toQColor(frm.background.value_or(engine::kWhite)));
    client->setPalette(background);
    client->setAutoFillBackground(true);
    setCentralWidget(client);

    // Created in the table's order, which is the focus order.
    for (const layout::Control& c : frm.controls) {
        createControl(c, client);
    }
    auto find = [client]<typename T>(T*& member, const std::string& name) {
        member = client->findChild<T*>(QString::fromStdString(name), Qt::FindDirectChildrenOnly);
        assert(member != nullptr);
    };

    find(m_CmdStart, "CmdStart");
    find(m_CmdCorrect, "CmdCorrect");
    find(m_Command1, "Command1");
    connect(m_CmdStart, &QPushButton::clicked, this, &MainWindow::CmdStart_Click);
    connect(m_CmdCorrect, &QPushButton::clicked, this, &MainWindow::CmdCorrect_Click);
    connect(m_Command1, &QPushButton::clicked, this, &MainWindow::Command1_Click);

    for (int k = 0; k < engine::kPaletteButtonCount; ++k) {
        QPushButton*& button = m_Cmd[std::size_t(k)];
        find(button, layout::paletteButtonName(k));
        connect(button, &QPushButton::clicked, this, [this, k] { Cmd_Click(k); });
    }
    for (int n = 1; n <= engine::kCodeLength; ++n) {
        BoardCell*& cell = m_TA[std::size_t(n - 1)];
        find(cell, layout::guessCellName(n));
        connect(cell, &BoardCell::clicked, this, [this, n] { TA_Click(n); });
        find(m_T[std::size_t(n - 1)], layout::secretCellName(n));
    }
    find(m_TxtRight, "TxtRight");
    find(m_TxtOop, "TxtOop");
    for (int r = 0; r < engine::kHistoryRows; ++r) {
        HistoryRowWidgets& widgets = m_rows[std::size_t(r)];
        for (int n = 1; n <= engine::kCodeLength; ++n) {
            find(widgets.cells[std::size_t(n - 1)], layout::historyCellName(r, n));
        }
        find(widgets.correct, layout::historyCorrectName(r));
        find(widgets.outOfPlace, layout::historyOutOfPlaceName(r));
    }
}

void MainWindow::createActions()
{
    // The entries the window answers itself; the game answers the others.
    using Handler = void (MainWindow::*)();
    static const std::map<std::string_view, Handler> handlers = {
        {"mnuFileExit", &MainWindow::mnuFileExit_Click},
        {"mnuHelpHowTo", &MainWindow::mnuHelpHowTo_Click},
    };

    // The entries come depth first; menus[d] is the open menu that holds entries of depth d + 1.
    const std::vector<layout::MenuEntry>& entries = layout::mainMenu();
    std::vector<QMenu*> menus;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const layout::MenuEntry& e = entries[i];
        const QString name = QString::fromStdString(e.name) +
                             (e.index >= 0 ? QString::number(e.index) : QString());
        menus.resize(std::size_t(e.depth));
        const bool opensMenu = i + 1 < entries.size() && entries[i + 1].depth > e.depth;
        if (opensMenu) {
            QMenu* menu = e.depth == 0 ? menuBar()->addMenu(fromUtf8(e.caption))
                                       : menus.back()->addMenu(fromUtf8(e.caption));
            menu->setObjectName(name);
            menus.push_back(menu);
            continue;
        }
        if (e.separator) {
            menus.back()->addSeparator()->setObjectName(name);
            continue;
        }
        QAction* action = menus.back()->addAction(fromUtf8(e.caption));
        action->setObjectName(name);
        if (e.shortcut != 0) {
            action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key(e.shortcut)));
        }
        if (e.name == "mnuDifficulty") {
            // Checkable entries without an action group: the form clears all three marks and
            // then sets one, and a group would fight that.
            action->setCheckable(true);
            action->setChecked(e.checked);
            m_mnuDifficulty[std::size_t(e.index)] = action;
        }
        if (e.formClick) {
            connect(action, &QAction::triggered, this, [this, &e] {
                e.formClick(m_form);
                refreshBoard();
            });
            continue;
        }
        const auto handler = handlers.find(e.name);
        assert(handler != handlers.end());
        connect(action, &QAction::triggered, this, handler->second);
    }
}

} // namespace tintwise::ui
