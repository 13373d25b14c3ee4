// Radio transfers from the desktop program, against the simulated radio on a pseudo-terminal.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>
#include <thread>

#include "image/Backups.h"
#include "image/ProgramDoc.h"
#include "settings/Messages.h"
#include "sim/SimServer.h"
#include "support/PortOpen.h"
#include "ui/ModalScript.h"
#include "ui/ProgramFolder.h"
#include "ui/app/BackupsDlg.h"
#include "ui/app/ChildFrame.h"
#include "ui/app/Commands.h"
#include "ui/app/MainFrame.h"
#include "ui/app/ProgramApp.h"
#include "ui/app/QtUserValues.h"
#include "ui/app/UiGlobals.h"
#include "ui/channels/CellEditors.h"
#include "ui/channels/CompareCommands.h"
#include "ui/channels/DocumentHistory.h"
#include "ui/channels/FlexGrid.h"
#include "ui/channels/ProgramView.h"
#include "ui/editors/OptionalFeaturesDlg.h"
#include "ui/link/ComSetupDlg.h"
#include "ui/link/LinkWorker.h"
#include "ui/link/ProcessDlg.h"
#include "ui/link/SquelchTuningDlg.h"
#include "ui/link/TransferCommands.h"
#include "ui/link/ViewTransfer.h"

namespace {

// A program folder of its own: Program.ini and the language packs.
class CAppDir : public CProgramFolder {
public:
    explicit CAppDir(const QByteArray& language)
        : CProgramFolder("[Setup]\r\nLanguage=" + language +
                         "\r\nAppName=Transfer Test\r\n[English]\r\nCompany=Vornex\r\n"
                         "[Chinese]\r\nCompany=Vornex\r\n") {}
};

// The simulated radio served on a pseudo-terminal by a thread of its own. The tests reach the
// radio only through Radio(), which stops that thread for the statement and starts it again:
// the join and the start order the two threads' accesses (the pseudo-terminal between them
// orders them too, but no sanitizer can see that).
class CPtyRadio {
public:
    explicit CPtyRadio(CSimTiming timing = {}) : m_server(m_radio, timing) {
        std::string error;
        m_bOk = m_server.Create(error) && ::pipe(m_stop) == 0;
        Start();
    }
    ~CPtyRadio() {
        Stop();
        ::close(m_stop[0]);
        ::close(m_stop[1]);
    }
    QString Path() const { return QString::fromStdString(m_server.SlavePath()); }

    class CHeld {
    public:
        explicit CHeld(CPtyRadio& radio) : m_radio(radio) { m_radio.Stop(); }
        ~CHeld() { m_radio.Start(); }
        CSimRadio* operator->() const { return &m_radio.m_radio; }

    private:
        CPtyRadio& m_radio;
    };
    CHeld Radio() { return CHeld(*this); }

    bool m_bOk = false;

private:
    void Start() {
        m_thread = std::thread([this] { m_server.Serve(m_stop[0], false, {}); });
    }
    void Stop() {
        char byte = 1;
        [[maybe_unused]] ssize_t n = ::write(m_stop[1], &byte, 1);
        m_thread.join();
        n = ::read(m_stop[0], &byte, 1);  // Serve only looks at it
    }

    CSimRadio m_radio;
    CSimPtyServer m_server;
    int m_stop[2] = {-1, -1};
    std::thread m_thread;
};

// Channel 1 on 146.02500 MHz both ways.
CMemoryImage ImageWithChannel() {
    CMemoryImage image = CMemoryImage::NewDocument();
    const std::uint8_t bcd[4] = {0x00, 0x25, 0x60, 0x14};
    for (int i = 0; i < 4; ++i) {
        image.m_bytes[i] = bcd[i];
        image.m_bytes[4 + i] = bcd[i];
    }
    return image;
}

// The bytes of `image` that are not held by the radio, marked so a stray change shows.
void MarkComputerBytes(CMemoryImage& image) {
    for (std::size_t offset = 0; offset < kImageSize; ++offset) {
        if (!RadioAddressOf(offset)) {
            image[offset] = static_cast<std::uint8_t>(offset * 7);
        }
    }
}

}  // namespace

class CTransferTest : public QObject {
    Q_OBJECT

private:
    CScriptedPrompter m_prompter;
    QTemporaryDir m_config;
    std::unique_ptr<CAppDir> m_dir;
    std::unique_ptr<CProgramApp> m_app;
    std::unique_ptr<CPtyRadio> m_radio;
    QString m_strStartPort;  // the port start-up chose

    CMainFrame* Frame() const { return m_app->MainFrame(); }
    CProgramView* View() const { return Frame()->ActiveChild()->View(); }
    CProgramDoc& Doc() const { return View()->GetDocument(); }
    CViewTransfer& Transfer() const { return CViewTransfer::Of(*View()); }

    // Starts the program on a file holding `image`, with a simulated radio on a pty as the
    // chosen port.
    bool Launch(const CMemoryImage& image, const QByteArray& language = "English",
                CSimTiming timing = {}) {
        m_radio = std::make_unique<CPtyRadio>(timing);
        if (!m_radio->m_bOk) {
            return false;
        }
        m_dir = std::make_unique<CAppDir>(language);
        const QString file = m_dir->Path("radio.dat");
        QFile out(file);
        out.open(QIODevice::WriteOnly);
        out.write(reinterpret_cast<const char*>(image.m_bytes.data()), kImageSize);
        out.close();
        m_app = std::make_unique<CProgramApp>();
        m_app->SetAppDir(m_dir->Dir());
        m_app->SetSplashPause(0);
        if (!m_app->InitInstance({file})) {
            return false;
        }
        InstallTransferCommands(*Frame());
        m_strStartPort = g_strComPort;
        g_strComPort = m_radio->Path();
        Frame()->show();
        m_prompter.m_asked.clear();
        return true;
    }

    // Read or Write, then Start; returns the window that ran.
    QPointer<CProcessDlg> Begin(int command) {
        if (!Frame()->OnCommand(command)) {
            return nullptr;
        }
        QPointer<CProcessDlg> dlg = Transfer().ProcessDlg();
        if (dlg) {
            QTest::mouseClick(dlg->StartButton(), Qt::LeftButton);
        }
        return dlg;
    }

    // Waits for the running transfer to end; its outcome.
    static std::optional<ETransferOutcome> WaitEnd(QSignalSpy& spy, int ms = 60000) {
        // A wait can return early on a loaded machine; only the deadline ends the waiting.
        const QDeadlineTimer deadline(ms);
        while (spy.isEmpty() && !deadline.hasExpired()) {
            spy.wait(static_cast<int>(std::max<qint64>(1, deadline.remainingTime())));
        }
        if (spy.isEmpty()) {
            qWarning("no transfer ended within %d ms", ms);
            return std::nullopt;
        }
        const auto outcome = spy.takeFirst().at(0).value<ETransferOutcome>();
        if (outcome != ETransferOutcome::Done) {
            qWarning("transfer ended with outcome %d", static_cast<int>(outcome));
        }
        return outcome;
    }

private slots:
    void initTestCase() {
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
        qputenv("XDG_DATA_HOME", m_config.path().toUtf8());
        SetPrompter(&m_prompter);
    }
    void init() {
        m_prompter.m_asked.clear();
        m_prompter.m_answers.clear();
    }
    void cleanup() {
        if (m_app) {
            m_app->ExitInstance();
        }
        m_app.reset();
        m_dir.reset();
        m_radio.reset();
    }
    void cleanupTestCase() { SetPrompter(nullptr); }

    void readFillsTheGridAndKeepsTheComputersBytes_data() {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<QString>("title");
        QTest::newRow("English") << QByteArray("English") << QStringLiteral("Read Data");
        QTest::newRow("Chinese") << QByteArray("Chinese") << QStringLiteral("读数据");
    }
    void readFillsTheGridAndKeepsTheComputersBytes() {
        QFETCH(QByteArray, language);
        QFETCH(QString, title);
        CMemoryImage document = CMemoryImage::NewDocument();
        MarkComputerBytes(document);
        QVERIFY(Launch(document, language));
        m_radio->Radio()->m_memory = ImageToRadio(ImageWithChannel());
        QCOMPARE(View()->Grid()->TextMatrix(1, kColRx), QString());

        QVERIFY(Frame()->OnCommand(ID_PROGRAM_READ));
        QPointer<CProcessDlg> dlg = Transfer().ProcessDlg();
        QVERIFY(dlg && dlg->isVisible());
        QCOMPARE(dlg->windowTitle(), title);
        QCOMPARE(dlg->Bar()->maximum(), 191);
        QCOMPARE(dlg->Bar()->value(), 0);
        QCOMPARE(dlg->StatusText(), language == "Chinese" ? QString("未开始") : "Not start yet");
        // The status texts as they come: the handshake's, then the bar's positions.
        QSignalSpy ended(&Transfer(), &CViewTransfer::TransferEnded);
        QTest::mouseClick(dlg->StartButton(), Qt::LeftButton);
        QVERIFY(!dlg->StartButton()->isEnabled());
        QStringList statuses;
        connect(dlg, &CProcessDlg::StatusShown, this,
                [&statuses](const QString& text) { statuses << text; });
        QCOMPARE(WaitEnd(ended), ETransferOutcome::Done);

        QVERIFY(m_prompter.m_asked.isEmpty());
        QTRY_VERIFY(dlg.isNull());
        QStringList expected = {language == "Chinese" ? QString("请等待对机讲响应....")
                                                      : "Waiting the response from radio...."};
        for (int position = 1; position <= 191; ++position) {
            expected << QString::number(position);
        }
        QCOMPARE(statuses, expected);
        QCOMPARE(View()->Grid()->TextMatrix(1, kColRx), QStringLiteral("146.02500"));
        QVERIFY(!View()->GetDocument().m_bNewDocument);
        const auto radio = m_radio->Radio()->m_memory;
        for (std::size_t offset = 0; offset < kImageSize; ++offset) {
            const auto address = RadioAddressOf(offset);
            const std::uint8_t expected = address ? radio[*address] : document[offset];
            QVERIFY2(Doc().m_image[offset] == expected, qPrintable(QString::number(offset)));
        }
    }

    void writeStoresTheGridFirstAndChangesTheRadio() {
        QVERIFY(Launch(CMemoryImage::NewDocument()));
        const auto before = m_radio->Radio()->m_memory;
        // A frequency typed but not yet committed goes to the radio too.
        CMSFlexGrid* grid = View()->Grid();
        grid->SetCell(2, kColRx);
        View()->ShowCellEditor();
        QLineEdit* edit = View()->Editors()->FrequencyEdit();
        QVERIFY(edit->isVisible());
        edit->setText(QStringLiteral("146.025"));

        QSignalSpy ended(&Transfer(), &CViewTransfer::TransferEnded);
        QPointer<CProcessDlg> dlg = Begin(ID_PROGRAM_WRITE);
        QVERIFY(dlg);
        QCOMPARE(dlg->windowTitle(), QStringLiteral("Write Data"));
        QString lastStatus;
        connect(dlg, &CProcessDlg::StatusShown, this,
                [&lastStatus](const QString& text) { lastStatus = text; });
        QCOMPARE(WaitEnd(ended), ETransferOutcome::Done);
        // The last status is the read-back's that checks the write.
        QCOMPARE(lastStatus, QStringLiteral("191"));
        QTRY_VERIFY(dlg.isNull());
        QVERIFY(m_prompter.m_asked.isEmpty());

        const auto radio = m_radio->Radio()->m_memory;
        QCOMPARE(m_radio->Radio()->m_nBlocksWritten, 510);
        // Channel 2's record, 146.02500 MHz in BCD, least significant byte first.
        QCOMPARE(int(radio[24]), 0x00);
        QCOMPARE(int(radio[25]), 0x25);
        QCOMPARE(int(radio[26]), 0x60);
        QCOMPARE(int(radio[27]), 0x14);
        for (const CTransferBlock& block : WriteBlocks()) {
            for (std::size_t i = 0; i < kBlockSize; ++i) {
                QCOMPARE(radio[block.m_address + i], Doc().m_image[block.m_offset + i]);
            }
        }
        // The band and squelch bytes are the squelch dialog's business.
        for (std::size_t address = 0x0FF0; address < kRadioSize; ++address) {
            QCOMPARE(radio[address], before[address]);
        }
    }

    void cancelDuringTheBlocksLeavesTheDocumentAndClosesTheWindow() {
        const CMemoryImage document = ImageWithChannel();
        // A slow radio, so the read cannot end between two looks at the bar.
        QVERIFY(Launch(document, "English", {.m_nLatencyMs = 5}));
        m_radio->Radio()->m_memory = ImageToRadio(CMemoryImage::NewDocument());
        QSignalSpy ended(&Transfer(), &CViewTransfer::TransferEnded);
        QPointer<CProcessDlg> dlg = Begin(ID_PROGRAM_READ);
        QVERIFY(dlg);
        QTRY_VERIFY_WITH_TIMEOUT(!dlg || dlg->Bar()->value() >= 3, 20000);
        QVERIFY2(dlg, "the read ended before it could be cancelled");
        QTest::mouseClick(qobject_cast<QPushButton*>(dlg->Control(2)), Qt::LeftButton);
        QCOMPARE(WaitEnd(ended), ETransferOutcome::Cancelled);
        QTRY_VERIFY(dlg.isNull());
        QVERIFY(m_prompter.m_asked.isEmpty());
        QVERIFY(Doc().m_image == document);
        QCOMPARE(View()->Grid()->TextMatrix(1, kColRx), QStringLiteral("146.02500"));
        QVERIFY(m_radio->Radio()->m_nBlocksRead < 512);
    }

    // The cable pulled in the middle of the blocks: the window closes with the message, the
    // document is as it was and the commands come back.
    void cablePulledKeepsTheDocumentAndGivesTheCommandsBack_data() {
        QTest::addColumn<int>("command");
        QTest::newRow("read") << int(ID_PROGRAM_READ);
        QTest::newRow("write") << int(ID_PROGRAM_WRITE);
    }
    void cablePulledKeepsTheDocumentAndGivesTheCommandsBack() {
        QFETCH(int, command);
        QVERIFY(Launch(ImageWithChannel()));
        m_radio->Radio()->m_memory = ImageToRadio(CMemoryImage::NewDocument());
        m_radio->Radio()->m_faults.m_hangupBlock = 300;
        View()->StoreGrid();
        CDocumentHistory::Of(*View()).SetSaved();
        const CMemoryImage before = Doc().m_image;
        QSignalSpy ended(&Transfer(), &CViewTransfer::TransferEnded);
        QPointer<CProcessDlg> dlg = Begin(command);
        QVERIFY(dlg);
        QCOMPARE(WaitEnd(ended), ETransferOutcome::Interrupted);
        QTRY_VERIFY(dlg.isNull());
        QCOMPARE(m_prompter.Ids(), QList<int>{IDS_PROGRAM_INTERRUPT});
        QVERIFY(Doc().m_image == before);
        QCOMPARE(View()->Grid()->TextMatrix(1, kColRx), QStringLiteral("146.02500"));
        QVERIFY(View()->isEnabled());
        for (int id : {ID_PROGRAM_READ, ID_PROGRAM_WRITE, ID_FILE_OPEN, ID_APP_EXIT}) {
            QVERIFY2(Frame()->Action(id)->isEnabled(), qPrintable(QString::number(id)));
        }
    }

    // Tools > Compare with Radio reads into a copy: the list names the radio's differences and
    // the document stays as it was, unmodified.
    void compareWithRadioListsTheRadiosDifferencesAndKeepsTheDocument() {
        QVERIFY(Launch(ImageWithChannel()));
        // The radio holds what a write of the document stores, but for its Tx frequency.
        View()->StoreGrid();
        CDocumentHistory::Of(*View()).SetSaved();
        const CMemoryImage document = Doc().m_image;
        CMemoryImage radio = document;
        radio.m_bytes[5] = 0x50;  // Tx 146.05000
        m_radio->Radio()->m_memory = ImageToRadio(radio);
        QSignalSpy ended(&Transfer(), &CViewTransfer::TransferEnded);
        QString list;
        QString title;
        QVERIFY(OnModal<CCompareDlg>(
            [&] {
                QPointer<CProcessDlg> dlg = Begin(ID_TOOLS_COMPARE_RADIO);
                QVERIFY(dlg);
                title = dlg->windowTitle();
                QCOMPARE(WaitEnd(ended), ETransferOutcome::Done);
            },
            [&](CCompareDlg* dialog) {
                list = dialog->List()->toPlainText();
                dialog->accept();
            }));
        QCOMPARE(title, QStringLiteral("Compare with Radio"));
        QCOMPARE(list, QStringLiteral("channel 1 Tx Frequency: 146.02500 -> 146.05000"));
        QVERIFY(Doc().m_image == document);
        QVERIFY(!CDocumentHistory::Of(*View()).IsModified());
        QCOMPARE(View()->Grid()->TextMatrix(1, kColTx), QStringLiteral("146.02500"));
        QVERIFY(m_prompter.m_asked.isEmpty());

        // The same data: said so, no list.
        m_radio->Radio()->m_memory = ImageToRadio(document);
        int dialogs = 0;
        OnModals(
            [&] {
                Begin(ID_TOOLS_COMPARE_RADIO);
                QCOMPARE(WaitEnd(ended), ETransferOutcome::Done);
            },
            {}, &dialogs);
        QCOMPARE(dialogs, 0);
        QCOMPARE(m_prompter.m_asked.size(), 1);
        QCOMPARE(QString::fromStdString(m_prompter.m_asked[0].m_text),
                 QStringLiteral("The radio holds the same data as the document."));
    }

    void cancelBeforeStartOpensNoPort() {
        QVERIFY(Launch(CMemoryImage::NewDocument()));
        QVERIFY(Frame()->OnCommand(ID_PROGRAM_READ));
        QPointer<CProcessDlg> dlg = Transfer().ProcessDlg();
        QVERIFY(dlg);
        QTest::keyClick(dlg, Qt::Key_Escape);
        QTRY_VERIFY(dlg.isNull());
        QTest::qWait(50);
        QCOMPARE(m_radio->Radio()->m_nWakeUps, 0);
        // The next command makes a fresh window.
        QVERIFY(Frame()->OnCommand(ID_PROGRAM_READ));
        QVERIFY(Transfer().ProcessDlg() != nullptr);
        QCOMPARE(Transfer().ProcessDlg()->StatusText(), QStringLiteral("Not start yet"));
        Transfer().ProcessDlg()->reject();
    }

    // Read, then Write before Start: the window says what Start will do, and does it.
    void titleFollowsTheDirectionStartWillUse_data() {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<QString>("title");
        QTest::newRow("English") << QByteArray("English") << QStringLiteral("Write Data");
        QTest::newRow("Chinese") << QByteArray("Chinese") << QStringLiteral("写数据");
    }
    void titleFollowsTheDirectionStartWillUse() {
        QFETCH(QByteArray, language);
        QFETCH(QString, title);
        QVERIFY(Launch(CMemoryImage::NewDocument(), language));
        QVERIFY(Frame()->OnCommand(ID_PROGRAM_READ));
        QPointer<CProcessDlg> dlg = Transfer().ProcessDlg();
        QVERIFY(Frame()->OnCommand(ID_PROGRAM_WRITE));
        QCOMPARE(Transfer().ProcessDlg(), dlg.data());
        QCOMPARE(dlg->windowTitle(), title);
        QSignalSpy ended(&Transfer(), &CViewTransfer::TransferEnded);
        QTest::mouseClick(dlg->StartButton(), Qt::LeftButton);
        QCOMPARE(WaitEnd(ended), ETransferOutcome::Done);
        QCOMPARE(m_radio->Radio()->m_nBlocksWritten, 510);
        QCOMPARE(m_radio->Radio()->m_nBlocksRead, 513);  // only the read-back after the write
    }

    // A write is read back and a byte the radio stored wrongly is named; the document before
    // the write and the image of a read are kept as backups.
    void writeIsCheckedAndBackupsAreKept() {
        const std::string folder = m_config.path().toStdString() + "/lh740/backups";
        std::filesystem::remove_all(folder);  // earlier tests' transfers left theirs
        QVERIFY(Launch(ImageWithChannel()));
        m_radio->Radio()->m_faults.m_corruptWriteAddress = *RadioAddressOf(1);
        QSignalSpy ended(&Transfer(), &CViewTransfer::TransferEnded);
        Begin(ID_PROGRAM_WRITE);
        QCOMPARE(WaitEnd(ended), ETransferOutcome::Done);
        QTRY_COMPARE(m_prompter.m_asked.size(), 1);
        const QString text = QString::fromStdString(m_prompter.m_asked.first().m_text);
        QVERIFY2(text.contains("channel 1 (Receive Frequency)"), qPrintable(text));
        auto backups = ListBackups(folder);
        QCOMPARE(backups.size(), std::size_t{1});
        QCOMPARE(backups[0].m_kind, EBackupKind::BeforeWrite);
        auto kept = LoadDatFile(backups[0].m_path);
        QVERIFY(kept && *kept == Doc().m_image);

        m_prompter.m_answers = {EPromptAnswer::Discard};
        Begin(ID_PROGRAM_READ);
        QCOMPARE(WaitEnd(ended), ETransferOutcome::Done);
        backups = ListBackups(folder);
        QCOMPARE(backups.size(), std::size_t{2});
        QCOMPARE(backups[0].m_kind, EBackupKind::Read);
        kept = LoadDatFile(backups[0].m_path);
        QVERIFY(kept && *kept == Doc().m_image);

        // File > Backups opens the older one as a new, untitled document.
        const auto beforeWrite = LoadDatFile(backups[1].m_path);
        QVERIFY(beforeWrite && *beforeWrite != Doc().m_image);
        int listed = 0;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<CBackupsDlg*>(QApplication::activeModalWidget());
            if (dialog == nullptr) {
                return;
            }
            listed = dialog->List()->count();
            dialog->List()->setCurrentRow(1);
            QTest::mouseClick(dialog->OpenButton(), Qt::LeftButton);
        });
        m_prompter.m_answers = {EPromptAnswer::Discard};
        QVERIFY(Frame()->OnCommand(ID_FILE_BACKUPS));
        QCOMPARE(listed, 2);
        QVERIFY(Doc().m_image == *beforeWrite);
        QVERIFY(Doc().GetPathName().empty());
    }

    void silentRadioAsksRetryOrCancel() {
        QVERIFY(Launch(CMemoryImage::NewDocument()));
        m_radio->Radio()->m_faults.m_silent = true;
        m_prompter.m_answers = {EPromptAnswer::Retry, EPromptAnswer::Cancel};
        QSignalSpy ended(&Transfer(), &CViewTransfer::TransferEnded);
        QPointer<CProcessDlg> dlg = Begin(ID_PROGRAM_READ);
        QVERIFY(dlg);
        QCOMPARE(WaitEnd(ended, 120000), ETransferOutcome::CommunicationError);
        QTRY_VERIFY(dlg.isNull());
        QCOMPARE(m_prompter.Ids(), (QList<int>{IDS_COMMUNICATION_ERROR, IDS_COMMUNICATION_ERROR}));
        const CPrompt& asked = m_prompter.m_asked.first();
        QCOMPARE(asked.m_buttons, EPromptButtons::RetryCancel);
        QCOMPARE(QString::fromStdString(asked.m_text), StringTableText(IDS_COMMUNICATION_ERROR));
    }

    void bandQuestionContinuesOrEnds_data() {
        QTest::addColumn<EPromptAnswer>("answer");
        QTest::addColumn<ETransferOutcome>("outcome");
        QTest::addColumn<int>("blocks");
        QTest::newRow("OK") << EPromptAnswer::Ok << ETransferOutcome::Done << 510;
        QTest::newRow("Cancel") << EPromptAnswer::Cancel << ETransferOutcome::BandRefused << 0;
    }
    void bandQuestionContinuesOrEnds() {
        QFETCH(EPromptAnswer, answer);
        QFETCH(ETransferOutcome, outcome);
        QFETCH(int, blocks);
        QVERIFY(Launch(CMemoryImage::NewDocument()));
        m_radio->Radio()->m_bandLowMHz = 400;
        m_radio->Radio()->m_bandHighMHz = 470;
        m_prompter.m_answers = {answer};
        QSignalSpy ended(&Transfer(), &CViewTransfer::TransferEnded);
        QPointer<CProcessDlg> dlg = Begin(ID_PROGRAM_WRITE);
        QVERIFY(dlg);
        QCOMPARE(WaitEnd(ended), outcome);
        QTRY_VERIFY(dlg.isNull());
        QCOMPARE(m_prompter.Ids(), QList<int>{IDS_BAND_OVER_RANGE});
        QCOMPARE(m_prompter.m_asked.first().m_buttons, EPromptButtons::OkCancel);
        QCOMPARE(m_prompter.m_asked.first().m_caption, std::string("Caution"));
        QCOMPARE(m_radio->Radio()->m_nBlocksWritten, blocks);
    }

    // While a transfer runs, nothing may replace the view, its document or the window.
    void commandsAndViewAreLockedWhileRunning() {
        QVERIFY(Launch(CMemoryImage::NewDocument()));
        QAction* save = Frame()->Action(ID_FILE_SAVE);
        QSignalSpy ended(&Transfer(), &CViewTransfer::TransferEnded);
        QPointer<CProcessDlg> dlg = Begin(ID_PROGRAM_READ);
        QVERIFY(dlg);
        QTRY_VERIFY(Transfer().Running());
        for (int id : {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_CLOSE, ID_APP_EXIT, ID_SETUP_LANGUAGE,
                       ID_PROGRAM_READ, ID_PROGRAM_WRITE, ID_SETUP_COM, ID_EDIT_PRODUCT_INFO,
                       ID_EDIT_SQUELCH_TUNING, ID_EDIT_OPTIONAL_FEATURES, ID_EDIT_KEY_ASSIGNMENT,
                       ID_EDIT_PASTE, ID_EDIT_INSERT_ROW, ID_EDIT_MOVE_DOWN}) {
            QVERIFY2(!Frame()->Action(id)->isEnabled(), qPrintable(QString::number(id)));
            QVERIFY(!Frame()->OnCommand(id));
        }
        QVERIFY(save->isEnabled());
        QVERIFY(!View()->isEnabled());
        QVERIFY(!Frame()->Action(ID_EDIT_UNDO)->isEnabled());
        m_prompter.m_asked.clear();
        QVERIFY(!Frame()->close());
        QVERIFY(Frame()->isVisible());
        // The refusal says why.
        QCOMPARE(m_prompter.m_asked.size(), 1);
        QVERIFY(QString::fromStdString(m_prompter.m_asked[0].m_text).contains("transfer"));
        QCOMPARE(WaitEnd(ended), ETransferOutcome::Done);
        // What the read did, in the status bar.
        QVERIFY2(QRegularExpression("^Read \\d+ channels from .+ in \\d+\\.\\d s$")
                     .match(Frame()->statusBar()->currentMessage())
                     .hasMatch(),
                 qPrintable(Frame()->statusBar()->currentMessage()));
        for (int id : {ID_FILE_NEW, ID_FILE_OPEN, ID_APP_EXIT, ID_PROGRAM_READ, ID_PROGRAM_WRITE,
                       ID_SETUP_COM, ID_EDIT_SQUELCH_TUNING, ID_EDIT_OPTIONAL_FEATURES,
                       ID_EDIT_KEY_ASSIGNMENT}) {
            QVERIFY(Frame()->Action(id)->isEnabled());
        }
        QVERIFY(View()->isEnabled());
        QVERIFY(!CTransferLock::Active());
    }

    // Read, File Open, Read: two progress windows, yet only one transfer may run at a time.
    void oneTransferAtATime() {
        QVERIFY(Launch(ImageWithChannel()));
        QVERIFY(Frame()->OnCommand(ID_PROGRAM_READ));
        CViewTransfer& firstTransfer = Transfer();
        QPointer<CProcessDlg> first = firstTransfer.ProcessDlg();
        QVERIFY(m_app->DocManager().OpenDocumentFile(m_dir->Path("radio.dat")) != nullptr);
        QVERIFY(&Transfer() != &firstTransfer);
        QVERIFY(Frame()->OnCommand(ID_PROGRAM_READ));
        QPointer<CProcessDlg> second = Transfer().ProcessDlg();
        QVERIFY(first && second && first != second);
        QVERIFY(first->isVisible() && second->isVisible());
        QSignalSpy firstEnded(&firstTransfer, &CViewTransfer::TransferEnded);
        QSignalSpy secondEnded(&Transfer(), &CViewTransfer::TransferEnded);

        // Start in both, one right after the other: the second window refuses.
        QTest::mouseClick(first->StartButton(), Qt::LeftButton);
        QTest::mouseClick(second->StartButton(), Qt::LeftButton);
        QVERIFY(!second->StartButton()->isEnabled());
        QVERIFY(!second->Running());
        QCOMPARE(WaitEnd(firstEnded), ETransferOutcome::Done);
        QVERIFY(secondEnded.isEmpty());
        const int oneRead = 1 + 512;  // the password block, then the image
        QCOMPARE(m_radio->Radio()->m_nBlocksRead, oneRead);
        QVERIFY(!CTransferLock::Active());
        QVERIFY(second && second->StartButton()->isEnabled());
        QTest::mouseClick(second->StartButton(), Qt::LeftButton);
        QCOMPARE(WaitEnd(secondEnded), ETransferOutcome::Done);
        QCOMPARE(m_radio->Radio()->m_nBlocksRead, 2 * oneRead);
        QTRY_VERIFY(first.isNull() && second.isNull());

        // With two holders the lock stays until the last one lets go.
        CTransferLock::Engage(Frame(), View());
        CTransferLock::Engage(Frame(), nullptr);
        CTransferLock::Release();
        QVERIFY(CTransferLock::Active());
        QVERIFY(!View()->isEnabled());
        QVERIFY(!Frame()->Action(ID_FILE_NEW)->isEnabled());
        QVERIFY(!Frame()->close());
        CTransferLock::Release(View());
        QVERIFY(!CTransferLock::Active());
        QVERIFY(View()->isEnabled());
        QVERIFY(Frame()->Action(ID_FILE_NEW)->isEnabled());
    }

    // Locking the view during a transfer moves the focus away; the grid gets it back.
    void focusReturnsToTheGrid_data() {
        QTest::addColumn<int>("command");
        QTest::newRow("read") << int(ID_PROGRAM_READ);
        QTest::newRow("write") << int(ID_PROGRAM_WRITE);
    }
    void focusReturnsToTheGrid() {
        QFETCH(int, command);
        QVERIFY(Launch(ImageWithChannel()));
        Frame()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Frame()));
        CMSFlexGrid* grid = View()->Grid();
        grid->SetCell(3, kColRx);
        View()->CommitCellEdit();
        grid->setFocus();
        QTRY_VERIFY(grid->hasFocus());
        QSignalSpy ended(&Transfer(), &CViewTransfer::TransferEnded);
        QPointer<CProcessDlg> dlg = Begin(command);
        QVERIFY(dlg);
        QCOMPARE(WaitEnd(ended), ETransferOutcome::Done);
        QTRY_VERIFY(dlg.isNull());
        QCOMPARE(Frame()->focusWidget(), grid);
        QCOMPARE(grid->Row(), 3);
        QCOMPARE(grid->Col(), int(kColRx));
    }

    void portThatCannotBeOpenedEndsAtOnce() {
        QVERIFY(Launch(CMemoryImage::NewDocument()));
        g_strComPort = QDir::tempPath() + QStringLiteral("/lh740-no-such-port");
        const CMemoryImage before = Doc().m_image;
        QSignalSpy ended(&Transfer(), &CViewTransfer::TransferEnded);
        QPointer<CProcessDlg> dlg = Begin(ID_PROGRAM_READ);
        QCOMPARE(WaitEnd(ended), ETransferOutcome::PortUnavailable);
        QTRY_VERIFY(dlg.isNull());
        QCOMPARE(m_prompter.Ids(), QList<int>{IDS_OPEN_PORT_FAILED});
        // The message keeps its text and names the port and the reason on a second line.
        QCOMPARE(QString::fromStdString(m_prompter.m_asked[0].m_text),
                 StringTableText(IDS_OPEN_PORT_FAILED) + "\n" + g_strComPort +
                     (g_bChinese ? QStringLiteral(": 没有此设备。")
                                 : QStringLiteral(": no such device.")));
        QVERIFY(Doc().m_image == before);
    }

    // The simulated radio keeps what was written for the next read.
    void simulatedRadioReadsBackWhatWasWritten() {
        QVERIFY(Launch(ImageWithChannel()));
        g_strComPort = kSimulatedPort;
        QSignalSpy ended(&Transfer(), &CViewTransfer::TransferEnded);
        Begin(ID_PROGRAM_WRITE);
        QCOMPARE(WaitEnd(ended), ETransferOutcome::Done);
        View()->Grid()->SetTextMatrix(1, kColRx, QString());
        View()->StoreGrid();
        // The read replaces the changed data: the unsaved changes are dropped.
        m_prompter.m_answers = {EPromptAnswer::Discard};
        Begin(ID_PROGRAM_READ);
        QCOMPARE(WaitEnd(ended), ETransferOutcome::Done);
        QCOMPARE(View()->Grid()->TextMatrix(1, kColRx), QStringLiteral("146.02500"));
    }

    // A radio with a password refuses the read until the password is typed in Optional Features.
    void passwordEnteredInOptionalFeaturesOpensTheRead() {
        QVERIFY(Launch(CMemoryImage::NewDocument()));
        m_radio->Radio()->m_memory = ImageToRadio(ImageWithChannel());
        QVERIFY(m_radio->Radio()->SetPassword("4071"));
        QSignalSpy ended(&Transfer(), &CViewTransfer::TransferEnded);
        Begin(ID_PROGRAM_READ);
        QCOMPARE(WaitEnd(ended), ETransferOutcome::PasswordError);
        QCOMPARE(m_prompter.m_asked.size(), 1);
        QCOMPARE(QString::fromStdString(m_prompter.m_asked.first().m_text), "Password Error!");

        bool seen = false;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<COptionalFeaturesDlg*>(QApplication::activeModalWidget());
            if (dialog == nullptr) {
                return;
            }
            seen = true;
            auto* edit = static_cast<QLineEdit*>(dialog->Control(1133));
            QTest::mouseClick(edit, Qt::LeftButton);
            QTest::keyClicks(edit, "4071");
            QTest::mouseClick(static_cast<QPushButton*>(dialog->Control(1)), Qt::LeftButton);
        });
        QVERIFY(Frame()->OnCommand(ID_EDIT_OPTIONAL_FEATURES));
        QVERIFY(seen);
        m_prompter.m_asked.clear();
        QCOMPARE(View()->Grid()->TextMatrix(1, kColRx), QString());
        // The typed password is an unsaved change the read would replace.
        m_prompter.m_answers = {EPromptAnswer::Discard};
        Begin(ID_PROGRAM_READ);
        QCOMPARE(WaitEnd(ended), ETransferOutcome::Done);
        QCOMPARE(m_prompter.m_asked.size(), 1);
        QCOMPARE(m_prompter.m_asked[0].m_buttons, EPromptButtons::SaveDiscardCancel);
        QCOMPARE(View()->Grid()->TextMatrix(1, kColRx), QStringLiteral("146.02500"));
    }

    void squelchListsLoadAndStoreByTheirRules_data() {
        QTest::addColumn<int>("imageByte");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("stored");
        QTest::newRow("default") << 0x29 << "-23" << 0x29;
        QTest::newRow("below range uses the default") << 0x05 << "-23" << 0x29;
        QTest::newRow("lowest") << 9 << "-55" << 9;
        QTest::newRow("highest") << 118 << "54" << 118;
        QTest::newRow("119 has no entry") << 119 << "" << 0x29;
        QTest::newRow("above range uses the default") << 0xC0 << "-23" << 0x29;
    }
    void squelchListsLoadAndStoreByTheirRules() {
        QFETCH(int, imageByte);
        QFETCH(QString, shown);
        QFETCH(int, stored);
        CMemoryImage image = CMemoryImage::NewDocument();
        image[kSquelchOffset] = static_cast<std::uint8_t>(imageByte);
        QVERIFY(Launch(image));
        CSquelchTuningDlg dialog([this] { return &Doc(); }, Frame());
        QVERIFY(dialog.OnInitDialog());
        QCOMPARE(dialog.List(0)->count(), 110);
        QCOMPARE(dialog.List(0)->itemText(0), QStringLiteral("-55"));
        QCOMPARE(dialog.List(0)->itemText(109), QStringLiteral("54"));
        QCOMPARE(dialog.List(0)->currentText(), shown);
        QCOMPARE(dialog.List(3)->currentText(), QStringLiteral("-34"));
        // Cancel stores nothing; OK stores the lists.
        dialog.reject();
        QCOMPARE(int(Doc().m_image[kSquelchOffset]), imageByte);
        QVERIFY(dialog.OnInitDialog());
        QTest::mouseClick(qobject_cast<QPushButton*>(dialog.Control(1)), Qt::LeftButton);
        QCOMPARE(int(Doc().m_image[kSquelchOffset]), stored);
        QCOMPARE(int(Doc().m_image[kSquelchOffset + 3]), 0x1E);
    }

    void squelchReadAndWriteMoveTheFourBytes() {
        QVERIFY(Launch(CMemoryImage::NewDocument()));
        const std::uint8_t values[4] = {64 + 10, 64 - 20, 64 + 54, 64 - 55};
        std::copy(values, values + 4, m_radio->Radio()->m_memory.begin() + kSquelchAddress);
        CSquelchTuningDlg dialog([this] { return &Doc(); }, Frame());
        QVERIFY(dialog.OnInitDialog());
        dialog.show();
        QSignalSpy ended(&dialog, &CSquelchTuningDlg::ExchangeEnded);

        QTest::mouseClick(qobject_cast<QPushButton*>(dialog.Control(1140)), Qt::LeftButton);
        QVERIFY(dialog.Busy());
        QVERIFY(!dialog.Control(1)->isEnabled());
        QVERIFY(!dialog.List(0)->isEnabled());
        dialog.reject();  // refused while the radio is talking
        QVERIFY(dialog.isVisible());
        QCOMPARE(WaitEnd(ended), ETransferOutcome::Done);
        QVERIFY(!dialog.Busy());
        QVERIFY(dialog.Control(1)->isEnabled());
        QCOMPARE(m_prompter.m_asked.size(), 1);
        QCOMPARE(QString::fromStdString(m_prompter.m_asked.first().m_text),
                 QStringLiteral("Read Successfully"));
        const QStringList expected = {"10", "-20", "54", "-55"};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(dialog.List(i)->currentText(), expected[i]);
            QCOMPARE(Doc().m_image[kSquelchOffset + i], values[i]);
        }

        m_prompter.m_asked.clear();
        dialog.List(0)->setCurrentText(QStringLiteral("-3"));
        dialog.List(2)->setCurrentText(QStringLiteral("0"));
        QTest::mouseClick(qobject_cast<QPushButton*>(dialog.Control(1141)), Qt::LeftButton);
        QCOMPARE(WaitEnd(ended), ETransferOutcome::Done);
        QCOMPARE(QString::fromStdString(m_prompter.m_asked.first().m_text),
                 QStringLiteral("Write Successfully"));
        const std::uint8_t written[4] = {61, 64 - 20, 64, 64 - 55};
        const auto radio = m_radio->Radio()->m_memory;
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(radio[kSquelchAddress + i], written[i]);
            QCOMPARE(Doc().m_image[kSquelchOffset + i], written[i]);
        }
    }

    // A reply one byte short would leave identification bytes where the values belong.
    void squelchShortReplyChangesNothing() {
        QVERIFY(Launch(CMemoryImage::NewDocument()));
        m_radio->Radio()->m_faults.m_shortReplyBlock = kSquelchAddress / 8;
        const CMemoryImage before = Doc().m_image;
        CSquelchTuningDlg dialog([this] { return &Doc(); }, Frame());
        QVERIFY(dialog.OnInitDialog());
        QSignalSpy ended(&dialog, &CSquelchTuningDlg::ExchangeEnded);
        QTest::mouseClick(qobject_cast<QPushButton*>(dialog.Control(1140)), Qt::LeftButton);
        QCOMPARE(WaitEnd(ended), ETransferOutcome::Interrupted);
        QCOMPARE(m_prompter.Ids(), QList<int>{IDS_PROGRAM_INTERRUPT});
        QVERIFY(Doc().m_image == before);
        QCOMPARE(dialog.List(0)->currentText(), QStringLiteral("-23"));
    }

    void portListShowsBusyPortsDisabled() {
        QVERIFY(Launch(CMemoryImage::NewDocument()));
        CPtyRadio other;
        QVERIFY(other.m_bOk);
        // Another program has the first pty.
        CPosixSerialPort busy;
        std::string error;
        QVERIFY2(OpenPort(busy, m_radio->Path().toStdString(), error), error.c_str());
        const std::vector<CSerialPortInfo> ports = {{m_radio->Path().toStdString(), "Busy adapter"},
                                                    {other.Path().toStdString(), "Free adapter"}};
        CUserValues& values = ProgramUserValues();
        QVERIFY(RememberPort(values, other.Path()));
        CComSetupDlg dialog(values, Frame(), [&] { return ports; });
        dialog.OnInitDialog();

        QListWidgetItem* busyItem = dialog.ItemOf(m_radio->Path());
        QListWidgetItem* freeItem = dialog.ItemOf(other.Path());
        QListWidgetItem* simItem = dialog.ItemOf(kSimulatedPort);
        QVERIFY(busyItem && freeItem && simItem);
        QVERIFY(!(busyItem->flags() & Qt::ItemIsEnabled));
        QVERIFY(!busyItem->toolTip().isEmpty());
        QVERIFY(busyItem->text().contains("Busy adapter"));
        QVERIFY(freeItem->flags() & Qt::ItemIsEnabled);
        QCOMPARE(simItem->text(), QStringLiteral("Simulated radio"));
        // The remembered port is preselected.
        QVERIFY(freeItem->isSelected());
        QCOMPARE(dialog.Port(), other.Path());

        // F1: the port choice has the command's context, the buttons their own.
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.PortList()->setFocus();
        QTRY_COMPARE(dialog.HelpContext(), int(ID_SETUP_COM));
        dialog.Control(1)->setFocus();
        QTRY_COMPARE(dialog.HelpContext(), 1);

        dialog.PortList()->setCurrentItem(simItem);
        QCOMPARE(dialog.Port(), kSimulatedPort);
        QTest::mouseClick(qobject_cast<QPushButton*>(dialog.Control(1)), Qt::LeftButton);
        QCOMPARE(g_strComPort, kSimulatedPort);
        QCOMPARE(RememberedPort(values), std::optional<QString>(kSimulatedPort));
        busy.Close();
    }

    // Each way of picking a port in the list puts it in the field that OK stores.
    void portIsChosenByMouseAndKeys_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("row");     // where the action happens
        QTest::addColumn<int>("chosen");  // the port's row
        QTest::newRow("click") << "click" << 0 << 0;
        QTest::newRow("click the simulated radio") << "click" << 2 << 2;
        QTest::newRow("double click presses OK") << "double" << 0 << 0;
        QTest::newRow("arrow down") << "down" << 1 << 2;
        QTest::newRow("arrow up") << "up" << 1 << 0;
    }
    void portIsChosenByMouseAndKeys() {
        QFETCH(QString, action);
        QFETCH(int, row);
        QFETCH(int, chosen);
        QVERIFY(Launch(CMemoryImage::NewDocument()));
        CPtyRadio other;
        QVERIFY(other.m_bOk);
        const std::vector<CSerialPortInfo> ports = {{m_radio->Path().toStdString(), "First"},
                                                    {other.Path().toStdString(), "Second"}};
        const QStringList paths = {m_radio->Path(), other.Path(), kSimulatedPort};
        CUserValues& values = ProgramUserValues();
        QVERIFY(RememberPort(values, other.Path()));
        g_strComPort = other.Path();
        CComSetupDlg dialog(values, Frame(), [&] { return ports; });
        dialog.OnInitDialog();
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QListWidget* list = dialog.PortList();
        QCOMPARE(dialog.Port(), other.Path());

        const QPoint at = list->visualItemRect(list->item(row)).center();
        if (action == "click") {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        } else if (action == "double") {
            // As the window system delivers it: a click, then the second press as a double click.
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        } else {
            list->setFocus();
            QTest::keyClick(list, action == "down" ? Qt::Key_Down : Qt::Key_Up);
        }
        QCOMPARE(dialog.Port(), paths[chosen]);
        if (action != "double") {
            QVERIFY(dialog.isVisible());
            QCOMPARE(g_strComPort, other.Path());
            QTest::mouseClick(qobject_cast<QPushButton*>(dialog.Control(1)), Qt::LeftButton);
        }
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(g_strComPort, paths[chosen]);
        QCOMPARE(RememberedPort(values), std::optional<QString>(paths[chosen]));
    }

    void otherPathAndOldNumbersAreTaken() {
        QVERIFY(Launch(CMemoryImage::NewDocument()));
        CUserValues& values = ProgramUserValues();
        QVERIFY(values.SetNumber("com", 3));
        QCOMPARE(RememberedPort(values), std::optional<QString>("/dev/ttyS2"));
        CComSetupDlg dialog(values, Frame(), [] { return std::vector<CSerialPortInfo>{}; });
        dialog.OnInitDialog();
        QCOMPARE(dialog.Port(), QStringLiteral("/dev/ttyS2"));
        QVERIFY(dialog.PortList()->selectedItems().isEmpty());
        dialog.PortField()->clear();
        QVERIFY(!dialog.Control(1)->isEnabled());
        QTest::keyClicks(dialog.PortField(), "/dev/ttyACM7");
        QTest::mouseClick(qobject_cast<QPushButton*>(dialog.Control(1)), Qt::LeftButton);
        QCOMPARE(g_strComPort, QStringLiteral("/dev/ttyACM7"));
        QCOMPARE(RememberedPort(values), std::optional<QString>("/dev/ttyACM7"));
    }

    // The chosen port survives new document windows and is the one a later start uses.
    void chosenPortIsKept() {
        QVERIFY(Launch(CMemoryImage::NewDocument()));
        QVERIFY(RememberPort(ProgramUserValues(), QStringLiteral("/dev/ttyUSB3")));
        g_strComPort = QStringLiteral("/dev/ttyUSB3");
        // A window still waiting for Start goes with the document window it belongs to.
        QVERIFY(Frame()->OnCommand(ID_PROGRAM_READ));
        QPointer<CProcessDlg> waiting = Transfer().ProcessDlg();
        QVERIFY(waiting);
        m_prompter.m_answers = {EPromptAnswer::Ok};  // "All data will be Cleared!"
        QVERIFY(Frame()->OnCommand(ID_FILE_NEW));
        QCOMPARE(g_strComPort, QStringLiteral("/dev/ttyUSB3"));
        QTRY_VERIFY(waiting.isNull());
        g_strComPort = QStringLiteral("/dev/ttyS0");
        cleanup();
        QVERIFY(Launch(CMemoryImage::NewDocument()));
        QCOMPARE(m_strStartPort, QStringLiteral("/dev/ttyUSB3"));
    }
};

QTEST_MAIN(CTransferTest)
#include "TransferTest.moc"
