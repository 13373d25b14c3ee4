// Setup > Port Doctor: the findings on the current port, and the loopback test behind a prompt.
#include <fcntl.h>
#include <unistd.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

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

    void doctorWindow_data() {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("missing");  // %1: the port
        QTest::addColumn<QString>("noEcho");
        QTest::newRow("English") << QByteArray("English") << "Port &Doctor..."
                                 << "problem  %1 does not exist.\n         fix: Plug the cable in"
                                 << "problem  No echo: none of the 16 bytes";
        QTest::newRow("Chinese") << QByteArray("Chinese") << QString::fromUtf8("端口诊断(&D)...")
                                 << QString::fromUtf8("问题     %1 不存在。\n         解决：插上")
                                 << QString::fromUtf8("问题     无回环：");
    }
    void doctorWindow() {
        QFETCH(QByteArray, language);
        QFETCH(QString, item);
        QFETCH(QString, missing);
        QFETCH(QString, noEcho);
        CAppDir dir(language);
        std::unique_ptr<CProgramApp> app;
        CMainFrame* frame = StartOnImage(app, dir, CMemoryImage::NewDocument());
        QVERIFY(frame != nullptr);
        QAction* action = SetupMenuAction(frame, ID_SETUP_PORT_DOCTOR);
        QVERIFY(action != nullptr);
        QCOMPARE(action->text(), item);

        // The current port is missing: said first, with its fix, as selectable text.
        g_strComPort = dir.Path("ttyUSB9");
        QString list;
        QVERIFY(OnModal<CPortDoctorDlg>([&] { QVERIFY(frame->OnCommand(ID_SETUP_PORT_DOCTOR)); },
                                        [&](CPortDoctorDlg* dialog) {
                                            QVERIFY(dialog->List()->textInteractionFlags() &
                                                    Qt::TextSelectableByMouse);
                                            list = dialog->List()->toPlainText();
                                            dialog->reject();
                                        }));
        QVERIFY2(list.startsWith(missing.arg(g_strComPort)), qPrintable(list));

        // A silent line: the echo test runs only once the user says TX and RX are joined.
        const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
        QVERIFY(master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0);
        g_strComPort = QString::fromLocal8Bit(::ptsname(master));
        QStringList lists;
        m_prompter.m_answers = {EPromptAnswer::Cancel, EPromptAnswer::Ok};
        m_prompter.m_asked.clear();
        QVERIFY(OnModal<CPortDoctorDlg>([&] { QVERIFY(frame->OnCommand(ID_SETUP_PORT_DOCTOR)); },
                                        [&](CPortDoctorDlg* dialog) {
                                            for (int i = 0; i < 2; ++i) {
                                                dialog->LoopbackButton()->click();
                                                lists << dialog->List()->toPlainText();
                                            }
                                            dialog->reject();
                                        }));
        ::close(master);
        QCOMPARE(m_prompter.m_asked.size(), 2);
        QVERIFY2(!lists[0].contains(noEcho), qPrintable(lists[0]));
        QVERIFY2(lists[1].contains(noEcho), qPrintable(lists[1]));
        app->ExitInstance();
    }
};

QTEST_MAIN(CPortDoctorTest)
#include "PortDoctorTest.moc"
