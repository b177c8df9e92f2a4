// bare_window.cpp: the least a Qt Widgets program does to put a window on screen, to time the
// game's start against.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(303, 321); // the splash window's client area
    window.show();
    return QApplication::exec();
}
