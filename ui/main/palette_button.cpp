// palette_button.cpp: how a palette button paints its face, border and focus, and what a screen
// reader makes of it.
#include "palette_button.h"

#include "atspi_visibility.h"
#include "colours.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>

namespace tintwise::ui {

namespace {

const QColor kBorder(0x40, 0x40, 0x40);
const QColor kPressedBorder(0x20, 0x20, 0x20);
constexpr qreal kFocusBorderWidth = 2;

// One radio button of the palette: pressing it picks its colour, and only the picked colour's
// button is checked. The button itself is not checkable, so the keyboard works as on any
// push button and the engine alone says which colour is picked.
class PaletteButtonAccessible : public QAccessibleWidget
{
public:
    explicit PaletteButtonAccessible(PaletteButton* button)
        : QAccessibleWidget(button, QAccessible::RadioButton)
    {
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        const auto* button = static_cast<const PaletteButton*>(widget());
        state.checkable = true;
        state.checked = button->isPicked();
        state.pressed = button->isDown();
        return state;
    }

    QStringList actionNames() const override
    {
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& actionName) override
    {
        if (actionName == pressAction()) {
            static_cast<PaletteButton*>(widget())->click();
            return;
        }
        QAccessibleWidget::doAction(actionName);
    }
};

QAccessibleInterface* paletteButtonAccessibleFactory(const QString&, QObject* object)
{
    if (auto* button = dynamic_cast<PaletteButton*>(object)) {
        return new PaletteButtonAccessible(button);
    }
    return nullptr;
}

} // namespace

PaletteButton::PaletteButton(const QColor& face, QWidget* parent)
    : QPushButton(parent), m_face(face),
      m_focusMark(focusMarkColour(face))
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(paletteButtonAccessibleFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
}

void PaletteButton::setPicked(bool picked)
{
    if (picked == m_picked) {
        return;
    }
    m_picked = picked;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void PaletteButton::setVisible(bool visible)
{
    const bool was = isVisible();
    QPushButton::setVisible(visible);
    if (isVisible() != was) {
        reportVisibility(this);
    }
}

void PaletteButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRectF box(rect());
    painter.fillRect(rect(), m_face);

    // Antialiased and edge by edge in this order, bottom, right, left, top, as style sheets
    // draw borders: at a fractional scale the edges then blend into the same device pixels.
    painter.setRenderHint(QPainter::Antialiasing);
    const bool focused = hasFocus();
    if (focused) {
        const qreal half = kFocusBorderWidth / 2;
        const qreal left = box.left() + half, top = box.top() + half;
        const qreal right = box.right() - half, bottom = box.bottom() - half;
        painter.setPen(QPen(m_focusMark, kFocusBorderWidth, Qt::DotLine, Qt::FlatCap));
        painter.drawLine(QLineF(left, bottom, right, bottom));
        painter.drawLine(QLineF(right, top, right, bottom));
        painter.drawLine(QLineF(left, top, left, bottom));
        painter.drawLine(QLineF(left, top, right, top));
    } else {
        const qreal width = isDown() ? 2 : 1;
        painter.setPen(Qt::NoPen);
        painter.setBrush(isDown() ? kPressedBorder : kBorder);
        painter.drawRect(QRectF(box.left(), box.bottom() - width, box.width(), width));
        painter.drawRect(QRectF(box.right() - width, box.top(), width, box.height()));
        painter.drawRect(QRectF(box.left(), box.top(), width, box.height()));
        painter.drawRect(QRectF(box.left(), box.top(), box.width(), width));
    }
    painter.setRenderHint(QPainter::Antialiasing, false);

    if (focused) {
        // The style's mark inside the border, on the colour, as a push button has it.
        QStyleOptionButton button;
        initStyleOption(&button);
        QStyleOptionFocusRect mark;
        mark.QStyleOption::operator=(button);
        mark.rect = rect().adjusted(2, 2, -2, -2);
        mark.backgroundColor = m_face;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &mark, &painter, this);
    }
}

bool PaletteButton::hitButton(const QPoint& pos) const
{
    // The whole face answers, whatever bevel the style would give a push button.
    return rect().contains(pos);
}

} // namespace tintwise::ui
