// main.cpp: the program's entry: opens the main window and runs the event loop.
#include <ui/main/mainwindow.h>

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    tintwise::ui::MainWindow window;
    window.show();
    return app.exec();
}
