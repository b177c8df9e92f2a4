// main.cpp: the program's entry: opens the main window and runs the event loop.
#include <QApplication>
#include <QIcon>
#include <ui/main/mainwindow.h>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/tintwise-16.png"));
    icon.addFile(QStringLiteral(":/icons/tintwise-32.png"));
    QApplication::setWindowIcon(icon);

    tintwise::ui::MainWindow window;
    window.show();
    return app.exec();
}
