#include "channels/ChannelRecord.h"

#include "channels/ChannelTable.h"

namespace {

constexpr CText kOff{"Off", "关"};

constexpr CRecordChoice kPowerChoices[] = {{0x00, {"Low", "低"}}, {0x20, {"High", "高"}}};
constexpr CRecordChoice kBandwidthChoices[] = {{0x10, {"Wide", "宽"}}, {0x00, {"Narrow", "窄"}}};
constexpr CRecordChoice kScanAddChoices[] = {{0x08, {"Yes", "是"}}, {0x00, {"No", "否"}}};
constexpr CRecordChoice kPttIdChoices[] = {{0x00, kOff},
                                           {0x10, {"BOT", "发射开始"}},
                                           {0x20, {"EOT", "发射结束"}},
                                           {0x30, {"Both", "两者"}}};
constexpr CRecordChoice kBusyLockChoices[] = {
    {0x00, kOff}, {0x02, {"Carrier Only", "载波"}}, {0x04, {"QT/DQT", "QT/DQT"}}};
// MSK and 2-Tone are chosen in the Channel Edit dialog, which also sets their numbers.
constexpr CRecordChoice kOptSignalChoices[] = {{0x00, kNoneText},
                                               {0x01, {"MSK", "MSK"}, false},
                                               {0x02, {"DTMF", "DTMF"}},
                                               {0x04, {"2-Tone", "2-Tone"}, false}};

using enum ERecordCodec;
using E = ECellEditor;

// clang-format off
constexpr CChannelField kChannelFields[] = {
    // column, editor, codec, offset, size, mask, choices, shown/stored for others, default, label
    {kColRx, E::Frequency, kFrequency, kRxOffset, 4, 0xFF, {}, -1, -1, {"", ""},
     {"Receive Frequency:", "接收频率:"}},
    {kColTx, E::Frequency, kFrequency, kTxOffset, 4, 0xFF, {}, -1, -1, {"", ""},
     {"Transceive Frequency:", "发射频率:"}},
    {kColRxTone, E::Tone, kTone, kRxToneOffset, 2, 0xFF, {}, -1, -1, kNoneText,
     {"QT/DQT Decode:", "QT/DQT 解码:"}},
    {kColTxTone, E::Tone, kTone, kTxToneOffset, 2, 0xFF, {}, -1, -1, kNoneText,
     {"QT/DQT Encode:", "QT/DQT 编码:"}},
    {kColName, E::Name, kName, kNameOffset, kNameSize, 0xFF, {}, -1, -1, {"", ""},
     {"Channel Name:", "信道名字:"}},
    {kColPower, E::Power, kChoice, kModeByte, 1, 0x20, kPowerChoices, -1, 0, {"High", "高"},
     {"Transmit Power:", "发射功率:"}},
    {kColBandwidth, E::Bandwidth, kChoice, kModeByte, 1, 0x10, kBandwidthChoices, -1, 1,
     {"Wide", "宽"}, {"Wide/Narrow:", "宽/窄:"}},
    {kColScanAdd, E::ScanAdd, kChoice, kModeByte, 1, 0x08, kScanAddChoices, -1, 1, {"Yes", "是"},
     {"Scan Add:", "扫描添加:"}},
    {kColPttId, E::PttId, kChoice, kSignalByte, 1, 0x30, kPttIdChoices, -1, -1, kOff,
     {"PTT ID:", "PTT ID:"}},
    // Bits 01 and 11 both mean QT/DQT; a text the list lacks stores QT/DQT.
    {kColBusyLock, E::BusyLock, kChoice, kModeByte, 1, 0x06, kBusyLockChoices, 2, 2, kOff,
     {"Busy Lock:", "繁忙锁定:"}},
    {kColOptSignal, E::OptSignal, kChoice, kSignalByte, 1, 0x07, kOptSignalChoices, -1, -1,
     kNoneText, {"Optional Singal:", "可选信号:"}},
    {-1, E::Grid, kShift, kModeByte, 1, kShiftMask, {}, -1, -1, {"", ""}, {"", ""}},
    {-1, E::Grid, kNumber, kEncodeByte, 1, 0xFF, {}, -1, -1, {"", ""}, {"", ""}},
    {-1, E::Grid, kNumber, kDecodeByte, 1, 0xFF, {}, -1, -1, {"", ""}, {"", ""}},
};
// clang-format on

void SetBits(std::uint8_t& byte, std::uint8_t mask, std::uint8_t value) {
    byte = static_cast<std::uint8_t>((byte & ~mask) | (value & mask));
}

}  // namespace

std::span<const CChannelField> ChannelFields() {
    return kChannelFields;
}

const CChannelField* FieldOfColumn(int column) {
    for (const CChannelField& field : kChannelFields) {
        if (field.m_column == column && column >= 0) {
            return &field;
        }
    }
    return nullptr;
}

const CChannelField* FieldOfEditor(ECellEditor editor) {
    for (const CChannelField& field : kChannelFields) {
        if (field.m_editor == editor && field.m_column >= 0) {
            return &field;
        }
    }
    return nullptr;
}

int ChoiceIndex(const CChannelField& field, std::uint8_t byte) {
    for (std::size_t i = 0; i < field.m_choices.size(); ++i) {
        if ((byte & field.m_mask) == field.m_choices[i].m_bits) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::string ChoiceText(const CChannelField& field, std::uint8_t byte, bool chinese) {
    const int index = ChoiceIndex(field, byte);
    const int shown = index >= 0 ? index : field.m_shownForOther;
    return shown < 0 ? std::string() : field.m_choices[shown].m_text.Get(chinese);
}

void ApplyChoiceText(const CChannelField& field, std::uint8_t& byte, const std::string& text) {
    for (const CRecordChoice& choice : field.m_choices) {
        if (choice.m_inEditor && choice.m_text.Matches(text)) {
            SetBits(byte, field.m_mask, choice.m_bits);
            return;
        }
    }
    if (field.m_storedForOther >= 0) {
        SetBits(byte, field.m_mask, field.m_choices[field.m_storedForOther].m_bits);
    }
}

std::vector<std::string> ChoiceEntries(const CChannelField& field, bool chinese, bool all) {
    std::vector<std::string> entries;
    for (const CRecordChoice& choice : field.m_choices) {
        if (all || choice.m_inEditor) {
            entries.emplace_back(choice.m_text.Get(chinese));
        }
    }
    return entries;
}
