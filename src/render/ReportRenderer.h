#pragma once

#include <QFont>
#include <string>
#include <vector>

#include "report/Report.h"
#include "util/Error.h"

class QPagedPaintDevice;
class QPainter;

// The device-dependent units of the report: page size, column unit, fonts and line heights,
// all in twips (1440 per inch).
struct CReportMetrics {
    int m_width = 0;   // W: printable width
    int m_height = 0;  // H: printable height
    int m_column = 0;  // C = W / 66
    int m_title = 0;   // T = H / 45
    QFont m_titleFont;
    QFont m_bodyFont;
    int m_titleLine = 0;  // LT: text height plus external leading
    int m_bodyLine = 0;   // LB
};

// Metrics for a printable area of `width` x `height` twips. Needs a QGuiApplication.
CReportMetrics ReportMetrics(int width, int height);

// Evaluates a report position with the page's units.
int Twips(const CPos& pos, const CReportMetrics& metrics);

// Draws one page. The painter is set up so that one unit is one twip and y grows
// downwards from the top-left of the printable area (report y values are negated).
void DrawReportPage(QPainter& painter, const CReportPage& page, const CReportMetrics& metrics);

// Draws the given pages of the plan (empty: all of them) onto a printer or a PDF writer, in
// ascending order; pages outside the plan are skipped, and a list holding none of its pages
// is an error. The printer dialog's page ranges pass their pages. Gives the pages drawn.
CResult<int> RenderReport(QPagedPaintDevice& device, const CReportContext& context,
                          const std::vector<int>& pages = {});

// Renders to PDF in memory and writes the file with WriteOutputFile ("-" is standard output).
// A plan without pages is an error.
CResult<> WriteReportPdf(const std::string& path, const CReportContext& context);
