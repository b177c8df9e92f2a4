// info_look.cpp: shared look of the splash and about windows.
#include "info_look.h"

#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

namespace tintwise::ui {

QString appTitle() { return QStringLiteral("Tintwise"); }

QIcon programIcon()
{
    QIcon icon;
    for (const auto* path : {":/icons/tintwise-16.png", ":/icons/tintwise-32.png"}) {
        if (QFile::exists(QString::fromLatin1(path))) {
            icon.addFile(QString::fromLatin1(path));
        }
    }
    return icon;
}

QFont windowFont()
{
    // Where the face is missing, a face with its widths keeps the texts inside their labels,
    // which were sized for it; only then any sans-serif face.
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    return font;
}

void centreOnScreen(QWidget* window)
{
    QScreen* screen = window->screen();
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return;
    }
    QRect frame(QPoint(), window->size());
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

QLabel* makePictureBox(QWidget* parent, const QString& objectName, const QString& image, int left,
                       int top, int width, int height)
{
    auto* box = new QLabel(parent);
    box->setObjectName(objectName);
    box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    box->setLineWidth(1);
    box->setAlignment(Qt::AlignCenter);
    box->setGeometry(left, top, width, height);
    const QPixmap picture(image);
    if (!picture.isNull()) {
        box->setPixmap(picture);
    }
    return box;
}

QString captionText(const QString& caption)
{
    QString text;
    text.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] != u'&') {
            text += caption[i];
        } else if (i + 1 < caption.size() && caption[i + 1] == u'&') {
            text += u'&';
            ++i;
        }
    }
    return text;
}

} // namespace tintwise::ui
