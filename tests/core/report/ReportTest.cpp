#include "report/Report.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "editors/EditorRules.h"

namespace {

// A grid with receive frequencies in the given rows and a few other cells.
struct CFakeGrid {
    std::set<int> m_rows;
    std::string Text(int row, int column) const {
        if (!m_rows.contains(row)) {
            return {};
        }
        if (column == 1) {
            return "146.02500";
        }
        return column == 10 ? "QT/DQT Tone" : "c" + std::to_string(column);
    }
    CGridTexts Texts() const {
        return [this](int row, int column) { return Text(row, column); };
    }
};

bool Has(const CReportPage& page, const std::string& text) {
    for (const auto& t : page.m_texts) {
        if (t.m_text == text) {
            return true;
        }
    }
    return false;
}

// The value printed on body line `line` at column `c`.
std::string At(const CReportPage& page, double c, double line) {
    for (const auto& t : page.m_texts) {
        if (t.m_x.m_c == c && t.m_y.m_lb == -line && t.m_y.m_twips == 0) {
            return t.m_text;
        }
    }
    return "<none>";
}

TEST(Report, ChannelCountingAndPageEnds) {
    CFakeGrid grid{{1, 2, 3, 10, 20, 30, 129}};
    const CChannelPaging paging = CountChannels(grid.Texts());
    EXPECT_EQ(paging.m_count, 7);
    EXPECT_EQ(paging.PageCount(), 2);
    EXPECT_EQ(paging.m_pageEnd[0], 0);
    EXPECT_EQ(paging.m_pageEnd[1], 20);
    EXPECT_EQ(paging.m_pageEnd[2], 129);
    EXPECT_EQ(CountChannels(CFakeGrid{}.Texts()).PageCount(), 0);
    EXPECT_EQ(CountChannels(CFakeGrid{{1, 2, 3, 4, 5}}.Texts()).PageCount(), 1);
}

TEST(Report, PageMapping) {
    using S = std::array<bool, kSectionCount>;
    struct CCase {
        S m_selected;
        int m_channelPages;
        int m_last;
        std::vector<std::pair<int, int>> m_pages;  // section page, channel page
    };
    const CCase cases[] = {
        {{false, false, false, false, true}, 2, 2, {{6, 1}, {6, 2}}},
        {{false, false, false, true, false}, 3, 2, {{4, 0}, {5, 0}}},
        {{true, false, false, false, true}, 3, 4, {{1, 0}, {6, 1}, {6, 2}, {6, 3}}},
        {{false, false, true, false, true}, 1, 2, {{3, 0}, {6, 1}}},
        {{true, true, true, true, true}, 1, 6, {{1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 1}}},
        {{false, true, false, true, false}, 0, 3, {{2, 0}, {4, 0}, {5, 0}}},
        {{false, false, false, false, true}, 0, 0, {}},
        {{false, false, false, false, false}, 4, 0, {}},
    };
    for (const auto& c : cases) {
        const CReportPlan plan = PlanReport(c.m_selected, c.m_channelPages);
        ASSERT_EQ(plan.m_lastPage, c.m_last);
        for (int p = 1; p <= plan.m_lastPage; ++p) {
            const CPageRef ref = MapPage(plan, p);
            EXPECT_EQ(ref.m_sectionPage, c.m_pages[p - 1].first) << "page " << p;
            EXPECT_EQ(ref.m_channelPage, c.m_pages[p - 1].second) << "page " << p;
        }
    }
    EXPECT_EQ(DefaultReportSelection(), (S{false, false, true, false, true}));
}

TEST(Report, ChannelPagesHoldFiveChannelsAndTheFooter) {
    const CMemoryImage image = CMemoryImage::NewDocument();
    CFakeGrid grid{{1, 2, 3, 10, 20, 30, 129}};
    CReportContext context{&image, grid.Texts(), {}, false, "Owner"};
    context.m_plan = PlanReport({false, false, false, false, true}, 2);
    const CReportPage first = BuildReportPage(context, 1);
    const CReportPage second = BuildReportPage(context, 2);
    EXPECT_TRUE(Has(first, "Channel Infomation"));
    for (const char* heading :
         {"Channel 1:", "Channel 2:", "Channel 3:", "Channel 10:", "Channel 20:"}) {
        EXPECT_TRUE(Has(first, heading)) << heading;
    }
    EXPECT_FALSE(Has(first, "Channel 30:"));
    EXPECT_TRUE(Has(first, "Page 1 of 2"));
    EXPECT_TRUE(Has(first, "Owner"));
    EXPECT_TRUE(Has(second, "Channel 30:"));
    EXPECT_TRUE(Has(second, "Channel FR:"));
    EXPECT_TRUE(Has(second, "Page 2 of 2"));
    // Block 1 starts on line 12; busy lock "QT/DQT Tone" prints as "QT/DQT".
    EXPECT_EQ(At(second, 4, 12), "Channel FR:");
    EXPECT_EQ(At(second, 24, 13), "146.02500");
    EXPECT_EQ(At(second, 55, 16), "QT/DQT");
    EXPECT_EQ(At(second, 55, 13), "c7");

    context.m_chinese = true;
    EXPECT_TRUE(Has(BuildReportPage(context, 2), "信道 FR:"));
    EXPECT_TRUE(BuildReportPage(context, 3).m_texts.empty());
}

TEST(Report, ChannelsAddedBeyondTheOldLastPageArePrintedOnce) {
    const CMemoryImage image = CMemoryImage::NewDocument();
    CFakeGrid grid{{1, 2, 3, 4, 5, 6}};
    CReportContext context{&image, grid.Texts(), PlanReport({false, false, false, false, true}, 2),
                           false, ""};
    grid.m_rows = {2, 4, 6, 100, 110, 120, 128};
    std::multiset<std::string> printed;
    for (int p = 1; p <= 2; ++p) {
        for (const auto& text : BuildReportPage(context, p).m_texts) {
            if (text.m_x.m_c == 4) {
                printed.insert(text.m_text);
            }
        }
    }
    EXPECT_EQ(printed,
              (std::multiset<std::string>{"Channel 2:", "Channel 4:", "Channel 6:", "Channel 100:",
                                          "Channel 110:", "Channel 120:", "Channel 128:"}));
}

TEST(Report, SettingsPagesReadTheImage) {
    CMemoryImage image = CMemoryImage::NewDocument();
    image[0x1308] = 0x05;  // whole byte: neither 0, 1 nor 2
    image[0x132F] = 0xFF;
    const char id[] = "12AB";
    std::copy(id, id + 4, &image[0x1320]);
    image[0x12C0 + 24] = '7';          // MSK entry 4 at 0x12D8
    WriteBe16(image, 0x1500, 0xFF10);  // encode entry 1: first byte 0xFF prints empty
    WriteBe16(image, 0x15C0, 0xFF10);  // decode tones have no such rule
    const CFakeGrid grid;
    CReportContext context{&image, grid.Texts(), PlanReport({true, true, true, true, false}, 0),
                           false, ""};
    const CReportPage dtmf = BuildReportPage(context, 1);
    EXPECT_EQ(At(dtmf, 40, 5), "15");
    EXPECT_EQ(At(dtmf, 40, 6), "200");
    EXPECT_EQ(At(dtmf, 40, 9), "√");
    EXPECT_EQ(At(dtmf, 40, 12), "12AB");
    EXPECT_EQ(At(dtmf, 40, 13), "Off");
    EXPECT_EQ(At(dtmf, 40, 16), "Tx inbibit");
    const CReportPage msk = BuildReportPage(context, 2);
    EXPECT_TRUE(Has(msk, "7"));
    const CReportPage decode = BuildReportPage(context, 4);
    EXPECT_EQ(At(decode, 26, 5), "6529.6");
    EXPECT_TRUE(Has(decode, "2-Tone 8:"));
    const CReportPage encode = BuildReportPage(context, 5);
    EXPECT_TRUE(Has(encode, "Tone Fre1"));
    EXPECT_EQ(At(encode, 30, 8), "0.10");
    int emptyTones = 0;
    for (const auto& t : encode.m_texts) {
        emptyTones += t.m_text.empty() && t.m_x.m_c == 13;
    }
    EXPECT_EQ(emptyTones, 1);

    context.m_chinese = true;
    EXPECT_EQ(At(BuildReportPage(context, 1), 40, 13), "Off");
    EXPECT_TRUE(Has(BuildReportPage(context, 5), "音频1"));
    EXPECT_TRUE(Has(BuildReportPage(context, 4), "2-Tone 解码"));
}

TEST(Report, OptionalPagePrintsTheDialogsValues) {
    struct CCase {
        std::size_t m_offset;
        std::uint8_t m_byte;
        double m_line;
        const char* m_en;
        const char* m_zh;
    };
    const CCase cases[] = {
        {0x1266, 0x00, 5, "Off", "关闭"},      {0x1266, 0x20, 5, "On", "打开"},
        {0x1266, 0x80, 6, "Light 3", "颜色3"}, {0x1267, 0x03, 7, "FREQ", "频率"},
        {0x1265, 0x40, 10, "SE", "搜索"},      {0x1265, 0x60, 10, "TO", "时间"},
        {0x1265, 0x08, 19, "On", "开"},        {0x1265, 0x00, 19, "Off", "关"},
        {0x12AB, 0x01, 17, "MSK-I", "MSK-I"},  {0x12AB, 0x00, 17, "MSK-II", "MSK-II"},
        {0x1265, 0x04, 8, "Manual", "手动"},   {0x12A8, 0x80, 21, "Off", "关"},
        {0x1260, 0x03, 13, "90", "90"},        {0x1260, 0x00, 13, "Off", "无"},
        {0x1263, 0x07, 12, "25k", "25k"},      {0x12A9, 0xFF, 9, "255", "255"},
    };
    for (const auto& c : cases) {
        CMemoryImage image = CMemoryImage::NewDocument();
        image[c.m_offset] = c.m_byte;
        CReportContext context{&image, CFakeGrid{}.Texts(),
                               PlanReport({false, false, true, false, false}, 0), false, ""};
        EXPECT_EQ(At(BuildReportPage(context, 1), 30, c.m_line), c.m_en) << c.m_offset;
        context.m_chinese = true;
        EXPECT_EQ(At(BuildReportPage(context, 1), 30, c.m_line), c.m_zh) << c.m_offset;
    }
    // Voice annunciation and PTT ID stay on the report's own bits.
    CMemoryImage image = CMemoryImage::NewDocument();
    image[0x1264] = 0x04 | 0x80;
    image[0x12A8] = 0x02;
    CReportContext context{&image, CFakeGrid{}.Texts(),
                           PlanReport({false, false, true, false, false}, 0), false, ""};
    const CReportPage page = BuildReportPage(context, 1);
    EXPECT_EQ(At(page, 30, 15), "Chinese");
    EXPECT_EQ(At(page, 30, 24), "On");
    EXPECT_EQ(At(page, 30, 25), "MSK");
}

}  // namespace
