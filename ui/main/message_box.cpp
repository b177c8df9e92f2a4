// message_box.cpp: a plain dialog rather than QMessageBox, which keeps room for an icon, puts
// the style's icon on its OK button and is sized without its title.
#include "message_box.h"

#include "desktop.h"

#include <QDialog>
#include <QEventLoop>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>

namespace tintwise::ui {

namespace {

// A close button and no minimise or maximise button: a modal box minimised out of sight would
// leave the keyboard nowhere to go.
constexpr Qt::WindowFlags kBoxFlags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                      Qt::WindowCloseButtonHint |
                                      Qt::MSWindowsFixedSizeDialogHint;

// Besides its title, a title bar holds an icon and up to three buttons, each about as wide as
// the bar is high, and some padding: five bar heights in all.
constexpr int kTitleBarControls = 5;

class MessageBox : public QDialog
{
public:
    MessageBox(QWidget* owner, const QString& title, const QString& text)
        : QDialog(owner, kBoxFlags)
    {
        setWindowTitle(title);
        setWindowModality(Qt::ApplicationModal);
        auto* label = new QLabel(text, this);
        label->setTextFormat(Qt::PlainText);
        auto* ok = new QPushButton(tr("OK"), this);
        ok->setDefault(true);
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(label);
        layout->addWidget(ok, 0, Qt::AlignHCenter);
        layout->activate();

        // Window managers set titles in a bold face, often larger than the text's.
        QFont titleFont = font();
        titleFont.setBold(true);
        titleFont.setPointSizeF(titleFont.pointSizeF() * 1.1);
        const QFontMetrics metrics(titleFont);
        const int titleRoom =
            metrics.horizontalAdvance(title) + kTitleBarControls * (metrics.height() + 8);
        setFixedSize(std::max(sizeHint().width(), titleRoom), sizeHint().height());
    }

    void run(const QRect& ownerFrame)
    {
        centreFrameOn(this, ownerFrame);
        show();
        if (onWayland()) {
            // Qt draws the frame there, with a minimise button whatever the flags say, and the
            // compositor can give no way back: bring the box straight back instead.
            connect(windowHandle(), &QWindow::windowStateChanged, this, [this](Qt::WindowState state) {
                if (state == Qt::WindowMinimized) {
                    QTimer::singleShot(0, this, [this] { bringBack(this); });
                }
            });
        }
        // Not exec(): hiding the box to bring it back would end exec's loop.
        QEventLoop loop;
        connect(this, &QDialog::finished, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::DialogExec);
    }
};

} // namespace

void showMessageBox(QWidget* owner, const QString& title, const QString& text)
{
    QWidget* ownerWindow = owner != nullptr ? owner->window() : nullptr;
    MessageBox box(ownerWindow, title, text);
    box.run(ownerWindow != nullptr ? ownerWindow->frameGeometry() : workArea(&box));
    // Where the window manager hands the keyboard elsewhere, or no window manager hands it
    // anywhere, the keys would otherwise miss the window the player was using.
    if (ownerWindow != nullptr) {
        ownerWindow->activateWindow();
    }
}

} // namespace tintwise::ui
