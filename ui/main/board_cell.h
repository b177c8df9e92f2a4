// board_cell.h: one box of the board: a plainly coloured cell or a box that shows a count.
#pragma once

#include <QColor>
#include <QString>
#include <QWidget>
#include <engine/palette.h>
#include <optional>

namespace tintwise::ui {

// A box drawn by hand rather than a text edit, so it takes the keyboard focus without
// swallowing typing or shortcuts such as Ctrl+X. To a screen reader it is a read-only text box
// whose text is what the box shows. Space and Enter click a focused box, as the mouse does.
class BoardCell : public QWidget
{
    Q_OBJECT

public:
    enum class Kind
    {
        Cell,  // a colour of the secret, the guess or the history
        Count, // a feedback box
    };

    explicit BoardCell(Kind kind, QWidget* parent = nullptr);

    Kind kind() const { return m_kind; }

    // A cell's colour is a game colour value; a count box has a fixed background, by default
    // the platform's box background.
    void setColour(engine::ColourValue value);
    engine::ColourValue colour() const { return m_colour; }
    void setBackground(const QColor& background) { m_background = background; }

    void setText(const QString& text);
    QString text() const { return m_text; }

    // What a screen reader reads as the box's text: the count as drawn, or the cell's colour
    // name ("Empty" for white); nothing while the box is hidden, so that the hidden secret
    // cannot be read out.
    QString accessibleText() const;

    void setVisible(bool visible) override;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QColor fill() const;
    void announceChange(const QString& before);

    Kind m_kind;
    engine::ColourValue m_colour = engine::kWhite;
    std::optional<QColor> m_background;
    QString m_text;
    bool m_pressed = false;
};

} // namespace tintwise::ui
