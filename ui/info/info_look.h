// info_look.h: what the splash and about windows share: title, icon, font, placement, pictures.
#pragma once

#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QString>

class QWidget;

namespace tintwise::ui {

// Logical pixels per twip at 96 dots per inch.
constexpr int twips(int value) { return (value + 7) / 15; }

QString appTitle();

// The icon in its 16, 32 and 64 pixel sizes, or a null icon when the artwork is not compiled in.
QIcon programIcon();

// The windows' own default font; a sans-serif face stands in where it is not installed.
QFont windowFont();

// Moves a top-level window so that it sits, frame and all, in the middle of its screen's free
// area.
void centreOnScreen(QWidget* window);

// An image of the artwork for a screen of the given device pixel ratio: above 1, its "@2x"
// twin where there is one, which has twice the pixels for the same logical size.
QPixmap artwork(const QString& image, qreal devicePixelRatio);

// A picture box: the image inside a one-pixel sunken frame, two pixels larger than the image
// both ways, drawn with the parent's device pixel ratio. A missing image leaves the box empty.
QLabel* makePictureBox(QWidget* parent, const QString& objectName, const QString& image, int left,
                       int top, int width, int height);

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

// The text a label shows for a caption with "&" marks: "&&" is one "&", and a single "&"
// only marks an access key.
QString captionText(const QString& caption);

} // namespace tintwise::ui
