#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "report/Report.h"

// Every line of the settings pages, written down from the report's layout: its label, where
// its value stands and which bytes it reads. A distinctive value put at those bytes alone
// must appear on that line and change nothing else on the page.

namespace {

// The bits in `mask` of byte `offset` become `value`.
struct CPoke {
    std::size_t m_offset;
    std::uint8_t m_mask;
    std::uint8_t m_value;
};
using CPokes = std::vector<CPoke>;

CPokes Byte(std::size_t at, std::uint8_t value, std::uint8_t mask = 0xFF) {
    return {{at, mask, value}};
}
CPokes Be16(std::size_t at, std::uint16_t value) {
    return {{at, 0xFF, static_cast<std::uint8_t>(value >> 8)},
            {at + 1, 0xFF, static_cast<std::uint8_t>(value & 0xFF)}};
}
CPokes Text(std::size_t at, std::string_view bytes) {
    CPokes pokes;
    for (char c : bytes) {
        pokes.push_back({at++, 0xFF, static_cast<std::uint8_t>(c)});
    }
    return pokes;
}
CPokes operator+(CPokes a, const CPokes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct CCase {
    CPokes m_pokes;
    std::string m_en;
    const char* m_zh = nullptr;  // none: as English
};

// A line of a settings page (section page 1..5). y = -line * LB + twips.
struct CLine {
    int m_page;
    double m_line;
    double m_twips;
    double m_labelC;  // below 0: no label
    std::string m_labelEn;
    std::string m_labelZh;
    double m_valueC;  // below 0: a heading without value
    std::vector<CCase> m_cases;
    double m_labelCZh = -1;  // where the Chinese label stands, when elsewhere
};

CLine Heading(int page, double line, double c, std::string en, std::string zh, double cZh = -1) {
    return {page, line, 0, c, en, zh, -1, {}, cZh};
}

// Text sources hold text up to their last byte, and the byte after holds a letter too, so a
// line reading a byte more or less shows it.
const std::pair<std::size_t, int> kTexts[] = {
    {0x1320, 10}, {0x1338, 10}, {0x1278, 16}, {0x1290, 16}, {0x12C0, 4},  {0x12C4, 4},
    {0x12C8, 4},  {0x12CC, 4},  {0x12D8, 4},  {0x12DC, 4},  {0x12E0, 4},  {0x12E4, 4},
    {0x12F0, 4},  {0x12F4, 4},  {0x1380, 16}, {0x1398, 16}, {0x13B0, 16}, {0x13C8, 16},
    {0x13E0, 16}, {0x13F8, 16}, {0x1410, 16}, {0x1428, 16}, {0x1440, 16}};

CMemoryImage BaseImage() {
    CMemoryImage image = CMemoryImage::NewDocument();
    for (auto [at, length] : kTexts) {
        std::fill_n(&image[at], length, 'Q');
        if (image[at + length] == 0xFF) {
            image[at + length] = 'Z';
        }
    }
    return image;
}

const std::size_t kMsk[] = {0x12C0, 0x12C4, 0x12C8, 0x12CC, 0x12D8,
                            0x12DC, 0x12E0, 0x12E4, 0x12F0, 0x12F4};
const std::size_t kDecodeSlots[] = {0x15C0, 0x15C8, 0x15D8, 0x15E0, 0x15F0, 0x15F8, 0x1608, 0x1610};

std::vector<CLine> Lines() {
    std::vector<CLine> t;
    // DTMF: labels at 9 C, values at 40 C.
    auto dtmf = [&](double line, const char* en, const char* zh, std::vector<CCase> cases) {
        t.push_back({1, line, 0, 9, en, zh, 40, std::move(cases)});
    };
    t.push_back(Heading(1, 4, 6, "Encode", "编码"));
    dtmf(5, "DTMF Speed:", "DTMF 速率:",
         {{Byte(0x1308, 1), "8"},
          {Byte(0x1308, 2), "10"},
          {Byte(0x1308, 3), "15"},
          {Byte(0x1308, 5), "15"},
          {Byte(0x1308, 0), "6"}});
    dtmf(6, "First Digit Delay Time(ms):", "首位数码持续时间 (毫秒):",
         {{Byte(0x1309, 0x13), "950"}, {Byte(0x1309, 0xFF), "12750"}});
    dtmf(7, "First Digit Time(ms):", "首位数码时间 (毫秒):", {{Byte(0x130A, 0x0B), "550"}});
    dtmf(8, "* and # Digit Time(ms):", "* 和 # 数码时间 (毫秒):", {{Byte(0x130B, 0x47), "3550"}});
    dtmf(9, "Side Tone:", "侧音:", {{Byte(0x12A8, 0, 0x40), "×"}, {Byte(0x12A8, 0x40, 0x40), "√"}});
    t.push_back(Heading(1, 11, 6, "Decode", "解码"));
    dtmf(12, "ID Code:", "身份码:",
         {{Text(0x1320, "0123456789"), "0123456789"},
          {Text(0x1320, "12\xFF"), "12"},
          {Text(0x1320, "\xFF"), ""}});
    dtmf(13, "Group Code:", "组呼码:", {{Byte(0x132F, 0xFF), "Off"}, {Byte(0x132F, '#'), "#"}});
    dtmf(14, "Stun Activation:", "遥毙激活:",
         {{Byte(0x12A8, 0, 0x10), "Off", "关"}, {Byte(0x12A8, 0x10, 0x10), "On", "开"}});
    dtmf(15, "Stun Code:", "遥毙码:",
         {{Text(0x1338, "*#ABCD0123"), "*#ABCD0123"}, {Text(0x1338, "9\xFF"), "9"}});
    dtmf(16, "Stun Code Response:", "遥毙码回应:",
         {{Byte(0x12A8, 0, 0x20), "Transceiver inhibit", "禁止收发"},
          {Byte(0x12A8, 0x20, 0x20), "Tx inbibit", "禁止发射"}});
    t.push_back(Heading(1, 18, 6, "CallList", "呼叫列表"));
    t.push_back(Heading(1, 19, 9, "Num", "编号"));
    t.push_back(Heading(1, 19, 21, "FastCallList", "快速呼叫列表"));
    for (int k = 1; k <= 9; ++k) {
        const std::string n = std::to_string(k);
        const std::size_t at = 0x1380 + 24 * (k - 1);
        t.push_back({1,
                     19.0 + k,
                     -50,
                     10,
                     n,
                     n,
                     18,
                     {{Text(at, "0123456789ABCD*" + n), "0123456789ABCD*" + n},
                      {Text(at, n + "\xFF"), n}}});
    }

    // MSK.
    t.push_back({2,
                 4,
                 0,
                 6,
                 "ID Code:",
                 "身份码:",
                 15,
                 {{Text(0x12C0, "12AF"), "12AF"}, {Text(0x12C0, "1\xFF"), "1"}}});
    t.push_back(Heading(2, 6, 6, "CallList", "呼叫列表"));
    t.push_back(Heading(2, 7, 9, "Num", "编号"));
    t.push_back(Heading(2, 7, 16, "CallList", "呼叫列表"));
    for (int k = 1; k <= 9; ++k) {
        const std::string n = std::to_string(k);
        t.push_back({2,
                     7.0 + k,
                     -25,
                     10,
                     n,
                     n,
                     17,
                     {{Text(kMsk[k], "BEE" + n), "BEE" + n}, {Text(kMsk[k], n + "\xFF"), n}}});
    }

    // Optional features: labels at 9 C, values at 30 C. Back light, its colour, display mode,
    // scan mode, beep and MSK type come from the Optional Features dialog's places.
    auto opt = [&](double line, const char* en, const char* zh, std::vector<CCase> cases) {
        t.push_back({3, line, 0, 9, en, zh, 30, std::move(cases)});
    };
    t.push_back(Heading(3, 4, 6, "Function", "功能"));
    opt(5, "Back Light:", "背光灯:",
        {{Byte(0x1266, 0x00, 0x30), "Off", "关闭"},
         {Byte(0x1266, 0x20, 0x30), "On", "打开"},
         {Byte(0x1266, 0x30, 0x30), "Off", "关闭"}});
    opt(6, "Back Light Color:", "背光灯颜色:",
        {{Byte(0x1266, 0x40, 0xC0), "Light 2", "颜色2"},
         {Byte(0x1266, 0x80, 0xC0), "Light 3", "颜色3"},
         {Byte(0x1266, 0xC0, 0xC0), "Light 1", "颜色1"}});
    opt(7, "Display mode:", "显示模式:",
        {{Byte(0x1267, 0, 0x03), "CHANNEL", "纯信道"},
         {Byte(0x1267, 1, 0x03), "NAME", "信道名称"},
         {Byte(0x1267, 3, 0x03), "FREQ", "频率"}});
    opt(8, "Key lock:", "键盘锁定:",
        {{Byte(0x1265, 0, 0x04), "Auto", "自动"}, {Byte(0x1265, 0x04, 0x04), "Manual", "手动"}});
    opt(9,
        "Priority channel:", "优先信道:", {{Byte(0x12A9, 77), "77"}, {Byte(0x12A9, 0xFF), "255"}});
    opt(10, "Scan mode:", "扫描模式:",
        {{Byte(0x1265, 0x00, 0x60), "TO", "时间"},
         {Byte(0x1265, 0x40, 0x60), "SE", "搜索"},
         {Byte(0x1265, 0x60, 0x60), "TO", "时间"}});
    opt(11, "Squelch level:", "静噪电平:", {{Byte(0x1261, 0x27), "7"}, {Byte(0x1261, 0x09), "9"}});
    opt(12, "Step:", "步进:",
        {{Byte(0x1263, 1), "6.25k"},
         {Byte(0x1263, 2), "10k"},
         {Byte(0x1263, 0x0B), "12.5k"},
         {Byte(0x1263, 4), "25k"},
         {Byte(0x1263, 7), "25k"}});
    opt(13, "Time-out Timer:", "超时定时器:",
        {{Byte(0x1260, 0), "Off", "无"}, {Byte(0x1260, 0x13), "90"}, {Byte(0x1260, 0x0F), "450"}});
    opt(14, "Vox Gain Level:", "声控增益电平:",
        {{Byte(0x1262, 0x25), "5"}, {Byte(0x1262, 0x10), "Off", "关"}});
    opt(15, "Voice annunciation:", "语音报号:",
        {{Byte(0x1264, 0x04, 0x04), "English", "英文"},
         {Byte(0x1264, 0x04, 0x04) + Byte(0x12A8, 0x02, 0x02), "Chinese", "中文"},
         {Byte(0x12A8, 0x02, 0x02), "Off", "无"}});
    opt(16, "Frequency Mode:", "频率模式:", {{Byte(0x12A8, 0, 0x08), "Off", "关"}});
    opt(17, "MSK Type:", "MSK 类型:", {{Byte(0x12AB, 0, 0x01), "MSK-II"}});
    opt(18, "Battery saver:", "电池省电:", {{Byte(0x12A8, 0, 0x01), "Off", "关"}});
    opt(19, "Beep tone:", "哔音:", {{Byte(0x1265, 0, 0x08), "Off", "关"}});
    opt(20, "Scrambler:", "扰频器:", {{Byte(0x1264, 0x10, 0x10), "On", "开"}});
    opt(21, "Keypad Lock:", "数字功能键锁定:", {{Byte(0x12A8, 0, 0x80), "On", "开"}});
    t.push_back(Heading(3, 23, 6, "PTT ID", "PTT ID"));
    opt(24, "Display PTT ID:", "显示 PTT ID:", {{Byte(0x1264, 0x80, 0x80), "On", "开"}});
    opt(25, "PTT ID type:", "PTT ID 类型:", {{Byte(0x12A8, 0, 0x04), "MSK"}});
    opt(26, "Beginning of Trasmit:", "发射开始:",
        {{Text(0x1278, "0123456789ABCDEF"), "0123456789ABCDEF"}, {Text(0x1278, "B\xFF"), "B"}});
    opt(27, "End of transmit:", "发射结束:",
        {{Text(0x1290, "FEDCBA9876543210"), "FEDCBA9876543210"}, {Text(0x1290, "E\xFF"), "E"}});

    // 2-Tone decode: eight blocks in two columns of four.
    for (int i = 0; i < 8; ++i) {
        const double c = 32.0 * (i % 2);
        const double top = 4 + 9 * (i / 2);
        const std::size_t at = kDecodeSlots[i];
        const std::string heading = "2-Tone " + std::to_string(i + 1) + ":";
        t.push_back(Heading(4, top, 3 + c, heading, heading));
        auto row = [&](double line, const char* en, const char* zh, std::vector<CCase> cases) {
            t.push_back({4, top + line, 0, 4 + c, en, zh, 26 + c, std::move(cases)});
        };
        row(1, "A Tone (Hz):", "A 音 (Hz):",
            {{Be16(at, 0x1234), "466.0"}, {Be16(at, 0xFF10), "6529.6"}});
        row(2, "B Tone (Hz):", "B 音 (Hz):", {{Be16(at + 2, 0x0B45), "288.5"}});
        row(3, "The first delay time (s):", "第一音频持续时间 (s):", {{Byte(at + 4, 99), "9.9"}});
        row(4, "The second delay time (s):", "第二音频持续时间 (s)", {{Byte(at + 5, 120), "12.0"}});
        row(5, "Long tone delay time (s):", "长音持续时间 (s):", {{Byte(at + 7, 250), "25.0"}});
        row(6, "Interval time (s):", "音频间隔时间 (s):", {{Byte(at + 6, 77), "7.7"}});
    }

    // 2-Tone encode: labels at 6 C, values at 30 C, then the table of 32 codes.
    auto enc = [&](double line, const char* en, const char* zh, std::vector<CCase> cases) {
        t.push_back({5, line, 0, 6, en, zh, 30, std::move(cases)});
    };
    enc(4, "The first delay time(s):", "第一音频持续时间 (s):", {{Byte(0x1620, 99), "9.9"}});
    enc(5, "The second delay time(s):", "第二音频持续时间 (s)", {{Byte(0x1621, 120), "12.0"}});
    enc(6, "Long tone delay time(s):", "长音持续时间 (s):", {{Byte(0x1622, 250), "25.0"}});
    enc(7, "Tone interval time(s):", "音频间隔时间 (s):", {{Be16(0x1623, 0x0102), "12.9"}});
    enc(8, "Txrise delay time(s):", "上升发射延迟时间 (s):", {{Be16(0x1625, 0x0103), "12.95"}});
    enc(9, "Short beep tone:", "短哔音:",
        {{Byte(0x1627, 1), "ON", "开"}, {Byte(0x1627, 0xFE), "Off", "关"}});
    const std::tuple<double, double, const char*, const char*> headings[] = {
        {6, 6, "Num", "编码"},
        {12, 13.5, "Tone Fre1", "音频1"},
        {22, 23.5, "Tone Fre2", "音频2"},
        {34, 34, "Num", "编码"},
        {40, 41.5, "Tone Fre1", "音频1"},
        {50, 51.5, "Tone Fre2", "音频2"}};
    for (auto [en, zh, textEn, textZh] : headings) {
        t.push_back(Heading(5, 12, en, textEn, textZh, zh));
    }
    for (int i = 0; i < 16; ++i) {
        const std::size_t place = 24 * (i / 4) + 4 * (i % 4);
        for (int half = 0; half < 2; ++half) {
            const std::string n = std::to_string(i + 1 + 16 * half);
            const double c = 28.0 * half;
            for (int tone = 0; tone < 2; ++tone) {
                const std::size_t at = 0x1500 + 0x60 * half + place + 2 * tone;
                const std::string label = tone == 0 ? n : "";
                t.push_back({5,
                             13.0 + i,
                             -25,
                             tone == 0 ? 7 + c : -1,
                             label,
                             label,
                             13 + c + 10 * tone,
                             {{Be16(at, 0x0B45), "288.5"},
                              {Byte(at, 0xFF), ""},
                              {Be16(at, 0x10FF), "435.1"}}});
            }
        }
    }
    return t;
}

struct CPlaceKey {
    double m_c, m_xTwips, m_lb, m_lt, m_yTwips;
    // x counts columns, y lines: any other part moves a text to where no key expects it.
    bool m_stray = false;
    auto operator<=>(const CPlaceKey&) const = default;
};
CPlaceKey KeyOf(const CReportText& t) {
    const bool stray = t.m_x.m_lb != 0 || t.m_x.m_lt != 0 || t.m_y.m_c != 0;
    return {t.m_x.m_c, t.m_x.m_twips, t.m_y.m_lb, t.m_y.m_lt, t.m_y.m_twips, stray};
}
CPlaceKey BodyAt(double c, double line, double twips) {
    return {c, 0, -line, 0, twips};
}

// The text at a place, or a marker when none or several stand there.
std::string At(const CReportPage& page, const CPlaceKey& place) {
    std::string found = "<none>";
    for (const auto& t : page.m_texts) {
        if (KeyOf(t) == place) {
            found = found == "<none>" ? t.m_text : "<several>";
        }
    }
    return found;
}

CReportPage Build(const CMemoryImage& image, int sectionPage, bool chinese) {
    std::array<bool, kSectionCount> selected{};
    selected[sectionPage <= 3 ? sectionPage - 1 : kSectionTwoTone] = true;
    // A grid with a channel: a settings page must not print channels even when there are some.
    auto grid = [](int row, int column) {
        return row == 1 ? std::to_string(column) : std::string();
    };
    CReportContext context{&image, grid, PlanReport(selected, 0), chinese, "Owner"};
    return BuildReportPage(context, sectionPage == 5 ? 2 : 1);
}

TEST(ReportLines, EveryLineShowsItsLabelAndReadsItsOwnBytes) {
    const CMemoryImage base = BaseImage();
    const std::vector<CLine> lines = Lines();
    for (bool zh : {false, true}) {
        for (int p = 1; p <= 5; ++p) {
            const CReportPage basePage = Build(base, p, zh);
            std::set<CPlaceKey> claimed = {
                {6, 0, 0, -1, 0}, {10, 0, 0, -36, 0}, {45, 0, 0, -36, 0}};
            for (const CLine& line : lines) {
                if (line.m_page != p) {
                    continue;
                }
                const std::string where =
                    "page " + std::to_string(p) + " line " + std::to_string(line.m_line);
                if (line.m_labelC >= 0) {
                    const double c = zh && line.m_labelCZh >= 0 ? line.m_labelCZh : line.m_labelC;
                    const CPlaceKey label = BodyAt(c, line.m_line, line.m_twips);
                    claimed.insert(label);
                    EXPECT_EQ(At(basePage, label), zh ? line.m_labelZh : line.m_labelEn) << where;
                }
                if (line.m_valueC < 0) {
                    continue;
                }
                const CPlaceKey value = BodyAt(line.m_valueC, line.m_line, line.m_twips);
                claimed.insert(value);
                bool distinct = false;
                for (const CCase& c : line.m_cases) {
                    CMemoryImage image = base;
                    for (const CPoke& poke : c.m_pokes) {
                        image[poke.m_offset] = static_cast<std::uint8_t>(
                            (image[poke.m_offset] & ~poke.m_mask) | (poke.m_value & poke.m_mask));
                    }
                    const CReportPage page = Build(image, p, zh);
                    const std::string expected = zh && c.m_zh ? c.m_zh : c.m_en;
                    EXPECT_EQ(At(page, value), expected) << where;
                    distinct |= At(basePage, value) != expected;
                    // Nothing else on the page read those bytes.
                    ASSERT_EQ(page.m_texts.size(), basePage.m_texts.size()) << where;
                    for (std::size_t i = 0; i < page.m_texts.size(); ++i) {
                        if (KeyOf(page.m_texts[i]) != value) {
                            EXPECT_EQ(page.m_texts[i].m_text, basePage.m_texts[i].m_text)
                                << where << ": " << expected << " also changed another line";
                        }
                    }
                }
                EXPECT_TRUE(distinct) << where;
            }
            // The page holds nothing but the lines above and its frame.
            for (const auto& t : basePage.m_texts) {
                EXPECT_TRUE(claimed.contains(KeyOf(t))) << "page " << p << ": " << t.m_text;
            }
        }
    }
}

CPos X(double c, double twips = 0) {
    return {c, 0, 0, twips};
}
CPos Line(double m, double twips = 0) {
    return {0, -m, 0, twips};
}
CPos TitleLines(double n, double twips = 0) {
    return {0, 0, n, twips};
}

bool SamePos(const CPos& a, const CPos& b) {
    return a.m_c == b.m_c && a.m_lb == b.m_lb && a.m_lt == b.m_lt && a.m_twips == b.m_twips;
}

TEST(ReportLines, FrameAndRulesOfEveryPage) {
    const CReportRule frame[] = {
        {X(5), TitleLines(-2, -50), X(60), TitleLines(-2, -50)},
        {X(5), TitleLines(-2, -120), X(60), TitleLines(-2, -120)},
        {X(5), TitleLines(-35.5), X(60), TitleLines(-35.5)},
    };
    const std::vector<CReportRule> rules[] = {
        {{X(8), Line(20, 25), X(40), Line(20, 25)}, {X(15), Line(19, 50), X(15), Line(29)}},
        {{X(8), Line(8, 25), X(25), Line(8, 25)}, {X(14), Line(7, 25), X(14), Line(17, -50)}},
        {},
        {},
        {{X(6, -25), Line(13, 15), X(30), Line(13, 15)},
         {X(34, -25), Line(13, 15), X(58), Line(13, 15)},
         {X(11), Line(12, 25), X(11), Line(29, -25)},
         {X(39), Line(12, 25), X(39), Line(29, -25)}},
    };
    const char* titles[][2] = {{"DTMF", "DTMF"},
                               {"MSK", "MSK"},
                               {"Optional", "可选功能"},
                               {"2-Tone Decode", "2-Tone 解码"},
                               {"2-Tone Encode", "2-Tone 编码"}};
    const CMemoryImage image = CMemoryImage::NewDocument();
    for (int p = 1; p <= 5; ++p) {
        for (bool zh : {false, true}) {
            const CReportPage page = Build(image, p, zh);
            std::vector<CReportRule> expected(std::begin(frame), std::end(frame));
            expected.insert(expected.end(), rules[p - 1].begin(), rules[p - 1].end());
            ASSERT_EQ(page.m_rules.size(), expected.size()) << p;
            for (std::size_t i = 0; i < expected.size(); ++i) {
                const CReportRule& a = page.m_rules[i];
                const CReportRule& b = expected[i];
                EXPECT_TRUE(SamePos(a.m_x1, b.m_x1) && SamePos(a.m_y1, b.m_y1) &&
                            SamePos(a.m_x2, b.m_x2) && SamePos(a.m_y2, b.m_y2))
                    << "page " << p << " rule " << i;
            }
            int titles_found = 0;
            for (const auto& t : page.m_texts) {
                const bool title = t.m_font == EReportFont::kTitle;
                if (title) {
                    ++titles_found;
                    EXPECT_EQ(t.m_text, titles[p - 1][zh]);
                    EXPECT_TRUE(SamePos(t.m_x, X(6)) && SamePos(t.m_y, TitleLines(-1)));
                }
            }
            EXPECT_EQ(titles_found, 1) << p;
            const std::string footer = p == 5   ? "Page 2 of 2"
                                       : p == 4 ? "Page 1 of 2"
                                                : "Page 1 of 1";
            EXPECT_EQ(At(page, {45, 0, 0, -36, 0}), footer);
            EXPECT_EQ(At(page, {10, 0, 0, -36, 0}), "Owner");
        }
    }
}

// Every cell a channel block prints, from a grid whose cells are all different.
TEST(ReportLines, ChannelBlocksPrintTheirOwnCells) {
    const int rows[] = {3, 17, 50, 90, 129};
    auto cell = [](int row, int column) { return std::to_string(row * 100 + column); };
    // A channel is defined by its receive frequency: row 5 has only a transmit frequency.
    auto grid = [&](int row, int column) {
        if (row == 5) {
            return column == 2 ? std::string("146.00000") : std::string();
        }
        return std::find(std::begin(rows), std::end(rows), row) != std::end(rows)
                   ? cell(row, column)
                   : std::string();
    };
    struct CItem {
        int m_line;
        const char* m_en;
        const char* m_zh;
        int m_column;
        double m_labelC;
        double m_valueC;
    };
    const CItem items[] = {
        {1, "Receive Frequency:", "接收频率:", 1, 5, 24},
        {2, "Transceive Frequency:", "发射频率:", 2, 5, 24},
        {3, "QT/DQT Decode:", "QT/DQT 解码:", 3, 5, 24},
        {4, "QT/DQT Encode:", "QT/DQT 编码:", 4, 5, 24},
        {5, "Channel Name:", "信道名字:", 5, 5, 24},
        {6, "Transmit Power:", "发射功率:", 6, 5, 24},
        {1, "Wide/Narrow:", "宽/窄:", 7, 40, 55},
        {2, "Scan Add:", "扫描添加:", 8, 40, 55},
        {3, "PTT ID:", "PTT ID:", 9, 40, 55},
        {4, "Busy Lock:", "繁忙锁定:", 10, 40, 55},
        {5, "Optional Singal:", "可选信号:", 11, 40, 55},
    };
    const CMemoryImage image = CMemoryImage::NewDocument();
    for (bool zh : {false, true}) {
        CReportContext context{&image, grid, PlanReport({false, false, false, false, true}, 1), zh,
                               ""};
        const CReportPage page = BuildReportPage(context, 1);
        EXPECT_EQ(page.m_texts.size(), 3u + 5 * (1 + 2 * 11));
        EXPECT_EQ(At(page, {6, 0, 0, -1, 0}), zh ? "信道信息" : "Channel Infomation");
        EXPECT_EQ(page.m_texts[0].m_font, EReportFont::kTitle);
        EXPECT_EQ(page.m_rules.size(), 3u);
        for (int q = 0; q < 5; ++q) {
            const int top = 4 + 8 * q;
            const std::string number = rows[q] == 129 ? "FR" : std::to_string(rows[q]);
            EXPECT_EQ(At(page, BodyAt(4, top, 0)), (zh ? "信道 " : "Channel ") + number + ":");
            for (const CItem& item : items) {
                EXPECT_EQ(At(page, BodyAt(item.m_labelC, top + item.m_line, 0)),
                          zh ? item.m_zh : item.m_en);
                EXPECT_EQ(At(page, BodyAt(item.m_valueC, top + item.m_line, 0)),
                          cell(rows[q], item.m_column))
                    << "channel " << rows[q] << " column " << item.m_column;
            }
        }
    }
}

}  // namespace
