#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "report/Report.h"

class CMainFrame;
class CProgramView;
class QPrinter;

// Whether the print system knows a printer; tests install their own answer (empty restores it).
void SetPrinterCheck(std::function<bool()> check);
bool PrinterInstalled();

// The pages a printer's page ranges ask for among 1..last; empty: all of them.
std::vector<int> PagesToPrint(const QPrinter& printer, int last);

// The report commands: Print, Print Direct, Print Preview, Print Setup and Export to PDF. Every
// one but Print Setup commits the grid's pending edit, stores the grid and asks PrintList for
// the sections first. One per main frame; it keeps the printer and its page setup for the run.
class CReportPrinting : public QObject {
    Q_OBJECT
public:
    explicit CReportPrinting(CMainFrame& frame);
    ~CReportPrinting() override;

    // The frame's object, made on first use.
    static CReportPrinting& Of(CMainFrame& frame);

    // The printer every print and preview uses: the system's default printer until the print
    // dialog chooses another; its page setup is kept as Print Setup leaves it.
    QPrinter& Printer();

    void OnPrint();
    void OnPrintDirect();
    void OnPrintPreview();
    void OnPrintSetup();
    void OnExportPdf();

signals:
    // A print, a direct print or an export has drawn `pages` pages.
    void ReportDone(int pages);

private:
    CProgramView* ActiveView() const;
    // PrintList over the active view's grid; the report to print, or nothing when there is no
    // view or the user cancelled.
    std::optional<CReportContext> PreparePrinting();
    // The kept printer, set to print the whole report.
    QPrinter& WholeReportPrinter();
    void Print(bool withDialog);
    // No printer: says so and offers the PDF instead.
    void OfferPdf();
    void Finished(int pages, const QString& where);

    CMainFrame& m_frame;
    std::unique_ptr<QPrinter> m_pPrinter;
};

// Wires the report commands into the main frame. Safe to call again.
void InstallPrintCommands(CMainFrame& frame);
