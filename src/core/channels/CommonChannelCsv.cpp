#include "channels/CommonChannelCsv.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <optional>

#include "channels/Bands.h"
#include "channels/CellRules.h"
#include "channels/ChannelEditRules.h"
#include "channels/ChannelTable.h"
#include "channels/Codecs.h"
#include "image/DocumentState.h"
#include "image/MemoryImage.h"
#include "settings/Messages.h"
#include "util/File.h"
#include "util/Gbk.h"
#include "util/Number.h"

namespace {

constexpr int kCommonColumnCount = static_cast<int>(std::size(kCommonCsvColumns));
// Columns without which a row does not say what the channel is.
constexpr const char* kRequiredColumns[] = {"Location", "Name",         "Frequency", "Duplex",
                                            "Offset",   "Tone",         "rToneFreq", "cToneFreq",
                                            "DtcsCode", "DtcsPolarity", "Mode"};

// Beyond this many MHz between Rx and Tx a channel is written as split (a cross-band pair)
// rather than as an offset.
constexpr int kSplitCounts = 7000000;

std::string ToLowerAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Counts of 10 Hz as MHz with six decimals ("146.520000"), in integers: no locale, no rounding.
std::string MHzText(int count) {
    std::string fraction = std::to_string(count % 100000);
    fraction.insert(0, 5 - fraction.size(), '0');
    return std::to_string(count / 100000) + "." + fraction + "0";
}

// A frequency in MHz as the layout writes it; the radio's resolution is 10 Hz, so digits
// beyond the fifth decimal must be zeros.
std::optional<int> ParseMHz(const std::string& text) {
    if (!IsPlainDecimal(text)) {
        return std::nullopt;
    }
    const auto point = text.find('.');
    if (point != std::string::npos && text.size() > point + 6 &&
        text.find_first_not_of('0', point + 6) != std::string::npos) {
        return std::nullopt;
    }
    // Nine integer digits already leave any band; ParseFrequency saturates beyond.
    return ParseFrequency(text);
}

// "88.5" or "88.50" as the tone list writes it; nothing for a text that is not a tone.
std::optional<std::string> QtText(const std::string& text) {
    if (!IsPlainDecimal(text)) {
        return std::nullopt;
    }
    const long long hundredths = DecimalTimesPowerOfTen(LeadingDouble(text), 2);
    if (hundredths % 10 != 0 || hundredths > 100000) {
        return std::nullopt;
    }
    return FormatFixed(static_cast<double>(hundredths / 10) / 10.0, 1, 1);
}

// "023" or "23" with a polarity letter as the tone list writes it ("D023N").
std::optional<std::string> DqtText(const std::string& code, char polarity) {
    if (code.empty() || code.size() > 3 || code.find_first_not_of("01234567") != code.npos) {
        return std::nullopt;
    }
    return "D" + std::string(3 - code.size(), '0') + code + (polarity == 'R' ? 'I' : 'N');
}

bool InToneList(const std::string& text) {
    const auto& list = ToneList(false);
    return std::ranges::find(list, text) != list.end();
}

class CRowReader {
public:
    CRowReader(const std::vector<int>& columnOf, const CCsvRecord& record)
        : m_columnOf(columnOf), m_record(record) {}

    // The field of a layout column, trimmed; empty when the file lacks the column.
    std::string Get(int column) const {
        const int index = m_columnOf[column];
        return index < 0 ? std::string() : Trimmed(m_record.m_fields[index]);
    }
    bool Has(int column) const { return m_columnOf[column] >= 0; }

private:
    const std::vector<int>& m_columnOf;
    const CCsvRecord& m_record;
};

enum ECommonColumn : int {
    kLocation,
    kName,
    kFrequency,
    kDuplex,
    kOffset,
    kTone,
    kRToneFreq,
    kCToneFreq,
    kDtcsCode,
    kDtcsPolarity,
    kRxDtcsCode,
    kCrossMode,
    kMode,
    kTStep,
    kSkip,
    kPower,
};

struct CTonePair {
    std::string m_tx = kNoneText.m_en;
    std::string m_rx = kNoneText.m_en;
};

// The Tx and Rx cells of a row's tone mode, or why there are none.
std::optional<CTonePair> ReadTones(const CRowReader& row, std::string& reason) {
    const std::string mode = row.Get(kTone);
    const std::string polarity = row.Get(kDtcsPolarity).empty() ? "NN" : row.Get(kDtcsPolarity);
    if (polarity.size() != 2 || polarity.find_first_not_of("NR") != std::string::npos) {
        reason = "DtcsPolarity \"" + polarity + "\" is not NN, NR, RN or RR";
        return std::nullopt;
    }
    auto qt = [&](int column) -> std::optional<std::string> {
        const auto text = QtText(row.Get(column));
        if (!text || !InToneList(*text)) {
            reason = std::string(kCommonCsvColumns[column]) + " \"" + row.Get(column) +
                     "\" is not a QT tone of the radio";
            return std::nullopt;
        }
        return text;
    };
    // The first polarity letter is the Tx code's, the second the Rx code's.
    auto dqt = [&](int column, bool tx) -> std::optional<std::string> {
        const std::string code = row.Get(column);
        const auto text = DqtText(code, polarity[tx ? 0 : 1]);
        if (!text || !InToneList(*text)) {
            reason = std::string(kCommonCsvColumns[column]) + " \"" + code +
                     "\" is not a DQT code of the radio";
            return std::nullopt;
        }
        return text;
    };
    // Files without RxDtcsCode use DtcsCode both ways.
    const int rxDtcs =
        row.Has(kRxDtcsCode) && !row.Get(kRxDtcsCode).empty() ? kRxDtcsCode : kDtcsCode;
    CTonePair pair;
    std::optional<std::string> tx = pair.m_tx;
    std::optional<std::string> rx = pair.m_rx;
    if (mode.empty()) {
    } else if (mode == "Tone") {
        tx = qt(kRToneFreq);
    } else if (mode == "TSQL") {
        tx = qt(kCToneFreq);
        rx = tx;
    } else if (mode == "DTCS") {
        tx = dqt(kDtcsCode, true);
        rx = tx ? dqt(kDtcsCode, false) : tx;
    } else if (mode == "Cross") {
        const std::string cross = row.Get(kCrossMode).empty() ? "Tone->Tone" : row.Get(kCrossMode);
        const auto arrow = cross.find("->");
        const std::string txKind = arrow == std::string::npos ? "?" : cross.substr(0, arrow);
        const std::string rxKind = arrow == std::string::npos ? "?" : cross.substr(arrow + 2);
        const bool known = (txKind.empty() || txKind == "Tone" || txKind == "DTCS") &&
                           (rxKind.empty() || rxKind == "Tone" || rxKind == "DTCS") &&
                           !(txKind.empty() && rxKind.empty());
        if (!known) {
            reason = "CrossMode \"" + cross + "\" is not one the radio can hold";
            return std::nullopt;
        }
        if (txKind == "Tone") {
            tx = qt(kRToneFreq);
        } else if (txKind == "DTCS") {
            tx = dqt(kDtcsCode, true);
        }
        if (tx && rxKind == "Tone") {
            rx = qt(kCToneFreq);
        } else if (tx && rxKind == "DTCS") {
            rx = dqt(rxDtcs, false);
        }
    } else {
        reason = "Tone \"" + mode + "\" is not a tone mode the radio has";
        return std::nullopt;
    }
    if (!tx || !rx) {
        return std::nullopt;
    }
    pair.m_tx = *tx;
    pair.m_rx = *rx;
    return pair;
}

std::optional<std::string> ReadPower(const std::string& text, std::string& reason) {
    const std::string lower = ToLowerAscii(text);
    if (lower.starts_with("high") || text == "高") {
        return "High";
    }
    if (lower.starts_with("low") || text == "低") {
        return "Low";
    }
    // "5.0W", "0.5 W", "4": a number of watts.
    const auto digits = text.find_first_not_of("0123456789.");
    const std::string number = text.substr(0, digits);
    const std::string unit = Trimmed(digits == std::string::npos ? "" : text.substr(digits));
    if (IsPlainDecimal(number) && (unit.empty() || unit == "W" || unit == "w")) {
        return LeadingDouble(number) >= kHighPowerWatts ? "High" : "Low";
    }
    reason = "Power \"" + text + "\" is not High, Low or a number of watts";
    return std::nullopt;
}

struct CRowTranslation {
    CChannelTexts m_texts;
    std::string m_cutNotice;
};

// A row as the grid's texts of its channel, or why the radio cannot hold it.
std::optional<CRowTranslation> TranslateRow(const CRowReader& row, const CChannelTable& table,
                                            std::string& reason) {
    CRowTranslation result;
    CChannelTexts& texts = result.m_texts;
    texts.m_values.resize(kCsvColumnCount);

    const std::string location = row.Get(kLocation);
    const int number = location.empty() || location.size() > 3 ||
                               location.find_first_not_of("0123456789") != std::string::npos
                           ? 0
                           : TextToInt(location);
    if (number < 1 || number > kMaxChannelNumber) {
        reason = "Location \"" + location + "\" is not a channel from 1 to 128";
        return std::nullopt;
    }
    texts.m_row = ChannelNumberToRow(number);

    const std::string mode = row.Get(kMode);
    if (mode != "FM" && mode != "NFM") {
        reason = "Mode \"" + mode + "\" cannot be used: the radio has FM and NFM only";
        return std::nullopt;
    }
    const auto rx = ParseMHz(row.Get(kFrequency));
    if (!rx) {
        reason = "Frequency \"" + row.Get(kFrequency) + "\" is not a frequency in MHz";
        return std::nullopt;
    }
    if (*rx < kRxMin || *rx > kRxMax) {
        reason = "Frequency " + FormatFrequencyCount(*rx) + " is outside 67 to 600 MHz";
        return std::nullopt;
    }
    const std::string duplex = row.Get(kDuplex);
    int tx = *rx;
    if (duplex == "+" || duplex == "-" || duplex == "split") {
        const auto offset = ParseMHz(row.Get(kOffset));
        if (!offset) {
            reason = "Offset \"" + row.Get(kOffset) + "\" is not a frequency in MHz";
            return std::nullopt;
        }
        tx = duplex == "split" ? *offset : duplex == "+" ? *rx + *offset : *rx - *offset;
    } else if (duplex == "off") {
        // A record without Tx is an empty channel to the radio: it would vanish.
        reason = "Duplex \"off\" cannot be used: the radio has no receive-only channels";
        return std::nullopt;
    } else if (!duplex.empty()) {
        reason = "Duplex \"" + duplex + "\" is not +, -, split or off";
        return std::nullopt;
    }
    if (tx < kTxMin || tx > kTxMax) {
        reason = "the Tx frequency (Duplex " + (duplex.empty() ? std::string("none") : duplex) +
                 ", Offset " + row.Get(kOffset) + ") is outside 67 to 512 MHz";
        return std::nullopt;
    }
    const auto tones = ReadTones(row, reason);
    if (!tones) {
        return std::nullopt;
    }
    std::optional<std::string> power;
    if (!row.Get(kPower).empty()) {
        power = ReadPower(row.Get(kPower), reason);
        if (!power) {
            return std::nullopt;
        }
    }
    std::optional<std::string> scan;
    if (row.Has(kSkip)) {
        const std::string skip = row.Get(kSkip);
        // "P" (a priority channel) is scanned; the radio keeps its priority channel elsewhere.
        if (!skip.empty() && skip != "S" && skip != "P") {
            reason = "Skip \"" + skip + "\" is not S, P or empty";
            return std::nullopt;
        }
        scan = skip == "S" ? "No" : "Yes";
    }

    std::string name = row.Get(kName);
    // An unchanged name is kept whole, as the grid keeps an 8-byte name from a radio. A name
    // with characters the radio lacks is left for the name rule to refuse.
    if (name != table.GetText(texts.m_row, kColName) && !FitsNameEditor(name) &&
        GbkToUtf8(Utf8ToGbk(name, 64)) == name) {
        const std::string cut = GbkToUtf8(Utf8ToGbk(name, kNameEditorLimit));
        result.m_cutNotice = "the name \"" + name + "\" was cut to \"" + cut + "\"";
        name = cut;
    }

    texts.m_values[kColRx] = FormatFrequencyCount(*rx);
    texts.m_values[kColTx] = FormatFrequencyCount(tx);
    texts.m_values[kColRxTone] = tones->m_rx;
    texts.m_values[kColTxTone] = tones->m_tx;
    texts.m_values[kColName] = name;
    texts.m_values[kColPower] = power;
    texts.m_values[kColBandwidth] = mode == "FM" ? "Wide" : "Narrow";
    texts.m_values[kColScanAdd] = scan;
    return result;
}

// A refusal of the grid's rules in the layout's terms.
std::string CellReason(const CCellRefusal& refusal, const CChannelTexts& texts,
                       const CBandsMHz& bands) {
    const std::string value = texts.m_values[refusal.m_column].value_or("");
    if (refusal.m_column == kColRx && refusal.m_messageId == IDS_OUT_OF_RANGE) {
        return "Frequency " + value + " is outside the radio's bands (" +
               std::to_string(bands.m_band1Low) + "-" + std::to_string(bands.m_band1High) + ", " +
               std::to_string(bands.m_band2Low) + "-" + std::to_string(bands.m_band2High) + " MHz)";
    }
    if (refusal.m_column == kColRx && refusal.m_messageId == IDS_STEP_VALUE) {
        return "Frequency " + value + " is not on a 5 kHz or 6.25 kHz step";
    }
    return std::string(kCsvColumns[refusal.m_column]) + " \"" + value + "\": " + refusal.m_message;
}

CResult<> Refused(CTexts what, std::vector<std::string> items) {
    CError error(std::move(what));
    error.m_items = std::move(items);
    return std::unexpected(std::move(error));
}

}  // namespace

std::string ExportCommonCsv(const CMemoryImage& image) {
    CDocumentState copy{image};
    CChannelTable table(false);
    table.FillGrid(copy, nullptr, false);
    std::string csv;
    for (int i = 0; i < kCommonColumnCount; ++i) {
        csv += (i == 0 ? "" : ",") + std::string(kCommonCsvColumns[i]);
    }
    csv += "\r\n";
    for (int number = 1; number <= kMaxChannelNumber; ++number) {
        const int row = ChannelNumberToRow(number);
        if (IsEmptyChannel(image.Row(row - 1))) {
            continue;
        }
        const int rx = ParseFrequency(table.GetText(row, kColRx));
        const int tx = ParseFrequency(table.GetText(row, kColTx));
        std::string duplex;
        int offset = 0;
        if (std::abs(tx - rx) >= kSplitCounts) {
            duplex = "split";
            offset = tx;
        } else if (tx != rx) {
            duplex = tx > rx ? "+" : "-";
            offset = std::abs(tx - rx);
        }

        // Unused tone columns carry the layout's usual defaults.
        std::string tone;
        std::string rTone = "88.5";
        std::string cTone = "88.5";
        std::string dtcs = "023";
        std::string rxDtcs = "023";
        std::string polarity = "NN";
        std::string cross = "Tone->Tone";
        const std::string txText = table.GetText(row, kColTxTone);
        const std::string rxText = table.GetText(row, kColRxTone);
        auto kind = [](const std::string& text) {
            return text == kNoneText.m_en ? std::string() : text[0] == 'D' ? "DTCS" : "Tone";
        };
        auto code = [](const std::string& text) { return text.substr(1, text.size() - 2); };
        auto letter = [](const std::string& text) { return text.back() == 'I' ? 'R' : 'N'; };
        const std::string txKind = kind(txText);
        const std::string rxKind = kind(rxText);
        if (txKind == "DTCS") {
            dtcs = code(txText);
            polarity[0] = letter(txText);
        }
        if (rxKind == "DTCS") {
            rxDtcs = code(rxText);
            polarity[1] = letter(rxText);
        }
        if (txKind == "Tone") {
            rTone = txText;
        }
        if (rxKind == "Tone") {
            cTone = rxText;
        }
        if (txKind.empty() && rxKind.empty()) {
        } else if (txKind == "Tone" && rxKind.empty()) {
            tone = "Tone";
        } else if (txKind == "Tone" && txText == rxText) {
            tone = "TSQL";
            rTone = txText;
        } else if (txKind == "DTCS" && rxKind == "DTCS" && dtcs == rxDtcs) {
            tone = "DTCS";
        } else {
            tone = "Cross";
            cross = txKind + "->" + rxKind;
        }

        const std::string fields[] = {std::to_string(number),
                                      table.GetText(row, kColName),
                                      MHzText(rx),
                                      duplex,
                                      MHzText(offset),
                                      tone,
                                      rTone,
                                      cTone,
                                      dtcs,
                                      polarity,
                                      rxDtcs,
                                      cross,
                                      table.GetText(row, kColBandwidth) == "Narrow" ? "NFM" : "FM",
                                      rx % 500 == 0 ? "5.00" : "6.25",
                                      table.GetText(row, kColScanAdd) == "No" ? "S" : "",
                                      table.GetText(row, kColPower),
                                      "",
                                      "",
                                      "",
                                      "",
                                      ""};
        std::string line;
        for (int i = 0; i < kCommonColumnCount; ++i) {
            line += (i == 0 ? "" : ",") + CsvField(fields[i]);
        }
        csv += line + "\r\n";
    }
    return csv;
}

CResult<> WriteCommonCsvFile(const CMemoryImage& image, const std::string& path) {
    const std::string csv = ExportCommonCsv(image);
    return WriteOutputFile(path, {reinterpret_cast<const std::uint8_t*>(csv.data()), csv.size()});
}

CResult<CCommonCsvPlan> PlanCommonCsvImport(const std::string& csv, const CMemoryImage& image) {
    auto records = ParseCsv(csv);
    if (!records) {
        return std::unexpected(records.error());
    }
    if (records->empty()) {
        return std::unexpected(
            CError(CTexts("The file holds no header line.", "文件没有标题行。")));
    }
    const CCsvRecord& header = records->front();
    std::vector<int> columnOf(kCommonColumnCount, -1);
    std::vector<std::string> problems;
    for (std::size_t i = 0; i < header.m_fields.size(); ++i) {
        const std::string name = Trimmed(header.m_fields[i]);
        for (int c = 0; c < kCommonColumnCount; ++c) {
            if (name != kCommonCsvColumns[c]) {
                continue;
            }
            if (columnOf[c] >= 0) {
                problems.push_back("line " + std::to_string(header.m_line) + ": the column \"" +
                                   name + "\" appears twice");
            }
            columnOf[c] = static_cast<int>(i);
        }
    }
    for (const char* required : kRequiredColumns) {
        const auto at = std::ranges::find_if(
            kCommonCsvColumns, [&](const char* name) { return std::string(name) == required; });
        if (columnOf[at - std::begin(kCommonCsvColumns)] < 0) {
            problems.push_back("line " + std::to_string(header.m_line) + ": the column \"" +
                               required + "\" is missing");
        }
    }
    if (!problems.empty()) {
        return std::unexpected(
            Refused({"The file is not a common channel CSV.", "该文件不是通用信道 CSV 文件。"},
                    std::move(problems))
                .error());
    }

    CDocumentState doc{image};
    CChannelTable table(false);
    table.FillGrid(doc, nullptr, false);

    CCommonCsvPlan plan;
    std::vector<int> lines;              // of plan.m_rows
    std::vector<std::string> locations;  // of plan.m_rows
    std::map<int, int> lineOfRow;
    for (std::size_t r = 1; r < records->size(); ++r) {
        const CCsvRecord& record = (*records)[r];
        const std::string where = "line " + std::to_string(record.m_line);
        if (record.m_fields.size() != header.m_fields.size()) {
            plan.m_refused.push_back(where + ": expected " +
                                     std::to_string(header.m_fields.size()) + " fields, found " +
                                     std::to_string(record.m_fields.size()));
            continue;
        }
        const CRowReader reader(columnOf, record);
        const std::string at = where + ", Location " + reader.Get(kLocation) + ": ";
        std::string reason;
        auto translated = TranslateRow(reader, table, reason);
        if (!translated) {
            plan.m_refused.push_back(at + reason);
            continue;
        }
        const int row = translated->m_texts.m_row;
        if (lineOfRow.contains(row)) {
            plan.m_refused.push_back(at + "the channel is already on line " +
                                     std::to_string(lineOfRow[row]));
            continue;
        }
        lineOfRow[row] = record.m_line;
        if (!translated->m_cutNotice.empty()) {
            plan.m_notices.push_back(at + translated->m_cutNotice);
        }
        plan.m_rows.push_back(std::move(translated->m_texts));
        lines.push_back(record.m_line);
        locations.push_back(reader.Get(kLocation));
    }

    // The grid's rules (band, step, name) on a copy: a row they refuse is left out.
    CMemoryImage trial = image;
    const auto refusals = ApplyChannelTexts(plan.m_rows, trial);
    std::vector<bool> bad(plan.m_rows.size(), false);
    for (const CCellRefusal& refusal : refusals) {
        for (std::size_t i = 0; i < plan.m_rows.size(); ++i) {
            if (plan.m_rows[i].m_row == refusal.m_row && !bad[i]) {
                bad[i] = true;
                plan.m_refused.push_back("line " + std::to_string(lines[i]) + ", Location " +
                                         locations[i] + ": " +
                                         CellReason(refusal, plan.m_rows[i], doc.m_bands));
            }
        }
    }
    std::vector<CChannelTexts> kept;
    for (std::size_t i = 0; i < plan.m_rows.size(); ++i) {
        if (!bad[i]) {
            kept.push_back(std::move(plan.m_rows[i]));
        }
    }
    plan.m_rows = std::move(kept);
    // In file order, whichever check refused them.
    std::ranges::stable_sort(plan.m_refused, {},
                             [](const std::string& item) { return TextToInt(item.substr(5)); });
    return plan;
}

CResult<> ApplyCommonCsvPlan(const CCommonCsvPlan& plan, CMemoryImage& image, bool skipInvalid) {
    if (!plan.m_refused.empty() && !skipInvalid) {
        const std::size_t count = plan.m_refused.size();
        return Refused({std::to_string(count) + (count == 1 ? " row" : " rows") +
                            " of the file cannot be stored in the radio",
                        "文件中有 " + std::to_string(count) + " 行无法存入对讲机"},
                       plan.m_refused);
    }
    const auto refusals = ApplyChannelTexts(plan.m_rows, image);
    if (!refusals.empty()) {
        std::vector<std::string> items;
        for (const CCellRefusal& refusal : refusals) {
            items.push_back("channel " + RowLabel(refusal.m_row) + ": " + refusal.m_message);
        }
        return Refused({"The channels were not imported.", "未导入信道。"}, std::move(items));
    }
    return {};
}
