#include "editors/WriteCheck.h"

#include <algorithm>
#include <cstdio>

#include "channels/ChannelRecord.h"
#include "editors/SettingsFields.h"

namespace {

std::string WithoutColon(std::string label) {
    while (!label.empty() && (label.back() == ':' || label.back() == ' ')) {
        label.pop_back();
    }
    return label;
}

// The field is named only when the byte is its alone: a byte of bits may be any of several.
CTexts ChannelPlace(int record, int inRecord) {
    const std::string number = record == kFrRecord ? "Fr" : std::to_string(record + 1);
    CTexts place{"channel " + number, "信道 " + number};
    const CChannelField* only = nullptr;
    int count = 0;
    for (const CChannelField& field : ChannelFields()) {
        if (inRecord >= field.m_offset && inRecord < field.m_offset + field.m_size) {
            only = &field;
            ++count;
        }
    }
    if (count == 1 && *only->m_reportLabel.m_en != '\0') {
        place.m_en += " (" + WithoutColon(only->m_reportLabel.m_en) + ")";
        place.m_zh += "（" + WithoutColon(only->m_reportLabel.m_zh) + "）";
    }
    return place;
}

bool Covers(std::size_t start, int length, std::size_t offset) {
    return offset >= start && offset < start + static_cast<std::size_t>(std::max(length, 1));
}

}  // namespace

CTexts PlaceOfOffset(std::size_t offset) {
    if (offset < static_cast<std::size_t>(kChannelCount * kRecordSize)) {
        return ChannelPlace(static_cast<int>(offset / kRecordSize),
                            static_cast<int>(offset % kRecordSize));
    }
    for (const CField& field : SettingFields()) {
        if (Covers(field.m_offset, field.m_length, offset) ||
            (field.m_radioOffset != 0 && Covers(field.m_radioOffset, field.m_length, offset))) {
            return {"setting " + field.m_key, "设置 " + field.m_key};
        }
    }
    char text[48];
    std::snprintf(text, sizeof text, "offset %zu", offset);
    return {text, std::string("偏移 ") + std::to_string(offset)};
}

std::vector<CWriteDifference> CompareWrittenBytes(const CMemoryImage& sent,
                                                  const CMemoryImage& readBack) {
    std::vector<CWriteDifference> differences;
    for (const CTransferBlock& block : WriteBlocks()) {
        for (std::size_t i = 0; i < kBlockSize; ++i) {
            const std::size_t offset = block.m_offset + i;
            if (sent[offset] != readBack[offset]) {
                differences.push_back({offset, static_cast<std::uint16_t>(block.m_address + i),
                                       sent[offset], readBack[offset], PlaceOfOffset(offset)});
            }
        }
    }
    return differences;
}
