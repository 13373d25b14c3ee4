#include "channels/ChannelCsv.h"

#include <map>
#include <optional>

#include "channels/Bands.h"
#include "channels/CellRules.h"
#include "channels/ChannelEditRules.h"
#include "channels/ChannelTable.h"
#include "channels/Codecs.h"
#include "image/MemoryImage.h"
#include "settings/Messages.h"
#include "util/File.h"
#include "util/Gbk.h"
#include "util/Number.h"
#include "util/Text.h"

namespace {

enum ECsvColumn : int {
    kCsvChannel = 0,
    kCsvEncode = 12,
    kCsvDecode = 13,
};
// CSV columns 1..11 are grid columns 1..11.
constexpr int kCsvOptSignal = 11;

std::string LineError(int line, const std::string& message) {
    return "line " + std::to_string(line) + ": " + message;
}

std::string CellError(const std::string& row, int csvColumn, const std::string& message) {
    return "row " + row + ", column " + kCsvColumns[csvColumn] + ": " + message;
}

// The row of a channel label, or 0.
int RowOfLabel(const std::string& label) {
    for (int row = 1; row < kGridRows; ++row) {
        if (RowLabel(row) == label) {
            return row;
        }
    }
    return 0;
}

// A drop-down value as the English entry, when it is an entry in either language.
std::optional<std::string> EnglishEntry(ECellEditor editor, const std::string& text) {
    const auto& english = EditorEntries(editor, false);
    const auto& chinese = EditorEntries(editor, true);
    for (std::size_t i = 0; i < english.size(); ++i) {
        if (text == english[i] || text == chinese[i]) {
            return english[i];
        }
    }
    return std::nullopt;
}

std::string JoinEntries(const std::vector<std::string>& entries) {
    if (entries.size() > 8) {
        return "an entry of the tone list (None, 67.0 ... 254.1, D023N ... D754I)";
    }
    std::string text = "one of ";
    for (std::size_t i = 0; i < entries.size(); ++i) {
        text += (i == 0 ? "" : ", ") + entries[i];
    }
    return text;
}

// A number text of the Channel Edit dialog, within 0..max: the canonical text, or nothing.
std::optional<std::string> NumberValue(const std::string& text, int max) {
    if (kNoneText.Matches(text)) {
        return std::string(kNoneText.m_en);
    }
    if (text.empty() || text.size() > 4 || text.find_first_not_of("0123456789") != text.npos) {
        return std::nullopt;
    }
    const int value = TextToInt(text);
    if (value > max) {
        return std::nullopt;
    }
    return NumberText(value, false);
}

// A frequency of a file is what a person would type, and means what it says: plain decimals
// only (atof would also read 0x92, 1e2, inf), and a Tx outside its range is refused rather than
// replaced by 67.00000 as the grid does. An empty Rx (deleting the channel) is left to the rules.
bool FrequencyTextFits(int column, const std::string& text) {
    if (text.empty()) {
        return column == kColRx;
    }
    if (!IsPlainDecimal(text)) {
        return false;
    }
    const int count = ParseFrequency(text);
    return column != kColTx || (count >= kTxMin && count <= kTxMax);
}

// Well-formed UTF-8 without NUL bytes: what a spreadsheet or a text editor saves.
bool IsUtf8Text(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == 0) {
            return false;
        }
        const int more = byte < 0x80                    ? 0
                         : byte >= 0xC2 && byte <= 0xDF ? 1
                         : byte >= 0xE0 && byte <= 0xEF ? 2
                         : byte >= 0xF0 && byte <= 0xF4 ? 3
                                                        : -1;
        if (more < 0 || text.size() - i <= static_cast<std::size_t>(more)) {
            return false;
        }
        for (int k = 1; k <= more; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += static_cast<std::size_t>(more) + 1;
    }
    return true;
}

struct CRowRequest {
    int m_row = 0;
    std::string m_label;
    std::vector<std::optional<std::string>> m_values;  // by CSV column; none when not listed
};

}  // namespace

CResult<std::vector<CCsvRecord>> ParseCsv(const std::string& text, char separator) {
    std::vector<CCsvRecord> records;
    std::size_t pos = 0;
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        pos = 3;
    }
    int line = 1;
    while (pos < text.size()) {
        CCsvRecord record;
        record.m_line = line;
        std::string field;
        bool done = false;
        while (!done) {
            field.clear();
            if (pos < text.size() && text[pos] == '"') {
                ++pos;
                for (;;) {
                    if (pos >= text.size()) {
                        return std::unexpected(
                            CTexts::Same(LineError(record.m_line, "a quoted field is not closed")));
                    }
                    if (text[pos] == '"') {
                        if (pos + 1 < text.size() && text[pos + 1] == '"') {
                            field += '"';
                            pos += 2;
                            continue;
                        }
                        ++pos;
                        break;
                    }
                    if (text[pos] == '\n') {
                        ++line;
                    }
                    field += text[pos++];
                }
                if (pos < text.size() && text[pos] != separator && text[pos] != '\n' &&
                    !(text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n')) {
                    return std::unexpected(
                        CTexts::Same(LineError(line, "text after a closing quote")));
                }
            } else {
                while (pos < text.size() && text[pos] != separator && text[pos] != '\n' &&
                       !(text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n')) {
                    field += text[pos++];
                }
            }
            record.m_fields.push_back(field);
            if (pos < text.size() && text[pos] == separator) {
                ++pos;
                continue;
            }
            if (pos < text.size() && text[pos] == '\r') {
                ++pos;
            }
            if (pos < text.size() && text[pos] == '\n') {
                ++pos;
                ++line;
            }
            done = true;
        }
        const bool blank = record.m_fields.size() == 1 && record.m_fields[0].empty();
        if (!blank) {
            records.push_back(std::move(record));
        }
    }
    return records;
}

std::string CsvField(const std::string& field, char separator) {
    if (field.find_first_of(std::string{separator, '"', '\r', '\n'}) == std::string::npos) {
        return field;
    }
    std::string quoted = "\"";
    for (char c : field) {
        if (c == '"') {
            quoted += '"';
        }
        quoted += c;
    }
    return quoted + "\"";
}

std::string ExportChannelsCsv(const CMemoryImage& image) {
    CDocumentState copy{image};
    CChannelTable table(false);
    table.FillGrid(copy, nullptr, false);
    std::string csv;
    for (int i = 0; i < kCsvColumnCount; ++i) {
        csv += (i == 0 ? "" : ",") + std::string(kCsvColumns[i]);
    }
    csv += "\r\n";
    for (int row = 1; row < kGridRows; ++row) {
        std::string line = CsvField(RowLabel(row));
        for (int column = kColRx; column <= kColOptSignal; ++column) {
            line += "," + CsvField(table.GetText(row, column));
        }
        std::string encode;
        std::string decode;
        // The dialog opens only from a row's "More" cell, which an empty channel lacks.
        if (!table.GetText(row, kColMore).empty()) {
            const auto state = LoadChannelEdit(copy.m_image, RowToChannelNumber(row), false);
            encode = state.m_encodeText;
            decode = state.m_decodeText;
        }
        csv += line + "," + CsvField(encode) + "," + CsvField(decode) + "\r\n";
    }
    return csv;
}

CResult<> ImportChannelsCsv(const std::string& csv, CMemoryImage& image) {
    std::vector<std::string> errors;
    auto refused = [&errors] {
        CError error(CTexts::Same(std::to_string(errors.size()) + " rejected"));
        error.m_items = std::move(errors);
        return std::unexpected(std::move(error));
    };
    auto records = ParseCsv(csv);
    if (!records) {
        errors.push_back(records.error().Text(false));
        return refused();
    }
    const std::vector<CCsvRecord>& parsed = *records;
    if (parsed.empty()) {
        errors.push_back(LineError(1, "the header line is missing"));
        return refused();
    }

    // Header by name.
    const CCsvRecord& header = parsed.front();
    std::vector<int> columnOf(header.m_fields.size(), -1);
    std::map<int, bool> seen;
    for (std::size_t i = 0; i < header.m_fields.size(); ++i) {
        for (int c = 0; c < kCsvColumnCount; ++c) {
            if (header.m_fields[i] == kCsvColumns[c]) {
                columnOf[i] = c;
            }
        }
        if (columnOf[i] < 0) {
            errors.push_back(
                LineError(header.m_line, "unknown column \"" + header.m_fields[i] + "\""));
        } else if (seen[columnOf[i]]) {
            errors.push_back(
                LineError(header.m_line, "column \"" + header.m_fields[i] + "\" appears twice"));
        }
        if (columnOf[i] >= 0) {
            seen[columnOf[i]] = true;
        }
    }
    if (!seen[kCsvChannel]) {
        errors.push_back(LineError(header.m_line, "the column \"Channel\" is missing"));
    }
    if (!errors.empty()) {
        return refused();
    }

    std::vector<CRowRequest> requests;
    std::map<int, int> lineOfRow;
    for (std::size_t r = 1; r < parsed.size(); ++r) {
        const CCsvRecord& record = parsed[r];
        if (record.m_fields.size() != header.m_fields.size()) {
            errors.push_back(LineError(
                record.m_line, "expected " + std::to_string(header.m_fields.size()) +
                                   " fields, found " + std::to_string(record.m_fields.size())));
            continue;
        }
        CRowRequest request;
        request.m_values.resize(kCsvColumnCount);
        for (std::size_t i = 0; i < record.m_fields.size(); ++i) {
            request.m_values[columnOf[i]] = record.m_fields[i];
        }
        request.m_label = *request.m_values[kCsvChannel];
        request.m_row = RowOfLabel(request.m_label);
        if (request.m_row == 0) {
            errors.push_back(LineError(
                record.m_line, "\"" + request.m_label + "\" is not a channel (1 to 128 or Fr)"));
            continue;
        }
        if (lineOfRow.contains(request.m_row)) {
            errors.push_back(LineError(
                record.m_line, "channel " + request.m_label + " is already listed on line " +
                                   std::to_string(lineOfRow[request.m_row])));
            continue;
        }
        lineOfRow[request.m_row] = record.m_line;
        requests.push_back(std::move(request));
    }
    if (!errors.empty()) {
        return refused();
    }

    std::vector<CChannelTexts> rows;
    for (CRowRequest& request : requests) {
        rows.push_back({request.m_row, std::move(request.m_values)});
    }
    for (const CCellRefusal& refusal : ApplyChannelTexts(rows, image)) {
        errors.push_back(CellError(RowLabel(refusal.m_row), refusal.m_column, refusal.m_message));
    }
    if (!errors.empty()) {
        return refused();
    }
    return {};
}

std::vector<CCellRefusal> ApplyChannelTexts(const std::vector<CChannelTexts>& rows,
                                            CMemoryImage& image) {
    std::vector<CCellRefusal> refusals;
    auto refuse = [&refusals](int row, int column, const std::string& message, int id = 0) {
        refusals.push_back({row, column, message, id});
    };
    // The grid as the program would show it, edited cell by cell.
    CDocumentState work{image};
    CChannelTable table(false);
    table.FillGrid(work, nullptr, false);
    const CChannelTable before = table;
    const CBandsMHz bands = work.m_bands;
    for (const CChannelTexts& request : rows) {
        const int row = request.m_row;
        for (int column = kColRx; column < kColOptSignal; ++column) {
            const auto& value = request.m_values[column];
            const ECellEditor editor = EditorForColumn(column);
            if (!value || *value == table.GetText(row, column) ||
                (value->empty() && column != kColRx && editor != ECellEditor::Name)) {
                continue;
            }
            std::string text = *value;
            if (IsDropDownEditor(editor)) {
                const auto entry = EnglishEntry(editor, text);
                if (!entry) {
                    refuse(request.m_row, column,
                           "\"" + text + "\" is not " + JoinEntries(EditorEntries(editor, false)));
                    continue;
                }
                text = *entry;
                if (text == table.GetText(row, column)) {
                    continue;
                }
            } else if (editor == ECellEditor::Name) {
                // Nothing typed in the grid can hold one; a file can.
                if (HasControlCharacter(text)) {
                    refuse(request.m_row, column, "the name holds a control character");
                    continue;
                }
                // An unchanged name never gets here, so an 8-byte name from a radio survives.
                if (!FitsNameEditor(text)) {
                    refuse(request.m_row, column,
                           "a name takes at most " + std::to_string(kNameEditorLimit) +
                               " bytes (a Chinese character takes 2)");
                    continue;
                }
                if (GbkToUtf8(Utf8ToGbk(text, 64)) != text) {
                    refuse(request.m_row, column, "the name has characters the radio cannot show");
                    continue;
                }
            } else if (text.size() > kFrequencyEditorLimit) {
                refuse(request.m_row, column,
                       "a frequency has at most " + std::to_string(kFrequencyEditorLimit) +
                           " characters");
                continue;
            } else if (!FrequencyTextFits(column, text)) {
                refuse(request.m_row, column, LoadString(IDS_DATA_FORMAT, false), IDS_DATA_FORMAT);
                continue;
            }
            const CCellCommit commit = CommitCellEdit(table, row, column, text, bands, false);
            if (!commit.m_accepted) {
                refuse(request.m_row, column, LoadString(commit.m_messageId, false),
                       commit.m_messageId);
            }
        }
    }

    // Rows whose texts changed take what StoreGrid makes of them; the others keep their bytes.
    CDocumentState stored = work;
    table.StoreGrid(stored);
    for (int row = 1; row < kGridRows; ++row) {
        bool changed = false;
        for (int column = kColRx; column <= kColMore; ++column) {
            changed = changed || table.GetText(row, column) != before.GetText(row, column);
        }
        if (changed) {
            const auto from = stored.m_image.Row(row - 1);
            std::copy(from.begin(), from.end(), work.m_image.Row(row - 1).begin());
        }
    }

    // Signal and numbers through the Channel Edit dialog, for channels it can be opened on.
    for (const CChannelTexts& request : rows) {
        const int row = request.m_row;
        if (!CanOpenChannelEdit(table, row)) {
            continue;
        }
        CChannelEditState state = LoadChannelEdit(work.m_image, RowToChannelNumber(row), false);
        bool edited = false;
        int entry = state.m_entry;
        const auto& signal = request.m_values[kCsvOptSignal];
        if (signal && !signal->empty() && *signal != table.GetText(row, kColOptSignal)) {
            entry = SignalEntryFromText(*signal);
            if (entry == kSignalNone) {
                refuse(request.m_row, kCsvOptSignal,
                       "\"" + *signal + "\" is not " + JoinEntries(SignalEntries(false)));
                continue;
            }
            edited = entry != state.m_entry;
        }
        if (edited) {
            SelectSignal(state, entry, work, nullptr, nullptr, false);
        }
        auto number = [&](int csvColumn, bool shown, int max, std::string& shownText) {
            const auto& value = request.m_values[csvColumn];
            if (!value || value->empty() || *value == shownText) {
                return;
            }
            if (!shown) {
                refuse(request.m_row, csvColumn,
                       std::string(csvColumn == kCsvEncode ? "an encode" : "a decode") +
                           " number needs the optional signal " +
                           (csvColumn == kCsvEncode ? "MSK or 2-Tone" : "2-Tone"));
                return;
            }
            const auto text = NumberValue(*value, max);
            if (!text) {
                refuse(
                    request.m_row, csvColumn,
                    "\"" + *value + "\" is not None or a number from 1 to " + std::to_string(max));
                return;
            }
            if (*text != shownText) {
                shownText = *text;
                edited = true;
            }
        };
        number(kCsvEncode, ShowsEncode(entry), EncodeMax(entry), state.m_encodeText);
        number(kCsvDecode, ShowsDecode(entry), kDecodeMax, state.m_decodeText);
        if (edited) {
            ApplyChannelEditOk(state, work.m_image);
        }
    }

    if (refusals.empty()) {
        image = work.m_image;
    }
    return refusals;
}

CResult<std::string> ReadChannelsCsvFile(const std::string& path) {
    auto bytes = ReadFileBytes(path, kMaxCsvSize + 1);
    if (!bytes) {
        return std::unexpected(bytes.error());
    }
    const std::string quoted = "\"" + path + "\"";
    if (bytes->size() > kMaxCsvSize) {
        return std::unexpected(CError(CTexts(quoted + " is too large for a channel CSV.",
                                             quoted + " 太大，不是信道 CSV 文件。")));
    }
    std::string text(bytes->begin(), bytes->end());
    if (!IsUtf8Text(text)) {
        return std::unexpected(
            CError(CTexts(quoted + " is not a channel CSV: it is not UTF-8 text.",
                          quoted + " 不是信道 CSV 文件：它不是 UTF-8 文本。")));
    }
    return text;
}

CResult<> WriteChannelsCsvFile(const CMemoryImage& image, const std::string& path) {
    const std::string csv = ExportChannelsCsv(image);
    return WriteOutputFile(path, {reinterpret_cast<const std::uint8_t*>(csv.data()), csv.size()});
}
