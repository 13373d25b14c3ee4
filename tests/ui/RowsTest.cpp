#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <memory>

#include "channels/ChannelCsv.h"
#include "image/MemoryImage.h"
#include "image/ProgramDoc.h"
#include "ui/ChannelGridInput.h"
#include "ui/ModalScript.h"
#include "ui/ProgramFolder.h"
#include "ui/app/ChildFrame.h"
#include "ui/app/Commands.h"
#include "ui/app/MainFrame.h"
#include "ui/app/ProgramApp.h"
#include "ui/app/UiGlobals.h"
#include "ui/channels/CellEditors.h"
#include "ui/channels/DocumentHistory.h"
#include "ui/channels/FlexGrid.h"
#include "ui/channels/ProgramView.h"

namespace {

class CAppDir : public CProgramFolder {
public:
    explicit CAppDir(const QByteArray& language)
        : CProgramFolder("[Setup]\r\nLanguage=" + language +
                         "\r\nAppName=Rows Test\r\nType1=LH-740A\r\n") {}
};

// Channels 1..4 with distinct settings; channel 3 has a 2-Tone signal and its numbers.
CMemoryImage FourChannels() {
    CMemoryImage image = CMemoryImage::NewDocument();
    const bool imported = ImportChannelsCsv(
                              "Channel,Rx Frequency,Tx Frequency,QT/DQT Dec,Name,Power,Opt "
                              "Signal,Encode,Decode\r\n"
                              "1,146.025,146.625,D023N,ONE,Low,None,,\r\n"
                              "2,147.5,147.5,67.0,TWO,High,None,,\r\n"
                              "3,145.00625,145.00625,None,THREE,Low,2-Tone,7,5\r\n"
                              "4,440.125,445.125,None,FOUR,High,None,,\r\n",
                              image)
                              .has_value();
    Q_ASSERT(imported);
    return image;
}

}  // namespace

class CRowsTest : public QObject {
    Q_OBJECT

private:
    CScriptedPrompter m_prompter;
    QTemporaryDir m_config;
    std::unique_ptr<CAppDir> m_dir;
    std::unique_ptr<CProgramApp> m_app;
    CMainFrame* m_frame = nullptr;

    CProgramView* Launch(const CMemoryImage& image, const QByteArray& language = "English") {
        m_dir = std::make_unique<CAppDir>(language);
        m_frame = StartOnImage(m_app, *m_dir, image);
        m_prompter.m_asked.clear();
        return m_frame != nullptr ? m_frame->ActiveChild()->View() : nullptr;
    }

    static void ClickLabel(CProgramView* view, int row, Qt::KeyboardModifiers keys = {}) {
        QHeaderView* labels = view->Grid()->verticalHeader();
        view->Grid()->scrollTo(view->Grid()->Model()->index(row - 1, 0));
        const int y = labels->sectionViewportPosition(row - 1) + labels->sectionSize(row - 1) / 2;
        QTest::mouseClick(labels->viewport(), Qt::LeftButton, keys, QPoint(labels->width() / 2, y));
    }
    static const CMemoryImage& Image(CProgramView* view) { return view->GetDocument().m_image; }
    static QUndoStack& Stack(CProgramView* view) { return CDocumentHistory::Of(*view).Stack(); }

private slots:
    void initTestCase() {
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
        qputenv("XDG_DATA_HOME", m_config.path().toUtf8());
        SetPrompter(&m_prompter);
    }
    void init() { m_prompter.m_asked.clear(); }
    void cleanup() {
        if (m_app) {
            m_app->ExitInstance();
        }
        m_app.reset();
        m_dir.reset();
    }
    void cleanupTestCase() { SetPrompter(nullptr); }

    void rowLabelsSelectWholeRows() {
        CProgramView* view = Launch(FourChannels());
        QVERIFY(view != nullptr);
        CMSFlexGrid* grid = view->Grid();
        // An open edit is committed by a click on a label.
        ClickCell(view, 2, 5);
        QTest::keyClicks(view->Editors()->NameEdit(), "NEW");
        ClickLabel(view, 2);
        QCOMPARE(grid->TextMatrix(2, 5), QString("NEW"));
        QVERIFY(view->VisibleEditor() == nullptr);
        QVERIFY(grid->hasFocus());
        ClickLabel(view, 4, Qt::ShiftModifier);
        QCOMPARE(grid->SelectedRows(), (std::vector<int>{2, 3, 4}));
        ClickLabel(view, 3, Qt::ControlModifier);
        QCOMPARE(grid->SelectedRows(), (std::vector<int>{2, 4}));
        ClickLabel(view, 7, Qt::ControlModifier);
        QCOMPARE(grid->SelectedRows(), (std::vector<int>{2, 4, 7}));
        // A cell click selects that cell alone and opens its editor.
        ClickCell(view, 3, 1);
        QVERIFY(grid->SelectedRows().empty());
        QVERIFY(view->Editors()->FrequencyEdit()->isVisible());
    }

    void rowsGoThroughTheClipboard_data() {
        QTest::addColumn<QByteArray>("language");
        QTest::newRow("English") << QByteArray("English");
        QTest::newRow("Chinese") << QByteArray("Chinese");
    }
    void rowsGoThroughTheClipboard() {
        QFETCH(QByteArray, language);
        CProgramView* view = Launch(FourChannels(), language);
        QVERIFY(view != nullptr);
        CMSFlexGrid* grid = view->Grid();
        const CMemoryImage before = Image(view);
        ClickLabel(view, 2);
        ClickLabel(view, 3, Qt::ShiftModifier);
        QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
        const QString text = QGuiApplication::clipboard()->text();
        QCOMPARE(text.split("\r\n").first(), RowTexts(grid, 2).mid(0, 11).join('\t') + "\t\t");
        QVERIFY(text.contains(RowTexts(grid, 3).mid(0, 11).join('\t') + "\t7\t5\r\n"));
        ClickLabel(view, 10);
        QTest::keyClick(grid, Qt::Key_V, Qt::ControlModifier);
        QVERIFY(m_prompter.m_asked.isEmpty());
        QCOMPARE(RowTexts(grid, 10), RowTexts(grid, 2));
        QCOMPARE(RowTexts(grid, 11), RowTexts(grid, 3));
        QCOMPARE(grid->SelectedRows(), (std::vector<int>{10, 11}));
        QCOMPARE(Stack(view).count(), 1);
        view->StoreGrid();
        QCOMPARE(Image(view).Row(10)[kEncodeByte], Image(view).Row(2)[kEncodeByte]);
        Stack(view).undo();
        QCOMPARE(Image(view), before);
        QVERIFY(RowTexts(grid, 10).join("").isEmpty());
    }

    void aRefusedPasteSaysWhyInOneMessageAndChangesNothing_data() {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QStringList>("reasons");
        QTest::newRow("English") << QByteArray("English")
                                 << "146.025\t\t\t\t\tHuge\r\n999\r\n146.025\r\n"
                                 << QStringList{"row 2, column Power: \"Huge\"",
                                                "row 3, column Rx Frequency: "};
        QTest::newRow("Chinese") << QByteArray("Chinese") << "146.025\t\t无\t错\r\n"
                                 << QStringList{"row 2, column QT/DQT Enc: \"错\""};
    }
    void aRefusedPasteSaysWhyInOneMessageAndChangesNothing() {
        QFETCH(QByteArray, language);
        QFETCH(QString, clipboard);
        QFETCH(QStringList, reasons);
        CProgramView* view = Launch(FourChannels(), language);
        QVERIFY(view != nullptr);
        const CMemoryImage before = Image(view);
        const CChannelTable table = view->Table();
        QGuiApplication::clipboard()->setText(clipboard);
        ClickLabel(view, 2);
        QVERIFY(m_frame->OnCommand(ID_EDIT_PASTE));
        QCOMPARE(m_prompter.m_asked.size(), 1);
        const QString message = QString::fromStdString(m_prompter.m_asked[0].m_text);
        for (const QString& reason : reasons) {
            QVERIFY2(message.contains(reason), qPrintable(message));
        }
        QCOMPARE(message.startsWith("未粘贴"), language == "Chinese");
        QCOMPARE(Image(view), before);
        QVERIFY(view->Table() == table);
        QCOMPARE(Stack(view).count(), 0);
        // Past the last channel.
        QGuiApplication::clipboard()->setText("146.025\r\n146.025\r\n");
        ClickLabel(view, 128);
        QVERIFY(m_frame->OnCommand(ID_EDIT_PASTE));
        QCOMPARE(m_prompter.m_asked.size(), 2);
        QCOMPARE(Image(view), before);
    }

    void rowCommandsAreOneUndoStepEach_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QList<int>>("records");  // the source record of rows 1..5, -1 empty
        QTest::newRow("insert") << int(ID_EDIT_INSERT_ROW) << QList<int>{2}
                                << QList<int>{0, -1, 1, 2, 3};
        QTest::newRow("delete") << int(ID_EDIT_DELETE_ROWS) << QList<int>{1, 3}
                                << QList<int>{1, 3, -1, -1, -1};
        QTest::newRow("cut") << int(ID_EDIT_CUT) << QList<int>{2} << QList<int>{0, 2, 3, -1, -1};
        QTest::newRow("up") << int(ID_EDIT_MOVE_UP) << QList<int>{3, 4}
                            << QList<int>{0, 2, 3, 1, -1};
        QTest::newRow("down") << int(ID_EDIT_MOVE_DOWN) << QList<int>{1, 3}
                              << QList<int>{1, 0, 3, 2, -1};
    }
    void rowCommandsAreOneUndoStepEach() {
        QFETCH(int, command);
        QFETCH(QList<int>, selected);
        QFETCH(QList<int>, records);
        CProgramView* view = Launch(FourChannels());
        QVERIFY(view != nullptr);
        const CMemoryImage before = Image(view);
        ClickLabel(view, selected[0]);
        for (int i = 1; i < selected.size(); ++i) {
            ClickLabel(view, selected[i], Qt::ControlModifier);
        }
        QVERIFY(m_frame->OnCommand(command));
        QCOMPARE(Stack(view).count(), 1);
        for (int row = 1; row <= records.size(); ++row) {
            const auto got = Image(view).Row(row - 1);
            if (records[row - 1] < 0) {
                QVERIFY(std::ranges::all_of(got, [](auto b) { return b == 0xFF; }));
                QVERIFY(RowTexts(view->Grid(), row).join("").isEmpty());
            } else {
                QVERIFY2(std::ranges::equal(got, before.Row(records[row - 1])),
                         qPrintable(QString::number(row)));
            }
        }
        Stack(view).undo();
        QCOMPARE(Image(view), before);
        Stack(view).redo();
        Stack(view).undo();
        QCOMPARE(Image(view), before);
    }

    void movingByTheKeysAndInsertingIntoAFullList() {
        CProgramView* view = Launch(FourChannels());
        QVERIFY(view != nullptr);
        CMSFlexGrid* grid = view->Grid();
        const QStringList second = RowTexts(grid, 2);
        ClickLabel(view, 2);
        QTest::keyClick(grid, Qt::Key_Down, Qt::ControlModifier);
        QTest::keyClick(grid, Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(RowTexts(grid, 4), second);
        QCOMPARE(grid->SelectedRows(), std::vector<int>{4});
        QCOMPARE(Stack(view).count(), 2);
        // Channel 128 in use: nothing is pushed out.
        ClickCell(view, 128, 1);
        QTest::keyClicks(view->Editors()->FrequencyEdit(), "146.5");
        QTest::keyClick(view->Editors()->FrequencyEdit(), Qt::Key_Return);
        ClickLabel(view, 1);
        const CMemoryImage full = Image(view);
        QVERIFY(m_frame->OnCommand(ID_EDIT_INSERT_ROW));
        QCOMPARE(m_prompter.m_asked.size(), 1);
        QVERIFY(QString::fromStdString(m_prompter.m_asked[0].m_text).contains("128"));
        QCOMPARE(Image(view), full);
        QCOMPARE(grid->TextMatrix(128, 1), QString("146.50000"));
    }

    void editorsSelectTheirTextAndTakeNavigationKeys() {
        CProgramView* view = Launch(FourChannels());
        QVERIFY(view != nullptr);
        struct CCase {
            int m_column;
            QLineEdit* m_edit;
            QString m_text;
            QString m_typed;
        };
        const CCase cases[] = {
            {1, view->Editors()->FrequencyEdit(), "146.02500", "147"},
            {5, view->Editors()->NameEdit(), "ONE", "AB"},
        };
        for (const CCase& c : cases) {
            ClickCell(view, 1, c.m_column);
            QLineEdit* edit = c.m_edit;
            QCOMPARE(edit->selectedText(), c.m_text);
            QTest::keyClick(edit, Qt::Key_Home);
            QCOMPARE(edit->cursorPosition(), 0);
            QTest::keyClick(edit, Qt::Key_End, Qt::ShiftModifier);
            QCOMPARE(edit->selectedText(), c.m_text);
            QTest::keyClick(edit, Qt::Key_End);
            QCOMPARE(edit->cursorPosition(), c.m_text.size());
            QTest::keyClick(edit, Qt::Key_Home, Qt::ShiftModifier);
            QCOMPARE(edit->selectedText(), c.m_text);
            QTest::keyClick(edit, Qt::Key_Right);
            QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
            QCOMPARE(edit->selectedText(), c.m_text);
            QTest::keyClicks(edit, c.m_typed);
            QCOMPARE(edit->text(), c.m_typed);
            QTest::keyClick(edit, Qt::Key_Escape);
        }
        // The frequency editor still refuses letters.
        ClickCell(view, 1, 1);
        QTest::keyClicks(view->Editors()->FrequencyEdit(), "x1");
        QCOMPARE(view->Editors()->FrequencyEdit()->text(), QString("1"));
    }

    void deleteOnTheRxCellDeletesTheChannel() {
        CProgramView* view = Launch(FourChannels());
        QVERIFY(view != nullptr);
        CMSFlexGrid* grid = view->Grid();
        const CMemoryImage before = Image(view);
        const CChannelTable table = view->Table();
        // From another column Delete does nothing.
        ClickCell(view, 2, 6);
        QTest::keyClick(view->Editors()->Combo(ECellEditor::Power), Qt::Key_Escape);
        QTest::keyClick(grid, Qt::Key_Delete);
        QCOMPARE(Stack(view).count(), 0);
        ClickCell(view, 2, 1);
        QTest::keyClick(view->Editors()->FrequencyEdit(), Qt::Key_Escape);
        QVERIFY(grid->hasFocus());
        QTest::keyClick(grid, Qt::Key_Delete);
        QVERIFY(RowTexts(grid, 2).join("").isEmpty());
        QCOMPARE(RowTexts(grid, 3)[0], QString("145.00625"));  // nothing moves
        QCOMPARE(Stack(view).count(), 1);
        Stack(view).undo();
        QVERIFY(view->Table() == table);
        QCOMPARE(Image(view), before);
    }
};

QTEST_MAIN(CRowsTest)
#include "RowsTest.moc"
