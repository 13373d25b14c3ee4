#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPdfWriter>
#include <cstdlib>

#include "channels/ChannelTable.h"
#include "image/DocumentState.h"
#include "render/ReportRenderer.h"
#include "support/TempDir.h"

namespace {

// A document with channels in the given grid rows, and the grid the report copies.
struct CDocument {
    CDocumentState m_imageDoc{CMemoryImage::NewDocument()};
    CMemoryImage& m_image = m_imageDoc.m_image;
    CChannelTable m_table{false};

    explicit CDocument(std::initializer_list<int> rows) {
        m_table.FillGrid(m_imageDoc, nullptr, false);
        for (int row : rows) {
            m_table.SetText(row, kColRx, "146.02500");
            m_table.SetText(row, kColTx, "146.02500");
        }
        m_table.StoreGrid(m_imageDoc);
    }
    CReportContext Context(std::array<bool, kSectionCount> selected, bool chinese) {
        m_table.FillGrid(m_imageDoc, nullptr, chinese);
        CReportContext context;
        context.m_image = &m_image;
        context.m_grid = [this](int row, int column) { return m_table.GetText(row, column); };
        context.m_chinese = chinese;
        context.m_copyrightOwner = chinese ? "Vornex 通信" : "Vornex Communications";
        context.m_plan = PlanReport(selected, CountChannels(context.m_grid).PageCount());
        return context;
    }
};

std::string PdfText(const std::string& pdf) {
    CTempDir dir;
    const std::string out = dir / "out.txt";
    const std::string cmd = std::string(PDFTOTEXT_PATH) + " -layout '" + pdf + "' '" + out + "'";
    EXPECT_EQ(std::system(cmd.c_str()), 0);
    return ReadText(out);
}

std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++n;
    }
    return n;
}

TEST(Render, MetricsFollowThePage) {
    const CReportMetrics m = ReportMetrics(11000, 16000);
    EXPECT_EQ(m.m_column, 166);
    EXPECT_EQ(m.m_title, 355);
    EXPECT_EQ(m.m_titleFont.pixelSize(), 355);
    EXPECT_EQ(m.m_bodyFont.pixelSize(), 284);
    EXPECT_GT(m.m_titleLine, m.m_bodyLine);
    // The footer at 36 title lines stays on the page.
    EXPECT_LT(Twips({0, 0, -36, 0}, m), 0);
    EXPECT_GT(Twips({0, 0, -36, 0}, m), -m.m_height);
    EXPECT_EQ(Twips({6, -2, 0, 25}, m), 6 * 166 - 2 * m.m_bodyLine + 25);
}

TEST(Render, PdfHoldsTheReportInEnglish) {
    CDocument doc({1, 2, 3, 4, 5, 6, 129});
    CTempDir dir;
    const std::string pdf = dir / "report.pdf";
    auto written = WriteReportPdf(pdf, doc.Context({true, true, true, true, true}, false));
    ASSERT_TRUE(written) << written.error().Text(false);
    const std::string text = PdfText(pdf);
    for (const char* expected :
         {"DTMF Speed:", "FastCallList",  "Optional",    "Back Light:",
          "Auto",        "Light 1",       "FREQ.CH",     "2-Tone Decode",
          "2-Tone 8:",   "2-Tone Encode", "Tone Fre1",   "Channel Infomation",
          "Channel 1:",  "Channel 6:",    "Channel FR:", "146.02500",
          "Page 1 of 7", "Page 6 of 7",   "Page 7 of 7", "Vornex Communications"}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
    }
    EXPECT_EQ(Count(text, "Channel Infomation"), 2u);
    EXPECT_EQ(Count(text, "Receive Frequency:"), 7u);
    EXPECT_EQ(Count(text, "\f"), 7u);
}

TEST(Render, PdfHoldsTheReportInChinese) {
    CDocument doc({10});
    CTempDir dir;
    const std::string pdf = dir / "report.pdf";
    ASSERT_TRUE(WriteReportPdf(pdf, doc.Context({false, false, true, true, true}, true)));
    const std::string text = PdfText(pdf);
    // Texts whose characters pdftotext maps back unambiguously (the CJK face shares some
    // glyphs with the Kangxi radicals, which text extraction then reports instead).
    for (const char* expected :
         {"可选功能", "功能", "背光灯:", "频率信道", "载波", "2-Tone 解码", "2-Tone 编码",
          "信道 10:", "接收频率:", "Vornex 通信", "Page 4 of 4"}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
    }
    // Both faces are embedded, as subsets: the CJK face alone is over 20 MB.
    EXPECT_LT(ReadAll(pdf).size(), 512u * 1024);
    std::string fonts = PDFTOTEXT_PATH;
    fonts.replace(fonts.rfind("pdftotext"), 9, "pdffonts");
    const std::string listing = dir / "fonts.txt";
    ASSERT_EQ(std::system((fonts + " '" + pdf + "' > '" + listing + "'").c_str()), 0);
    const std::string table = ReadText(listing);
    EXPECT_NE(table.find("LiberationSerif"), std::string::npos) << table;
    EXPECT_NE(table.find("CJK"), std::string::npos) << table;
    EXPECT_EQ(Count(table, " yes "), 2 * Count(table, "Identity-H")) << table;
}

TEST(Render, ASelectionWithoutPagesWritesNothing) {
    CDocument doc({});
    CTempDir dir;
    const std::string pdf = dir / "report.pdf";
    auto written = WriteReportPdf(pdf, doc.Context({false, false, false, false, true}, false));
    EXPECT_FALSE(written);
    EXPECT_TRUE(ReadAll(pdf).empty());
}

// A printer's page list: pages outside the plan are dropped, repeats drawn once, in order; a
// list holding none of the plan's pages is refused.
TEST(Render, PageListsPickThePlansPages) {
    CDocument doc({1});
    const CReportContext context = doc.Context({true, true, true, true, true}, false);
    const struct {
        std::vector<int> m_pages;
        int m_drawn;  // -1: refused
        std::vector<std::string> m_footers;
    } cases[] = {
        {{}, 6, {"Page 1 of 6", "Page 6 of 6"}},
        {{5, 0, 2, 5, 99}, 2, {"Page 2 of 6", "Page 5 of 6"}},
        {{7, -1}, -1, {}},
    };
    for (const auto& c : cases) {
        CTempDir dir;
        const std::string pdf = dir / "pages.pdf";
        CResult<int> drawn;
        {
            // The file is complete once the writer is gone.
            QPdfWriter writer(QString::fromStdString(pdf));
            drawn = RenderReport(writer, context, c.m_pages);
        }
        ASSERT_EQ(drawn ? *drawn : -1, c.m_drawn);
        if (!drawn) {
            continue;
        }
        const std::string text = PdfText(pdf);
        EXPECT_EQ(Count(text, "\f"), static_cast<std::size_t>(c.m_drawn));
        std::size_t at = 0;
        for (const std::string& footer : c.m_footers) {
            at = text.find(footer, at);
            EXPECT_NE(at, std::string::npos) << footer << "\n" << text;
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
