#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <QUrl>
#include <memory>

#include "channels/ChannelTable.h"
#include "image/ProgramDoc.h"
#include "ui/ChannelGridInput.h"
#include "ui/ModalScript.h"
#include "ui/ProgramFolder.h"
#include "ui/app/ChildFrame.h"
#include "ui/app/Commands.h"
#include "ui/app/LanguageDlg.h"
#include "ui/app/MainFrame.h"
#include "ui/app/ProgramApp.h"
#include "ui/app/UiGlobals.h"
#include "ui/channels/CellEditors.h"
#include "ui/channels/DocumentHistory.h"
#include "ui/channels/FlexGrid.h"
#include "ui/channels/ProgramView.h"
#include "ui/editors/KeyAssignmentDlg.h"
#include "ui/link/ViewTransfer.h"

namespace {

class CAppDir : public CProgramFolder {
public:
    explicit CAppDir(const QByteArray& language = "English")
        : CProgramFolder("[Setup]\r\nLanguage=" + language +
                         "\r\nAppName=Changes Test\r\nType1=LH-740A\r\n"
                         "[English]\r\nCompany=Vornex\r\n[Chinese]\r\nCompany=Vornex\r\n") {}
};

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What undo must give back: the image and every text of the grid.
struct CState {
    CDocumentState m_doc;
    CChannelTable m_table{false};
    bool operator==(const CState&) const = default;
};

enum class EPath { Exit, CloseWindow, New, Open, Read, Language };

}  // namespace

class CUnsavedChangesTest : public QObject {
    Q_OBJECT

private:
    CScriptedPrompter m_prompter;
    QTemporaryDir m_config;
    std::unique_ptr<CAppDir> m_dir;
    std::unique_ptr<CProgramApp> m_app;

    CMainFrame* Frame() const { return m_app->MainFrame(); }
    CProgramView* View() const { return Frame()->ActiveChild()->View(); }
    CDocumentHistory& History() const { return CDocumentHistory::Of(*View()); }
    CState State() const { return {View()->GetDocument(), View()->Table()}; }

    CMainFrame* Launch(const QByteArray& language = "English") {
        m_dir = std::make_unique<CAppDir>(language);
        CMainFrame* frame = StartOnImage(m_app, *m_dir, CMemoryImage::NewDocument());
        m_prompter.m_asked.clear();
        m_prompter.m_answers.clear();
        return frame;
    }

    // Types `text` into a cell's editor and commits it with Tab, as a user does.
    void TypeCell(int row, int column, const QString& text) {
        ClickCell(View(), row, column);
        auto* edit = qobject_cast<QLineEdit*>(View()->VisibleEditor());
        QVERIFY(edit != nullptr);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
    }

    // The question asked, if any: the Save/Discard/Cancel one.
    int SaveQuestions() const {
        int n = 0;
        for (const CPrompt& prompt : m_prompter.m_asked) {
            n += prompt.m_buttons == EPromptButtons::SaveDiscardCancel ? 1 : 0;
        }
        return n;
    }

    // Takes the path; true when what it does happened (the program closed, a new or another
    // document came, the read window opened, the program restarted).
    bool Take(EPath path) {
        CChildFrame* before = Frame()->ActiveChild();
        switch (path) {
            case EPath::Exit:
                Frame()->OnCommand(ID_APP_EXIT);
                return !Frame()->isVisible();
            case EPath::CloseWindow:
                return Frame()->close();
            case EPath::New:
                m_prompter.m_answers.append(EPromptAnswer::Ok);  // the data-cleared warning
                Frame()->OnCommand(ID_FILE_NEW);
                return Frame()->ActiveChild() != before;
            case EPath::Open: {
                const QString other = m_dir->Path("other.dat");
                QFile::copy(m_dir->Path("radio.dat"), other);
                SetFileChoosers([other](QWidget*) { return other; }, {});
                Frame()->OnCommand(ID_FILE_OPEN);
                SetFileChoosers({}, {});
                return Frame()->ActiveChild() != before;
            }
            case EPath::Read: {
                Frame()->OnCommand(ID_PROGRAM_READ);
                CProcessDlg* dialog = CViewTransfer::Of(*View()).ProcessDlg();
                if (dialog != nullptr) {
                    dialog->reject();
                }
                return dialog != nullptr;
            }
            case EPath::Language: {
                bool launched = false;
                SetLauncher([&launched](const QString&) { return launched = true; });
                OnModals([&] { Frame()->OnCommand(ID_SETUP_LANGUAGE); }, {[](QWidget* widget) {
                             auto* dialog = qobject_cast<CLanguageDlg*>(widget);
                             QTest::mouseClick(dialog->m_pChinese, Qt::LeftButton, {},
                                               QPoint(6, 6));
                             dialog->OnOK();
                         }});
                SetLauncher({});
                return launched;
            }
        }
        return false;
    }

private slots:
    void initTestCase() {
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
        qputenv("XDG_DATA_HOME", m_config.path().toUtf8());
        SetPrompter(&m_prompter);
    }
    void cleanupTestCase() { SetPrompter(nullptr); }

    void titleShowsTheFileAndItsChanges() {
        QVERIFY(Launch());
        CChildFrame* child = Frame()->ActiveChild();
        QCOMPARE(child->windowTitle(), QString("radio.dat"));
        TypeCell(3, kColRx, "146.025");
        QCOMPARE(child->windowTitle(), QString("radio.dat*"));
        QVERIFY(Frame()->OnCommand(ID_EDIT_UNDO));
        QCOMPARE(child->windowTitle(), QString("radio.dat"));
        QVERIFY(Frame()->OnCommand(ID_EDIT_REDO));
        QVERIFY(Frame()->OnCommand(ID_FILE_SAVE));
        QCOMPARE(child->windowTitle(), QString("radio.dat"));
        QVERIFY(m_prompter.m_asked.isEmpty());
        // A new document has no file until it is saved.
        m_prompter.m_answers = {EPromptAnswer::Ok};
        QVERIFY(Frame()->OnCommand(ID_FILE_NEW));
        QCOMPARE(Frame()->ActiveChild()->windowTitle(), QString("Channel Information"));
        TypeCell(1, kColRx, "146.025");
        QCOMPARE(Frame()->ActiveChild()->windowTitle(), QString("Channel Information*"));
    }

    // Each of the six ways to lose the document, with each answer; and no question at all
    // when nothing changed.
    void everyPathAsksAboutUnsavedChanges_data() {
        QTest::addColumn<int>("path");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<int>("answer");
        const char* names[] = {"exit", "close", "new", "open", "read", "language"};
        const std::pair<const char*, EPromptAnswer> answers[] = {
            {"save", EPromptAnswer::Save},
            {"discard", EPromptAnswer::Discard},
            {"cancel", EPromptAnswer::Cancel}};
        for (int path = 0; path < 6; ++path) {
            for (const auto& [answer, value] : answers) {
                QTest::addRow("%s, %s", names[path], answer)
                    << path << true << static_cast<int>(value);
            }
            QTest::addRow("%s, unchanged", names[path]) << path << false << 0;
        }
    }
    void everyPathAsksAboutUnsavedChanges() {
        QFETCH(int, path);
        QFETCH(bool, changed);
        QFETCH(int, answer);
        QVERIFY(Launch());
        const QString file = m_dir->Path("radio.dat");
        const QByteArray onDisk = FileBytes(file);
        if (changed) {
            TypeCell(2, kColRx, "147.5");
            m_prompter.m_answers = {static_cast<EPromptAnswer>(answer)};
        }
        const bool happened = Take(static_cast<EPath>(path));
        QCOMPARE(SaveQuestions(), changed ? 1 : 0);
        const bool cancelled = changed && answer == static_cast<int>(EPromptAnswer::Cancel);
        QCOMPARE(happened, !cancelled);
        const bool saved = changed && answer == static_cast<int>(EPromptAnswer::Save);
        QCOMPARE(FileBytes(file) != onDisk, saved);
        if (cancelled) {
            QVERIFY(History().IsModified());
            QCOMPARE(View()->Grid()->TextMatrix(2, kColRx), QString("147.50000"));
        }
        if (static_cast<EPath>(path) == EPath::Language && !happened) {
            QVERIFY(FileBytes(m_dir->Path("Program.ini")).contains("Language=English"));
        }
    }

    // Random cell edits and dialog stores, undone to the start and redone to the end, give
    // back each state exactly.
    void undoAndRedoRestoreEveryState() {
        QVERIFY(Launch());
        QRandomGenerator random(740);
        QList<CState> states = {State()};
        QString lastStep;
        for (int step = 0; step < 30; ++step) {
            const int row = 1 + static_cast<int>(random.bounded(12));
            const int kind = static_cast<int>(random.bounded(3));
            const QString name[] = {"Edit Rx Frequency", "Edit Chnnel Name", "Key Assignment"};
            switch (kind) {
                case 0:
                    TypeCell(row, kColRx,
                             QString::number(136 + random.bounded(38)) + "." +
                                 QString::number(random.bounded(8) * 125).rightJustified(3, '0'));
                    break;
                case 1:
                    TypeCell(row, kColName, QString::number(random.bounded(1000000)));
                    break;
                default:
                    OnModal<CKeyAssignmentDlg>(
                        [&] { Frame()->OnCommand(ID_EDIT_KEY_ASSIGNMENT); },
                        [&](CKeyAssignmentDlg* dialog) {
                            auto* button =
                                qobject_cast<QRadioButton*>(dialog->Control(1076 + step % 4));
                            QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, 6));
                            QTest::mouseClick(dialog->Control(1), Qt::LeftButton);
                        });
                    break;
            }
            if (!(State() == states.last())) {
                states.append(State());
                lastStep = name[kind];
            }
        }
        // The Edit menu names the step undo takes back.
        QCOMPARE(Frame()->Action(ID_EDIT_UNDO)->text(), "&Undo " + lastStep);
        QVERIFY(m_prompter.m_asked.isEmpty());
        QCOMPARE(History().Stack().count(), states.size() - 1);
        QVERIFY(states.size() > 15);
        // The keys reach the window's shortcuts once it is active again after the dialogs.
        QApplication::setActiveWindow(Frame());
        QVERIFY(QTest::qWaitForWindowActive(Frame()));
        for (int i = states.size() - 2; i >= 0; --i) {
            QTest::keyClick(View()->Grid(), Qt::Key_Z, Qt::ControlModifier);
            QVERIFY2(State() == states[i], qPrintable(QString::number(i)));
        }
        QVERIFY(!Frame()->Action(ID_EDIT_UNDO)->isEnabled());
        QVERIFY(!History().IsModified());
        for (int i = 1; i < states.size(); ++i) {
            QTest::keyClick(View()->Grid(), Qt::Key_Y, Qt::ControlModifier);
            QVERIFY2(State() == states[i], qPrintable(QString::number(i)));
        }
    }

    // Saving at the question and then opening that same file shows what was just saved.
    void reopeningTheSavedFileShowsTheSave() {
        QVERIFY(Launch());
        TypeCell(4, kColRx, "146.1");
        m_prompter.m_answers = {EPromptAnswer::Save};
        const QString file = m_dir->Path("radio.dat");
        SetFileChoosers([file](QWidget*) { return file; }, {});
        QVERIFY(Frame()->OnCommand(ID_FILE_OPEN));
        SetFileChoosers({}, {});
        QCOMPARE(SaveQuestions(), 1);
        QCOMPARE(View()->Grid()->TextMatrix(4, kColRx), QString("146.10000"));
        QVERIFY(!History().IsModified());
    }

    // A .dat dropped on the window opens after the question about the changes.
    void droppedFileOpensAfterTheQuestion() {
        QVERIFY(Launch());
        const QString other = m_dir->Path("dropped.dat");
        QVERIFY(QFile::copy(m_dir->Path("radio.dat"), other));
        TypeCell(1, kColRx, "146.05");
        auto drop = [&] {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(other)});
            // Straight to the window: the application passes drops only from a drag it runs.
            QObject* window = Frame();
            QDragEnterEvent enter(QPoint(200, 200), Qt::CopyAction, &data, Qt::LeftButton,
                                  Qt::NoModifier);
            window->event(&enter);
            QVERIFY(enter.isAccepted());
            QDropEvent event(QPointF(200, 200), Qt::CopyAction, &data, Qt::LeftButton,
                             Qt::NoModifier);
            window->event(&event);
        };
        CChildFrame* before = Frame()->ActiveChild();
        m_prompter.m_answers = {EPromptAnswer::Cancel};
        drop();
        QCOMPARE(SaveQuestions(), 1);
        QCOMPARE(Frame()->ActiveChild(), before);
        m_prompter.m_answers = {EPromptAnswer::Discard};
        drop();
        QCOMPARE(Frame()->ActiveChild()->windowTitle(), QString("dropped.dat"));
    }
};

QTEST_MAIN(CUnsavedChangesTest)
#include "UnsavedChangesTest.moc"
