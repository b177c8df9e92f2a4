// main.cpp: the program's entry: the splash window first, then the main window it hands over to.
#include <QApplication>
#include <memory>
#include <ui/info/aboutwindow.h>
#include <ui/info/end_on_signal.h>
#include <ui/info/info_look.h>
#include <ui/info/splashwindow.h>
#include <ui/main/desktop.h>
#include <ui/main/mainwindow.h>

int main(int argc, char* argv[])
{
    // The game takes no options: Qt sees the program's name only, so no argument on the
    // command line changes it.
    int qtArgc = argc > 0 ? 1 : 0;
    QApplication app(qtArgc, argv);
    tintwise::ui::endOnTerminationSignals(); // a logout or shutdown ends the game as Exit does
    // Every window takes the program's icon from here.
    QApplication::setWindowIcon(tintwise::ui::programIcon());
    // Lets desktops match the windows to the installed desktop entry: Wayland by the entry's
    // name, X11 by the class in WM_CLASS, which Qt takes from the application's name.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Tintwise"));
    QCoreApplication::setApplicationName(QStringLiteral("Tintwise"));

    // Declared before the main window so that it outlives it; it takes an open about window
    // with it when the program ends.
    tintwise::ui::AboutWindowHost about;
    std::unique_ptr<tintwise::ui::MainWindow> mainWindow;

    auto* splash = new tintwise::ui::SplashWindow([&] {
        mainWindow = std::make_unique<tintwise::ui::MainWindow>();
        QObject::connect(mainWindow.get(), &tintwise::ui::MainWindow::howToPlayRequested, &about,
                         [&] { about.showAboutWindow(mainWindow.get()); });
        mainWindow->show();
    });
    splash->show(); // deletes itself when it closes
    // Closing the splash early ends the loop; the main window ends the program itself.
    tintwise::ui::endProgramNow(app.exec());
}
