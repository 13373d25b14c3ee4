#include "ui/report/PrintCommands.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageRanges>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QStatusBar>

#include "image/ProgramDoc.h"
#include "render/ReportRenderer.h"
#include "ui/app/ChildFrame.h"
#include "ui/app/Commands.h"
#include "ui/app/MainFrame.h"
#include "ui/app/UiGlobals.h"
#include "ui/channels/ProgramView.h"
#include "ui/report/PrintListDlg.h"

namespace {

std::function<bool()> g_printerCheck;

// Where a report of the document is proposed: beside its file, named after it.
QString ProposedPdf(const CProgramDoc& doc) {
    const QString path = QFile::decodeName(QByteArray::fromStdString(doc.GetPathName()));
    if (path.isEmpty()) {
        return QDir::current().filePath(QStringLiteral("radio.pdf"));
    }
    const QFileInfo info(path);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".pdf"));
}

}  // namespace

void SetPrinterCheck(std::function<bool()> check) {
    g_printerCheck = std::move(check);
}

bool PrinterInstalled() {
    return g_printerCheck ? g_printerCheck() : !QPrinterInfo::availablePrinterNames().isEmpty();
}

std::vector<int> PagesToPrint(const QPrinter& printer, int last) {
    std::vector<int> pages;
    if (printer.printRange() != QPrinter::PageRange) {
        return pages;
    }
    for (const QPageRanges::Range& range : printer.pageRanges().toRangeList()) {
        for (int page = std::max(range.from, 1); page <= std::min(range.to, last); ++page) {
            pages.push_back(page);
        }
    }
    // A range beyond the report asks for none of its pages; the renderer says so.
    if (pages.empty()) {
        pages.push_back(last + 1);
    }
    return pages;
}

CReportPrinting::CReportPrinting(CMainFrame& frame) : QObject(&frame), m_frame(frame) {}

CReportPrinting::~CReportPrinting() = default;

CReportPrinting& CReportPrinting::Of(CMainFrame& frame) {
    if (auto* printing = frame.findChild<CReportPrinting*>(QString(), Qt::FindDirectChildrenOnly)) {
        return *printing;
    }
    return *new CReportPrinting(frame);
}

QPrinter& CReportPrinting::WholeReportPrinter() {
    QPrinter& printer = Printer();
    printer.setPrintRange(QPrinter::AllPages);
    printer.setPageRanges({});
    return printer;
}

QPrinter& CReportPrinting::Printer() {
    if (!m_pPrinter) {
        m_pPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_pPrinter->setDocName(QStringLiteral("LH-740"));
    }
    return *m_pPrinter;
}

CProgramView* CReportPrinting::ActiveView() const {
    CChildFrame* child = m_frame.ActiveChild();
    return child != nullptr ? child->View() : nullptr;
}

std::optional<CReportContext> CReportPrinting::PreparePrinting() {
    CProgramView* pView = ActiveView();
    if (pView == nullptr) {
        return std::nullopt;
    }
    CProgramView& view = *pView;
    // What is printed is what the grid shows, the cell being typed included.
    if (!view.CommitCellEdit()) {
        return std::nullopt;
    }
    view.StoreGrid();
    CChannelTable* table = &view.Table();
    CGridTexts grid = [table](int row, int column) { return table->GetText(row, column); };
    CPrintListDlg dialog(PlanReport({}, CountChannels(grid).PageCount()).m_pageCounts, &m_frame);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    CReportContext context =
        MakeReportContext(view.GetDocument().m_image, std::move(grid), dialog.Selection(),
                          g_bChinese, LanguageSetting("Copyrights Owner").toStdString());
    if (context.m_plan.m_lastPage < 1) {
        Ask(tr("The selected sections have no pages: tick a section, or define a channel before "
               "printing Channel Info."),
            EPromptButtons::Ok, EPromptIcon::Information);
        return std::nullopt;
    }
    return context;
}

void CReportPrinting::OfferPdf() {
    const QString text =
        tr("No printer is installed.\nAdd one in the system's printer settings, "
           "or export the report to a PDF file and print that elsewhere.\n\n"
           "Export the report to PDF now?");
    if (Ask(text, EPromptButtons::YesNo, EPromptIcon::Question) == EPromptAnswer::Yes) {
        OnExportPdf();
    }
}

void CReportPrinting::Print(bool withDialog) {
    if (ActiveView() == nullptr) {
        return;
    }
    if (!PrinterInstalled()) {
        OfferPdf();
        return;
    }
    const auto context = PreparePrinting();
    if (!context) {
        return;
    }
    // Every print starts from the whole report; the dialog may narrow it.
    QPrinter& printer = WholeReportPrinter();
    const int last = context->m_plan.m_lastPage;
    if (withDialog) {
        QPrintDialog dialog(&printer, &m_frame);
        dialog.setWindowTitle(tr("Print"));
        dialog.setMinMax(1, last);
        dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                          QAbstractPrintDialog::PrintCollateCopies |
                          QAbstractPrintDialog::PrintShowPageSize);
        // Qt 6.4's dialog refuses every text typed into its "Pages" field as "not the correct
        // syntax"; the "Pages from ... to" range beside it works and stays.
        for (const char* broken : {"pagesRadioButton", "pagesLineEdit"}) {
            if (auto* widget = dialog.findChild<QWidget*>(QLatin1String(broken))) {
                widget->hide();
            }
        }
        if (dialog.exec() != QDialog::Accepted) {
            return;
        }
    }
    const auto printed = RenderReport(printer, *context, PagesToPrint(printer, last));
    if (!printed) {
        Ask(tr("The report could not be printed.") + QLatin1Char('\n') + Tr(printed.error()));
        return;
    }
    Finished(*printed, printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName()
                                                                     : printer.printerName());
}

void CReportPrinting::OnPrint() {
    Print(true);
}

void CReportPrinting::OnPrintDirect() {
    Print(false);
}

void CReportPrinting::OnPrintPreview() {
    const auto context = PreparePrinting();
    if (!context) {
        return;
    }
    QPrintPreviewDialog dialog(&WholeReportPrinter(), &m_frame);
    dialog.setWindowTitle(tr("Print Preview"));
    // The preview's own Print button prints through the same pages.
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [&context](QPrinter* target) {
        const auto drawn =
            RenderReport(*target, *context, PagesToPrint(*target, context->m_plan.m_lastPage));
        if (!drawn) {
            Ask(Tr(drawn.error()));
        }
    });
    if (const QScreen* screen = m_frame.screen()) {
        const QRect area = screen->availableGeometry();
        dialog.resize(area.width() * 4 / 5, area.height() * 9 / 10);
    }
    dialog.exec();
}

void CReportPrinting::OnPrintSetup() {
    if (!PrinterInstalled()) {
        Ask(tr("No printer is installed, so there is no page setup to choose.\nAdd a printer in "
               "the "
               "system's printer settings; File > Export to PDF writes the report to a file "
               "without one."),
            EPromptButtons::Ok, EPromptIcon::Information);
        return;
    }
    QPageSetupDialog dialog(&Printer(), &m_frame);
    dialog.setWindowTitle(tr("Print Setup"));
    dialog.exec();
}

void CReportPrinting::OnExportPdf() {
    const auto context = PreparePrinting();
    if (!context) {
        return;
    }
    const QString chosen =
        ChooseSaveFile(&m_frame, ProposedPdf(ActiveView()->GetDocument()), ESaveKind::kPdf);
    if (chosen.isEmpty()) {
        return;
    }
    const QString path = QFileInfo(chosen).absoluteFilePath();
    const auto written = WriteReportPdf(QFile::encodeName(path).toStdString(), *context);
    if (!written) {
        Ask(tr("The report could not be exported.") + QLatin1Char('\n') + Tr(written.error()));
        return;
    }
    Finished(context->m_plan.m_lastPage, path);
}

void CReportPrinting::Finished(int pages, const QString& where) {
    m_frame.statusBar()->showMessage(
        tr("%1 page(s) of the report sent to %2").arg(pages).arg(where), 10000);
    emit ReportDone(pages);
}

void InstallPrintCommands(CMainFrame& frame) {
    if (frame.property("printCommands").toBool()) {
        return;
    }
    frame.setProperty("printCommands", true);
    CReportPrinting* printing = &CReportPrinting::Of(frame);
    frame.SetCommandHandler(ID_FILE_PRINT, [printing] { printing->OnPrint(); });
    frame.SetCommandHandler(ID_FILE_PRINT_DIRECT, [printing] { printing->OnPrintDirect(); });
    frame.SetCommandHandler(ID_FILE_PRINT_PREVIEW, [printing] { printing->OnPrintPreview(); });
    frame.SetCommandHandler(ID_FILE_PRINT_SETUP, [printing] { printing->OnPrintSetup(); });
    frame.SetCommandHandler(ID_FILE_EXPORT_PDF, [printing] { printing->OnExportPdf(); });
}
