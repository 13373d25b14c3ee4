#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "settings/IniFile.h"
#include "settings/UserValues.h"
#include "ui/app/QtUserValues.h"
#include "ui/app/UiGlobals.h"

// The desktop program and lh740ctl keep the remembered port and model in one file.
class CUserStoreTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_config;
    std::string m_appName;

private slots:
    void initTestCase() {
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
        QVERIFY(g_iniFile.LoadPath(LH740_BIN_DIR "/Program.ini", false, true).has_value());
        m_appName = g_iniFile.GetString("Setup", "AppName", "");
        QVERIFY(!m_appName.empty());
    }

    // Runs first: ProgramUserValues() merges the old store on its first use only.
    void oldDesktopStoreIsMergedOnce() {
        CQtUserValues old(m_appName);
        QVERIFY(old.SetString("com", "/dev/ttyOLD"));
        QVERIFY(old.SetNumber("Type", 2));
        CFileUserValues shared(m_appName);
        QVERIFY(shared.SetString("com", "/dev/ttyCLI"));  // newer: the shared file wins

        CUserValues& values = ProgramUserValues();
        QCOMPARE(values.GetString("com"), std::optional<std::string>("/dev/ttyCLI"));
        QCOMPARE(values.GetNumber("Type"), std::optional<std::uint32_t>(2));
        QVERIFY(!QFile::exists(old.GetFilePath()));
        QVERIFY(QFile::exists(old.GetFilePath() + ".merged"));
        // A later old file is not read again.
        QVERIFY(CQtUserValues(m_appName).SetNumber("Type", 5));
        QCOMPARE(ProgramUserValues().GetNumber("Type"), std::optional<std::uint32_t>(2));
    }

    void aPortChosenInOneProgramIsTheOthers() {
        // lh740ctl remembers a port: the desktop sees it.
        QProcess cli;
        cli.start(LH740_BIN_DIR "/lh740ctl", {"ports", "--remember", "/dev/ttyUSB7"});
        QVERIFY(cli.waitForFinished(30000));
        QCOMPARE(cli.exitCode(), 0);
        QCOMPARE(ProgramUserValues().GetString("com"), std::optional<std::string>("/dev/ttyUSB7"));
        // The desktop remembers one: lh740ctl's store holds it.
        QVERIFY(ProgramUserValues().SetString("com", "/dev/ttyUSB2"));
        QCOMPARE(CFileUserValues(m_appName).GetString("com"),
                 std::optional<std::string>("/dev/ttyUSB2"));
    }
};

QTEST_MAIN(CUserStoreTest)
#include "UserStoreTest.moc"
