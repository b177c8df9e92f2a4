// board_cell.cpp: painting, clicks and the screen-reader view of a board box.
#include "board_cell.h"

#include "colours.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPainter>

namespace tintwise::ui {

namespace {

class BoardCellAccessible : public QAccessibleWidget
{
public:
    explicit BoardCellAccessible(BoardCell* cell)
        : QAccessibleWidget(cell, cell->kind() == BoardCell::Kind::Cell ? QAccessible::Graphic
                                                                        : QAccessible::StaticText)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value) {
            return static_cast<const BoardCell*>(widget())->accessibleValue();
        }
        return QAccessibleWidget::text(t);
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
    m_colour = value;
    update();
    valueChanged();
}

void BoardCell::setText(const QString& text)
{
    if (text == m_text) {
        return;
    }
    m_text = text;
    update();
    valueChanged();
}

QString BoardCell::accessibleValue() const
{
    if (m_kind == Kind::Count) {
        return m_text;
    }
    if (m_colour == engine::kWhite) {
        return tr("Empty");
    }
    const engine::ColourIndex index = engine::colourIndexOf(m_colour);
    if (index < 0) {
        return toQColor(m_colour).name();
    }
    const std::string_view name = engine::colourName(index);
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

QColor BoardCell::fill() const
{
    if (m_kind == Kind::Cell) {
        return toQColor(m_colour);
    }
    return m_background.value_or(palette().color(QPalette::Base));
}

void BoardCell::valueChanged()
{
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent event(this, accessibleValue());
        QAccessible::updateAccessibility(&event);
    }
}

void BoardCell::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QColor background = fill();
    const QRect box = rect();
    painter.fillRect(box, background);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(box.adjusted(0, 0, -1, -1));

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

} // namespace tintwise::ui
