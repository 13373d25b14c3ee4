#include "channels/ChannelRows.h"

#include <algorithm>

#include "channels/CellRules.h"
#include "channels/ChannelCsv.h"
#include "channels/ChannelEditRules.h"
#include "channels/ChannelTable.h"
#include "image/DocumentState.h"

namespace {

constexpr int kLastChannelRow = kFrRow - 1;

// The sorted, distinct channel rows of a selection; the Fr row is none of them.
std::vector<int> ChannelRows(std::vector<int> rows) {
    std::erase_if(rows, [](int row) { return row < 1 || row > kLastChannelRow; });
    std::ranges::sort(rows);
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void SwapRows(CMemoryImage& image, CChannelTable& table, int a, int b) {
    std::ranges::swap_ranges(image.Row(a - 1), image.Row(b - 1));
    for (int column = kColRx; column <= kColMore; ++column) {
        const std::string text = table.GetText(a, column);
        table.SetText(a, column, table.GetText(b, column));
        table.SetText(b, column, text);
    }
}

void ClearRow(CMemoryImage& image, CChannelTable& table, int row) {
    // Unprogrammed, as in a new document.
    std::ranges::fill(image.Row(row - 1), 0xFF);
    for (int column = kColRx; column <= kColMore; ++column) {
        table.SetText(row, column, "");
    }
}

CResult<> Refused(std::vector<std::string> items) {
    CError error(CTexts("The rows were not pasted:", "未粘贴这些行："));
    error.m_items = std::move(items);
    return std::unexpected(std::move(error));
}

}  // namespace

std::string CopyRowsText(const CDocumentState& doc, const CChannelTable& table,
                         const std::vector<int>& rows, bool chinese) {
    CDocumentState stored = doc;
    table.StoreGrid(stored);
    std::string text;
    for (const int row : rows) {
        if (row < 1 || row >= kGridRows) {
            continue;
        }
        for (int column = kColRx; column < kColMore; ++column) {
            text += CsvField(table.GetText(row, column), '\t') + '\t';
        }
        std::string encode;
        std::string decode;
        // The dialog's numbers belong to channels it opens on.
        if (CanOpenChannelEdit(table, row)) {
            const auto state = LoadChannelEdit(stored.m_image, RowToChannelNumber(row), chinese);
            encode = state.m_encodeText;
            decode = state.m_decodeText;
        }
        text += CsvField(encode, '\t') + '\t' + CsvField(decode, '\t') + "\r\n";
    }
    return text;
}

CResult<> PasteRowsText(const std::string& text, int first, CMemoryImage& image) {
    const auto lines = ParseCsv(text, '\t');
    if (!lines) {
        return Refused({lines.error().Text(false)});
    }
    if (lines->empty()) {
        return Refused({"the clipboard holds no rows"});
    }
    const int last = first + static_cast<int>(lines->size()) - 1;
    if (first < 1 || last > kLastChannelRow) {
        return Refused({std::to_string(lines->size()) + (lines->size() == 1 ? " row" : " rows") +
                        " from row " + RowLabel(first) +
                        " do not fit: rows are pasted into channels 1 to 128"});
    }
    CMemoryImage work = image;
    std::vector<std::string> refused;
    int row = first;
    for (const CCsvRecord& line : *lines) {
        const int fields = static_cast<int>(line.m_fields.size());
        if (fields > kRowTextFields) {
            refused.push_back("row " + RowLabel(row) + ": " + std::to_string(fields) +
                              " fields, at most " + std::to_string(kRowTextFields) + " expected");
            ++row;
            continue;
        }
        // Each line as a CSV import of one channel, its columns those the line has.
        std::string header = kCsvColumns[0];
        std::string values = RowLabel(row);
        for (int i = 0; i < fields; ++i) {
            header += std::string(",") + kCsvColumns[i + 1];
            values += "," + CsvField(line.m_fields[i]);
        }
        auto imported = ImportChannelsCsv(header + "\r\n" + values + "\r\n", work);
        if (!imported) {
            for (std::string& item : imported.error().m_items) {
                refused.push_back(std::move(item));
            }
        }
        ++row;
    }
    if (!refused.empty()) {
        return Refused(std::move(refused));
    }
    image = work;
    return {};
}

bool IsEmptyRow(const CChannelTable& table, int row) {
    return table.GetText(row, kColRx).empty() && table.GetText(row, kColTx).empty();
}

bool InsertEmptyRow(CMemoryImage& image, CChannelTable& table, int row) {
    if (row < 1 || row > kLastChannelRow || !IsEmptyRow(table, kLastChannelRow)) {
        return false;
    }
    for (int r = kLastChannelRow; r > row; --r) {
        SwapRows(image, table, r, r - 1);
    }
    ClearRow(image, table, row);
    return true;
}

void DeleteRows(CMemoryImage& image, CChannelTable& table, const std::vector<int>& rows) {
    const std::vector<int> gone = ChannelRows(rows);
    int to = 1;
    for (int from = 1; from <= kLastChannelRow; ++from) {
        if (std::ranges::binary_search(gone, from)) {
            continue;
        }
        if (to != from) {
            SwapRows(image, table, to, from);
        }
        ++to;
    }
    for (; to <= kLastChannelRow; ++to) {
        ClearRow(image, table, to);
    }
}

bool MoveRows(CMemoryImage& image, CChannelTable& table, const std::vector<int>& rows, int delta) {
    std::vector<int> moving = ChannelRows(rows);
    if (moving.empty() || (delta != -1 && delta != 1) ||
        (delta < 0 ? moving.front() == 1 : moving.back() == kLastChannelRow)) {
        return false;
    }
    // Each row swaps with its neighbour, taken from the end it moves towards so that a block
    // moves as a whole.
    if (delta > 0) {
        std::ranges::reverse(moving);
    }
    for (const int row : moving) {
        SwapRows(image, table, row, row + delta);
    }
    return true;
}
