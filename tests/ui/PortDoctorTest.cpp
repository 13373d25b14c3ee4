// Setup > Port Doctor: the findings on the current port, and the loopback test behind a prompt.
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <memory>
#include <thread>

#include "image/MemoryImage.h"
#include "ui/ModalScript.h"
#include "ui/ProgramFolder.h"
#include "ui/app/Commands.h"
#include "ui/app/MainFrame.h"
#include "ui/app/ProgramApp.h"
#include "ui/app/UiGlobals.h"
#include "ui/link/LinkWorker.h"
#include "ui/link/PortDoctorDlg.h"

namespace {

class CAppDir : public CProgramFolder {
public:
    explicit CAppDir(const QByteArray& language)
        : CProgramFolder("[Setup]\r\nLanguage=" + language + "\r\nAppName=Doctor Test\r\n") {}
};

QAction* SetupMenuAction(CMainFrame* frame, int id) {
    for (QAction* menu : frame->menuBar()->actions()) {
        const QString title = menu->text();
        if (menu->menu() == nullptr ||
            (title != QStringLiteral("Setup") && title != QString::fromUtf8("设置"))) {
            continue;
        }
        for (QAction* action : menu->menu()->actions()) {
            if (action->data().toInt() == id) {
                return action;
            }
        }
    }
    return nullptr;
}

}  // namespace

class CPortDoctorTest : public QObject {
    Q_OBJECT

    CScriptedPrompter m_prompter;

private slots:
    void initTestCase() { SetPrompter(&m_prompter); }
    void cleanupTestCase() { SetPrompter(nullptr); }

    void menuOpensTheDoctorOnTheCurrentPort_data() {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("first");  // %1: the port
        QTest::newRow("English") << QByteArray("English") << "Port &Doctor..."
                                 << "Port Doctor"
                                 << "problem  %1 does not exist.";
        QTest::newRow("Chinese") << QByteArray("Chinese") << QString::fromUtf8("端口诊断(&D)...")
                                 << QString::fromUtf8("端口诊断")
                                 << QString::fromUtf8("问题     %1 不存在。");
    }
    void menuOpensTheDoctorOnTheCurrentPort() {
        QFETCH(QByteArray, language);
        QFETCH(QString, item);
        QFETCH(QString, title);
        QFETCH(QString, first);
        CAppDir dir(language);
        std::unique_ptr<CProgramApp> app;
        CMainFrame* frame = StartOnImage(app, dir, CMemoryImage::NewDocument());
        QVERIFY(frame != nullptr);
        QAction* action = SetupMenuAction(frame, ID_SETUP_PORT_DOCTOR);
        QVERIFY(action != nullptr);
        QCOMPARE(action->text(), item);
        QVERIFY(action->isEnabled());

        g_strComPort = dir.Path("ttyUSB9");
        QString list;
        QVERIFY(OnModal<CPortDoctorDlg>([&] { QVERIFY(frame->OnCommand(ID_SETUP_PORT_DOCTOR)); },
                                        [&](CPortDoctorDlg* dialog) {
                                            QCOMPARE(dialog->windowTitle(), title);
                                            QVERIFY(dialog->List()->isReadOnly());
                                            QVERIFY(dialog->List()->textInteractionFlags() &
                                                    Qt::TextSelectableByMouse);
                                            list = dialog->List()->toPlainText();
                                            dialog->reject();
                                        }));
        QVERIFY2(list.startsWith(first.arg(g_strComPort)), qPrintable(list));
        // The fix is on the line below, in the same language.
        QVERIFY2(list.contains(g_bChinese ? QString::fromUtf8("解决：插上写频线")
                                          : QStringLiteral("fix: Plug the cable in")),
                 qPrintable(list));
        app->ExitInstance();
    }

    void loopbackRunsOnlyOnceTheUserAgrees() {
        g_bChinese = false;
        QTemporaryDir fake;
        CDoctorRoots roots;
        for (const char* sub : {"dev", "sys", "proc", "root", "lock"}) {
            QVERIFY(QDir(fake.path()).mkpath(sub));
        }
        roots.m_dev = fake.filePath("dev").toStdString();
        roots.m_sys = fake.filePath("sys").toStdString();
        roots.m_proc = fake.filePath("proc").toStdString();
        roots.m_root = fake.filePath("root").toStdString();
        roots.m_lockDir = fake.filePath("lock").toStdString();

        // A pseudo-terminal whose other end echoes what it gets: a cable with TX and RX joined.
        const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
        QVERIFY(master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0);
        const QString port = QString::fromLocal8Bit(::ptsname(master));
        std::atomic<bool> stop{false};
        std::thread echo([&] {
            while (!stop) {
                pollfd pfd{master, POLLIN, 0};
                char buffer[64];
                if (::poll(&pfd, 1, 20) == 1 && (pfd.revents & POLLIN)) {
                    const ssize_t n = ::read(master, buffer, sizeof buffer);
                    if (n > 0 && ::write(master, buffer, static_cast<std::size_t>(n)) != n) {
                        break;
                    }
                }
            }
        });

        CPortDoctorDlg dialog(port, nullptr, roots);
        QCOMPARE(dialog.Summary()->text(), QStringLiteral("No problem found."));
        const QString before = dialog.List()->toPlainText();
        QVERIFY(!before.contains("Echo"));

        m_prompter.m_asked.clear();
        m_prompter.m_answers = {EPromptAnswer::Cancel};
        dialog.LoopbackButton()->click();
        QCOMPARE(m_prompter.m_asked.size(), 1);
        QVERIFY(QString::fromStdString(m_prompter.m_asked[0].m_text).contains("TX and RX"));
        QCOMPARE(dialog.List()->toPlainText(), before);

        m_prompter.m_answers = {EPromptAnswer::Ok};
        dialog.LoopbackButton()->click();
        const QString after = dialog.List()->toPlainText();
        QVERIFY2(after.endsWith("ok       Echo ok: the 16 bytes sent at 9600 baud came back "
                                "unchanged."),
                 qPrintable(after));
        stop = true;
        echo.join();

        // The other end stays silent: no echo, said with its fix.
        dialog.RunChecks(true);
        QVERIFY(dialog.Summary()->text().startsWith("Problems found: 1."));
        QVERIFY(dialog.List()->toPlainText().contains("problem  No echo: "));
        QVERIFY(dialog.List()->toPlainText().contains("fix: Join the cable's TX and RX"));
        ::close(master);
    }

    void simulatedRadioHasNothingToCheck() {
        g_bChinese = false;
        CPortDoctorDlg dialog(kSimulatedPort);
        QVERIFY(dialog.Findings().empty());
        QVERIFY(!dialog.LoopbackButton()->isEnabled());
        QVERIFY(dialog.Summary()->text().contains("simulated radio"));
    }
};

QTEST_MAIN(CPortDoctorTest)
#include "PortDoctorTest.moc"
