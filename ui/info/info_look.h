// info_look.h: what the splash and about windows share: title, icon, font, placement, pictures.
#pragma once

#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QString>
#include <string_view>
#include <ui/layout/controls.h>
#include <ui/main/layout_qt.h>

class QWidget;

namespace tintwise::ui {

QString appTitle();

// The icon in its 16, 32 and 64 pixel sizes, or a null icon when the artwork is not compiled in.
QIcon programIcon();

// The font the table names; where the face is not installed, one with its widths stands in,
// and only then any face of its kind.
QFont tableFont(const layout::Font& font);

// One label, picture box, command button or link of the table as a child of window, placed.
QWidget* createInfoControl(const layout::Control& control, QWidget* window);

// The child of window that the table names, of type T.
template <typename T> T* infoControl(const QWidget* window, std::string_view name)
{
    T* child = window->findChild<T*>(fromUtf8(name), Qt::FindDirectChildrenOnly);
    Q_ASSERT(child != nullptr);
    return child;
}

// An image of the artwork for a screen of the given device pixel ratio: above 1, its "@2x"
// twin where there is one, which has twice the pixels for the same logical size.
QPixmap artwork(const QString& image, qreal devicePixelRatio);

// A picture box: the image inside a one-pixel sunken frame, two pixels larger than the image
// both ways, drawn with the parent's device pixel ratio. A missing image leaves the box empty.
QLabel* makePictureBox(QWidget* parent, const QString& image);

// A label that is a web link: a left click opens it, and so do Enter and Space once Tab has
// brought the focus to it, which a dotted frame around the text then shows. Clicking leaves
// the focus where it was. Screen readers see a link named by its text.
class LinkLabel : public QLabel
{
    Q_OBJECT

public:
    explicit LinkLabel(const QString& text, QWidget* parent = nullptr);

signals:
    void activated();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tintwise::ui
