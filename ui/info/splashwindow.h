// splashwindow.h: frmSplash, the window shown alone for five seconds when the program starts.
#pragma once

#include <QWidget>
#include <functional>

class QCloseEvent;
class QTimer;

namespace tintwise::ui {

class SplashWindow : public QWidget
{
    Q_OBJECT

public:
    // showMainWindow runs once, when the timer fires; the splash then closes and deletes
    // itself. Closing the splash earlier stops the timer, so it never runs.
    explicit SplashWindow(std::function<void()> showMainWindow, QWidget* parent = nullptr);

    // tmrSplash, for tests that drive it rather than wait.
    QTimer* splashTimer() const { return tmrSplash; }

public slots:
    void tmrSplash_Timer();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void Form_Load();

    std::function<void()> m_showMainWindow;
    QTimer* tmrSplash = nullptr;
};

} // namespace tintwise::ui
