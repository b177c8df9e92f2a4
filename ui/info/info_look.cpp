// info_look.cpp: shared look of the splash and about windows.
#include "info_look.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QWidget>
#include <ui/layout/info_windows.h>
#include <ui/main/colours.h>
#include <ui/main/desktop.h>

namespace tintwise::ui {

namespace {

// Role "link" for AT-SPI, with a press action that opens it as a click does.
class LinkLabelAccessible : public QAccessibleWidget
{
public:
    explicit LinkLabelAccessible(LinkLabel* link) : QAccessibleWidget(link, QAccessible::Link) {}

    QString text(QAccessible::Text t) const override
    {
        const auto* link = static_cast<const QLabel*>(widget());
        if (t == QAccessible::Name && link->accessibleName().isEmpty()) {
            return link->text();
        }
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.linked = true;
        return state;
    }

    QStringList actionNames() const override
    {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& actionName) override
    {
        if (actionName == pressAction()) {
            emit static_cast<LinkLabel*>(widget())->activated();
            return;
        }
        QAccessibleWidget::doAction(actionName);
    }
};

QAccessibleInterface* linkLabelAccessibleFactory(const QString&, QObject* object)
{
    if (auto* link = qobject_cast<LinkLabel*>(object)) {
        return new LinkLabelAccessible(link);
    }
    return nullptr;
}

} // namespace

QString appTitle() { return fromUtf8(layout::kAppTitle); }

QIcon programIcon()
{
    // Window icons are picked by their size in device pixels, so the 64-pixel image serves a
    // 32-pixel icon on a screen of pixel ratio 2, and the 32-pixel one a 16-pixel icon there.
    QIcon icon;
    for (const auto* path :
         {":/icons/tintwise-16.png", ":/icons/tintwise-32.png", ":/icons/tintwise-64.png"}) {
        if (QFile::exists(QString::fromLatin1(path))) {
            icon.addFile(QString::fromLatin1(path));
        }
    }
    return icon;
}

QFont tableFont(const layout::Font& font)
{
    QFont qfont;
    if (font.serif) {
        qfont.setFamily(fromUtf8(font.family));
        qfont.setStyleHint(QFont::Serif);
    } else {
        // A face with the designed face's widths keeps the texts inside their labels, which
        // were sized for it.
        qfont.setFamilies({fromUtf8(font.family), QStringLiteral("Microsoft Sans Serif"),
                           QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
        qfont.setStyleHint(QFont::SansSerif);
    }
    qfont.setPointSizeF(font.points);
    qfont.setBold(font.bold);
    qfont.setUnderline(font.underline);
    return qfont;
}

QWidget* createInfoControl(const layout::Control& c, QWidget* window)
{
    QWidget* widget = nullptr;
    switch (c.kind) {
    case layout::Kind::Label: {
        auto* label = new QLabel(fromUtf8(layout::captionText(c.caption)), window);
        // Plain text keeps the description's double blanks, which rich text would collapse.
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(c.wordWrap);
        label->setAlignment((c.align == layout::Align::Centre ? Qt::AlignHCenter : Qt::AlignLeft) |
                            Qt::AlignTop);
        widget = label;
        break;
    }
    case layout::Kind::PictureBox:
        widget = makePictureBox(window, QStringLiteral(":/logos/%1.png").arg(fromUtf8(c.caption)));
        break;
    case layout::Kind::CommandButton: {
        auto* button = new QPushButton(fromUtf8(c.caption), window);
        // Enter belongs to the default button whichever has the focus; Space still presses the
        // focused one.
        button->setAutoDefault(false);
        widget = button;
        break;
    }
    case layout::Kind::Link: {
        auto* link = new LinkLabel(fromUtf8(c.caption), window);
        link->setAlignment((c.align == layout::Align::Centre ? Qt::AlignHCenter : Qt::AlignLeft) |
                           Qt::AlignTop);
        widget = link;
        break;
    }
    case layout::Kind::Line:
        return nullptr; // painted by the window itself
    case layout::Kind::PaletteButton:
    case layout::Kind::Cell:
    case layout::Kind::CountBox:
        Q_ASSERT(false && "only the main window has these");
        return nullptr;
    }
    widget->setObjectName(fromUtf8(c.name));
    widget->setGeometry(pixelRect(c.twips));
    if (c.font) {
        widget->setFont(tableFont(*c.font));
    }
    if (c.textColour) {
        QPalette palette = widget->palette();
        palette.setColor(QPalette::WindowText, toQColor(*c.textColour));
        widget->setPalette(palette);
    }
    return widget;
}

QLabel* makePictureBox(QWidget* parent, const QString& image)
{
    auto* box = new QLabel(parent);
    box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    box->setLineWidth(1);
    box->setAlignment(Qt::AlignCenter);
    const QPixmap picture = artwork(image, parent->devicePixelRatioF());
    if (!picture.isNull()) {
        box->setPixmap(picture);
    }
    return box;
}

QPixmap artwork(const QString& image, qreal devicePixelRatio)
{
    // Qt looks for "@2x" files only for icons, not for a plain pixmap: choose here.
    if (devicePixelRatio > 1.0) {
        QString twice = image;
        twice.insert(image.lastIndexOf(QLatin1Char('.')), QLatin1String("@2x"));
        QPixmap sharp(twice);
        if (!sharp.isNull()) {
            // Drawn at half its pixel size, so the layout stays the same.
            sharp.setDevicePixelRatio(2.0);
            return sharp;
        }
    }
    return QPixmap(image);
}

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(linkLabelAccessibleFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    setTextFormat(Qt::PlainText);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        event->accept();
        emit activated();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

void LinkLabel::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (event->modifiers() & ~Qt::KeypadModifier) {
            break;
        }
        // Accepted, so that Enter does not go on to the dialog's default button.
        event->accept();
        if (!event->isAutoRepeat()) {
            emit activated();
        }
        return;
    default:
        break;
    }
    QLabel::keyPressEvent(event);
}

void LinkLabel::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!hasFocus()) {
        return;
    }
    // A dotted frame around the text rather than the whole label, which is much wider than
    // the address; black or white, whichever stands out on the background, since the style's
    // own focus frame is too faint there to be seen.
    const QRect text = style()
                           ->itemTextRect(fontMetrics(), contentsRect(), int(alignment()),
                                          isEnabled(), this->text())
                           .adjusted(-2, 0, 1, -1)
                           .intersected(rect().adjusted(0, 0, -1, -1));
    QPainter painter(this);
    QPen pen(qGray(palette().color(backgroundRole()).rgb()) < 128 ? Qt::white : Qt::black);
    pen.setStyle(Qt::DotLine);
    painter.setPen(pen);
    painter.drawRect(text);
}

} // namespace tintwise::ui
