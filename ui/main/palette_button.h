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
class PaletteButton : public QPushButton
{
public:
    explicit PaletteButton(const QColor& face, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    QColor m_face;
    QColor m_focusMark;
};

} // namespace tintwise::ui
