// tst_palette_button.cpp: a palette button draws, pixel for pixel, what its style sheet drew.
#include <QApplication>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <engine/palette.h>
#include <ui/main/colours.h>
#include <ui/main/palette_button.h>

using namespace tintwise;

namespace {

// The look the palette buttons had as style sheets, kept as the reference.
QString styleSheetOf(const QColor& face)
{
    const QString focus =
        qGray(face.rgb()) < 128 ? QStringLiteral("white") : QStringLiteral("black");
    return QStringLiteral("QPushButton { background-color: %1; border: 1px solid #404040; "
                          "border-radius: 0px; padding: 0px; }"
                          "QPushButton:pressed { border: 2px solid #202020; }"
                          "QPushButton:focus { border: 2px dotted %2; }")
        .arg(face.name(), focus);
}

} // namespace

class PaletteButtonTest : public QObject
{
    Q_OBJECT

private slots:
    void looksAsItsStyleSheetDrewIt_data()
    {
        QTest::addColumn<QString>("style");
        QTest::addColumn<bool>("keyboardFocus");
        for (const QString& key : QStyleFactory::keys()) {
            for (const bool keyboard : {false, true}) {
                QTest::addRow("%s%s", qPrintable(key), keyboard ? ", keyboard" : "")
                    << key << keyboard;
            }
        }
    }

    void looksAsItsStyleSheetDrewIt()
    {
        QFETCH(QString, style);
        QFETCH(bool, keyboardFocus);
        const QString previous = QApplication::style()->name();
        QApplication::setStyle(style);

        QWidget window;
        window.resize(120, 40);
        // The style's own focus mark is drawn only after a focus change by keyboard.
        window.setAttribute(Qt::WA_KeyboardFocusChange, keyboardFocus);
        auto* reference = new QPushButton(&window);
        auto* elsewhere = new QPushButton(&window);
        for (auto* button : {reference, elsewhere}) {
            button->setAutoDefault(true);
        }
        reference->setGeometry(8, 8, 25, 25);
        elsewhere->setGeometry(88, 8, 25, 25);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        for (int k = 0; k < engine::kPaletteButtonCount; ++k) {
            const QColor face = ui::toQColor(engine::QBColor(k));
            reference->setStyleSheet(styleSheetOf(face));
            ui::PaletteButton button(face, &window);
            button.setAutoDefault(true);
            button.setGeometry(48, 8, 25, 25);
            button.show();
            for (const bool focused : {false, true}) {
                for (const bool pressed : {false, true}) {
                    QImage images[2];
                    int i = 0;
                    for (QPushButton* drawn : {reference, static_cast<QPushButton*>(&button)}) {
                        (focused ? drawn : elsewhere)->setFocus();
                        drawn->setDown(pressed);
                        images[i++] = drawn->grab().toImage();
                        drawn->setDown(false);
                    }
                    QVERIFY2(images[0] == images[1],
                             qPrintable(QStringLiteral("colour %1%2%3")
                                            .arg(k)
                                            .arg(focused ? ", focused" : "")
                                            .arg(pressed ? ", pressed" : "")));
                }
            }
        }
        QApplication::setStyle(previous);
    }
};

QTEST_MAIN(PaletteButtonTest)

#include "tst_palette_button.moc"
