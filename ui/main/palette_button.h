// palette_button.h: one button of the palette column, a push button painted in its colour.
#pragma once

#include <QColor>
#include <QPushButton>

namespace tintwise::ui {

// The face is the colour on every style, inside a one-pixel #404040 border, two pixels of
// #202020 while pressed; while focused, a two-pixel dotted border in black or white,
// whichever shows on the colour, around the style's own focus mark. Drawn by hand to the
// pixels a style sheet drew: fifteen style sheets cost each button its own parsed copy and
// rule caches, and kept the style-sheet engine in memory for nothing else.
//
// To a screen reader the palette is a group of radio buttons named by their colours, the
// picked colour's button checked; on screen the picked colour shows as the pointer's disc.
class PaletteButton : public QPushButton
{
public:
    explicit PaletteButton(const QColor& face, QWidget* parent = nullptr);

    void setPicked(bool picked);
    bool isPicked() const { return m_picked; }

    void setVisible(bool visible) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    QColor m_face;
    QColor m_focusMark;
    bool m_picked = false;
};

} // namespace tintwise::ui
