#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <cstdio>
#include <memory>

#include "channels/ChannelTable.h"
#include "image/ProgramDoc.h"
#include "image/Recovery.h"
#include "ui/ChannelGridInput.h"
#include "ui/ModalScript.h"
#include "ui/ProgramFolder.h"
#include "ui/app/ChildFrame.h"
#include "ui/app/Commands.h"
#include "ui/app/MainFrame.h"
#include "ui/app/ProgramApp.h"
#include "ui/app/UiGlobals.h"
#include "ui/channels/ProgramView.h"

namespace {

const QByteArray kIni =
    "[Setup]\r\nLanguage=English\r\nAppName=Recovery Test\r\nType1=LH-740A\r\n"
    "[English]\r\nCompany=Vornex\r\n[Chinese]\r\nCompany=Vornex\r\n";

std::string StateFolder() {
    return RecoveryFolder();
}

// Types `text` into a channel cell and commits it with Tab, as a user does.
bool TypeCell(CProgramView* view, int row, int column, const QString& text) {
    ClickCell(view, row, column);
    auto* edit = qobject_cast<QLineEdit*>(view->VisibleEditor());
    if (edit == nullptr) {
        return false;
    }
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Tab);
    return true;
}

// The child of the kill test: opens `file`, edits a cell, waits for the copy, says so and
// waits to be killed.
int EditAndWait(const QString& appDir, const QString& file) {
    CProgramApp app;
    app.SetAppDir(appDir);
    app.SetSplashPause(0);
    if (!app.InitInstance({file})) {
        return 2;
    }
    app.MainFrame()->show();
    if (!QTest::qWaitForWindowActive(app.MainFrame()) ||
        !TypeCell(app.MainFrame()->ActiveChild()->View(), 2, kColRx, "145.5")) {
        return 3;
    }
    if (!QTest::qWaitFor([] { return !ListRecovery(StateFolder()).empty(); }, 10000)) {
        return 4;
    }
    std::puts("ready");
    std::fflush(stdout);
    QTest::qWait(60000);
    return 5;
}

}  // namespace

class CRecoveryTest : public QObject {
    Q_OBJECT

private:
    CScriptedPrompter m_prompter;
    QTemporaryDir m_state;
    std::unique_ptr<CProgramFolder> m_dir;
    std::unique_ptr<CProgramApp> m_app;

    CMainFrame* Frame() const { return m_app->MainFrame(); }
    CProgramView* View() const { return Frame()->ActiveChild()->View(); }
    QString RadioFile() const { return m_dir->Path("radio.dat"); }

    // Starts the program as a user does, on radio.dat when `onFile`.
    bool Start(bool onFile, QList<EPromptAnswer> answers = {}) {
        m_prompter.m_asked.clear();
        m_prompter.m_answers = answers;
        m_app = std::make_unique<CProgramApp>();
        m_app->SetAppDir(m_dir->Dir());
        m_app->SetSplashPause(0);
        if (!m_app->InitInstance(onFile ? QStringList{RadioFile()} : QStringList{})) {
            return false;
        }
        Frame()->show();
        return QTest::qWaitForWindowActive(Frame());
    }

    // Ends the program as a kill would: the copies stay although the windows go.
    void Kill() {
        const QString folder = QString::fromStdString(StateFolder());
        QTemporaryDir aside;
        const QStringList names = QDir(folder).entryList(QDir::Files);
        for (const QString& name : names) {
            QFile::copy(folder + "/" + name, aside.filePath(name));
        }
        m_app.reset();
        // A normal end removes them.
        QVERIFY(ListRecovery(StateFolder()).empty());
        for (const QString& name : names) {
            QFile::copy(aside.filePath(name), folder + "/" + name);
        }
    }

private slots:
    void initTestCase() {
        qputenv("XDG_CONFIG_HOME", m_state.filePath("config").toUtf8());
        qputenv("XDG_DATA_HOME", m_state.filePath("data").toUtf8());
        qputenv("XDG_STATE_HOME", m_state.filePath("state").toUtf8());
        SetPrompter(&m_prompter);
    }
    void cleanupTestCase() {
        m_app.reset();
        SetPrompter(nullptr);
    }
    void init() {
        m_dir = std::make_unique<CProgramFolder>(kIni);
        const CMemoryImage image = CMemoryImage::NewDocument();
        QFile out(RadioFile());
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(reinterpret_cast<const char*>(image.m_bytes.data()), kImageSize);
    }
    void cleanup() {
        m_app.reset();
        QDir(QString::fromStdString(StateFolder())).removeRecursively();
    }

    void anEditIsCopiedAndRestoredUnderItsFile() {
        QVERIFY(Start(true));
        Frame()->SetRecoveryInterval(20);
        QVERIFY(TypeCell(View(), 3, kColRx, "146.025"));
        QTRY_COMPARE(ListRecovery(StateFolder()).size(), std::size_t{1});
        const CRecoveryEntry entry = ListRecovery(StateFolder())[0];
        QCOMPARE(QString::fromStdString(entry.m_originalPath), RadioFile());
        // Undone back to the file: no copy; redone: the copy again.
        QVERIFY(Frame()->OnCommand(ID_EDIT_UNDO));
        QTRY_VERIFY(ListRecovery(StateFolder()).empty());
        QVERIFY(Frame()->OnCommand(ID_EDIT_REDO));
        QTRY_COMPARE(ListRecovery(StateFolder()).size(), std::size_t{1});
        Kill();

        QVERIFY(Start(true, {EPromptAnswer::Restore}));
        QCOMPARE(m_prompter.m_asked.size(), 1);
        QCOMPARE(m_prompter.m_asked[0].m_buttons, EPromptButtons::RestoreDiscard);
        QVERIFY(QString::fromStdString(m_prompter.m_asked[0].m_text).contains(RadioFile()));
        QCOMPARE(Frame()->ActiveChild()->windowTitle(), QString("radio.dat*"));
        QCOMPARE(View()->Grid()->TextMatrix(3, kColRx), QString("146.02500"));
        // Save writes the original file and leaves no copy behind.
        QVERIFY(Frame()->OnCommand(ID_FILE_SAVE));
        QCOMPARE(Frame()->ActiveChild()->windowTitle(), QString("radio.dat"));
        QVERIFY(ListRecovery(StateFolder()).empty());
        CProgramDoc saved;
        QVERIFY(saved.OnOpenDocument(RadioFile().toStdString()));
        QVERIFY(saved.m_image != CMemoryImage::NewDocument());
    }

    void anUntitledCopyIsKeptUntilDiscarded() {
        QVERIFY(Start(false));
        QVERIFY(TypeCell(View(), 1, kColRx, "146.5"));
        Frame()->SaveRecoveryCopies();
        QCOMPARE(ListRecovery(StateFolder()).size(), std::size_t{1});
        QCOMPARE(ListRecovery(StateFolder())[0].m_originalPath, std::string());
        Kill();
        // Closing the question decides nothing: the copy is offered again.
        const EPromptAnswer answers[] = {EPromptAnswer::Cancel, EPromptAnswer::Discard};
        for (const EPromptAnswer answer : answers) {
            QVERIFY(Start(false, {answer}));
            QCOMPARE(m_prompter.m_asked.size(), 1);
            QVERIFY(QString::fromStdString(m_prompter.m_asked[0].m_text).contains("new document"));
            QCOMPARE(Frame()->ActiveChild()->windowTitle(), QString("Channel Information"));
            const std::size_t left = ListRecovery(StateFolder()).size();
            QCOMPARE(left, answer == EPromptAnswer::Cancel ? std::size_t{1} : std::size_t{0});
            // An exit keeps a copy that no window of this program took.
            m_app.reset();
            QCOMPARE(ListRecovery(StateFolder()).size(), left);
        }
    }

    void aKilledProgramOffersItsWorkBack() {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LH740_RECOVERY_INTERVAL_MS", "50");
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(),
                    {"--edit-and-wait", m_dir->Dir(), RadioFile()});
        QVERIFY(child.waitForStarted());
        QVERIFY2(child.waitForReadyRead(30000), child.readAllStandardError().constData());
        QCOMPARE(child.readLine().trimmed(), QByteArray("ready"));
        ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
        QVERIFY(child.waitForFinished());
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);

        QVERIFY(Start(false, {EPromptAnswer::Restore}));
        QCOMPARE(m_prompter.m_asked.size(), 1);
        QCOMPARE(Frame()->ActiveChild()->windowTitle(), QString("radio.dat*"));
        QCOMPARE(View()->Grid()->TextMatrix(2, kColRx), QString("145.50000"));
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc == 4 && QByteArray(argv[1]) == "--edit-and-wait") {
        CScriptedPrompter prompter;
        SetPrompter(&prompter);
        return EditAndWait(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    }
    CRecoveryTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "RecoveryTest.moc"
