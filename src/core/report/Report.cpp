#include "report/Report.h"

#include <cstdio>

#include "channels/ChannelRecord.h"
#include "channels/ChannelTable.h"
#include "editors/EditorRules.h"
#include "editors/SettingsFields.h"
#include "settings/Language.h"
#include "util/Gbk.h"

namespace {

CPos X(double c, double twips = 0) {
    return {c, 0, 0, twips};
}

// Line m of the body: y = -m * LB + twips.
CPos Line(double m, double twips = 0) {
    return {0, -m, 0, twips};
}

class CPageWriter {
public:
    explicit CPageWriter(bool chinese) : m_chinese(chinese) {}

    void Text(CPos x, CPos y, std::string text, EReportFont font = EReportFont::kBody) {
        m_page.m_texts.push_back({font, x, y, std::move(text)});
    }
    void Text(double c, double line, const CText& text) {
        Text(X(c), Line(line), text.Get(m_chinese));
    }
    void Text(double c, double line, std::string text) { Text(X(c), Line(line), std::move(text)); }
    // A label and its value on one line.
    void Pair(double labelC, double valueC, double line, const CText& label, std::string value) {
        Text(labelC, line, label);
        Text(valueC, line, std::move(value));
    }
    void Rule(CPos x1, CPos y1, CPos x2, CPos y2) { m_page.m_rules.push_back({x1, y1, x2, y2}); }
    const char* Pick(const CText& text) const { return text.Get(m_chinese); }

    bool m_chinese;
    CReportPage m_page;
};

// A text of n bytes: up to the first 0xFF.
std::string ImageText(const CMemoryImage& image, std::size_t offset, int length) {
    int n = 0;
    while (n < length && image[offset + n] != 0xFF) {
        ++n;
    }
    return GbkToUtf8(std::span(image.data() + offset, static_cast<std::size_t>(n)));
}

const char* OnOff(bool on, bool chinese) {
    return on ? (chinese ? "开" : "On") : (chinese ? "关" : "Off");
}

std::string Tenths(const char* format, double value) {
    return FormatNumber(format, value);
}

std::string DialogText(const char* key, const CMemoryImage& image, bool chinese) {
    return LoadField(*FindField(key), image, chinese);
}

void DtmfPage(CPageWriter& w, const CMemoryImage& image) {
    const bool zh = w.m_chinese;
    w.Text(X(6), {0, 0, -1, 0}, "DTMF", EReportFont::kTitle);
    w.Text(6, 4, CText{"Encode", "编码"});
    const std::uint8_t speed = image[0x1308];
    w.Pair(9, 40, 5, {"DTMF Speed:", "DTMF 速率:"},
           speed == 0   ? "6"
           : speed == 1 ? "8"
           : speed == 2 ? "10"
                        : "15");
    w.Pair(9, 40, 6, {"First Digit Delay Time(ms):", "首位数码持续时间 (毫秒):"},
           FormatInt(image[0x1309] * 50));
    w.Pair(9, 40, 7, {"First Digit Time(ms):", "首位数码时间 (毫秒):"},
           FormatInt(image[0x130A] * 50));
    w.Pair(9, 40, 8, {"* and # Digit Time(ms):", "* 和 # 数码时间 (毫秒):"},
           FormatInt(image[0x130B] * 50));
    const std::uint8_t flags = image[0x12A8];
    w.Pair(9, 40, 9, {"Side Tone:", "侧音:"}, flags & 0x40 ? "√" : "×");
    w.Text(6, 11, CText{"Decode", "解码"});
    w.Pair(9, 40, 12, {"ID Code:", "身份码:"}, ImageText(image, 0x1320, 10));
    const std::uint8_t group = image[0x132F];
    w.Pair(9, 40, 13, {"Group Code:", "组呼码:"},
           group == 0xFF ? std::string("Off") : GbkToUtf8(std::span(&group, 1)));
    w.Pair(9, 40, 14, {"Stun Activation:", "遥毙激活:"}, OnOff(flags & 0x10, zh));
    w.Pair(9, 40, 15, {"Stun Code:", "遥毙码:"}, ImageText(image, 0x1338, 10));
    w.Pair(9, 40, 16, {"Stun Code Response:", "遥毙码回应:"},
           w.Pick(flags & 0x20 ? CText{"Tx inbibit", "禁止发射"}
                               : CText{"Transceiver inhibit", "禁止收发"}));
    w.Text(6, 18, CText{"CallList", "呼叫列表"});
    w.Text(9, 19, CText{"Num", "编号"});
    w.Text(21, 19, CText{"FastCallList", "快速呼叫列表"});
    w.Rule(X(8), Line(20, 25), X(40), Line(20, 25));
    w.Rule(X(15), Line(19, 50), X(15), Line(29));
    for (int k = 1; k <= 9; ++k) {
        w.Text(X(10), Line(19 + k, -50), FormatInt(k));
        w.Text(X(18), Line(19 + k, -50), ImageText(image, 0x1380 + 24 * (k - 1), 16));
    }
}

void MskPage(CPageWriter& w, const CMemoryImage& image) {
    w.Text(X(6), {0, 0, -1, 0}, "MSK", EReportFont::kTitle);
    w.Pair(6, 15, 4, {"ID Code:", "身份码:"}, ImageText(image, MskEntryOffset(0), 4));
    w.Text(6, 6, CText{"CallList", "呼叫列表"});
    w.Text(9, 7, CText{"Num", "编号"});
    w.Text(16, 7, CText{"CallList", "呼叫列表"});
    w.Rule(X(8), Line(8, 25), X(25), Line(8, 25));
    w.Rule(X(14), Line(7, 25), X(14), Line(17, -50));
    for (int k = 1; k <= 9; ++k) {
        w.Text(X(10), Line(k + 7, -25), FormatInt(k));
        w.Text(X(17), Line(k + 7, -25), ImageText(image, MskEntryOffset(k), 4));
    }
}

void OptionalPage(CPageWriter& w, const CMemoryImage& image) {
    const bool zh = w.m_chinese;
    w.Text(X(6), {0, 0, -1, 0}, w.Pick({"Optional", "可选功能"}), EReportFont::kTitle);
    w.Text(6, 4, CText{"Function", "功能"});
    auto row = [&](int line, const CText& label, std::string value) {
        w.Pair(9, 30, line, label, std::move(value));
    };
    // Back light, its colour, display mode, scan mode, beep and MSK type come from the
    // places the Optional Features dialog edits, with its texts, so the printout agrees
    // with the dialog.
    row(5, {"Back Light:", "背光灯:"}, DialogText("options.back_light", image, zh));
    row(6, {"Back Light Color:", "背光灯颜色:"}, DialogText("options.back_light_color", image, zh));
    row(7, {"Display mode:", "显示模式:"}, DialogText("options.display_mode", image, zh));
    row(8, {"Key lock:", "键盘锁定:"},
        w.Pick(image[0x1265] & 0x04 ? CText{"Manual", "手动"} : CText{"Auto", "自动"}));
    row(9, {"Priority channel:", "优先信道:"}, FormatInt(image[0x12A9]));
    row(10, {"Scan mode:", "扫描模式:"}, DialogText("options.scan_mode", image, zh));
    row(11, {"Squelch level:", "静噪电平:"}, FormatInt(image[0x1261] & 0x0F));
    static const char* kSteps[] = {"5k", "6.25k", "10k", "12.5k", "25k"};
    const int step = image[0x1263] & 0x07;
    row(12, {"Step:", "步进:"}, kSteps[step < 4 ? step : 4]);
    const int tot = image[0x1260] & 0x0F;
    row(13, {"Time-out Timer:", "超时定时器:"},
        tot == 0 ? w.Pick({"Off", "无"}) : FormatInt(tot * 30));
    const int vox = image[0x1262] & 0x0F;
    row(14, {"Vox Gain Level:", "声控增益电平:"},
        vox == 0 ? w.Pick({"Off", "关"}) : FormatInt(vox));
    const bool voice = image[0x1264] & 0x04;
    const bool voiceChinese = image[0x12A8] & 0x02;
    // Without the enable bit the language bit alone means no annunciation.
    row(15, {"Voice annunciation:", "语音报号:"},
        w.Pick(!voice         ? CText{"Off", "无"}
               : voiceChinese ? CText{"Chinese", "中文"}
                              : CText{"English", "英文"}));
    row(16, {"Frequency Mode:", "频率模式:"}, OnOff(image[0x12A8] & 0x08, zh));
    row(17, {"MSK Type:", "MSK 类型:"}, DialogText("options.msk_type", image, zh));
    row(18, {"Battery saver:", "电池省电:"}, OnOff(image[0x12A8] & 0x01, zh));
    row(19, {"Beep tone:", "哔音:"}, DialogText("options.beep", image, zh));
    row(20, {"Scrambler:", "扰频器:"}, OnOff(image[0x1264] & 0x10, zh));
    row(21, {"Keypad Lock:", "数字功能键锁定:"}, OnOff(!(image[0x12A8] & 0x80), zh));
    w.Text(6, 23, "PTT ID");
    row(24, {"Display PTT ID:", "显示 PTT ID:"}, OnOff(image[0x1264] & 0x80, zh));
    row(25, {"PTT ID type:", "PTT ID 类型:"}, image[0x12A8] & 0x04 ? "DTMF" : "MSK");
    row(26, {"Beginning of Trasmit:", "发射开始:"}, ImageText(image, 0x1278, 16));
    row(27, {"End of transmit:", "发射结束:"}, ImageText(image, 0x1290, 16));
}

std::string ToneText(const CMemoryImage& image, std::size_t offset) {
    return Tenths("%4.1f", ReadBe16(image, offset) / 10.0);
}

void TwoToneDecodePage(CPageWriter& w, const CMemoryImage& image) {
    w.Text(X(6), {0, 0, -1, 0}, w.Pick({"2-Tone Decode", "2-Tone 解码"}), EReportFont::kTitle);
    for (int i = 0; i < 8; ++i) {
        const int c = i % 2;
        const int r = i / 2;
        const std::size_t at = 0x15C0 + 24 * r + 8 * c;
        char heading[32];
        std::snprintf(heading, sizeof heading, "%s%d%s", "2-Tone ", i + 1, ":");
        w.Text(3 + 32 * c, 4 + 9 * r, heading);
        const double labelC = 4 + 32 * c;
        const double valueC = 26 + 32 * c;
        const int first = 5 + 9 * r;
        w.Pair(labelC, valueC, first, {"A Tone (Hz):", "A 音 (Hz):"}, ToneText(image, at));
        w.Pair(labelC, valueC, first + 1, {"B Tone (Hz):", "B 音 (Hz):"}, ToneText(image, at + 2));
        w.Pair(labelC, valueC, first + 2, {"The first delay time (s):", "第一音频持续时间 (s):"},
               Tenths("%2.1f", image[at + 4] / 10.0));
        w.Pair(labelC, valueC, first + 3, {"The second delay time (s):", "第二音频持续时间 (s)"},
               Tenths("%2.1f", image[at + 5] / 10.0));
        w.Pair(labelC, valueC, first + 4, {"Long tone delay time (s):", "长音持续时间 (s):"},
               Tenths("%2.1f", image[at + 7] / 10.0));
        w.Pair(labelC, valueC, first + 5, {"Interval time (s):", "音频间隔时间 (s):"},
               Tenths("%2.1f", image[at + 6] / 10.0));
    }
}

void TwoToneEncodePage(CPageWriter& w, const CMemoryImage& image) {
    const bool zh = w.m_chinese;
    w.Text(X(6), {0, 0, -1, 0}, w.Pick({"2-Tone Encode", "2-Tone 编码"}), EReportFont::kTitle);
    w.Pair(6, 30, 4, {"The first delay time(s):", "第一音频持续时间 (s):"},
           Tenths("%2.1f", image[0x1620] / 10.0));
    w.Pair(6, 30, 5, {"The second delay time(s):", "第二音频持续时间 (s)"},
           Tenths("%2.1f", image[0x1621] / 10.0));
    w.Pair(6, 30, 6, {"Long tone delay time(s):", "长音持续时间 (s):"},
           Tenths("%2.1f", image[0x1622] / 10.0));
    w.Pair(6, 30, 7, {"Tone interval time(s):", "音频间隔时间 (s):"},
           Tenths("%2.1f", ReadBe16(image, 0x1623) / 20.0));
    w.Pair(6, 30, 8, {"Txrise delay time(s):", "上升发射延迟时间 (s):"},
           Tenths("%3.2f", ReadBe16(image, 0x1625) / 20.0));
    w.Pair(6, 30, 9, {"Short beep tone:", "短哔音:"},
           image[0x1627] & 0x01 ? (zh ? "开" : "ON") : (zh ? "关" : "Off"));
    if (zh) {
        w.Text(6, 12, "编码");
        w.Text(13.5, 12, "音频1");
        w.Text(23.5, 12, "音频2");
        w.Text(34, 12, "编码");
        w.Text(41.5, 12, "音频1");
        w.Text(51.5, 12, "音频2");
    } else {
        w.Text(6, 12, "Num");
        w.Text(12, 12, "Tone Fre1");
        w.Text(22, 12, "Tone Fre2");
        w.Text(34, 12, "Num");
        w.Text(40, 12, "Tone Fre1");
        w.Text(50, 12, "Tone Fre2");
    }
    w.Rule(X(6, -25), Line(13, 15), X(30), Line(13, 15));
    w.Rule(X(34, -25), Line(13, 15), X(58), Line(13, 15));
    w.Rule(X(11), Line(12, 25), X(11), Line(29, -25));
    w.Rule(X(39), Line(12, 25), X(39), Line(29, -25));
    auto tone = [&](std::size_t offset) {
        return image[offset] == 0xFF ? std::string() : ToneText(image, offset);
    };
    for (int i = 0; i < 16; ++i) {
        const CPos y = Line(i + 13, -25);
        const std::size_t place = 24 * (i / 4) + 4 * (i % 4);
        w.Text(X(7), y, FormatInt(i + 1));
        w.Text(X(13), y, tone(0x1500 + place));
        w.Text(X(23), y, tone(0x1502 + place));
        w.Text(X(35), y, FormatInt(i + 17));
        w.Text(X(41), y, tone(0x1560 + place));
        w.Text(X(51), y, tone(0x1562 + place));
    }
}

// One line per field the grid shows, in column order: six on the left, the rest on the right.
void ChannelLines(CPageWriter& w, const CGridTexts& grid, int row, int top) {
    constexpr int kLeftLines = 6;
    int i = 0;
    for (const CChannelField& field : ChannelFields()) {
        if (field.m_column < 0) {
            continue;
        }
        std::string value = grid(row, field.m_column);
        if (field.m_column == kColBusyLock && value == "QT/DQT Tone") {
            value = "QT/DQT";
        }
        const bool left = i < kLeftLines;
        const int line = top + 1 + (left ? i : i - kLeftLines);
        w.Pair(left ? 5 : 40, left ? 24 : 55, line, field.m_reportLabel, value);
        ++i;
    }
}

void ChannelPage(CPageWriter& w, const CGridTexts& grid, int channelPage) {
    w.Text(X(6), {0, 0, -1, 0}, w.Pick({"Channel Infomation", "信道信息"}), EReportFont::kTitle);
    // Recounted before every channel page from the grid as it is now.
    const CChannelPaging paging = CountChannels(grid);
    if (channelPage < 1 || channelPage > paging.PageCount()) {
        return;
    }
    const int first = paging.m_pageEnd[channelPage - 1] + 1;
    const int last =
        channelPage == paging.PageCount() ? kLastGridRow : paging.m_pageEnd[channelPage];
    int q = 0;
    for (int row = first; row <= last && q < kChannelsPerPage; ++row) {
        if (grid(row, 1).empty()) {
            continue;
        }
        const int top = 4 + 8 * q;
        const std::string number = row == kLastGridRow ? "FR" : FormatInt(row);
        char heading[64];
        std::snprintf(heading, sizeof heading, "%s%s%s", w.Pick({"Channel ", "信道 "}),
                      number.c_str(), ":");
        w.Text(4, top, heading);
        ChannelLines(w, grid, row, top);
        ++q;
    }
}

}  // namespace

const char* ReportSectionName(int section) {
    static const char* kNames[] = {"dtmf", "msk", "optional", "2tone", "channels"};
    return section >= 0 && section < kSectionCount ? kNames[section] : "";
}

std::array<bool, kSectionCount> DefaultReportSelection() {
    return {false, false, true, false, true};
}

CChannelPaging CountChannels(const CGridTexts& grid) {
    CChannelPaging paging;
    paging.m_pageEnd.fill(kLastGridRow);
    paging.m_pageEnd[0] = 0;
    for (int row = 1; row <= kLastGridRow; ++row) {
        if (grid(row, 1).empty()) {
            continue;
        }
        ++paging.m_count;
        if (paging.m_count % kChannelsPerPage == 0) {
            paging.m_pageEnd[paging.m_count / kChannelsPerPage] = row;
        }
    }
    return paging;
}

CReportPlan PlanReport(const std::array<bool, kSectionCount>& selected, int channelPages) {
    CReportPlan plan;
    plan.m_selected = selected;
    plan.m_pageCounts = {1, 1, 1, 2, channelPages};
    for (int s = 0; s < kSectionCount; ++s) {
        if (selected[s]) {
            plan.m_lastPage += plan.m_pageCounts[s];
            if (s != kSectionChannels) {
                plan.m_pagesBeforeChannels += plan.m_pageCounts[s];
            }
        }
    }
    return plan;
}

CReportContext MakeReportContext(const CMemoryImage& image, CGridTexts grid,
                                 const std::array<bool, kSectionCount>& selected, bool chinese,
                                 std::string copyrightOwner) {
    CReportContext context;
    context.m_image = &image;
    context.m_plan = PlanReport(selected, CountChannels(grid).PageCount());
    context.m_grid = std::move(grid);
    context.m_chinese = chinese;
    context.m_copyrightOwner = std::move(copyrightOwner);
    return context;
}

CPageRef MapPage(const CReportPlan& plan, int page) {
    int skip = 0;
    int total = 0;
    for (int s = 0; s < kSectionCount; ++s) {
        if (!plan.m_selected[s]) {
            skip += plan.m_pageCounts[s];
            continue;
        }
        total += plan.m_pageCounts[s];
        if (total >= page) {
            break;
        }
    }
    CPageRef ref;
    ref.m_sectionPage = page + skip;
    if (ref.m_sectionPage >= 6) {
        ref.m_channelPage = page - plan.m_pagesBeforeChannels;
        ref.m_sectionPage = 6;
    }
    return ref;
}

CReportPage BuildReportPage(const CReportContext& context, int page) {
    CPageWriter w(context.m_chinese);
    if (page < 1 || page > context.m_plan.m_lastPage || context.m_image == nullptr) {
        return {};
    }
    // The frame: three rules, then the body, then the footer.
    w.Rule(X(5), {0, 0, -2, -50}, X(60), {0, 0, -2, -50});
    w.Rule(X(5), {0, 0, -2, -120}, X(60), {0, 0, -2, -120});
    w.Rule(X(5), {0, 0, 0.5 - 36, 0}, X(60), {0, 0, 0.5 - 36, 0});
    const CMemoryImage& image = *context.m_image;
    const CPageRef ref = MapPage(context.m_plan, page);
    switch (ref.m_sectionPage) {
        case 1:
            DtmfPage(w, image);
            break;
        case 2:
            MskPage(w, image);
            break;
        case 3:
            OptionalPage(w, image);
            break;
        case 4:
            TwoToneDecodePage(w, image);
            break;
        case 5:
            TwoToneEncodePage(w, image);
            break;
        default:
            if (context.m_grid) {
                ChannelPage(w, context.m_grid, ref.m_channelPage);
            }
            break;
    }
    const CPos footer{0, 0, -36, 0};
    w.Text(X(10), footer, context.m_copyrightOwner);
    char pageText[64];
    std::snprintf(pageText, sizeof pageText, "Page %d of %d", page, context.m_plan.m_lastPage);
    w.Text(X(45), footer, pageText);
    return std::move(w.m_page);
}
