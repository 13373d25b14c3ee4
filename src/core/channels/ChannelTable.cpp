#include "channels/ChannelTable.h"

#include <cstdio>
#include <utility>

#include "channels/Bands.h"
#include "channels/Codecs.h"
#include "image/MemoryImage.h"
#include "settings/Language.h"

namespace {

constexpr CText kHeadings[kGridColumns] = {
    {"CH", "信道"},
    {"Rx Frequency", "接收频率"},
    {"Tx Frequency", "发射频率"},
    {"QT/DQT Dec", "QT/DQT解码"},
    {"QT/DQT Enc", "QT/DQT编码"},
    {"Chnnel Name", "信道名字"},
    {"Power", "功率"},
    {" W/N ", "宽/窄"},
    {"Scan Add", "扫描添加"},
    {"PTT ID", "PTT ID"},
    {"Busy Lock", "繁忙锁定"},
    {"Opt Signal", "可选信号"},
    {"More", "更多"},
};

const std::string kEmpty;

}  // namespace

const char* ColumnHeading(int column, bool chinese) {
    if (column < 0 || column >= kGridColumns) {
        return "";
    }
    return kHeadings[column].Get(chinese);
}

std::string RowLabel(int row) {
    if (row == kFrRow) {
        return "Fr";
    }
    char text[16];
    std::snprintf(text, sizeof text, "%d", row);
    return text;
}

CChannelTable::CChannelTable(bool chinese) {
    SetHeadings(chinese);
    for (int row = 1; row < kGridRows; ++row) {
        m_cells[row][kColLabel] = RowLabel(row);
    }
}

const std::string& CChannelTable::GetText(int row, int column) const {
    if (row < 0 || row >= kGridRows || column < 0 || column >= kGridColumns) {
        return kEmpty;
    }
    return m_cells[row][column];
}

void CChannelTable::SetText(int row, int column, const std::string& text) {
    if (row < 0 || row >= kGridRows || column < 0 || column >= kGridColumns) {
        return;
    }
    m_cells[row][column] = text;
}

void CChannelTable::SetHeadings(bool chinese) {
    for (int column = 0; column < kGridColumns; ++column) {
        m_cells[0][column] = ColumnHeading(column, chinese);
    }
}

void CChannelTable::FillGrid(CDocumentState& doc, CUserValues* userValues, bool chinese) {
    const CMemoryImage& image = doc.m_image;
    for (int k = 0; k < kChannelCount; ++k) {
        const CConstRecord record = std::as_const(image).Row(k);
        auto& row = m_cells[k + 1];
        row[kColRx] = FormatFrequency(record.subspan<kRxOffset, 4>());
        row[kColTx] = FormatFrequency(record.subspan<kTxOffset, 4>());
        if (IsEmptyChannel(record)) {
            for (int column = kColRxTone; column <= kColMore; ++column) {
                row[column].clear();
            }
            continue;
        }
        row[kColRxTone] = FormatTone({record[kRxToneOffset], record[kRxToneOffset + 1]}, chinese);
        row[kColTxTone] = FormatTone({record[kTxToneOffset], record[kTxToneOffset + 1]}, chinese);
        row[kColName] = DecodeName(record.subspan<kNameOffset, kNameSize>());
        row[kColPower] = PowerText(record[kModeByte], chinese);
        row[kColBandwidth] = BandwidthText(record[kModeByte], chinese);
        row[kColScanAdd] = ScanAddText(record[kModeByte], chinese);
        row[kColPttId] = PttIdText(record[kSignalByte], chinese);
        row[kColBusyLock] = BusyLockText(record[kModeByte], chinese);
        row[kColOptSignal] = OptSignalText(record[kSignalByte], chinese);
        row[kColMore] = kMoreText;
    }
    RefreshBands(doc, userValues);
}

void CChannelTable::StoreGrid(CDocumentState& doc) const {
    StoreBands(doc);
    CMemoryImage& image = doc.m_image;
    for (int k = 0; k < kChannelCount; ++k) {
        const CRecord record = image.Row(k);
        const auto& row = m_cells[k + 1];
        // A frequency or tone still showing what its bytes decode to keeps those bytes: a radio
        // or a file can hold digits that are no BCD, and re-encoding the text would change the
        // channel (a second store could even delete it).
        for (const auto& [column, offset] : {std::pair{kColRx, kRxOffset}, {kColTx, kTxOffset}}) {
            const auto bytes = record.subspan(offset, 4);
            const std::string& text = row[column];
            if (text.empty() ||
                text != FormatFrequency(std::span<const std::uint8_t, 4>(bytes.data(), 4))) {
                const CFreqBytes encoded = EncodeFrequency(ParseFrequency(text));
                std::copy(encoded.begin(), encoded.end(), bytes.begin());
            }
        }
        for (const auto& [column, offset] :
             {std::pair{kColRxTone, kRxToneOffset}, {kColTxTone, kTxToneOffset}}) {
            const CToneBytes current{record[offset], record[offset + 1]};
            const std::string& text = row[column];
            if (text.empty() ||
                (text != FormatTone(current, false) && text != FormatTone(current, true))) {
                const CToneBytes tone = ParseTone(text);
                record[offset] = tone.m_low;
                record[offset + 1] = tone.m_high;
            }
        }
        // A name still showing what its bytes decode to keeps those bytes: they need not be
        // GBK (a radio holds whatever it was given), and re-encoding would turn them into '?'.
        if (row[kColName] != DecodeName(record.subspan<kNameOffset, kNameSize>())) {
            const auto name = EncodeName(row[kColName]);
            std::copy(name.begin(), name.end(), record.begin() + kNameOffset);
        }
        ApplyPowerText(record[kModeByte], row[kColPower]);
        ApplyBandwidthText(record[kModeByte], row[kColBandwidth]);
        ApplyScanAddText(record[kModeByte], row[kColScanAdd]);
        ApplyPttIdText(record[kSignalByte], row[kColPttId]);
        ApplyBusyLockText(record[kModeByte], row[kColBusyLock]);
        ApplyOptSignalText(record[kSignalByte], row[kColOptSignal]);
        ApplyShiftBits(record[kModeByte], row[kColRx], row[kColTx]);
    }
}
