// end_on_signal.h: SIGTERM, SIGINT and SIGHUP end the program as its own Exit does.
#pragma once

namespace tintwise::ui {

// From now on SIGTERM, SIGINT and SIGHUP (a logout, a shutdown, Ctrl+C in a terminal) close every
// window and leave the event loop, a modal box's included, so that main returns as after Exit
// and nothing is cut off halfway. A second such signal ends the program at once. A signal the
// program was started ignoring (nohup) stays ignored. Call once, after the application exists.
void endOnTerminationSignals();

} // namespace tintwise::ui
