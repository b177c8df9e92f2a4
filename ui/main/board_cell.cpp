// board_cell.cpp: painting, clicks and the screen-reader view of a board box.
#include "board_cell.h"

#include "atspi_visibility.h"
#include "colours.h"
#include "pixel_grid.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <ui/layout/announcements.h>

namespace tintwise::ui {

namespace {

// A read-only text box to assistive technology: Qt's AT-SPI bridge exports the Text interface
// of any object that has one, and reads the text through it; the role and the read-only state
// tell a screen reader to speak that text with the box's name. Nothing is selectable and the
// caret stays at the start.
class BoardCellAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit BoardCellAccessible(BoardCell* cell)
        : QAccessibleWidget(cell, QAccessible::EditableText)
    {
    }

    const BoardCell* cell() const { return static_cast<const BoardCell*>(widget()); }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        return state;
    }

    // Bridges that read a text box's value rather than its text (Windows) get the same.
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value) {
            return cell()->accessibleText();
        }
        return QAccessibleWidget::text(t);
    }

    QString text(int startOffset, int endOffset) const override
    {
        const QString all = cell()->accessibleText();
        startOffset = std::clamp(startOffset, 0, int(all.size()));
        endOffset = std::clamp(endOffset, startOffset, int(all.size()));
        return all.mid(startOffset, endOffset - startOffset);
    }

    int characterCount() const override { return int(cell()->accessibleText().size()); }

    // A count is drawn centred in the box; a colour's name is not drawn at all, so each of
    // its characters stands for the whole box.
    QRect characterRect(int offset) const override
    {
        const QString all = cell()->accessibleText();
        if (offset < 0 || offset >= all.size()) {
            return {};
        }
        QRect box = cell()->rect();
        if (cell()->kind() == BoardCell::Kind::Count) {
            const QFontMetrics metrics = cell()->fontMetrics();
            const QRect drawn = metrics.boundingRect(box, Qt::AlignCenter, all);
            box = QRect(drawn.left() + metrics.horizontalAdvance(all.left(offset)), drawn.top(),
                        metrics.horizontalAdvance(all.at(offset)), drawn.height());
        }
        return QRect(cell()->mapToGlobal(box.topLeft()), box.size());
    }

    int offsetAtPoint(const QPoint& point) const override
    {
        for (int i = 0; i < characterCount(); ++i) {
            if (characterRect(i).contains(point)) {
                return i;
            }
        }
        return -1;
    }

    void selection(int, int* startOffset, int* endOffset) const override
    {
        *startOffset = 0;
        *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    void scrollToSubstring(int, int) override {}

    QString attributes(int, int* startOffset, int* endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }
};

QAccessibleInterface* boardCellAccessibleFactory(const QString&, QObject* object)
{
    if (auto* cell = qobject_cast<BoardCell*>(object)) {
        return new BoardCellAccessible(cell);
    }
    return nullptr;
}

} // namespace

BoardCell::BoardCell(Kind kind, QWidget* parent) : QWidget(parent), m_kind(kind)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(boardCellAccessibleFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BoardCell::setColour(engine::ColourValue value)
{
    if (value == m_colour) {
        return;
    }
    const QString before = accessibleText();
    m_colour = value;
    update();
    announceChange(before);
}

void BoardCell::setText(const QString& text)
{
    if (text == m_text) {
        return;
    }
    const QString before = accessibleText();
    m_text = text;
    update();
    announceChange(before);
}

void BoardCell::setVisible(bool visible)
{
    const QString before = accessibleText();
    const bool was = isVisible();
    QWidget::setVisible(visible);
    if (isVisible() != was) {
        reportVisibility(this);
    }
    announceChange(before);
}

QString BoardCell::accessibleText() const
{
    if (isHidden()) {
        return {};
    }
    if (m_kind == Kind::Count) {
        return m_text;
    }
    return QString::fromStdString(layout::colourText(m_colour));
}

QColor BoardCell::fill() const
{
    if (m_kind == Kind::Cell) {
        return toQColor(m_colour);
    }
    return m_background.value_or(palette().color(QPalette::Base));
}

void BoardCell::announceChange(const QString& before)
{
    const QString now = accessibleText();
    if (!QAccessible::isActive() || now == before) {
        return;
    }
    // AT-SPI hears this as the old text deleted and the new one inserted.
    QAccessibleTextUpdateEvent update(this, 0, before, now);
    QAccessible::updateAccessibility(&update);
}

void BoardCell::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QColor background = fill();
    const QRect box = rect();
    // Fill and border on whole device pixels, so that at a fractional scale each edge is one
    // sharp line; the sliver the rounding leaves of the widget shows the board behind it.
    if (const QWidget* board = parentWidget()) {
        painter.fillRect(box, board->palette().color(board->backgroundRole()));
    }
    painter.save();
    const QRect device = toDevicePixels(painter, box);
    const int border = devicePixels(1, devicePixelRatioF());
    painter.fillRect(device, palette().color(QPalette::Dark));
    painter.fillRect(device.adjusted(border, border, -border, -border), background);
    painter.restore();

    if (!m_text.isEmpty()) {
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(box, Qt::AlignCenter, m_text);
    }
    if (hasFocus()) {
        // Drawn in whichever of black and white stands out on the box, since a cell can hold
        // any colour, black and the style's highlight included.
        QPen pen(focusMarkColour(background));
        pen.setStyle(Qt::DotLine);
        painter.setPen(pen);
        painter.drawRect(box.adjusted(2, 2, -3, -3));
    }
}

void BoardCell::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void BoardCell::mouseReleaseEvent(QMouseEvent* event)
{
    // Like a button: the click counts when the mouse is let go over the box it went down on.
    if (event->button() == Qt::LeftButton && m_pressed) {
        m_pressed = false;
        event->accept();
        if (rect().contains(event->position().toPoint())) {
            emit clicked();
        }
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

void BoardCell::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Plain keys only: with a modifier they may be somebody's shortcut. Holding the key
        // down clicks once.
        if (event->modifiers() & ~Qt::KeypadModifier) {
            break;
        }
        event->accept();
        if (!event->isAutoRepeat()) {
            emit clicked();
        }
        return;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

} // namespace tintwise::ui
