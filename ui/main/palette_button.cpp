// palette_button.cpp: how a palette button paints its face, border and focus, and what a screen
// reader makes of it.
#include "palette_button.h"

#include "atspi_visibility.h"
#include "colours.h"
#include "pixel_grid.h"

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
constexpr int kFocusBorderWidth = 2; // logical pixels

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
    const qreal ratio = devicePixelRatioF();
    const bool focused = hasFocus();
    painter.save();
    const QRect box = toDevicePixels(painter, rect());
    painter.fillRect(box, m_face);
    if (focused) {
        // Edge by edge in this order, bottom, right, left, top, so the dots meet alike at every
        // corner; centred half the pen inside the edge, on whole pixels.
        const int width = devicePixels(kFocusBorderWidth, ratio);
        const QRectF line = QRectF(box).adjusted(width / 2.0, width / 2.0, -width / 2.0, -width / 2.0);
        painter.setPen(QPen(m_focusMark, width, Qt::DotLine, Qt::FlatCap));
        painter.drawLine(line.bottomLeft(), line.bottomRight());
        painter.drawLine(line.topRight(), line.bottomRight());
        painter.drawLine(line.topLeft(), line.bottomLeft());
        painter.drawLine(line.topLeft(), line.topRight());
    } else {
        const int width = devicePixels(isDown() ? 2 : 1, ratio);
        const QColor border = isDown() ? kPressedBorder : kBorder;
        painter.fillRect(QRect(box.left(), box.bottom() - width + 1, box.width(), width), border);
        painter.fillRect(QRect(box.right() - width + 1, box.top(), width, box.height()), border);
        painter.fillRect(QRect(box.left(), box.top(), width, box.height()), border);
        painter.fillRect(QRect(box.left(), box.top(), box.width(), width), border);
    }
    painter.restore();

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
