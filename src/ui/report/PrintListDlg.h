#pragma once

#include <array>

#include "report/Report.h"
#include "ui/app/HelpDialog.h"

class QCheckBox;
class QLabel;

// PrintList: which of the report's five sections to print, each with its page count. Opens with
// "Optional" and "Channel Info" ticked; OK takes the boxes as the selection.
class CPrintListDlg : public CHelpDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 169;
    static constexpr std::array<int, kSectionCount> kBoxIds = {1045, 1246, 1247, 1248, 1249};
    static constexpr int kSelectAllId = 1279;
    static constexpr int kClearAllId = 1280;

    // `pageCounts`: the pages of each section (DTMF 1, MSK 1, Optional 1, 2-Tone 2, and one per
    // five defined channels).
    explicit CPrintListDlg(const std::array<int, kSectionCount>& pageCounts,
                           QWidget* parent = nullptr);

    // The boxes, the buttons (1279, 1280, 1 OK, 2 Cancel), the total's label (0).
    QWidget* Control(int id) const;
    // The boxes as OK took them (the default ticks until then).
    const std::array<bool, kSectionCount>& Selection() const { return m_selection; }
    const std::array<int, kSectionCount>& PageCounts() const { return m_pageCounts; }
    // The pages the ticked boxes add up to.
    int TickedPages() const;

    int HelpContext() const override;

private:
    void SetAll(bool checked);
    void UpdateTotal();
    void OnOK();

    std::array<int, kSectionCount> m_pageCounts;
    std::array<bool, kSectionCount> m_selection;
    std::array<QCheckBox*, kSectionCount> m_pBoxes{};
    QLabel* m_pTotal = nullptr;
};
