// File > Import Channels and Export Channels: the command-line tool's CSV, an import as one
// undo step, a refused import changing nothing and listing its cells.
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <memory>

#include "channels/ChannelCsv.h"
#include "channels/CommonChannelCsv.h"
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
#include "ui/channels/ChannelCsvCommands.h"
#include "ui/channels/DocumentHistory.h"
#include "ui/channels/FlexGrid.h"
#include "ui/channels/ProgramView.h"

namespace {

class CAppDir : public CProgramFolder {
public:
    explicit CAppDir(const QByteArray& language)
        : CProgramFolder("[Setup]\r\nLanguage=" + language +
                         "\r\nAppName=Csv Test\r\nType1=LH-740A\r\nType2=LH-740B\r\n"
                         "[English]\r\nCompany=Vornex Communications\r\n"
                         "[Chinese]\r\nCompany=Vornex\r\n") {}
};

CMemoryImage TwoChannels() {
    CMemoryImage image = CMemoryImage::NewDocument();
    const std::uint8_t record[] = {0x00, 0x25, 0x60, 0x14, 0x00, 0x25, 0x60, 0x14,
                                   0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x38, 0,    0,
                                   'O',  'L',  'D',  0xFF, 0xFF, 0xFF, 0xFF};
    std::copy(std::begin(record), std::end(record), image.m_bytes.begin());
    std::copy(std::begin(record), std::end(record), image.m_bytes.begin() + 24);
    return image;
}

const char kHeader[] = "Channel,Rx Frequency,Tx Frequency,Name\r\n";

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

}  // namespace

class CChannelCsvDialogTest : public QObject {
    Q_OBJECT

private:
    CScriptedPrompter m_prompter;
    std::unique_ptr<CAppDir> m_dir;
    std::unique_ptr<CProgramApp> m_app;
    CMainFrame* m_frame = nullptr;
    CProgramView* m_view = nullptr;
    QString m_chosen;  // what the file choosers answer

    bool Launch(const QByteArray& language = "English") {
        m_dir = std::make_unique<CAppDir>(language);
        m_frame = StartOnImage(m_app, *m_dir, TwoChannels());
        m_view = m_frame != nullptr ? m_frame->ActiveChild()->View() : nullptr;
        m_prompter.m_asked.clear();
        return m_view != nullptr;
    }
    const CMemoryImage& Image() const { return m_view->GetDocument().m_image; }
    int Steps() const { return CDocumentHistory::Of(*m_view).Stack().count(); }

private slots:
    void initTestCase() {
        SetPrompter(&m_prompter);
        SetFileChoosers([this](QWidget*) { return m_chosen; },
                        [this](QWidget*, const QString&) { return m_chosen; });
    }
    void cleanup() {
        if (m_app) {
            m_app->ExitInstance();
            m_app.reset();
        }
    }

    void importIsOneUndoStepAndExportRoundTrips() {
        QVERIFY(Launch());
        const CMemoryImage original = Image();
        m_chosen = m_dir->Path("channels.csv");
        QVERIFY(m_frame->OnCommand(ID_FILE_EXPORT_CHANNELS));
        QFile exported(m_chosen);
        QVERIFY(exported.open(QIODevice::ReadOnly));
        QCOMPARE(exported.readAll().toStdString(), ExportChannelsCsv(original));
        const CMemoryImage stored = Image();  // the export stored the grid

        // A name typed but not committed is committed first; the import then renames row 2.
        ClickCell(m_view, 1, kColName);
        QLineEdit* name = m_view->Editors()->NameEdit();
        QVERIFY(name->isVisible());
        QTest::keyClick(name, Qt::Key_End);
        QTest::keyClicks(name, "X");
        WriteFile(m_dir->Path("in.csv"), QByteArray(kHeader) + "2,146.5,146.5,NEW\r\n");
        m_chosen = m_dir->Path("in.csv");
        const int steps = Steps();
        QVERIFY(m_frame->OnCommand(ID_FILE_IMPORT_CHANNELS));
        QCOMPARE(m_view->Grid()->TextMatrix(2, kColName), QString("NEW"));
        QCOMPARE(m_view->Grid()->TextMatrix(2, kColRx), QString("146.50000"));
        QCOMPARE(m_view->Grid()->TextMatrix(1, kColName), QString("OLDX"));
        QCOMPARE(Image().m_bytes[24 + 16], 'N');
        // The committed name is a step of its own, the import the next one.
        QCOMPARE(Steps(), steps + 2);
        QCOMPARE(CDocumentHistory::Of(*m_view).Stack().text(steps), QString("Edit Chnnel Name"));
        QCOMPARE(CDocumentHistory::Of(*m_view).Stack().undoText(), QString("Import Channels"));

        // Undone, the bytes and the grid are those before the import, the committed name too.
        CDocumentHistory::Of(*m_view).Stack().undo();
        QVERIFY(Image() == stored);
        QCOMPARE(m_view->Grid()->TextMatrix(2, kColName), QString("OLD"));
        QCOMPARE(m_view->Grid()->TextMatrix(1, kColName), QString("OLDX"));

        // The first export imported back gives the bytes of that time.
        m_view->Grid()->SetTextMatrix(1, kColName, "OLD");
        m_chosen = m_dir->Path("channels.csv");
        QVERIFY(m_frame->OnCommand(ID_FILE_IMPORT_CHANNELS));
        QVERIFY(Image() == stored);
        QCOMPARE(ExportChannelsCsv(Image()), ExportChannelsCsv(original));
        QVERIFY(m_prompter.m_asked.isEmpty());
    }

    void refusedImportChangesNothing_data() {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<QByteArray>("content");  // empty: no such file
        QTest::addColumn<QString>("shown");       // in the error list, or else in the message
        QTest::addColumn<bool>("listed");
        QTest::newRow("bad cells")
            << QByteArray("English") << QByteArray(kHeader) + "1,abc,146.5,A\r\n2,,,TOOLONGNAME\r\n"
            << "row 1, column Rx Frequency: " << true;
        QTest::newRow("wrong header")
            << QByteArray("Chinese") << QByteArray("Kanal,Rx\r\n1,146\r\n")
            << "line 1: unknown column \"Kanal\"" << true;
        QTest::newRow("binary") << QByteArray("English") << QByteArray("\x00\x01\xFF\xFE", 4)
                                << "is not UTF-8 text" << false;
        QTest::newRow("too large") << QByteArray("English") << QByteArray(int(kMaxCsvSize) + 1, 'a')
                                   << "is too large" << false;
        QTest::newRow("missing") << QByteArray("English") << QByteArray() << "missing.csv" << false;
    }
    void refusedImportChangesNothing() {
        QFETCH(QByteArray, language);
        QFETCH(QByteArray, content);
        QFETCH(QString, shown);
        QFETCH(bool, listed);
        QVERIFY(Launch(language));
        const CMemoryImage before = Image();
        const CChannelTable table = m_view->Table();
        m_chosen = m_dir->Path("missing.csv");
        if (!content.isEmpty()) {
            m_chosen = m_dir->Path("bad.csv");
            WriteFile(m_chosen, content);
        }
        QString list;
        int unexpected = 0;
        const int handled =
            OnModals([&] { m_frame->OnCommand(ID_FILE_IMPORT_CHANNELS); }, {[&](QWidget* dialog) {
                         auto* errors = qobject_cast<CCsvErrorsDlg*>(dialog);
                         QVERIFY(errors != nullptr);
                         list = errors->List()->toPlainText();
                         // Read-only, yet the user can select and copy it.
                         QVERIFY(errors->List()->isReadOnly());
                         errors->List()->selectAll();
                         QVERIFY(errors->List()->textCursor().hasSelection());
                         QTest::keyClick(dialog, Qt::Key_Return);
                     }},
                     &unexpected);
        QCOMPARE(handled, listed ? 1 : 0);
        QCOMPARE(unexpected, 0);
        if (listed) {
            QVERIFY2(list.contains(shown), qPrintable(list));
            QVERIFY(m_prompter.m_asked.isEmpty());
        } else {
            QCOMPARE(m_prompter.m_asked.size(), 1);
            QVERIFY2(QString::fromStdString(m_prompter.m_asked[0].m_text).contains(shown),
                     m_prompter.m_asked[0].m_text.c_str());
        }
        QVERIFY(Image() == before);
        QVERIFY(m_view->Table() == table);
        QCOMPARE(Steps(), 0);
    }

    void refusedCellEditStopsTheImport() {
        QVERIFY(Launch());
        ClickCell(m_view, 1, kColRx);
        QLineEdit* edit = m_view->Editors()->FrequencyEdit();
        edit->selectAll();
        QTest::keyClicks(edit, "1");
        bool asked = false;
        SetFileChoosers(
            [&](QWidget*) {
                asked = true;
                return QString();
            },
            {});
        m_frame->OnCommand(ID_FILE_IMPORT_CHANNELS);
        initTestCase();
        QVERIFY(!asked);
        QCOMPARE(m_prompter.m_asked.size(), 1);
        QVERIFY(edit->isVisible());
    }

    void exportThroughTheRealFileDialog() {
        QVERIFY(Launch("Chinese"));
        SetFileChoosers({}, {});
        QString title;
        const int handled =
            OnModals([&] { m_frame->OnCommand(ID_FILE_EXPORT_CHANNELS); }, {[&](QWidget* dialog) {
                         auto* chooser = qobject_cast<QFileDialog*>(dialog);
                         QVERIFY(chooser != nullptr);
                         title = chooser->windowTitle();
                         auto* name = chooser->findChild<QLineEdit*>("fileNameEdit");
                         QVERIFY(name != nullptr);
                         name->selectAll();
                         QTest::keyClicks(name, m_dir->Path("typed"));
                         QTest::keyClick(name, Qt::Key_Return);
                     }});
        initTestCase();
        QCOMPARE(handled, 1);
        QCOMPARE(title, QString::fromUtf8("导出信道"));
        // The suffix is added; the file holds the grid's English texts, as the tool writes them.
        QFile file(m_dir->Path("typed.csv"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().toStdString(), ExportChannelsCsv(Image()));
    }

    // The file dialogs offer the common channel CSV as a file type of its own; its refused rows
    // are asked about, and only Yes imports the others.
    void commonLayoutIsAFileTypeOfTheDialogs_data() {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<QString>("filter");
        QTest::newRow("English") << QByteArray("English") << "Common channel CSV (*.csv)";
        QTest::newRow("Chinese") << QByteArray("Chinese")
                                 << QString::fromUtf8("通用信道 CSV (*.csv)");
    }
    void commonLayoutIsAFileTypeOfTheDialogs() {
        QFETCH(QByteArray, language);
        QFETCH(QString, filter);
        QVERIFY(Launch(language));
        SetFileChoosers({}, {});
        QStringList offered;
        auto choose = [&](const QString& file) {
            return [&, file](QWidget* dialog) {
                auto* chooser = qobject_cast<QFileDialog*>(dialog);
                QVERIFY(chooser != nullptr);
                offered = chooser->nameFilters();
                chooser->selectNameFilter(filter);
                auto* name = chooser->findChild<QLineEdit*>("fileNameEdit");
                QVERIFY(name != nullptr);
                name->selectAll();
                QTest::keyClicks(name, file);
                QTest::keyClick(name, Qt::Key_Return);
            };
        };
        QCOMPARE(OnModals([&] { m_frame->OnCommand(ID_FILE_EXPORT_CHANNELS); },
                          {choose(m_dir->Path("common.csv"))}),
                 1);
        QVERIFY2(offered.contains(filter), qPrintable(offered.join('|')));
        QFile file(m_dir->Path("common.csv"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().toStdString(), ExportCommonCsv(Image()));

        const std::string header = ExportCommonCsv(CMemoryImage::NewDocument());
        WriteFile(m_dir->Path("in.csv"),
                  QByteArray::fromStdString(header) +
                      "2,LONGNAME9,146.5,,0,,88.5,88.5,023,NN,023,,NFM,,,,,,,,\r\n"
                      "3,AIR,120.5,,0,,88.5,88.5,023,NN,023,,AM,,,,,,,,\r\n");
        const CMemoryImage before = Image();
        m_prompter.m_answers = {EPromptAnswer::No};
        QCOMPARE(OnModals([&] { m_frame->OnCommand(ID_FILE_IMPORT_CHANNELS); },
                          {choose(m_dir->Path("in.csv"))}),
                 1);
        QCOMPARE(m_prompter.m_asked.size(), 1);
        const QString question = QString::fromStdString(m_prompter.m_asked[0].m_text);
        QVERIFY2(question.contains("line 3, Location 3: Mode \"AM\""), qPrintable(question));
        QCOMPARE(m_prompter.m_asked[0].m_buttons, EPromptButtons::YesNo);
        QVERIFY(Image() == before);
        QCOMPARE(Steps(), 0);

        m_prompter.m_asked.clear();
        m_prompter.m_answers = {EPromptAnswer::Yes};
        QCOMPARE(OnModals([&] { m_frame->OnCommand(ID_FILE_IMPORT_CHANNELS); },
                          {choose(m_dir->Path("in.csv"))}),
                 1);
        QCOMPARE(Steps(), 1);
        QCOMPARE(m_view->Grid()->TextMatrix(2, kColName), QString("LONGNAM"));
        QVERIFY(m_view->Grid()->TextMatrix(3, kColRx).isEmpty());
        // The question, then the cut name.
        QCOMPARE(m_prompter.m_asked.size(), 2);
        QVERIFY(QString::fromStdString(m_prompter.m_asked[1].m_text).contains("LONGNAM"));

        // No row the radio can hold: the list of refusals, no question, no step.
        WriteFile(m_dir->Path("air.csv"),
                  QByteArray::fromStdString(header) +
                      "3,AIR,120.5,,0,,88.5,88.5,023,NN,023,,AM,,,,,,,,\r\n");
        m_prompter.m_asked.clear();
        QString list;
        QCOMPARE(OnModals([&] { m_frame->OnCommand(ID_FILE_IMPORT_CHANNELS); },
                          {choose(m_dir->Path("air.csv")),
                           [&](QWidget* dialog) {
                               auto* errors = qobject_cast<CCsvErrorsDlg*>(dialog);
                               QVERIFY(errors != nullptr);
                               list = errors->List()->toPlainText();
                               dialog->close();
                           }}),
                 2);
        QVERIFY2(list.contains("Location 3: Mode \"AM\""), qPrintable(list));
        QVERIFY(m_prompter.m_asked.isEmpty());
        QCOMPARE(Steps(), 1);
        initTestCase();
    }
};

QTEST_MAIN(CChannelCsvDialogTest)
#include "ChannelCsvDialogTest.moc"
