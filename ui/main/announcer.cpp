// announcer.cpp: a notification shown anew with each text, once the active window has settled.
#include "announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QTimer>
#include <QWindow>

namespace tintwise::ui {

namespace {

// A screen reader reads a newly active window as it gets to that window's events, which can be
// after a text said right away; the text waits this long after a change of window.
constexpr int kReadWindowMs = 500;

QAccessibleInterface* announcerAccessibleFactory(const QString&, QObject* object)
{
    if (auto* announcer = dynamic_cast<Announcer*>(object)) {
        return new QAccessibleWidget(announcer, QAccessible::Notification);
    }
    return nullptr;
}

} // namespace

Announcer::Announcer(QWidget* parent) : QWidget(parent)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(announcerAccessibleFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    setObjectName(QStringLiteral("announcer"));
    setGeometry(0, 0, 0, 0);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this] {
        m_sinceWindowChange.start();
        QTimer::singleShot(kReadWindowMs, this, &Announcer::speakWhenSettled);
    });
}

void Announcer::say(const QString& text)
{
    if (text.isEmpty() || !QAccessible::isActive()) {
        return;
    }
    m_pending.append(text);
    QTimer::singleShot(0, this, &Announcer::speakWhenSettled);
}

void Announcer::speakWhenSettled()
{
    // Settled: a window is active, no box is still on its way to becoming active, and the screen
    // reader has had its moment to read the window. The next change of window calls again.
    const QWidget* active = QApplication::activeWindow();
    const QWidget* modal = QApplication::activeModalWidget();
    if (m_pending.isEmpty() || active == nullptr || (modal != nullptr && modal != active)) {
        return;
    }
    const qint64 wait =
        m_sinceWindowChange.isValid() ? kReadWindowMs - m_sinceWindowChange.elapsed() : 0;
    if (wait > 0) {
        QTimer::singleShot(int(wait), this, &Announcer::speakWhenSettled);
        return;
    }
    setAccessibleName(m_pending.join(QStringLiteral(". ")));
    m_pending.clear();
    // Shown again even when the text repeats: the showing is what is spoken.
    hide();
    show();
}

} // namespace tintwise::ui
