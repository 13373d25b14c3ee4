#include "editors/ImageDiff.h"

#include <cstdio>

#include "channels/ChannelEditRules.h"
#include "channels/ChannelRecord.h"
#include "channels/ChannelTable.h"
#include "image/DocumentState.h"

namespace {

constexpr std::uint8_t kSignalBits = 0x07;  // bits 0-2 of byte 12: the optional signal

std::string ChannelPlace(int row, bool chinese) {
    return std::string(chinese ? "信道 " : "channel ") + RowLabel(row);
}

// Headings padded for the grid (" W/N ") are named without the padding.
std::string Heading(int column, bool chinese) {
    std::string text = ColumnHeading(column, chinese);
    const auto first = text.find_first_not_of(' ');
    const auto last = text.find_last_not_of(' ');
    return first == std::string::npos ? "" : text.substr(first, last - first + 1);
}

std::string ByteText(std::uint8_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", value);
    return text;
}

// The grid as it shows the image; an opened file keeps its own model and band bytes.
CChannelTable Grid(const CMemoryImage& image, bool chinese) {
    CDocumentState doc{image};
    CChannelTable table(chinese);
    table.FillGrid(doc, nullptr, chinese);
    return table;
}

}  // namespace

std::vector<CDifference> DiffImages(const CMemoryImage& from, const CMemoryImage& to,
                                    const CFieldContext& context) {
    std::vector<CDifference> out;
    if (from == to) {
        return out;
    }
    const bool zh = context.m_bChinese;
    // `rebuilt` is `from` with every named difference stored as the user would; what still
    // differs from `to` afterwards is what no text shows.
    CDocumentState rebuilt{from};
    const CChannelTable gridFrom = Grid(from, zh);
    const CChannelTable gridTo = Grid(to, zh);
    std::vector<bool> rowChanged(kGridRows, false);
    for (int row = 1; row < kGridRows; ++row) {
        for (int column = kColRx; column < kColMore; ++column) {
            const std::string& a = gridFrom.GetText(row, column);
            const std::string& b = gridTo.GetText(row, column);
            if (a != b) {
                out.push_back({ChannelPlace(row, zh), Heading(column, zh), a, b});
                rowChanged[row] = true;
            }
        }
        const int number = RowToChannelNumber(row);
        const CChannelEditState editFrom = LoadChannelEdit(from, number, zh);
        const CChannelEditState editTo = LoadChannelEdit(to, number, zh);
        const auto recordTo = to.Row(row - 1);
        const auto recordRebuilt = rebuilt.m_image.Row(row - 1);
        if (editFrom.m_encodeText != editTo.m_encodeText) {
            out.push_back({ChannelPlace(row, zh), zh ? "编码" : "Encode", editFrom.m_encodeText,
                           editTo.m_encodeText});
            recordRebuilt[kEncodeByte] = recordTo[kEncodeByte];
        }
        if (editFrom.m_decodeText != editTo.m_decodeText) {
            out.push_back({ChannelPlace(row, zh), zh ? "解码" : "Decode", editFrom.m_decodeText,
                           editTo.m_decodeText});
            recordRebuilt[kDecodeByte] = recordTo[kDecodeByte];
        }
    }
    gridTo.StoreGrid(rebuilt);
    for (int row = 1; row < kGridRows; ++row) {
        // The grid stores only None and DTMF; MSK and 2-Tone are chosen in Channel Edit.
        if (gridFrom.GetText(row, kColOptSignal) != gridTo.GetText(row, kColOptSignal)) {
            std::uint8_t& signal = rebuilt.m_image.Row(row - 1)[kSignalByte];
            signal = static_cast<std::uint8_t>((signal & ~kSignalBits) |
                                               (to.Row(row - 1)[kSignalByte] & kSignalBits));
        }
    }
    // Storing rewrites every record; a row whose texts agree must keep its own bytes so that
    // a difference no text shows is still reported below.
    for (int row = 1; row < kGridRows; ++row) {
        if (!rowChanged[row]) {
            const auto source = from.Row(row - 1);
            const auto target = rebuilt.m_image.Row(row - 1);
            for (std::size_t i = 0; i < kRowSize; ++i) {
                if (i != kEncodeByte && i != kDecodeByte) {
                    target[i] = source[i];
                }
            }
        }
    }

    for (const CField& field : SettingFields()) {
        const std::string a = LoadField(field, from, context);
        const std::string b = LoadField(field, to, context);
        if (a != b) {
            const std::string section = SectionOf(field);
            out.push_back({section, field.m_key, a, b});
            StoreField(field, rebuilt.m_image, b, context);
        }
    }

    for (std::size_t offset = 0; offset < kImageSize; ++offset) {
        if (from[offset] == to[offset] || rebuilt.m_image[offset] == to[offset]) {
            continue;
        }
        const int row = static_cast<int>(offset / kRowSize);
        // A channel empty in both holds nothing the radio uses: a store rewrites its leftover
        // bytes, and listing them would bury the real differences.
        if (row <= kFrRecord && gridFrom.GetText(row + 1, kColRx).empty() &&
            gridTo.GetText(row + 1, kColRx).empty()) {
            continue;
        }
        if (row <= kFrRecord) {
            out.push_back({ChannelPlace(row + 1, zh),
                           std::string(zh ? "字节 " : "byte ") + std::to_string(offset % kRowSize),
                           ByteText(from[offset]), ByteText(to[offset])});
        } else {
            out.push_back({zh ? "数据" : "image",
                           std::string(zh ? "字节 " : "byte ") + std::to_string(offset),
                           ByteText(from[offset]), ByteText(to[offset])});
        }
    }
    return out;
}

std::string DifferenceLine(const CDifference& difference) {
    // A setting key already carries its section.
    const bool keyed = difference.m_field.starts_with(difference.m_place + ".");
    const std::string name =
        keyed ? difference.m_field : difference.m_place + " " + difference.m_field;
    return name + ": " + difference.m_from + " -> " + difference.m_to;
}
