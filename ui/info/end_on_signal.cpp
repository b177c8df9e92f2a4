// end_on_signal.cpp: termination signals handed to the event loop through a pipe.
#include "end_on_signal.h"

#include <QApplication>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace tintwise::ui {

namespace {

int wakeUp = -1; // the pipe's write end, all that the handler touches

// A signal handler may do almost nothing safely, so it only wakes the event loop.
void onTerminationSignal(int)
{
    const int saved = errno;
    const char byte = 0;
    [[maybe_unused]] const ssize_t ignored = ::write(wakeUp, &byte, 1);
    errno = saved;
}

} // namespace

void endOnTerminationSignals()
{
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) {
        return; // the signals keep their default action, which still ends the program
    }
    wakeUp = ends[1];
    auto* notifier = new QSocketNotifier(ends[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [notifier] {
        notifier->setEnabled(false);
        // Whichever event loop runs, a modal box's too, delivers this: closing every window
        // ends the box, and quitting ends every loop, so each handler returns and main does.
        QApplication::closeAllWindows();
        QCoreApplication::quit();
    });

    struct sigaction action
    {
    };
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    // SA_RESETHAND: should the clean end itself hang, the next signal ends the program at once.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        struct sigaction old
        {
        };
        if (::sigaction(signal, nullptr, &old) == 0 && old.sa_handler != SIG_IGN) {
            ::sigaction(signal, &action, nullptr);
        }
    }
}

} // namespace tintwise::ui
