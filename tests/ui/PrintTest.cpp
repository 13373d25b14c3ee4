#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <array>
#include <memory>

#include "channels/ChannelTable.h"
#include "image/DocumentState.h"
#include "image/ProgramDoc.h"
#include "ui/ModalScript.h"
#include "ui/ProgramFolder.h"
#include "ui/app/ChildFrame.h"
#include "ui/app/Commands.h"
#include "ui/app/MainFrame.h"
#include "ui/app/ProgramApp.h"
#include "ui/app/UiGlobals.h"
#include "ui/channels/CellEditors.h"
#include "ui/channels/FlexGrid.h"
#include "ui/channels/ProgramView.h"
#include "ui/report/PrintCommands.h"
#include "ui/report/PrintListDlg.h"

namespace {

using CSelection = std::array<bool, kSectionCount>;
const QStringList kSectionNames = {"dtmf", "msk", "optional", "2tone", "channels"};

// The program's own Program.ini, so lh740ctl beside the built program prints the same footer.
class CAppDir : public CProgramFolder {
public:
    explicit CAppDir(const QByteArray& language) : CProgramFolder(Ini(language)) {}

private:
    static QByteArray Ini(const QByteArray& language) {
        QFile file(QStringLiteral(LH740_BIN_DIR "/Program.ini"));
        file.open(QIODevice::ReadOnly);
        return file.readAll().replace("Language=English", "Language=" + language);
    }
};

// Channels in grid rows 1..count, each on its own frequency.
CMemoryImage WithChannels(int count) {
    CDocumentState doc{CMemoryImage::NewDocument()};
    CChannelTable table(false);
    table.FillGrid(doc, nullptr, false);
    for (int row = 1; row <= count; ++row) {
        const std::string mhz = QString::number(136.0 + 0.025 * row, 'f', 5).toStdString();
        table.SetText(row, kColRx, mhz);
        table.SetText(row, kColTx, mhz);
    }
    table.StoreGrid(doc);
    return doc.m_image;
}

QString Sections(const CSelection& selected) {
    QStringList names;
    for (int s = 0; s < kSectionCount; ++s) {
        if (selected[s]) {
            names << kSectionNames[s];
        }
    }
    return names.join(',');
}

QByteArray Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        qWarning("%s failed: %s", qPrintable(program), process.readAllStandardError().constData());
        return {};
    }
    return process.readAllStandardOutput();
}

int PdfPages(const QString& pdf) {
    const auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                           .match(QString::fromUtf8(Run("pdfinfo", {pdf})));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QString PdfText(const QString& pdf) {
    return QString::fromUtf8(Run("pdftotext", {"-layout", pdf, "-"}));
}

// The text of each page, its lines with spaces evened out: another device's resolution may
// move a column by one space.
QStringList PageTexts(const QString& pdf) {
    QStringList pages = PdfText(pdf).split('\f');
    pages.removeLast();  // after the last page's form feed
    for (QString& page : pages) {
        QStringList lines = page.split('\n');
        for (QString& line : lines) {
            line = line.simplified();
        }
        page = lines.join('\n');
    }
    return pages;
}

QCheckBox* Box(CPrintListDlg* dialog, int section) {
    return qobject_cast<QCheckBox*>(dialog->Control(CPrintListDlg::kBoxIds[section]));
}

void Press(QWidget* dialog, int id) {
    QTest::mouseClick(qobject_cast<CPrintListDlg*>(dialog)->Control(id), Qt::LeftButton);
}

// PrintList: the boxes clicked to `selected`, then OK.
std::function<void(QWidget*)> Choose(const CSelection& selected) {
    return [selected](QWidget* widget) {
        auto* dialog = qobject_cast<CPrintListDlg*>(widget);
        QVERIFY(dialog != nullptr);
        for (int s = 0; s < kSectionCount; ++s) {
            QCheckBox* box = Box(dialog, s);
            if (box->isChecked() != selected[s]) {
                QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
            }
        }
        Press(dialog, 1);
    };
}

// The save dialog: the name typed into its file name field, then Return.
std::function<void(QWidget*)> SaveAs(const QString& path) {
    return [path](QWidget* widget) {
        auto* dialog = qobject_cast<QFileDialog*>(widget);
        QVERIFY(dialog != nullptr);
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(name != nullptr);
        name->selectAll();
        QTest::keyClicks(name, path);
        QTest::keyClick(name, Qt::Key_Return);
    };
}

void ClickOk(QWidget* dialog) {
    auto* box = dialog->findChild<QDialogButtonBox*>();
    QVERIFY(box != nullptr);
    QTest::mouseClick(box->button(QDialogButtonBox::Ok), Qt::LeftButton);
}

}  // namespace

class CPrintTest : public QObject {
    Q_OBJECT

private:
    CScriptedPrompter m_prompter;
    QTemporaryDir m_config;
    QTemporaryDir m_out;
    std::unique_ptr<CAppDir> m_dir;
    std::unique_ptr<CProgramApp> m_app;

    CMainFrame* Launch(const CMemoryImage& image, const QByteArray& language = "English") {
        m_dir = std::make_unique<CAppDir>(language);
        CMainFrame* frame = StartOnImage(m_app, *m_dir, image);
        m_prompter.m_asked.clear();
        return frame;
    }

    // lh740ctl's report of the program's file for the same sections and language.
    QString CliReport(const CSelection& selected, bool chinese) {
        const QString pdf = m_out.filePath(QStringLiteral("cli.pdf"));
        QFile::remove(pdf);
        Run(QStringLiteral(LH740_BIN_DIR "/lh740ctl"),
            {"report", m_dir->Path("radio.dat"), "-o", pdf, "--sections", Sections(selected),
             "--lang", chinese ? "zh" : "en"});
        return pdf;
    }

    // The kept printer writes PDF files, as a print system's file printer does.
    QString PrintToFile(const QString& name) {
        const QString pdf = m_out.filePath(name);
        QPrinter& printer = CReportPrinting::Of(*m_app->MainFrame()).Printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return pdf;
    }

private slots:
    void initTestCase() {
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
        qputenv("XDG_DATA_HOME", m_config.path().toUtf8());
        SetPrompter(&m_prompter);
    }
    void cleanupTestCase() { SetPrompter(nullptr); }
    void init() {
        m_prompter.m_asked.clear();
        m_prompter.m_answers.clear();
        SetPrinterCheck({});
    }

    void printListCountsPagesAndTicks_data() {
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("channelPages");
        QTest::newRow("none") << 0 << 0;
        QTest::newRow("one") << 1 << 1;
        QTest::newRow("five") << 5 << 1;
        QTest::newRow("all 128") << 128 << 26;
    }
    void printListCountsPagesAndTicks() {
        QFETCH(int, channels);
        QFETCH(int, channelPages);
        CMainFrame* frame = Launch(WithChannels(channels));
        QVERIFY(frame != nullptr);
        const auto total = [](CPrintListDlg* dialog) {
            return dialog->Control(0)->property("text").toString();
        };
        bool done = false;
        const int handled = OnModals(
            [&] { frame->OnCommand(ID_FILE_PRINT_PREVIEW); }, {[&](QWidget* widget) {
                auto* dialog = qobject_cast<CPrintListDlg*>(widget);
                QVERIFY(dialog != nullptr);
                QCOMPARE(dialog->windowTitle(), QString("PrintList"));
                const std::array<int, kSectionCount> counts = {1, 1, 1, 2, channelPages};
                QCOMPARE(dialog->PageCounts(), counts);
                for (int s = 0; s < kSectionCount; ++s) {
                    QCOMPARE(Box(dialog, s)->isChecked(),
                             s == kSectionOptional || s == kSectionChannels);
                }
                QCOMPARE(total(dialog), QString("Pages to print: %1").arg(1 + channelPages));
                Press(dialog, CPrintListDlg::kSelectAllId);
                for (int s = 0; s < kSectionCount; ++s) {
                    QVERIFY(Box(dialog, s)->isChecked());
                }
                QCOMPARE(total(dialog), QString("Pages to print: %1").arg(5 + channelPages));
                Press(dialog, CPrintListDlg::kClearAllId);
                for (int s = 0; s < kSectionCount; ++s) {
                    QVERIFY(!Box(dialog, s)->isChecked());
                }
                QCOMPARE(total(dialog), QString("Pages to print: 0"));
                Press(dialog, 2);
                done = true;
            }});
        QCOMPARE(handled, 1);
        QVERIFY(done);
        // Cancel prints nothing and asks nothing.
        QVERIFY(m_prompter.m_asked.isEmpty());
    }

    // Every selection of a document with 7 channels (two channel pages): the preview holds the
    // plan's pages; a selection without pages says so and shows no preview.
    void previewHoldsThePlansPages() {
        CMainFrame* frame = Launch(WithChannels(7));
        QVERIFY(frame != nullptr);
        for (int mask = 0; mask < (1 << kSectionCount); ++mask) {
            CSelection selected{};
            for (int s = 0; s < kSectionCount; ++s) {
                selected[s] = (mask >> s & 1) != 0;
            }
            const int expected = PlanReport(selected, 2).m_lastPage;
            int previewPages = -1;
            int unexpected = 0;
            m_prompter.m_asked.clear();
            const int handled =
                OnModals([&] { frame->OnCommand(ID_FILE_PRINT_PREVIEW); },
                         {Choose(selected),
                          [&](QWidget* widget) {
                              QVERIFY(qobject_cast<QPrintPreviewDialog*>(widget) != nullptr);
                              auto* preview = widget->findChild<QPrintPreviewWidget*>();
                              QVERIFY(preview != nullptr);
                              previewPages = preview->pageCount();
                          }},
                         &unexpected);
            QCOMPARE(unexpected, 0);
            if (mask == 0) {
                QCOMPARE(handled, 1);
                QCOMPARE(m_prompter.m_asked.size(), 1);
                continue;
            }
            QCOMPARE(handled, 2);
            QCOMPARE(previewPages, expected);
            QVERIFY(m_prompter.m_asked.isEmpty());
        }
    }

    // Through the real dialogs, with a cell still being typed: the PDF holds the typed value and
    // equals lh740ctl's report of the saved document.
    void exportedPdfEqualsTheCommandLineReport_data() {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<int>("mask");
        for (const QByteArray& language : {QByteArray("English"), QByteArray("Chinese")}) {
            QTest::newRow(language + " default") << language << 0b10100;
            QTest::newRow(language + " all") << language << 0b11111;
            QTest::newRow(language + " dtmf+channels") << language << 0b10001;
        }
    }
    void exportedPdfEqualsTheCommandLineReport() {
        QFETCH(QByteArray, language);
        QFETCH(int, mask);
        const bool chinese = language == "Chinese";
        CSelection selected{};
        for (int s = 0; s < kSectionCount; ++s) {
            selected[s] = (mask >> s & 1) != 0;
        }
        CMainFrame* frame = Launch(WithChannels(7), language);
        QVERIFY(frame != nullptr);
        SetFileChoosers({}, {});
        // Channel 9 typed but not yet committed.
        CProgramView* view = frame->ActiveChild()->View();
        const QModelIndex cell = view->Grid()->Model()->index(8, 0);
        QTest::mouseClick(view->Grid()->viewport(), Qt::LeftButton, {},
                          view->Grid()->visualRect(cell).center());
        QLineEdit* edit = view->Editors()->FrequencyEdit();
        QVERIFY(edit->isVisible());
        QTest::keyClicks(edit, "147.5");

        const QString pdf = m_out.filePath(QString("export-%1-%2.pdf").arg(language).arg(mask));
        QSignalSpy done(&CReportPrinting::Of(*frame), &CReportPrinting::ReportDone);
        QCOMPARE(OnModals([&] { frame->OnCommand(ID_FILE_EXPORT_PDF); },
                          {Choose(selected), SaveAs(pdf)}),
                 2);
        QCOMPARE(done.size(), 1);
        QVERIFY(m_prompter.m_asked.isEmpty());
        QVERIFY(PdfText(pdf).contains("147.50000"));

        QVERIFY(frame->OnCommand(ID_FILE_SAVE));
        const QString cli = CliReport(selected, chinese);
        QCOMPARE(PdfPages(pdf), PlanReport(selected, 2).m_lastPage);
        QCOMPARE(PdfPages(pdf), PdfPages(cli));
        QCOMPARE(PdfText(pdf), PdfText(cli));
        QVERIFY(PdfText(pdf).contains(chinese ? "信道信息" : "Channel Infomation"));
    }

    // The print path onto a file printer: the real print dialog with a page range, and the
    // direct print without a dialog, give the pages lh740ctl writes.
    void printingToAFilePrinterGivesTheReportsPages() {
        SetPrinterCheck([] { return true; });
        CMainFrame* frame = Launch(WithChannels(12));
        QVERIFY(frame != nullptr);
        const CSelection all = {true, true, true, true, true};

        const QString whole = PrintToFile("print-all.pdf");
        QCOMPARE(OnModals([&] { frame->OnCommand(ID_FILE_PRINT); },
                          {Choose(all),
                           [](QWidget* dialog) {
                               QVERIFY(qobject_cast<QPrintDialog*>(dialog) != nullptr);
                               ClickOk(dialog);
                           }}),
                 2);
        const QString cli = CliReport(all, false);
        QCOMPARE(PdfPages(whole), 8);
        QCOMPARE(PageTexts(whole), PageTexts(cli));

        const QString range = PrintToFile("print-range.pdf");
        QCOMPARE(OnModals([&] { frame->OnCommand(ID_FILE_PRINT); },
                          {Choose(all),
                           [](QWidget* dialog) {
                               auto* pages = dialog->findChild<QRadioButton*>("printRange");
                               auto* from = dialog->findChild<QSpinBox*>("from");
                               auto* to = dialog->findChild<QSpinBox*>("to");
                               QVERIFY(pages != nullptr && from != nullptr && to != nullptr);
                               QTest::mouseClick(pages, Qt::LeftButton, {}, QPoint(6, 6));
                               QVERIFY(pages->isChecked());
                               // The report's pages bound the range.
                               QCOMPARE(to->maximum(), 8);
                               from->setValue(2);
                               to->setValue(4);
                               ClickOk(dialog);
                           }}),
                 2);
        QCOMPARE(PdfPages(range), 3);
        QCOMPARE(PageTexts(range), PageTexts(cli).mid(1, 3));

        const QString direct = PrintToFile("print-direct.pdf");
        int unexpected = 0;
        QCOMPARE(
            OnModals([&] { frame->OnCommand(ID_FILE_PRINT_DIRECT); }, {Choose(all)}, &unexpected),
            1);
        QCOMPARE(unexpected, 0);
        QCOMPARE(PageTexts(direct), PageTexts(cli));
        QVERIFY(m_prompter.m_asked.isEmpty());
    }

    // Print Setup's choice stays with the printer: a later print is landscape.
    void printSetupIsKeptForTheRun() {
        SetPrinterCheck([] { return true; });
        CMainFrame* frame = Launch(WithChannels(1));
        QVERIFY(frame != nullptr);
        const QString pdf = PrintToFile("landscape.pdf");
        QCOMPARE(OnModals([&] { frame->OnCommand(ID_FILE_PRINT_SETUP); }, {[](QWidget* dialog) {
                              QVERIFY(qobject_cast<QPageSetupDialog*>(dialog) != nullptr);
                              auto* landscape = dialog->findChild<QRadioButton*>("landscape");
                              QVERIFY(landscape != nullptr);
                              QTest::mouseClick(landscape, Qt::LeftButton, {}, QPoint(6, 6));
                              ClickOk(dialog);
                          }}),
                 1);
        QCOMPARE(OnModals([&] { frame->OnCommand(ID_FILE_PRINT_DIRECT); },
                          {Choose({false, false, true, false, false})}),
                 1);
        const QString info = QString::fromUtf8(Run("pdfinfo", {pdf}));
        const auto size = QRegularExpression("Page size:\\s+([\\d.]+) x ([\\d.]+)").match(info);
        QVERIFY(size.hasMatch());
        QVERIFY(size.captured(1).toDouble() > size.captured(2).toDouble());
    }

    // Without a printer, Print, Print Direct and Print Setup say so; Print offers the PDF.
    void withoutAPrinterTheCommandsSaySo_data() {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<QString>("said");
        QTest::newRow("English") << QByteArray("English") << QString("No printer is installed");
        QTest::newRow("Chinese") << QByteArray("Chinese") << QString("没有安装打印机");
    }
    void withoutAPrinterTheCommandsSaySo() {
        QFETCH(QByteArray, language);
        QFETCH(QString, said);
        SetPrinterCheck([] { return false; });
        CMainFrame* frame = Launch(WithChannels(3), language);
        QVERIFY(frame != nullptr);
        for (int command : {ID_FILE_PRINT, ID_FILE_PRINT_DIRECT, ID_FILE_PRINT_SETUP}) {
            m_prompter.m_asked.clear();
            m_prompter.m_answers = {EPromptAnswer::No};
            int unexpected = 0;
            QCOMPARE(OnModals([&] { frame->OnCommand(command); }, {}, &unexpected), 0);
            QCOMPARE(unexpected, 0);
            QCOMPARE(m_prompter.m_asked.size(), 1);
            QVERIFY(QString::fromStdString(m_prompter.m_asked[0].m_text).startsWith(said));
            QVERIFY(QString::fromStdString(m_prompter.m_asked[0].m_text).contains("PDF"));
        }
        // Yes takes the way out: the sections, then the PDF file.
        const QString pdf = m_out.filePath(QString("way-out-%1.pdf").arg(language));
        m_prompter.m_answers = {EPromptAnswer::Yes};
        SetFileChoosers({}, [pdf](QWidget*, const QString&) { return pdf; });
        QCOMPARE(
            OnModals([&] { frame->OnCommand(ID_FILE_PRINT); }, {Choose(DefaultReportSelection())}),
            1);
        SetFileChoosers({}, {});
        QCOMPARE(PdfPages(pdf), 2);
    }

    void pagesToPrintFollowTheRanges_data() {
        QTest::addColumn<QString>("ranges");
        QTest::addColumn<QList<int>>("pages");
        QTest::newRow("all") << QString() << QList<int>{};
        QTest::newRow("list") << QString("1-2,5") << QList<int>{1, 2, 5};
        QTest::newRow("cut at the end") << QString("4-9") << QList<int>{4, 5};
        QTest::newRow("beyond") << QString("7-8") << QList<int>{6};
    }
    void pagesToPrintFollowTheRanges() {
        QFETCH(QString, ranges);
        QFETCH(QList<int>, pages);
        QPrinter printer;
        if (!ranges.isEmpty()) {
            printer.setPrintRange(QPrinter::PageRange);
            printer.setPageRanges(QPageRanges::fromString(ranges));
        }
        const std::vector<int> got = PagesToPrint(printer, 5);
        QCOMPARE(QList<int>(got.begin(), got.end()), pages);
    }
};

QTEST_MAIN(CPrintTest)
#include "PrintTest.moc"
