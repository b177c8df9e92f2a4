// tst_sysinfo.cpp: reading registry values and finding, or failing to find, the program.
#include "fake_info_platform.h"

#include <QDir>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QtTest>
#include <fstream>
#include <ui/info/aboutwindow.h>
#include <ui/info/sysinfo.h>

using namespace tintwise::ui;
using tintwise::ui::test::FakeInfoPlatform;

using Bytes = std::vector<char>;
Q_DECLARE_METATYPE(Bytes)

namespace {

const QString kUnavailable = QStringLiteral("System Information Is Unavailable At This Time");

std::string makeFile(const QDir& dir, const QString& name)
{
    const std::string path = dir.filePath(name).toStdString();
    std::ofstream(path) << "program";
    return path;
}

} // namespace

class SysInfoTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void readsAValueAsItsTypeDemands_data();
    void readsAValueAsItsTypeDemands();
    void aValueWithNoDataIsAnErrorThatClosesTheKey();
    void startsTheProgramThePathValueNames();
    void aPathToAMissingProgramEndsInTheMessage();
    void withoutAPathStartsTheProgramInTheLocationFolder();
    void aLocationFolderWithoutTheProgramEndsInTheMessage();
    void aFailedPathReadOrStartSkipsTheSecondLookup_data();
    void aFailedPathReadOrStartSkipsTheSecondLookup();
    void desktopStartsAPathWholeAndTestsFilesForReal();
    void desktopMessageIsPlainWithOkOnly();

private:
    FakeInfoPlatform m_platform;
    std::unique_ptr<QTemporaryDir> m_temp; // fresh for every test
    QDir m_dir;
};

void SysInfoTest::init()
{
    m_platform = FakeInfoPlatform();
    m_temp = std::make_unique<QTemporaryDir>();
    QVERIFY(m_temp->isValid());
    m_dir.setPath(m_temp->path());
}

void SysInfoTest::readsAValueAsItsTypeDemands_data()
{
    QTest::addColumn<uint>("type");
    QTest::addColumn<Bytes>("data");
    QTest::addColumn<bool>("read");
    QTest::addColumn<QString>("value"); // KeyVal starts as "old"

    QTest::newRow("string with its NUL") << 1u << Bytes{'a', 'b', '\0'} << true << "ab";
    QTest::newRow("string without a NUL") << 1u << Bytes{'a', 'b'} << true << "ab";
    QTest::newRow("NUL inside kept")
        << 1u << Bytes{'a', '\0', 'b', '\0'} << true << QString::fromLatin1("a\0b", 3);
    QTest::newRow("number") << 4u << Bytes{42, 1, 0, 0} << true << "298";
    QTest::newRow("largest number") << 4u << Bytes(4, '\xFF') << true << "4294967295";
    QTest::newRow("other type leaves it") << 3u << Bytes{'x'} << true << "old";
    QTest::newRow("fills the buffer") << 1u << Bytes(1024, 'p') << true << QString(1024, 'p');
    QTest::newRow("over the buffer is missing") << 1u << Bytes(1025, 'p') << false << "";
}

void SysInfoTest::readsAValueAsItsTypeDemands()
{
    QFETCH(uint, type);
    QFETCH(Bytes, data);
    QFETCH(bool, read);
    QFETCH(QString, value);
    m_platform.memory.setValue(kLocalMachine, "Key", "Value", {type, data});

    std::string KeyVal = "old";
    QCOMPARE(GetKeyValue(m_platform.memory, kLocalMachine, "Key", "Value", KeyVal), read);
    QCOMPARE(QString::fromLatin1(KeyVal.data(), qsizetype(KeyVal.size())), value);
    QCOMPARE(m_platform.memory.openKeyCount(), 0);

    KeyVal = "old";
    QVERIFY(!GetKeyValue(m_platform.memory, kLocalMachine, "Key", "Missing", KeyVal));
    QVERIFY(KeyVal.empty());
    KeyVal = "old";
    QVERIFY(!GetKeyValue(m_platform.memory, kLocalMachine, "NoKey", "Value", KeyVal));
    QVERIFY(KeyVal.empty());
    QCOMPARE(m_platform.memory.openKeyCount(), 0);
}

void SysInfoTest::aValueWithNoDataIsAnErrorThatClosesTheKey()
{
    m_platform.memory.setValue(kLocalMachine, "Key", "Value", {kRegString, {}});
    std::string KeyVal;
    QVERIFY_THROWS_EXCEPTION(RegistryValueError,
                             GetKeyValue(m_platform.memory, kLocalMachine, "Key", "Value", KeyVal));
    QCOMPARE(m_platform.memory.openKeyCount(), 0);
}

void SysInfoTest::startsTheProgramThePathValueNames()
{
    const std::string program = makeFile(m_dir, "sys info tool");
    m_platform.memory.setValue(kLocalMachine, kSysInfoKey, kSysInfoValue,
                               MemoryRegistry::stringValue(program));
    StartSysInfo(m_platform, nullptr);
    QCOMPARE(m_platform.started, std::vector<std::string>{program});
    QVERIFY(m_platform.messages.empty());
}

void SysInfoTest::aPathToAMissingProgramEndsInTheMessage()
{
    const std::string missing = m_dir.filePath("gone").toStdString();
    m_platform.memory.setValue(kLocalMachine, kSysInfoKey, kSysInfoValue,
                               MemoryRegistry::stringValue(missing));
    AboutWindow about(std::make_unique<FakeInfoPlatform>());
    StartSysInfo(m_platform, &about);

    QCOMPARE(m_platform.started, std::vector<std::string>{missing});
    QCOMPARE(m_platform.messages.size(), std::size_t{1});
    QCOMPARE(m_platform.messages[0].parent, &about);
    QCOMPARE(m_platform.messages[0].title, QStringLiteral("Tintwise"));
    QCOMPARE(m_platform.messages[0].text, kUnavailable);
}

void SysInfoTest::withoutAPathStartsTheProgramInTheLocationFolder()
{
    const std::string program = makeFile(m_dir, "MSINFO32.EXE");
    m_platform.memory.addKey(kLocalMachine, kSysInfoKey);
    // A path too long to read counts as none.
    m_platform.memory.setValue(kLocalMachine, kSysInfoKey, kSysInfoValue,
                               {kRegString, Bytes(2000, 'p')});
    m_platform.memory.setValue(kLocalMachine, kSysInfoLocationKey, kSysInfoLocationValue,
                               MemoryRegistry::stringValue(m_dir.path().toStdString()));
    StartSysInfo(m_platform, nullptr);
    QCOMPARE(m_platform.started, std::vector<std::string>{program});
    QVERIFY(m_platform.messages.empty());
}

void SysInfoTest::aLocationFolderWithoutTheProgramEndsInTheMessage()
{
    // A folder of the program's name is no program.
    QVERIFY(m_dir.mkdir("MSINFO32.EXE"));
    m_platform.memory.setValue(kLocalMachine, kSysInfoLocationKey, kSysInfoLocationValue,
                               MemoryRegistry::stringValue(m_dir.path().toStdString()));
    StartSysInfo(m_platform, nullptr);
    QVERIFY(m_platform.started.empty());
    QCOMPARE(m_platform.messages.size(), std::size_t{1});
}

void SysInfoTest::aFailedPathReadOrStartSkipsTheSecondLookup_data()
{
    QTest::addColumn<uint>("type");
    QTest::addColumn<Bytes>("data");
    QTest::addColumn<bool>("tried"); // whether a start of "" is attempted
    // Another type reads as success with no text, and starting nothing fails.
    QTest::newRow("binary value") << 3u << Bytes{1, 2} << true;
    QTest::newRow("no data at all") << kRegString << Bytes{} << false;
}

void SysInfoTest::aFailedPathReadOrStartSkipsTheSecondLookup()
{
    QFETCH(uint, type);
    QFETCH(Bytes, data);
    QFETCH(bool, tried);
    makeFile(m_dir, "MSINFO32.EXE");
    m_platform.memory.setValue(kLocalMachine, kSysInfoKey, kSysInfoValue, {type, data});
    m_platform.memory.setValue(kLocalMachine, kSysInfoLocationKey, kSysInfoLocationValue,
                               MemoryRegistry::stringValue(m_dir.path().toStdString()));
    StartSysInfo(m_platform, nullptr);
    QCOMPARE(m_platform.started, tried ? std::vector<std::string>{""} : std::vector<std::string>{});
    QCOMPARE(m_platform.messages.size(), std::size_t{1});
    QCOMPARE(m_platform.memory.openKeyCount(), 0);
}

void SysInfoTest::desktopStartsAPathWholeAndTestsFilesForReal()
{
    DesktopInfoPlatform desktop;
    // A blank in the path must not split it into a program and an argument.
    const std::string program = m_dir.filePath("sys info").toStdString();
    QVERIFY(QFile::copy("/bin/true", QString::fromStdString(program)));
    QVERIFY(desktop.startProgram(program));
    QVERIFY(!desktop.startProgram(program + std::string(1, '\0') + "x"));
    QVERIFY(!desktop.startProgram(m_dir.filePath("gone").toStdString()));
    QVERIFY(!desktop.startProgram(""));

    QVERIFY(desktop.isNormalFile(program));
    QVERIFY(!desktop.isNormalFile(m_dir.path().toStdString()));
    QVERIFY(!desktop.isNormalFile(m_dir.filePath("gone").toStdString()));
}

void SysInfoTest::desktopMessageIsPlainWithOkOnly()
{
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::Critical;
    QMessageBox::StandardButtons buttons;
    QTimer::singleShot(0, this, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        buttons = box->standardButtons();
        box->accept();
    });
    DesktopInfoPlatform().showMessage(nullptr, "Tintwise", "<b>a</b>");
    QCOMPARE(title, QStringLiteral("Tintwise"));
    QCOMPARE(text, QStringLiteral("<b>a</b>"));
    QCOMPARE(icon, QMessageBox::NoIcon);
    QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

QTEST_MAIN(SysInfoTest)
#include "tst_sysinfo.moc"
