#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "image/MemoryImage.h"

// The printed report: which pages there are, and what each page holds as positioned texts
// and rules. Painting belongs to the renderer; everything here is plain data.

enum EReportSection {
    kSectionDtmf,
    kSectionMsk,
    kSectionOptional,
    kSectionTwoTone,
    kSectionChannels,
    kSectionCount
};

// Names of the sections for the command line, in print order: dtmf, msk, optional, 2tone,
// channels.
const char* ReportSectionName(int section);
// The PrintList dialog's default ticks: "Optional" and "Channel Info".
std::array<bool, kSectionCount> DefaultReportSelection();

// The channel grid's texts, rows 1..129, columns 0..12 (what the report copies).
using CGridTexts = std::function<std::string(int row, int column)>;

inline constexpr int kLastGridRow = 129;
inline constexpr int kChannelsPerPage = 5;
inline constexpr int kPageEndEntries = kLastGridRow / kChannelsPerPage + 2;

// Defined channels (non-empty receive frequency) and the page-end table: entry 0 is 0,
// entry k the grid row of the (5k)-th defined channel, unknown entries 129.
struct CChannelPaging {
    int m_count = 0;
    std::array<int, kPageEndEntries> m_pageEnd{};
    int PageCount() const { return (m_count + kChannelsPerPage - 1) / kChannelsPerPage; }
};
CChannelPaging CountChannels(const CGridTexts& grid);

struct CReportPlan {
    std::array<bool, kSectionCount> m_selected{};
    std::array<int, kSectionCount> m_pageCounts{};
    int m_lastPage = 0;
    int m_pagesBeforeChannels = 0;
};
CReportPlan PlanReport(const std::array<bool, kSectionCount>& selected, int channelPages);

// Page p (1-based) -> section page v (1 DTMF, 2 MSK, 3 optional, 4 2-Tone decode, 5 2-Tone
// encode, 6 channels) and, for channel pages, the channel page m.
struct CPageRef {
    int m_sectionPage = 0;
    int m_channelPage = 0;
};
CPageRef MapPage(const CReportPlan& plan, int page);

// A position in the report's units: value = c*C + lb*LB + lt*LT + twips, where C is the
// column unit and LB, LT the body and title line heights. y grows upwards (twips).
struct CPos {
    double m_c = 0;
    double m_lb = 0;
    double m_lt = 0;
    double m_twips = 0;
};

enum class EReportFont { kTitle, kBody };

struct CReportText {
    EReportFont m_font = EReportFont::kBody;
    CPos m_x;
    CPos m_y;
    std::string m_text;  // UTF-8
};

struct CReportRule {
    CPos m_x1, m_y1, m_x2, m_y2;
};

struct CReportPage {
    std::vector<CReportText> m_texts;
    std::vector<CReportRule> m_rules;
};

// Everything one page needs besides the image.
struct CReportContext {
    const CMemoryImage* m_image = nullptr;
    CGridTexts m_grid;
    CReportPlan m_plan;
    bool m_chinese = false;
    std::string m_copyrightOwner;  // UTF-8
};

// The report of `image` for the `selected` sections: the channel pages copy `grid` (the grid's
// texts of the same image), the footer names `copyrightOwner` (UTF-8). Both programs build it
// here, so the desktop program prints what lh740ctl writes.
CReportContext MakeReportContext(const CMemoryImage& image, CGridTexts grid,
                                 const std::array<bool, kSectionCount>& selected, bool chinese,
                                 std::string copyrightOwner);

// Page p with its frame (rules, title, footer); an empty page outside 1..last.
CReportPage BuildReportPage(const CReportContext& context, int page);
