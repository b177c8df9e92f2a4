// main.cpp: the bare window as a program of its own, to start and weigh against the game.
#include "bare_window.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    tintwise::bench::BareWindow window;
    window.show();
    return QApplication::exec();
}
