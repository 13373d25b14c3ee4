#include "render/ReportRenderer.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>
#include <iterator>

#include "util/File.h"

namespace {

// The report asks for "Times New Roman"; where it is missing a metric-alike serif face stands
// in, and the CJK family renders the Chinese texts, which the Latin faces lack.
QFont ReportFont(int height, int averageWidth) {
    QFont font;
    font.setFamilies({"Times New Roman", "Liberation Serif", "Nimbus Roman", "DejaVu Serif",
                      "Noto Serif CJK SC", "Noto Sans CJK SC"});
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(std::max(height, 1));
    font.setWeight(QFont::Normal);
    // No ligatures: a printed "fi" or "ff" should read back as two letters.
    font.setLetterSpacing(QFont::PercentageSpacing, 100.001);
    // The face's own average width scaled to the asked one.
    const double natural = QFontMetricsF(font).averageCharWidth();
    if (natural > 0 && averageWidth > 0) {
        const int stretch = static_cast<int>(std::lround(100.0 * averageWidth / natural));
        font.setStretch(std::clamp(stretch, 1, 4000));
    }
    return font;
}

// Line heights and the baseline follow the vertical metrics of "Times New Roman" (units
// per em 2048: ascent 1825, descent 443, external leading 87), so the pages lay out the
// same whichever face stands in for it; taller faces would push the footer off the page.
constexpr double kTimesAscent = 1825.0 / 2048;
constexpr double kTimesLine = (1825.0 + 443 + 87) / 2048;

int LineHeight(const QFont& font) {
    return static_cast<int>(std::lround(font.pixelSize() * kTimesLine));
}

// Twips per inch; PDF pages are laid out at this resolution so one device unit is one twip.
constexpr int kTwipsPerInch = 1440;

}  // namespace

CReportMetrics ReportMetrics(int width, int height) {
    CReportMetrics m;
    m.m_width = width;
    m.m_height = height;
    m.m_column = width / 66;
    m.m_title = height / 45;
    m.m_titleFont = ReportFont(m.m_title, m.m_column);
    m.m_bodyFont =
        ReportFont(static_cast<int>(m.m_title * 0.8), static_cast<int>(m.m_column * 0.8));
    m.m_titleLine = LineHeight(m.m_titleFont);
    m.m_bodyLine = LineHeight(m.m_bodyFont);
    return m;
}

int Twips(const CPos& pos, const CReportMetrics& metrics) {
    return static_cast<int>(pos.m_c * metrics.m_column + pos.m_lb * metrics.m_bodyLine +
                            pos.m_lt * metrics.m_titleLine + pos.m_twips);
}

void DrawReportPage(QPainter& painter, const CReportPage& page, const CReportMetrics& metrics) {
    painter.save();
    QPen pen(Qt::black);
    pen.setWidthF(kTwipsPerInch / 96.0);
    painter.setPen(pen);
    for (const CReportRule& rule : page.m_rules) {
        painter.drawLine(QPointF(Twips(rule.m_x1, metrics), -Twips(rule.m_y1, metrics)),
                         QPointF(Twips(rule.m_x2, metrics), -Twips(rule.m_y2, metrics)));
    }
    for (const CReportText& text : page.m_texts) {
        if (text.m_text.empty()) {
            continue;
        }
        const QFont& font =
            text.m_font == EReportFont::kTitle ? metrics.m_titleFont : metrics.m_bodyFont;
        painter.setFont(font);
        // The position is the top-left corner of the text, as the report lays it out.
        const double ascent = font.pixelSize() * kTimesAscent;
        painter.drawText(
            QPointF(Twips(text.m_x, metrics), -Twips(text.m_y, metrics) + ascent),
            QString::fromUtf8(text.m_text.data(), static_cast<qsizetype>(text.m_text.size())));
    }
    painter.restore();
}

CResult<int> RenderReport(QPagedPaintDevice& device, const CReportContext& context,
                          const std::vector<int>& pages) {
    const int last = context.m_plan.m_lastPage;
    if (last < 1) {
        return std::unexpected(
            CTexts{"The selection has no pages to print.", "所选部分没有可打印的页。"});
    }
    std::vector<int> wanted;
    if (pages.empty()) {
        for (int page = 1; page <= last; ++page) {
            wanted.push_back(page);
        }
    } else {
        std::copy_if(pages.begin(), pages.end(), std::back_inserter(wanted),
                     [last](int page) { return page >= 1 && page <= last; });
        std::sort(wanted.begin(), wanted.end());
        wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end());
    }
    if (wanted.empty()) {
        return std::unexpected(
            CTexts{"The page range holds none of the report's pages.", "页码范围内没有报告的页。"});
    }
    QPainter painter;
    if (!painter.begin(&device)) {
        return std::unexpected(
            CTexts{"The report could not be started on the device.", "无法在设备上开始报告。"});
    }
    const double scaleX = device.logicalDpiX() / double(kTwipsPerInch);
    const double scaleY = device.logicalDpiY() / double(kTwipsPerInch);
    painter.scale(scaleX, scaleY);
    const CReportMetrics metrics = ReportMetrics(static_cast<int>(device.width() / scaleX),
                                                 static_cast<int>(device.height() / scaleY));
    for (int page : wanted) {
        if (page != wanted.front() && !device.newPage()) {
            painter.end();
            return std::unexpected(
                CTexts{"The report could not start a new page.", "报告无法开始新的一页。"});
        }
        DrawReportPage(painter, BuildReportPage(context, page), metrics);
    }
    if (!painter.end()) {
        return std::unexpected(CTexts{"The report could not be finished.", "无法完成报告。"});
    }
    return static_cast<int>(wanted.size());
}

CResult<> WriteReportPdf(const std::string& path, const CReportContext& context) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kTwipsPerInch);
        writer.setCreator("LH-740 Program Software");
        // A4 with the quarter-inch margins a printer leaves unprintable.
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(6.35, 6.35, 6.35, 6.35),
                                         QPageLayout::Millimeter));
        if (auto rendered = RenderReport(writer, context); !rendered) {
            return std::unexpected(rendered.error());
        }
    }
    const QByteArray& bytes = buffer.data();
    return WriteOutputFile(path, std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                           static_cast<std::size_t>(bytes.size())));
}
